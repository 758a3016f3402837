// Rectangle copies, stretched copies and fills over plain 16-bit surfaces.
#include <algorithm>
#include <cstring>
#include <vector>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "base/log.h"
#include "graphics/graphics.h"
#include "graphics/simd.h"

namespace vx {

namespace {

void FillRow(uint16_t* d, int n, uint16_t pixel) {
  int i = 0;
#ifdef __SSE2__
  const __m128i p = _mm_set1_epi16(static_cast<short>(pixel));
  for (; i + 8 <= n; i += 8) _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), p);
#endif
  for (; i < n; ++i) d[i] = pixel;
}

bool Inside(const Surface& s, const Rect& r) {
  return r.left >= 0 && r.top >= 0 && r.right <= s.width && r.bottom <= s.height &&
         r.left < r.right && r.top < r.bottom;
}

}  // namespace

int Graphics::Blit(Surface* dst, int x, int y, const Surface* src, const Rect& rect, bool keyed) {
  if (!dst) dst = BackBuffer();
  if (!dst || !src) return DDERR_INVALIDOBJECT;
  if (dst->lockCount > 0 || src->lockCount > 0) return DDERR_SURFACEBUSY;
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (!Inside(*src, rect) || !Inside(*dst, Rect{x, y, x + w, y + h})) return DDERR_INVALIDRECT;
  const uint16_t* s = src->Row(rect.top) + rect.left;
  uint16_t* d = dst->Row(y) + x;
  if (keyed && src->hasKey) {
    KeyedRows(d, dst->pitch, s, src->pitch, w, h, src->colorKey);
    return 0;
  }
  for (int row = 0; row < h; ++row, s += src->pitch, d += dst->pitch)
    std::memcpy(d, s, static_cast<size_t>(w) * 2);
  return 0;
}

int Graphics::StretchBlit(Surface* dst, const Rect& dstRect, const Surface* src, const Rect& rect,
                          bool keyed) {
  if (!dst) dst = BackBuffer();
  if (!dst || !src) return DDERR_INVALIDOBJECT;
  if (dst->lockCount > 0 || src->lockCount > 0) return DDERR_SURFACEBUSY;
  if (!Inside(*src, rect) || !Inside(*dst, dstRect)) return DDERR_INVALIDRECT;
  const int sw = rect.right - rect.left, sh = rect.bottom - rect.top;
  const int dw = dstRect.right - dstRect.left, dh = dstRect.bottom - dstRect.top;
  const bool useKey = keyed && src->hasKey;
  const uint16_t key = src->colorKey;
  // Source columns as 16.16 fixed-point steps; sampling at the centre of each
  // destination pixel keeps both halves of a halved image symmetric.
  const uint32_t stepX = static_cast<uint32_t>((static_cast<uint64_t>(sw) << 16) / dw);
  const uint32_t stepY = static_cast<uint32_t>((static_cast<uint64_t>(sh) << 16) / dh);
  // Source column of each destination column, worked out once per copy into
  // a table that only ever grows, so drawing allocates nothing.
  static std::vector<int32_t> columns;
  if (columns.size() < static_cast<size_t>(dw)) columns.resize(static_cast<size_t>(dw));
  uint32_t fx = stepX / 2;
  for (int i = 0; i < dw; ++i, fx += stepX) columns[i] = std::min(static_cast<int>(fx >> 16), sw - 1);
  const int32_t* col = columns.data();
  uint32_t fy = stepY / 2;
  for (int row = 0; row < dh; ++row, fy += stepY) {
    const int sy = std::min(static_cast<int>(fy >> 16), sh - 1);
    const uint16_t* s = src->Row(rect.top + sy) + rect.left;
    uint16_t* d = dst->Row(dstRect.top + row) + dstRect.left;
    if (useKey) {
      for (int i = 0; i < dw; ++i) {
        const uint16_t p = s[col[i]];
        d[i] = p == key ? d[i] : p;
      }
    } else {
      for (int i = 0; i < dw; ++i) d[i] = s[col[i]];
    }
  }
  return 0;
}

int Graphics::Fill(Surface* dst, const Rect& rect, uint16_t pixel) {
  if (!dst) dst = BackBuffer();
  if (!dst) return DDERR_INVALIDOBJECT;
  if (dst->lockCount > 0) return DDERR_SURFACEBUSY;
  if (!Inside(*dst, rect)) return DDERR_INVALIDRECT;
  const int w = rect.right - rect.left;
  for (int y = rect.top; y < rect.bottom; ++y) FillRow(dst->Row(y) + rect.left, w, pixel);
  return 0;
}

void ShadeRect(const Rect& rect, int eighths) {
  Surface* back = Graphics::BackBuffer();
  int32_t pitch = 0;
  uint16_t* pixels = nullptr;
  if (!back || !Graphics::LockSurface(back, &pitch, &pixels)) return;
  const int left = std::max(rect.left, 0), right = std::min(rect.right, back->width);
  const int top = std::max(rect.top, 0), bottom = std::min(rect.bottom, back->height);
  const int k = std::clamp(eighths, 0, 8);
  // Green lies between blue (bits 0..4) and red, 5 or 6 bits wide.
  const int rs = RedShift, greenMask = (1 << (rs - 5)) - 1;
  for (int y = top; y < bottom; ++y) {
    uint16_t* row = pixels + static_cast<ptrdiff_t>(y) * pitch;
    for (int x = left; x < right; ++x) {
      const int p = row[x];
      const int r = (p >> rs & 31) * k / 8, g = (p >> 5 & greenMask) * k / 8, b = (p & 31) * k / 8;
      row[x] = static_cast<uint16_t>(r << rs | g << 5 | b);
    }
  }
  Graphics::UnlockSurface(back);
}

void Graphics::Outline(Surface* dst, const Rect& rect, int thickness, uint16_t pixel) {
  if (!dst) dst = BackBuffer();
  if (!dst || thickness <= 0) return;
  const Rect r = rect;
  const int t = thickness;
  const Rect sides[4] = {{r.left, r.top, r.right, r.top + t},
                         {r.left, r.bottom - t, r.right, r.bottom},
                         {r.left, r.top + t, r.left + t, r.bottom - t},
                         {r.right - t, r.top + t, r.right, r.bottom - t}};
  for (Rect s : sides) {
    s.left = std::max(s.left, 0);
    s.top = std::max(s.top, 0);
    s.right = std::min(s.right, dst->width);
    s.bottom = std::min(s.bottom, dst->height);
    if (s.right > s.left && s.bottom > s.top) Fill(dst, s, pixel);
  }
}

int D3DStrip(int x, int y, int width, int height, uint16_t pixel) {
  // An empty strip (a bar at zero) draws nothing and is no error.
  if (width == 0 || height == 0) return 1;
  const int result = Graphics::Fill(nullptr, Rect{x, y, x + width, y + height}, pixel);
  if (result != 0) {
    Log("D3DStrip error %s", DXErrorName(result));
    return 0;
  }
  return 1;
}

void ClipToScreen(int* x, int* y, Rect* rect) {
  const int W = Graphics::ScreenWidth(), H = Graphics::ScreenHeight();
  if (*x > W) {
    *x = W;
    *rect = Rect{};
  }
  if (*y > H) {
    *y = H;
    *rect = Rect{};
  }
  if (*x < 0) {
    rect->left -= *x;
    *x = 0;
  }
  if (*x + (rect->right - rect->left) > W) rect->right -= *x + (rect->right - rect->left) - W;
  if (*y < 0) {
    rect->top -= *y;
    *y = 0;
  }
  if (*y + (rect->bottom - rect->top) > H) rect->bottom -= *y + (rect->bottom - rect->top) - H;
}

}  // namespace vx
