// The game's one shared pseudo-random generator and the frame-based waves.
#pragma once

#include <cstdint>

namespace vx {

extern uint32_t gRandomState;

// Seed with CalendarSecondsNow() (platform/platform.h) for a new run.
void SeedRandom(uint32_t seed);
// state = state * 214013 + 2531011; value = (state >> 16) & 0x7fff.
int NextRandom();
// NextRandom() mod n; 0 for n <= 0 (no division by zero).
int Random(int n);
int RandomRange(int lo, int hi);
int RandomSpread(int n);
// Triangle wave of frameCounter: n - (f mod n) when f / n is even, else f mod n.
int Triangle(int n);

}  // namespace vx
