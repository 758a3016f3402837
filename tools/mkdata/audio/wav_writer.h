// Writes 16-bit mono PCM WAV files in the plain layout the game's loader
// accepts: "RIFF", "WAVE", a 16-byte "fmt " chunk and the "data" chunk
// straight after it, nothing else.
#pragma once

#include <cstdint>
#include <vector>

#include "audio/dsp.h"

namespace vx::mkdata {

// Samples are floats in [-1, 1]; values outside are clamped.
std::vector<uint8_t> EncodeWav16Mono(const Buffer& samples, int rate);

}  // namespace vx::mkdata
