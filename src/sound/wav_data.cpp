#include "sound/wav_data.h"

#include <cstring>

#include "resources/byte_order.h"

namespace vx {

WavResult ParseWav(const uint8_t* file, uint32_t fileSize, WavData* out) {
  if (!file || fileSize < 36) return WavResult::kNotWav;
  if (std::memcmp(file, "RIFF", 4) != 0 || std::memcmp(file + 8, "WAVE", 4) != 0 ||
      std::memcmp(file + 12, "fmt ", 4) != 0)
    return WavResult::kNotWav;
  uint32_t fmtSize = GetU32(file + 16);
  // The data chunk header must lie inside the file.
  if (fmtSize > fileSize || 28 + uint64_t{fmtSize} > fileSize) return WavResult::kNotWav;
  if (std::memcmp(file + 20 + fmtSize, "data", 4) != 0) return WavResult::kNotWav;
  uint32_t dataSize = GetU32(file + 24 + fmtSize);
  uint32_t available = fileSize - 28 - fmtSize;
  // A data size beyond the end of the file is cut to what is there.
  if (dataSize > available) dataSize = available;

  int channels = GetU16(file + 22);
  int rate = static_cast<int>(GetU32(file + 24));
  int blockAlign = GetU16(file + 32);
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
