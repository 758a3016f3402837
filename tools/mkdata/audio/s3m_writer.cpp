#include "audio/s3m_writer.h"

#include <algorithm>
#include <cstring>

namespace vx::mkdata {

namespace {

constexpr size_t kHeaderSize = 0x60;
constexpr size_t kSampleHeaderSize = 0x50;
constexpr uint16_t kTrackerVersion = 0x1320;  // Scream Tracker 3.20 layout
constexpr uint16_t kSignedUnsigned = 2;       // samples stored unsigned
constexpr uint8_t kFastSlidesFlag = 0x40;
constexpr uint8_t kDefaultPanFollows = 252;

void Put16At(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  out[at] = static_cast<uint8_t>(v);
  out[at + 1] = static_cast<uint8_t>(v >> 8);
}
void Put32At(std::vector<uint8_t>& out, size_t at, uint32_t v) {
  Put16At(out, at, v & 0xffff);
  Put16At(out, at + 2, v >> 16);
}
void PutText(std::vector<uint8_t>& out, size_t at, const std::string& s, size_t room) {
  std::memcpy(&out[at], s.data(), std::min(s.size(), room - 1));
}
// Everything a header points at starts on a 16-byte paragraph.
size_t AlignParagraph(std::vector<uint8_t>& out) {
  out.resize((out.size() + 15) & ~size_t(15), 0);
  return out.size();
}

std::vector<uint8_t> PackPattern(const S3mPattern& p) {
  std::vector<uint8_t> out = {0, 0};
  for (int row = 0; row < kS3mRows; ++row) {
    for (int ch = 0; ch < p.channels; ++ch) {
      const S3mCell& c = p.At(row, ch);
      if (c.Empty()) continue;
      uint8_t what = static_cast<uint8_t>(ch);
      bool noteIns = c.note != kS3mNoNote || c.instrument != 0;
      if (noteIns) what |= 0x20;
      if (c.volume != kS3mNoVolume) what |= 0x40;
      if (c.command != 0) what |= 0x80;
      out.push_back(what);
      if (noteIns) {
        out.push_back(c.note);
        out.push_back(c.instrument);
      }
      if (c.volume != kS3mNoVolume) out.push_back(c.volume);
      if (c.command != 0) {
        out.push_back(c.command);
        out.push_back(c.info);
      }
    }
    out.push_back(0);
  }
  Put16At(out, 0, static_cast<uint32_t>(out.size()));
  return out;
}

}  // namespace

std::vector<uint8_t> WriteS3m(const S3mModule& m) {
  const size_t channels = m.pans.size();
  if (channels == 0 || channels > 16 || m.samples.size() > 99 || m.patterns.size() > 100 ||
      m.orders.empty() || m.orders.size() > 256)
    return {};
  for (const auto& p : m.patterns)
    if (p.channels != static_cast<int>(channels)) return {};
  // Sample data is addressed in paragraphs with 24 bits; keep far below that.
  for (const auto& s : m.samples)
    if (s.data.size() > 0xfffff || (s.loop && (s.loopEnd > s.data.size() || s.loopStart >= s.loopEnd)))
      return {};

  std::vector<uint8_t> orders = m.orders;
  while (orders.size() % 16) orders.push_back(255);  // Scream Tracker pads the list to 16

  std::vector<uint8_t> out(kHeaderSize, 0);
  PutText(out, 0, m.title, 28);
  out[0x1c] = 0x1a;
  out[0x1d] = 16;  // S3M module
  Put16At(out, 0x20, static_cast<uint32_t>(orders.size()));
  Put16At(out, 0x22, static_cast<uint32_t>(m.samples.size()));
  Put16At(out, 0x24, static_cast<uint32_t>(m.patterns.size()));
  out[0x26] = m.fastVolumeSlides ? kFastSlidesFlag : 0;
  Put16At(out, 0x28, kTrackerVersion);
  Put16At(out, 0x2a, kSignedUnsigned);
  std::memcpy(&out[0x2c], "SCRM", 4);
  out[0x30] = std::min<uint8_t>(m.globalVolume, 64);
  out[0x31] = m.initialSpeed;
  out[0x32] = m.initialTempo;
  out[0x33] = 0x80 | 48;  // stereo, a moderate master volume
  out[0x34] = 16;         // ultra-click removal as Scream Tracker writes it
  out[0x35] = kDefaultPanFollows;
  // Left and right channels alternate, as trackers lay them out; the pan
  // table below gives the real positions.
  for (size_t ch = 0; ch < 32; ++ch)
    out[0x40 + ch] = ch < channels ? static_cast<uint8_t>((ch % 2) * 8 + ch / 2) : 255;

  out.insert(out.end(), orders.begin(), orders.end());
  const size_t samplePointers = out.size();
  out.resize(out.size() + 2 * m.samples.size(), 0);
  const size_t patternPointers = out.size();
  out.resize(out.size() + 2 * m.patterns.size(), 0);
  for (size_t ch = 0; ch < 32; ++ch)
    out.push_back(ch < channels ? static_cast<uint8_t>(0x20 | (m.pans[ch] & 15)) : 0);

  std::vector<size_t> sampleHeaders;
  for (size_t i = 0; i < m.samples.size(); ++i) {
    size_t at = AlignParagraph(out);
    sampleHeaders.push_back(at);
    Put16At(out, samplePointers + 2 * i, static_cast<uint32_t>(at >> 4));
    out.resize(at + kSampleHeaderSize, 0);
  }
  for (size_t i = 0; i < m.patterns.size(); ++i) {
    size_t at = AlignParagraph(out);
    Put16At(out, patternPointers + 2 * i, static_cast<uint32_t>(at >> 4));
    std::vector<uint8_t> packed = PackPattern(m.patterns[i]);
    out.insert(out.end(), packed.begin(), packed.end());
  }
  for (size_t i = 0; i < m.samples.size(); ++i) {
    const S3mSample& s = m.samples[i];
    size_t data = AlignParagraph(out);
    for (int8_t v : s.data) out.push_back(static_cast<uint8_t>(v) ^ 0x80);
    size_t h = sampleHeaders[i];
    out[h] = 1;  // sampled instrument
    std::string dosName = s.name.substr(0, 12);
    PutText(out, h + 1, dosName, 13);
    size_t para = data >> 4;
    out[h + 13] = static_cast<uint8_t>(para >> 16);
    Put16At(out, h + 14, static_cast<uint32_t>(para & 0xffff));
    Put32At(out, h + 16, static_cast<uint32_t>(s.data.size()));
    Put32At(out, h + 20, s.loop ? s.loopStart : 0);
    Put32At(out, h + 24, s.loop ? s.loopEnd : 0);
    out[h + 28] = std::min<uint8_t>(s.volume, 64);
    out[h + 31] = s.loop ? 1 : 0;
    Put32At(out, h + 32, s.c2spd);
    Put16At(out, h + 40, 1);  // what Scream Tracker's SoundBlaster driver leaves for a used sample
    PutText(out, h + 48, s.name, 28);
    std::memcpy(&out[h + 76], "SCRS", 4);
  }
  AlignParagraph(out);
  return out;
}

}  // namespace vx::mkdata
