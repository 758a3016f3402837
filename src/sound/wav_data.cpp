#include "sound/wav_data.h"

#include <cstring>

namespace vx {

namespace {
uint32_t Read32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (uint32_t{p[3]} << 24); }
uint16_t Read16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
}  // namespace

WavResult ParseWav(const uint8_t* file, uint32_t fileSize, WavData* out) {
  if (!file || fileSize < 36) return WavResult::kNotWav;
  if (std::memcmp(file, "RIFF", 4) != 0 || std::memcmp(file + 8, "WAVE", 4) != 0 ||
      std::memcmp(file + 12, "fmt ", 4) != 0)
    return WavResult::kNotWav;
  uint32_t fmtSize = Read32(file + 16);
  // The data chunk header must lie inside the file.
  if (fmtSize > fileSize || 28 + uint64_t{fmtSize} > fileSize) return WavResult::kNotWav;
  if (std::memcmp(file + 20 + fmtSize, "data", 4) != 0) return WavResult::kNotWav;
  uint32_t dataSize = Read32(file + 24 + fmtSize);
  uint32_t available = fileSize - 28 - fmtSize;
  // A data size beyond the end of the file is cut to what is there.
  if (dataSize > available) dataSize = available;

  int channels = Read16(file + 22);
  int rate = static_cast<int>(Read32(file + 24));
  int blockAlign = Read16(file + 32);
  if (channels < 1 || channels > 2) return WavResult::kBadFormat;
  int bits = blockAlign * 8 / channels;
  if (bits != 8 && bits != 16) return WavResult::kBadFormat;
  if (rate < 100 || rate > 200000) return WavResult::kBadFormat;
  out->format.rate = rate;
  out->format.bits = bits;
  out->format.channels = channels;
  out->sound = file + 28 + fmtSize;
  out->size = dataSize - dataSize % blockAlign;
  return WavResult::kOk;
}

}  // namespace vx
