// The fast ways of drawing must leave exactly the pixels of the plain ways
// they replaced: each is run beside a plain reference written here, over
// awkward sizes, positions, keys and layouts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "graphics/fake_platform.h"
#include "graphics/graphics.h"
#include "graphics/simd.h"
#include "graphics/sprite.h"
#include "graphics/test_images.h"

namespace vx {
namespace {

struct FastPathTest : ::testing::Test {
  test::TempDir dir;
  test::FakePlatform fake;
  void SetUp() override { ASSERT_EQ(Graphics::Init(640, 480, 0), 1); }
  void TearDown() override {
    UseSimd(Simd::kBest);
    Graphics::Release();
    Graphics::SetPixelLayout(0x07E0);
  }
  static void Noise(Surface* s, uint32_t seed) {
    for (int y = 0; y < s->height; ++y)
      for (int x = 0; x < s->pitch; ++x) {
        seed = seed * 1664525u + 1013904223u;
        s->Row(y)[x] = static_cast<uint16_t>(seed >> 16);
      }
  }
};

// Every keyed copy this processor runs against a pixel-by-pixel copy: widths
// around each vector size, unaligned starts, a key that is common and one on
// the last pixel of a row.
TEST_F(FastPathTest, KeyedCopiesMatchThePlainCopy) {
  Surface* src = Graphics::CreateSurface(100, 40, kSurfacePlain);
  ASSERT_NE(src, nullptr);
  Noise(src, 7);
  const uint16_t key = 0x0420;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 100; ++x)
      if ((x * 5 + y * 3) % 7 < 3 || x == 99) src->Row(y)[x] = key;
  Graphics::SetColorKey(src, key);
  Surface* back = Graphics::BackBuffer();
  int ways = 0;
  for (Simd way : {Simd::kPortable, Simd::kAvx2, Simd::kAvx512}) {
    if (!UseSimd(way)) continue;
    ++ways;
    for (int w : {1, 7, 8, 9, 15, 16, 17, 31, 32, 33, 47, 64, 65, 99}) {
      const Rect r{100 - w, 3, 100, 3 + 5};
      const int x = 613 - w + (w % 3), y = 470;
      Noise(back, static_cast<uint32_t>(w));
      std::vector<uint16_t> expected = back->pixels;
      for (int row = 0; row < 5; ++row)
        for (int i = 0; i < w; ++i) {
          const uint16_t p = src->Row(r.top + row)[r.left + i];
          if (p != key) expected[static_cast<size_t>(y + row) * back->pitch + x + i] = p;
        }
      ASSERT_EQ(Graphics::Blit(nullptr, x, y, src, r, true), 0);
      EXPECT_TRUE(back->pixels == expected) << "way " << static_cast<int>(way) << " width " << w;
    }
  }
  EXPECT_GE(ways, 1);
  Graphics::ReleaseSurface(src);
}

// The turned sprite as it was first drawn: every pixel of the box mapped back
// into the source.
void PlainRotated(const Surface& src, const Rect& rect, uint16_t key, int x, int y, float k,
                  float angle, uint32_t tint) {
  Surface* back = Graphics::BackBuffer();
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  const float c = std::cos(angle), s = std::sin(angle);
  const float hw = w * k / 2, hh = h * k / 2;
  const float ex = std::fabs(c) * hw + std::fabs(s) * hh;
  const float ey = std::fabs(s) * hw + std::fabs(c) * hh;
  const int x0 = std::max(0, static_cast<int>(std::floor(x - ex)));
  const int x1 = std::min(back->width, static_cast<int>(std::ceil(x + ex)) + 1);
  const int y0 = std::max(0, static_cast<int>(std::floor(y - ey)));
  const int y1 = std::min(back->height, static_cast<int>(std::ceil(y + ey)) + 1);
  const int tr = (tint >> 16) & 255, tg = (tint >> 8) & 255, tb = tint & 255;
  const bool plain = (tint & 0xFFFFFF) == 0xFFFFFF;
  const float inv = 1.0f / k;
  for (int py = y0; py < y1; ++py) {
    uint16_t* row = back->Row(py);
    const float dy = py + 0.5f - y;
    for (int px = x0; px < x1; ++px) {
      const float dx = px + 0.5f - x;
      const float u = (c * dx + s * dy) * inv + w / 2.0f;
      const float v = (-s * dx + c * dy) * inv + h / 2.0f;
      if (u < 0 || v < 0 || u >= w || v >= h) continue;
      const uint16_t p = src.Row(rect.top + static_cast<int>(v))[rect.left + static_cast<int>(u)];
      if (p == key) continue;
      if (plain) {
        row[px] = p;
        continue;
      }
      const int r = (p >> RedShift) & 31, gg = (p >> 5) & (PixelIs555 ? 31 : 63), b = p & 31;
      row[px] = static_cast<uint16_t>((r * tr / 255) << RedShift | (gg * tg / 255) << 5 |
                                      (b * tb / 255));
    }
  }
}

TEST_F(FastPathTest, TurnedSpritesMatchThePlainWay) {
  test::WriteTga("planet.tga", 45, 38, [](int x, int y) {
    const int dx = x - 22, dy = y - 19;
    return dx * dx + dy * dy < 18 * 18 ? 0x102030u * static_cast<uint32_t>(1 + (x + y) % 7) + 0x808080u : 0u;
  });
  const float pi = 3.14159265f;
  const float angles[] = {0, 0.3f, pi / 2, pi / 2 + 1e-6f, -2.2f, 100.0f};
  const float scales[] = {0.1f, 0.55f, 1.7f, 4.0f};
  const int spots[][2] = {{320, 240}, {3, 200}, {637, 10}, {-20, 479}};
  int ways = 0;
  for (Simd way : {Simd::kPortable, Simd::kAvx2})
  for (uint32_t greenMask : {0x07E0u, 0x03E0u}) {
    if (!UseSimd(way)) continue;
    ways += greenMask == 0x07E0u;
    Graphics::SetPixelLayout(greenMask);
    CSprite sprite;
    ASSERT_EQ(sprite.LoadImage("planet.tga"), 1);
    const Surface& src = *sprite.GetSurface();
    Surface* back = Graphics::BackBuffer();
    Noise(back, 11);
    const std::vector<uint16_t> noise = back->pixels;
    const Rect rects[] = {{0, 0, 45, 38}, {5, 3, 12, 37}};
    for (const Rect& rect : rects)
      for (float angle : angles)
        for (float k : scales)
          for (const auto& at : spots)
            for (uint32_t tint : {0xFFFFFFu, 0xFF8020u}) {
              back->pixels = noise;
              PlainRotated(src, rect, 0, at[0], at[1], k, angle, tint);
              const std::vector<uint16_t> expected = back->pixels;
              back->pixels = noise;
              sprite.RenderRotated(rect, at[0], at[1], k, angle, tint);
              ASSERT_TRUE(back->pixels == expected)
                  << "angle " << angle << " scale " << k << " at " << at[0] << "," << at[1]
                  << " tint " << std::hex << tint << " layout " << greenMask << " way "
                  << static_cast<int>(way);
            }
  }
  EXPECT_GE(ways, 1);
}

}  // namespace
}  // namespace vx
