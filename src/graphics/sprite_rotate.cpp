// CSprite::RenderRotated: a sprite turned and scaled about its centre, every
// covered pixel of the back buffer mapped back into the source (nearest
// neighbour, keyed, optionally tinted). The map draws dozens per frame, so the
// mapping runs eight pixels at a time where the processor allows; the single
// precision steps are the same either way, and so are the pixels.
#include <algorithm>
#include <cmath>
#include <cstddef>

#include "graphics/simd.h"
#include "graphics/sprite.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define VX_X86 1
#endif

namespace vx {

namespace {

struct Turn {
  float c, negS, inv, halfW, halfH, width, height, centreX;
  const uint16_t* src;
  int pitch;
  uint16_t key;
  bool keyed, plain;
  int redShift, greenMask;
  const uint16_t *tintRed, *tintGreen, *tintBlue;
  int tintR, tintG, tintB;  // the tint's own components, 0..255
  int lastIndex;            // the surface's last pixel, from src

  // Where pixel px of a row (sdy = s x dy, cdy = c x dy) falls in the source;
  // false outside it (or for a point that is not a number).
  bool Source(int px, float sdy, float cdy, float* u, float* v) const {
    const float dx = px + 0.5f - centreX;
    *u = (c * dx + sdy) * inv + halfW;
    *v = (negS * dx + cdy) * inv + halfH;
    return (*u >= 0) & (*v >= 0) & (*u < width) & (*v < height);
  }

  uint16_t Tinted(uint16_t p) const {
    return static_cast<uint16_t>(tintRed[(p >> redShift) & 31] | tintGreen[(p >> 5) & greenMask] |
                                 tintBlue[p & 31]);
  }

  // Selects rather than branches: sprite edges and keyed holes make the test
  // unpredictable pixel by pixel.
  template <bool kPlain>
  void Put(uint16_t* to, uint16_t p, bool inside) const {
    const bool draw = inside & !(keyed & (p == key));
    const uint16_t out = kPlain ? p : Tinted(p);
    *to = draw ? out : *to;
  }
};

// Draws the pixels of row [first, last] that land in the source; returns how
// many landed there.
using RunFn = int (*)(const Turn& t, uint16_t* row, int first, int last, float sdy, float cdy);

template <bool kPlain>
int RunPortableAs(const Turn& t, uint16_t* row, int first, int last, float sdy, float cdy) {
  float u, v;
  int landed = 0;
  for (int px = first; px <= last; ++px) {
    const bool inside = t.Source(px, sdy, cdy, &u, &v);
    landed += inside;
    if (inside) t.Put<kPlain>(row + px, t.src[static_cast<int>(v) * t.pitch + static_cast<int>(u)], true);
  }
  return landed;
}

int RunPortable(const Turn& t, uint16_t* row, int first, int last, float sdy, float cdy) {
  return t.plain ? RunPortableAs<true>(t, row, first, last, sdy, cdy)
                 : RunPortableAs<false>(t, row, first, last, sdy, cdy);
}

#ifdef VX_X86

// Eight pixels at a time, gathered from the source. A 16-bit pixel is fetched
// as the 32-bit word starting at it; the last pixel of the surface's memory
// has nothing after it and is read on its own, so no read leaves the surface.
template <bool kPlain>
__attribute__((target("avx2"))) int RunAvx2As(const Turn& t, uint16_t* row, int first, int last,
                                              float sdy, float cdy) {
  const __m256 c = _mm256_set1_ps(t.c), negS = _mm256_set1_ps(t.negS), inv = _mm256_set1_ps(t.inv);
  const __m256 halfW = _mm256_set1_ps(t.halfW), halfH = _mm256_set1_ps(t.halfH);
  const __m256 width = _mm256_set1_ps(t.width), height = _mm256_set1_ps(t.height);
  const __m256 half = _mm256_set1_ps(0.5f), centreX = _mm256_set1_ps(t.centreX);
  const __m256 vsdy = _mm256_set1_ps(sdy), vcdy = _mm256_set1_ps(cdy), zero = _mm256_setzero_ps();
  const __m256i lanes = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7), pitch = _mm256_set1_epi32(t.pitch);
  const __m256i key = _mm256_set1_epi32(t.keyed ? t.key : -1), low16 = _mm256_set1_epi32(0xFFFF);
  const __m256i fives = _mm256_set1_epi32(31), greenMask = _mm256_set1_epi32(t.greenMask);
  const __m256i tintR = _mm256_set1_epi32(t.tintR), tintG = _mm256_set1_epi32(t.tintG);
  const __m256i tintB = _mm256_set1_epi32(t.tintB), by255 = _mm256_set1_epi32(0x8081);
  const __m128i redShift = _mm_cvtsi32_si128(t.redShift);
  const int* base = reinterpret_cast<const int*>(t.src);
  const __m256i lastIndex = _mm256_set1_epi32(t.lastIndex);
  int landed = 0;
  int px = first;
  for (; px + 8 <= last + 1; px += 8) {
    const __m256 fx = _mm256_cvtepi32_ps(_mm256_add_epi32(_mm256_set1_epi32(px), lanes));
    const __m256 dx = _mm256_sub_ps(_mm256_add_ps(fx, half), centreX);
    const __m256 u = _mm256_add_ps(_mm256_mul_ps(_mm256_add_ps(_mm256_mul_ps(c, dx), vsdy), inv), halfW);
    const __m256 v = _mm256_add_ps(_mm256_mul_ps(_mm256_add_ps(_mm256_mul_ps(negS, dx), vcdy), inv), halfH);
    const __m256 in = _mm256_and_ps(
        _mm256_and_ps(_mm256_cmp_ps(u, zero, _CMP_GE_OQ), _mm256_cmp_ps(v, zero, _CMP_GE_OQ)),
        _mm256_and_ps(_mm256_cmp_ps(u, width, _CMP_LT_OQ), _mm256_cmp_ps(v, height, _CMP_LT_OQ)));
    const int mask = _mm256_movemask_ps(in);
    if (!mask) continue;
    landed += __builtin_popcount(static_cast<unsigned>(mask));
    const __m256i inside = _mm256_castps_si256(in);
    // Lanes outside are neither read nor drawn.
    const __m256i index = _mm256_add_epi32(
        _mm256_mullo_epi32(_mm256_cvttps_epi32(_mm256_and_ps(v, in)), pitch),
        _mm256_cvttps_epi32(_mm256_and_ps(u, in)));
    const __m256i atEnd = _mm256_and_si256(_mm256_cmpeq_epi32(index, lastIndex), inside);
    const __m256i word = _mm256_mask_i32gather_epi32(_mm256_setzero_si256(), base, index,
                                                     _mm256_andnot_si256(atEnd, inside), 2);
    __m256i p = _mm256_and_si256(word, low16);
    if (!_mm256_testz_si256(atEnd, atEnd))
      p = _mm256_blendv_epi8(p, _mm256_set1_epi32(t.src[t.lastIndex]), atEnd);
    const __m256i draw = _mm256_andnot_si256(_mm256_cmpeq_epi32(p, key), inside);
    if (!kPlain) {
      // Each component times the tint over 255, as (x * 0x8081) >> 23 (exact here).
      const __m256i r = _mm256_and_si256(_mm256_srl_epi32(p, redShift), fives);
      const __m256i g = _mm256_and_si256(_mm256_srli_epi32(p, 5), greenMask);
      const __m256i b = _mm256_and_si256(p, fives);
      const __m256i r2 = _mm256_srli_epi32(_mm256_mullo_epi32(_mm256_mullo_epi32(r, tintR), by255), 23);
      const __m256i g2 = _mm256_srli_epi32(_mm256_mullo_epi32(_mm256_mullo_epi32(g, tintG), by255), 23);
      const __m256i b2 = _mm256_srli_epi32(_mm256_mullo_epi32(_mm256_mullo_epi32(b, tintB), by255), 23);
      p = _mm256_or_si256(_mm256_or_si256(_mm256_sll_epi32(r2, redShift), _mm256_slli_epi32(g2, 5)), b2);
    }
    // Down to eight 16-bit lanes, in order.
    const __m256i packed = _mm256_permute4x64_epi64(_mm256_packus_epi32(p, p), 0x08);
    const __m256i drawPacked = _mm256_permute4x64_epi64(_mm256_packs_epi32(draw, draw), 0x08);
    __m128i* to = reinterpret_cast<__m128i*>(row + px);
    _mm_storeu_si128(to, _mm_blendv_epi8(_mm_loadu_si128(to), _mm256_castsi256_si128(packed),
                                         _mm256_castsi256_si128(drawPacked)));
  }
  return landed + RunPortableAs<kPlain>(t, row, px, last, sdy, cdy);
}

int RunAvx2(const Turn& t, uint16_t* row, int first, int last, float sdy, float cdy) {
  return t.plain ? RunAvx2As<true>(t, row, first, last, sdy, cdy)
                 : RunAvx2As<false>(t, row, first, last, sdy, cdy);
}

RunFn PickRun() { return SimdInUse() == Simd::kPortable ? RunPortable : RunAvx2; }

#else

RunFn PickRun() { return RunPortable; }

#endif

}  // namespace

int CSprite::RenderRotated(const Rect& rect, int x, int y, float k, float angle, uint32_t tint) {
  Surface* back = Graphics::BackBuffer();
  if (!surface_ || !back || back->lockCount > 0 || surface_->lockCount > 0) return 0;
  if (!(k > 0.0f)) return 0;
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (w <= 0 || h <= 0 || rect.left < 0 || rect.top < 0 || rect.right > surface_->width ||
      rect.bottom > surface_->height)
    return 0;
  const float c = std::cos(angle), s = std::sin(angle);
  // Half extents of the rotated, scaled rectangle give the box to walk.
  const float hw = w * k / 2, hh = h * k / 2;
  const float ex = std::fabs(c) * hw + std::fabs(s) * hh;
  const float ey = std::fabs(s) * hw + std::fabs(c) * hh;
  const int x0 = std::max(0, static_cast<int>(std::floor(x - ex)));
  const int x1 = std::min(back->width, static_cast<int>(std::ceil(x + ex)) + 1);
  const int y0 = std::max(0, static_cast<int>(std::floor(y - ey)));
  const int y1 = std::min(back->height, static_cast<int>(std::ceil(y + ey)) + 1);

  // Each component scaled by the tint, looked up instead of divided per pixel.
  // Green sits at bit 5 in both layouts, six bits wide in 565.
  uint16_t tintRed[32], tintGreen[64], tintBlue[32];
  Turn t;
  t.plain = (tint & 0xFFFFFF) == 0xFFFFFF;
  const int tr = (tint >> 16) & 255, tg = (tint >> 8) & 255, tb = tint & 255;
  t.tintR = tr;
  t.tintG = tg;
  t.tintB = tb;
  if (!t.plain) {
    for (int v = 0; v < 64; ++v) {
      if (v < 32) tintRed[v] = static_cast<uint16_t>((v * tr / 255) << RedShift);
      if (v < 32) tintBlue[v] = static_cast<uint16_t>(v * tb / 255);
      tintGreen[v] = static_cast<uint16_t>((v * tg / 255) << 5);
    }
  }
  t.c = c;
  t.negS = -s;
  t.inv = 1.0f / k;
  t.halfW = w / 2.0f;
  t.halfH = h / 2.0f;
  t.width = static_cast<float>(w);
  t.height = static_cast<float>(h);
  t.centreX = static_cast<float>(x);
  t.src = surface_->Row(rect.top) + rect.left;
  t.pitch = surface_->pitch;
  t.key = keyColor_;
  t.keyed = keyOn_ != 0;
  t.redShift = RedShift;
  t.greenMask = PixelIs555 ? 31 : 63;
  t.tintRed = tintRed;
  t.tintGreen = tintGreen;
  t.tintBlue = tintBlue;
  t.lastIndex = static_cast<int>(surface_->pixels.size() - 1 -
                                 (static_cast<size_t>(rect.top) * surface_->pitch + rect.left));
  const RunFn run = PickRun();

  // Where a row's line crosses the source rectangle, as px + base = dx.
  const double base = 0.5 - x;
  const double slopeU = static_cast<double>(c) * t.inv, slopeV = -static_cast<double>(s) * t.inv;
  // 0 for a flat line: no bound from it.
  const double perSlopeU = slopeU != 0 ? 1 / slopeU : 0, perSlopeV = slopeV != 0 ? 1 / slopeV : 0;
  for (int py = y0; py < y1; ++py) {
    const float dy = py + 0.5f - y;
    const float sdy = s * dy, cdy = c * dy;
    uint16_t* row = back->Row(py);
    // u and v each move one way along a row, so the pixels that land inside
    // the source form one run. Only the part of the row where the exact line
    // says the run lies is walked (a pixel of slack each side); when the run
    // may reach past that part, or nothing landed in it (a nearly upright
    // turn whose rounding the line cannot foresee), the whole row is.
    double lo = x0, hi = x1 - 1;
    auto clip = [&](double a, double perSlope, double limit) {
      // a + slope * (px + base) lies in [0, limit); perSlope = 1 / slope.
      if (perSlope == 0) return;
      double t0 = -a * perSlope - base, t1 = (limit - a) * perSlope - base;
      if (t0 > t1) std::swap(t0, t1);
      lo = std::max(lo, std::floor(t0) - 1);
      hi = std::min(hi, std::ceil(t1) + 1);
    };
    clip(static_cast<double>(sdy) * t.inv + t.halfW, perSlopeU, w);
    clip(static_cast<double>(cdy) * t.inv + t.halfH, perSlopeV, h);
    if (lo <= hi) {
      const int a = static_cast<int>(lo), b = static_cast<int>(hi);
      float u, v;
      const bool spills = (a > x0 && t.Source(a, sdy, cdy, &u, &v)) ||
                          (b < x1 - 1 && t.Source(b, sdy, cdy, &u, &v));
      if (!spills && run(t, row, a, b, sdy, cdy) > 0) continue;
      if (!spills) {
        // Nothing in the guessed part: the run, if any, lies wholly outside it.
        run(t, row, x0, a - 1, sdy, cdy);
        run(t, row, b + 1, x1 - 1, sdy, cdy);
        continue;
      }
    }
    run(t, row, x0, x1 - 1, sdy, cdy);
  }
  return 1;
}

}  // namespace vx
