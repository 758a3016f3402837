// S3M loader. The file image is untrusted: every read is checked against its size,
// counts beyond what the player holds refuse the module, and instruments or
// patterns that point outside the file are cut to what is there.
#include <algorithm>
#include <cstring>

#include "base/log.h"
#include "resources/byte_order.h"
#include "sound/s3m_module.h"

namespace vx {

const int16_t kS3mPeriods[12] = {1712, 1616, 1524, 1440, 1356, 1280, 1208, 1140, 1076, 1016, 960, 907};

const int16_t kS3mFinetune[16] = {7895, 7941, 7985, 8046, 8107, 8169, 8232, 8280,
                                  8363, 8413, 8463, 8529, 8581, 8651, 8723, 8757};

const int8_t kS3mWaveforms[4][64] = {
    {0,    12,   25,   37,   49,   60,   71,   81,   90,   98,   106,  112,  117,  122,  125,  126,
     127,  126,  125,  122,  117,  112,  106,  98,   90,   81,   71,   60,   49,   37,   25,   12,
     0,    -12,  -25,  -37,  -49,  -60,  -71,  -81,  -90,  -98,  -106, -112, -117, -122, -125, -126,
     -127, -126, -125, -122, -117, -112, -106, -98,  -90,  -81,  -71,  -60,  -49,  -37,  -25,  -12},
    {0,   -4,  -8,  -12, -16, -20, -24, -28, -32, -36, -40, -44, -48, -52, -56, -60,
     -64, -68, -72, -76, -80, -84, -88, -92, -96, -100, -104, -108, -112, -116, -120, -124,
     127, 123, 119, 115, 111, 107, 103, 99,  95,  91,  87,  83,  79,  75,  71,  67,
     63,  59,  55,  51,  47,  43,  39,  35,  31,  27,  23,  19,  15,  11,  7,   3},
    {127,  127,  127,  127,  127,  127,  127,  127,  127,  127,  127,  127,  127,  127,  127,  127,
     127,  127,  127,  127,  127,  127,  127,  127,  127,  127,  127,  127,  127,  127,  127,  127,
     -127, -127, -127, -127, -127, -127, -127, -127, -127, -127, -127, -127, -127, -127, -127, -127,
     -127, -127, -127, -127, -127, -127, -127, -127, -127, -127, -127, -127, -127, -127, -127, -127},
    {98,  -127, -43, 88,  102, 41,  -65,  -94, 125, 20,  -71, -86, -70, -32, -16, -96,
     17,  72,   107, -5,  116, -69, -62,  -40, 10,  -61, 65,  109, -18, -38, -13, -76,
     -23, 88,   21,  -94, 8,   106, 21,   -112, 6,  109, 20,  -88, -30, 9,   -127, 118,
     42,  -34,  89,  -4,  -51, -72, 21,   -29, 112, 123, 84,  -101, -92, 98, -54, -95},
};

namespace {

// Longest sample data a channel can address with 22.10 positions, with headroom.
constexpr uint32_t kMaxSampleBytes = 1u << 21;

class Reader {
 public:
  Reader(const uint8_t* data, uint32_t size) : data_(data), size_(size) {}
  bool Has(uint64_t offset, uint64_t bytes) const { return offset + bytes <= size_; }
  uint8_t U8(uint32_t o) const { return data_[o]; }
  uint16_t U16(uint32_t o) const { return GetU16(data_ + o); }
  uint32_t U32(uint32_t o) const { return GetU32(data_ + o); }
  const uint8_t* At(uint32_t o) const { return data_ + o; }
  uint32_t size() const { return size_; }

 private:
  const uint8_t* data_;
  uint32_t size_;
};

void LoadInstrument(const Reader& r, uint32_t at, int index, S3mInstrument& ins) {
  if (at == 0) return;  // an unused slot
  if (!r.Has(at, 80)) {
    Log("S3M: instrument %d lies outside the file\n", index);
    return;
  }
  if (r.U8(at) != 1) return;  // only sampled instruments sound
  if (std::memcmp(r.At(at + 76), "SCRS", 4) != 0) return;
  uint32_t dataPos = ((uint32_t{r.U8(at + 13)} << 16) | r.U16(at + 14)) * 16u;
  uint32_t length = r.U32(at + 16);
  uint32_t loopStart = r.U32(at + 20);
  uint32_t loopEnd = r.U32(at + 24);
  int volume = std::min<int>(r.U8(at + 28), 64);
  int flags = r.U8(at + 31);
  uint32_t rate = r.U32(at + 32);
  bool is16 = (flags & 4) != 0;
  bool loops = (flags & 1) != 0;

  ins.volume = volume * 4;
  ins.is16Bit = is16;
  // A rate of 0 would never advance; treat it as the standard middle C rate.
  ins.baseRate = rate == 0 ? 8363 : std::min<uint32_t>(rate, 0x3FFFF);

  // Lengths and loop points count sample values; a 16-bit value takes two bytes.
  uint32_t width = is16 ? 2 : 1;
  uint64_t wanted = uint64_t{length} * width;
  uint64_t available = dataPos < r.size() ? r.size() - dataPos : 0;
  if (wanted > available) {
    Log("S3M: sample data of instrument %d cut at the end of the file\n", index);
    wanted = available;
  }
  if (wanted > kMaxSampleBytes) {
    Log("S3M: sample of instrument %d too long, cut\n", index);
    wanted = kMaxSampleBytes;
  }
  uint32_t count = static_cast<uint32_t>(wanted / width);  // sample values
  if (count == 0) return;

  uint32_t bytes = count * width;
  // The guard value after the end, and room for the mixer's 16-byte loads.
  ins.data.assign(bytes + 16, 0);
  const uint8_t* src = r.At(dataPos);
  if (is16) {
    // The mixer reads the high byte of each value, at the even offsets.
    for (uint32_t i = 0; i < count; ++i) ins.data[2 * i] = src[2 * i + 1] ^ 0x80;
    ins.data[bytes] = ins.data[bytes - 2];
  } else {
    for (uint32_t i = 0; i < count; ++i) ins.data[i] = src[i] ^ 0x80;
    ins.data[bytes] = ins.data[bytes - 1];
  }
  ins.length = bytes;
  if (loops && loopStart < loopEnd && loopStart < count) {
    ins.loopStart = loopStart * width;
    ins.loopEnd = std::min(loopEnd, count) * width;
  }
}

// Unpacks one pattern into its 64 x channelCount cells. Channel memories of the
// last note and info carry over from pattern to pattern.
void LoadPattern(const Reader& r, uint32_t at, int index, S3mModule& m, uint8_t lastNote[32],
                 uint8_t lastInfo[32]) {
  uint8_t* cells = m.patterns.data() + static_cast<size_t>(index) * kS3mRows * m.channelCount * kS3mCellBytes;
  for (int i = 0; i < kS3mRows * m.channelCount; ++i) {
    uint8_t* c = cells + i * kS3mCellBytes;
    c[0] = 0;
    c[1] = 0;
    c[2] = 255;
    c[3] = 0;
    c[4] = 0;
  }
  if (at == 0) return;  // an empty pattern
  uint32_t p = at + 2;  // the packed length is not needed
  if (!r.Has(p, 1)) {
    Log("S3M: pattern %d lies outside the file\n", index);
    return;
  }
  int row = 0;
  while (row < kS3mRows) {
    if (!r.Has(p, 1)) {
      Log("S3M: pattern %d ends early at row %d\n", index, row);
      return;
    }
    uint8_t what = r.U8(p++);
    if (what == 0) {
      ++row;
      continue;
    }
    int ch = what & 31;
    uint32_t need = ((what & 0x20) ? 2 : 0) + ((what & 0x40) ? 1 : 0) + ((what & 0x80) ? 2 : 0);
    if (!r.Has(p, need)) {
      Log("S3M: pattern %d ends early at row %d\n", index, row);
      return;
    }
    uint8_t* c = ch < m.channelCount ? cells + (row * m.channelCount + ch) * kS3mCellBytes : nullptr;
    if (what & 0x20) {
      uint8_t note = r.U8(p);
      uint8_t ins = r.U8(p + 1);
      p += 2;
      if (note == 255 && ins != 0) note = lastNote[ch];
      lastNote[ch] = note;
      if (c) {
        c[0] = note;
        c[1] = ins;
      }
    }
    if (what & 0x40) {
      if (c) c[2] = r.U8(p);
      ++p;
    }
    if (what & 0x80) {
      uint8_t cmd = r.U8(p);
      uint8_t info = r.U8(p + 1);
      p += 2;
      if (info == 0 && cmd != 3) info = lastInfo[ch];
      lastInfo[ch] = info;
      if (c) {
        c[3] = cmd;
        c[4] = info;
      }
    }
  }
}

}  // namespace

std::unique_ptr<S3mModule> LoadS3m(const uint8_t* image, uint32_t size, int rate, bool is16Bit,
                                   bool stereo, bool interpolation) {
  Reader r(image, image ? size : 0);
  if (!r.Has(0, 0x60) || std::memcmp(r.At(0x2C), "SCRM", 4) != 0) {
    Log("S3M: not a Scream Tracker 3 module\n");
    return nullptr;
  }
  auto m = std::make_unique<S3mModule>();
  m->rate = rate;
  m->is16Bit = is16Bit;
  m->stereo = stereo;
  m->interpolation = interpolation;
  m->loop = true;
  std::memcpy(m->title, r.At(0), 28);
  m->title[28] = 0;

  int orderCount = r.U16(0x20);
  int instrumentCount = r.U16(0x22);
  int patternCount = r.U16(0x24);
  if (orderCount > kS3mMaxOrders || instrumentCount > kS3mMaxInstruments ||
      patternCount > kS3mMaxPatterns) {
    Log("S3M: %d orders, %d instruments, %d patterns: more than the player holds\n", orderCount,
        instrumentCount, patternCount);
    return nullptr;
  }
  uint32_t pointers = 0x60 + orderCount;
  uint32_t panAt = pointers + 2 * instrumentCount + 2 * patternCount;
  if (!r.Has(0, panAt)) {
    Log("S3M: order list or pointers outside the file\n");
    return nullptr;
  }
  m->orderCount = orderCount;
  m->instrumentCount = instrumentCount;
  m->patternCount = patternCount;
  m->globalVolume = r.U8(0x30);
  m->initialSpeed = r.U8(0x31);
  m->initialTempo = r.U8(0x32);
  if (m->initialTempo == 0) m->initialTempo = 125;  // a tick length needs a tempo
  m->defaultPan = r.U8(0x35);
  std::memcpy(m->channelSettings, r.At(0x40), 32);

  std::fill(std::begin(m->pan), std::end(m->pan), 7);
  int channels = 0;
  for (int c = 0; c < 32; ++c) {
    uint8_t s = m->channelSettings[c];
    if (s < 8)
      m->pan[c] = 3;
    else if (s < 16)
      m->pan[c] = 13;
    if (s < 16) ++channels;
  }
  m->channelCount = std::min(channels, kS3mMaxChannels);

  std::memcpy(m->orders, r.At(0x60), orderCount);
  if (m->defaultPan == 252) {
    if (r.Has(panAt, 32)) {
      for (int c = 0; c < 32; ++c) {
        uint8_t v = r.U8(panAt + c);
        if (v & 0x20) m->pan[c] = v & 15;
      }
    } else {
      Log("S3M: channel pans outside the file, ignored\n");
    }
  }

  m->instruments.resize(instrumentCount + 1);
  for (int i = 1; i <= instrumentCount; ++i)
    LoadInstrument(r, r.U16(pointers + 2 * (i - 1)) * 16u, i, m->instruments[i]);

  m->patterns.assign(static_cast<size_t>(patternCount) * kS3mRows * m->channelCount * kS3mCellBytes, 0);
  uint8_t lastNote[32], lastInfo[32];
  std::fill(std::begin(lastNote), std::end(lastNote), 255);
  std::fill(std::begin(lastInfo), std::end(lastInfo), 0);
  uint32_t patternPointers = pointers + 2 * instrumentCount;
  for (int p = 0; p < patternCount; ++p)
    LoadPattern(r, r.U16(patternPointers + 2 * p) * 16u, p, *m, lastNote, lastInfo);

  m->speed = m->initialSpeed;
  m->tempo = m->initialTempo;
  m->pattern = 0;
  m->order = 0;
  m->nextOrder = 0;
  m->row = 63;
  m->tickCounter = 0;
  m->framesToNextTick = 0;
  m->divisor = 42;
  m->loadStatus = 2;
  return m;
}

}  // namespace vx
