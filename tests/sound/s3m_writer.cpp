#include "s3m_writer.h"

#include <algorithm>
#include <cstring>

namespace vx::test {

namespace {
void Put16(std::vector<uint8_t>& v, size_t at, uint32_t x) {
  v[at] = x & 0xFF;
  v[at + 1] = (x >> 8) & 0xFF;
}
void Put32(std::vector<uint8_t>& v, size_t at, uint32_t x) {
  Put16(v, at, x & 0xFFFF);
  Put16(v, at + 2, x >> 16);
}
void Align16(std::vector<uint8_t>& v) { v.resize((v.size() + 15) / 16 * 16, 0); }
}  // namespace

S3mWriter::S3mWriter() : channelSettings(32, 255) {
  channelSettings[0] = 0;
  channelSettings[1] = 8;
  channelSettings[2] = 1;
  channelSettings[3] = 9;
}

S3mSample ConstantSample(size_t n, uint8_t level, bool loop) {
  S3mSample s;
  s.data.assign(n, level);
  s.loop = loop;
  s.loopEnd = loop ? static_cast<uint32_t>(n) : 0;
  return s;
}

std::vector<uint8_t> S3mWriter::Build() const {
  const size_t ins = samples.size(), pats = patterns.size(), ords = orders.size();
  std::vector<uint8_t> f(0x60, 0);
  std::memcpy(f.data(), title.data(), std::min<size_t>(title.size(), 27));
  f[0x1C] = 0x1A;
  f[0x1D] = 16;
  Put16(f, 0x20, static_cast<uint32_t>(ords));
  Put16(f, 0x22, static_cast<uint32_t>(ins));
  Put16(f, 0x24, static_cast<uint32_t>(pats));
  Put16(f, 0x28, 0x1320);
  Put16(f, 0x2A, 2);
  std::memcpy(&f[0x2C], "SCRM", 4);
  f[0x30] = static_cast<uint8_t>(globalVolume);
  f[0x31] = static_cast<uint8_t>(speed);
  f[0x32] = static_cast<uint8_t>(tempo);
  f[0x33] = 0xB0;
  f[0x35] = static_cast<uint8_t>(defaultPan);
  std::copy(channelSettings.begin(), channelSettings.end(), f.begin() + 0x40);
  f.insert(f.end(), orders.begin(), orders.end());
  const size_t insPtrs = f.size();
  f.resize(f.size() + 2 * ins + 2 * pats, 0);
  if (defaultPan == 252) {
    std::vector<uint8_t> pan = panBytes;
    pan.resize(32, 0);
    f.insert(f.end(), pan.begin(), pan.end());
  }
  Align16(f);

  instrumentOffsets.assign(ins, 0);
  for (size_t i = 0; i < ins; ++i) {
    instrumentOffsets[i] = static_cast<uint32_t>(f.size());
    Put16(f, insPtrs + 2 * i, static_cast<uint32_t>(f.size() / 16));
    f.resize(f.size() + 80, 0);
  }
  patternOffsets.assign(pats, 0);
  for (size_t p = 0; p < pats; ++p) {
    Align16(f);
    const size_t at = f.size();
    patternOffsets[p] = static_cast<uint32_t>(at);
    Put16(f, insPtrs + 2 * ins + 2 * p, static_cast<uint32_t>(at / 16));
    f.resize(at + 2, 0);
    for (int row = 0; row < 64; ++row) {
      for (const S3mCell& c : patterns[p]) {
        if (c.row != row) continue;
        uint8_t what = c.channel & 31;
        if (c.note >= 0 || c.ins) what |= 0x20;
        if (c.vol >= 0) what |= 0x40;
        if (c.cmd) what |= 0x80;
        f.push_back(what);
        if (what & 0x20) {
          f.push_back(static_cast<uint8_t>(c.note >= 0 ? c.note : 255));
          f.push_back(static_cast<uint8_t>(c.ins));
        }
        if (what & 0x40) f.push_back(static_cast<uint8_t>(c.vol));
        if (what & 0x80) {
          f.push_back(static_cast<uint8_t>(c.cmd));
          f.push_back(static_cast<uint8_t>(c.info));
        }
      }
      f.push_back(0);
    }
    Put16(f, at, static_cast<uint32_t>(f.size() - at));
  }
  sampleOffsets.assign(ins, 0);
  for (size_t i = 0; i < ins; ++i) {
    Align16(f);
    const S3mSample& s = samples[i];
    const size_t h = instrumentOffsets[i];
    const uint32_t data = static_cast<uint32_t>(f.size());
    sampleOffsets[i] = data;
    const uint32_t values = static_cast<uint32_t>(s.is16 ? s.data.size() / 2 : s.data.size());
    f[h] = static_cast<uint8_t>(s.type);
    f[h + 13] = static_cast<uint8_t>((data / 16) >> 16);
    Put16(f, h + 14, (data / 16) & 0xFFFF);
    Put32(f, h + 16, values);
    Put32(f, h + 20, s.loopStart);
    Put32(f, h + 24, s.loopEnd);
    f[h + 28] = static_cast<uint8_t>(s.volume);
    f[h + 31] = static_cast<uint8_t>((s.loop ? 1 : 0) | (s.is16 ? 4 : 0));
    Put32(f, h + 32, s.c2spd);
    if (s.scrs) std::memcpy(&f[h + 76], "SCRS", 4);
    f.insert(f.end(), s.data.begin(), s.data.end());
  }
  return f;
}

}  // namespace vx::test
