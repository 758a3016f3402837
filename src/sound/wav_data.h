// The WAV layout the sample engine accepts: "RIFF", "WAVE", a "fmt " chunk and the
// "data" chunk right after it.
#pragma once

#include <cstdint>

#include "sound/voice_mixer.h"

namespace vx {

struct WavData {
  PcmFormat format;
  const uint8_t* sound = nullptr;
  uint32_t size = 0;
};

enum class WavResult { kOk, kNotWav, kBadFormat };

// kNotWav for a missing tag or a file too short to hold its chunks; kBadFormat when
// the tags are right but the format cannot be played (no voice can be made of it).
WavResult ParseWav(const uint8_t* file, uint32_t fileSize, WavData* out);

}  // namespace vx
