// The game's nine sound effects, synthesized from oscillators, noise,
// envelopes and filters.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "audio/dsp.h"

namespace vx::mkdata {

constexpr int kEffectRate = 44100;
// -3 dBFS: loud enough to sit over the music, with headroom for the mixer.
constexpr float kEffectPeak = 0.7079458f;

struct SoundEffect {
  std::string name;  // file name inside DATA
  Buffer samples;    // mono, kEffectRate
};

// In the order the game loads them (the handle order).
std::vector<SoundEffect> MakeSoundEffects();

}  // namespace vx::mkdata
