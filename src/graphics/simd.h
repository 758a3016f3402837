// The widest vector instructions the drawing may use: the best this
// processor runs, unless tests or benchmarks choose a narrower way to compare.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vx {

enum class Simd { kBest, kPortable, kAvx2, kAvx512 };

// false (and no change) when the processor cannot run it.
bool UseSimd(Simd which);
// What is in use now: kPortable, kAvx2 or kAvx512.
Simd SimdInUse();

// The colour-keyed copy at the heart of every sprite drawn: h rows of w pixels
// from s to d (pitches in pixels), leaving d where s holds key.
void KeyedRows(uint16_t* d, ptrdiff_t dPitch, const uint16_t* s, ptrdiff_t sPitch, int w, int h,
               uint16_t key);

}  // namespace vx
