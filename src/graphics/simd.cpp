// The choice of vector instructions, and the keyed copies in each width.
// Keyed copies have no branch per pixel: sprite edges make the key
// unpredictable pixel by pixel, so every way here selects instead of jumping.
#include "graphics/simd.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define VX_X86 1
#endif

namespace vx {

namespace {

void KeyedRowsPortable(uint16_t* d, ptrdiff_t dPitch, const uint16_t* s, ptrdiff_t sPitch, int w,
                       int h, uint16_t key) {
  for (int row = 0; row < h; ++row, d += dPitch, s += sPitch) {
    int i = 0;
#ifdef __SSE2__
    const __m128i k = _mm_set1_epi16(static_cast<short>(key));
    for (; i + 8 <= w; i += 8) {
      const __m128i src = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
      const __m128i dst = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
      const __m128i isKey = _mm_cmpeq_epi16(src, k);
      _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i),
                       _mm_or_si128(_mm_and_si128(isKey, dst), _mm_andnot_si128(isKey, src)));
    }
#endif
    for (; i < w; ++i) d[i] = s[i] == key ? d[i] : s[i];
  }
}

#ifdef VX_X86

__attribute__((target("avx2"))) void KeyedRowsAvx2(uint16_t* d, ptrdiff_t dPitch,
                                                   const uint16_t* s, ptrdiff_t sPitch, int w, int h,
                                                   uint16_t key) {
  const __m256i k = _mm256_set1_epi16(static_cast<short>(key));
  for (int row = 0; row < h; ++row, d += dPitch, s += sPitch) {
    int i = 0;
    for (; i + 16 <= w; i += 16) {
      const __m256i src = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i));
      const __m256i dst = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(d + i));
      _mm256_storeu_si256(reinterpret_cast<__m256i*>(d + i),
                          _mm256_blendv_epi8(src, dst, _mm256_cmpeq_epi16(src, k)));
    }
    for (; i < w; ++i) d[i] = s[i] == key ? d[i] : s[i];
  }
}

// Masked loads and stores: the row's end needs no loop of its own, and key
// pixels are never even read from the destination.
__attribute__((target("avx512bw,avx512vl"))) void KeyedRowsAvx512(uint16_t* d, ptrdiff_t dPitch,
                                                                  const uint16_t* s,
                                                                  ptrdiff_t sPitch, int w, int h,
                                                                  uint16_t key) {
  const __m512i k = _mm512_set1_epi16(static_cast<short>(key));
  const __mmask32 last = w % 32 ? (1u << (w % 32)) - 1 : ~0u;
  for (int row = 0; row < h; ++row, d += dPitch, s += sPitch) {
    for (int i = 0; i < w; i += 32) {
      const __mmask32 lanes = w - i >= 32 ? ~0u : last;
      const __m512i src = _mm512_maskz_loadu_epi16(lanes, s + i);
      _mm512_mask_storeu_epi16(d + i, _mm512_mask_cmpneq_epi16_mask(lanes, src, k), src);
    }
  }
}

#endif

bool Supports(Simd which) {
#ifdef VX_X86
  __builtin_cpu_init();
  switch (which) {
    case Simd::kAvx2:
      return __builtin_cpu_supports("avx2");
    case Simd::kAvx512:
      return __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vl");
    default:
      return true;
  }
#else
  return which == Simd::kBest || which == Simd::kPortable;
#endif
}

Simd Best() {
  if (Supports(Simd::kAvx512)) return Simd::kAvx512;
  if (Supports(Simd::kAvx2)) return Simd::kAvx2;
  return Simd::kPortable;
}

Simd gInUse = Simd::kBest;

}  // namespace

bool UseSimd(Simd which) {
  if (!Supports(which)) return false;
  gInUse = which == Simd::kBest ? Best() : which;
  return true;
}

Simd SimdInUse() {
  if (gInUse == Simd::kBest) gInUse = Best();
  return gInUse;
}

void KeyedRows(uint16_t* d, ptrdiff_t dPitch, const uint16_t* s, ptrdiff_t sPitch, int w, int h,
               uint16_t key) {
#ifdef VX_X86
  switch (SimdInUse()) {
    case Simd::kAvx512:
      return KeyedRowsAvx512(d, dPitch, s, sPitch, w, h, key);
    case Simd::kAvx2:
      return KeyedRowsAvx2(d, dPitch, s, sPitch, w, h, key);
    default:
      break;
  }
#endif
  KeyedRowsPortable(d, dPitch, s, sPitch, w, h, key);
}

}  // namespace vx
