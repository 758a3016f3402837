#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "graphics/fake_platform.h"
#include "graphics/graphics.h"

namespace vx {
namespace {

struct DisplayTest : ::testing::Test {
  test::TempDir dir;
  test::FakePlatform fake;
  void TearDown() override {
    Graphics::Release();
    Graphics::SetPixelLayout(0x07E0);
  }
  std::string Log() { return test::ReadText("Log.txt"); }
  uint16_t At(int x, int y) { return Graphics::BackBuffer()->Row(y)[x]; }
  int Count(uint16_t v) {
    int n = 0;
    for (int y = 0; y < 480; ++y)
      for (int x = 0; x < 640; ++x) n += At(x, y) == v;
    return n;
  }
};

TEST_F(DisplayTest, InitLogsAndTakesTheLayoutFromTheDisplay) {
  fake.display.greenMask = 0x03E0;
  ASSERT_EQ(Graphics::Init(640, 480, 1), 1);
  EXPECT_EQ(PixelIs555, 1);
  EXPECT_EQ(Graphics::MakePixel(255, 255, 255), 0x7FFF);
  EXPECT_EQ(Graphics::IsFullScreen(), 1);
  ASSERT_NE(Graphics::BackBuffer(), nullptr);
  EXPECT_GE(Graphics::BackBuffer()->pitch, 640);
  EXPECT_NE(Log().find("Graphics::Init( 640,480,16 )\nFullscreen = 1\nVideo memory-> Free:0 Used:0 Diff:0\n"),
            std::string::npos);
  Graphics::Release();
  EXPECT_FALSE(Graphics::IsOpen());
  EXPECT_FALSE(fake.display.isOpen);
  fake.display.openResult = false;
  EXPECT_EQ(Graphics::Init(640, 480, 0), 0);
  EXPECT_EQ(Graphics::BackBuffer(), nullptr);
}

TEST_F(DisplayTest, FlipLogsAllButLostSurfaces) {
  ASSERT_EQ(Graphics::Init(640, 480, 0), 1);
  Graphics::Fill(nullptr, Rect{1, 2, 3, 4}, 0x1234);
  fake.display.presentResults = {DDERR_SURFACELOST, DDERR_GENERIC, DDERR_WASSTILLDRAWING, 0};
  Graphics::Flip(1);
  EXPECT_EQ(Log().find("DXFlip"), std::string::npos);
  Graphics::Flip(1);
  EXPECT_NE(Log().find("Error: DXFlip (window blitting) DDERR_GENERIC\n"), std::string::npos);
  Graphics::Flip(1);  // still drawing: asked again
  EXPECT_EQ(fake.display.presents, 4);
  EXPECT_EQ(fake.display.lastFrame[2 * 640 + 1], 0x1234);
}

TEST_F(DisplayTest, SurfacesLogTheirCreation) {
  ASSERT_EQ(Graphics::Init(640, 480, 0), 1);
  Surface* s = Graphics::CreateSurface(30, 7, kSurfacePlain);
  ASSERT_NE(s, nullptr);
  EXPECT_GE(s->pitch, 30);
  EXPECT_NE(Log().find("Surface has been created (30x7x16bit) == 420 bytes [system]\nVideo memory-> "),
            std::string::npos);
  Graphics::ReleaseSurface(s);
  EXPECT_EQ(s, nullptr);
  EXPECT_EQ(Graphics::CreateSurface(0, 5, kSurfacePlain), nullptr);
  EXPECT_EQ(Graphics::CreateSurface(100000, 100000, kSurfacePlain), nullptr);
  EXPECT_NE(Log().find("Error: DXCreateSurface-> DDERR_INVALIDPARAMS\n"), std::string::npos);
  Surface* none = nullptr;
  EXPECT_EQ(Graphics::LoadSurface("Missing.tga", &none, 0), 0);
  EXPECT_EQ(none, nullptr);
  EXPECT_NE(Log().find("Can't load file 'Missing.tga'\n"), std::string::npos);
}

TEST_F(DisplayTest, ClipToScreen) {
  struct Case {
    int x, y;
    Rect in;
    int wantX, wantY;
    Rect want;
  } cases[] = {
      {-10, 0, {0, 0, 32, 32}, 0, 0, {10, 0, 32, 32}},
      {620, 0, {0, 0, 32, 32}, 620, 0, {0, 0, 20, 32}},
      {700, 0, {0, 0, 32, 32}, 640, 0, {0, 0, 0, 0}},
      {5, -8, {4, 4, 36, 20}, 5, 0, {4, 12, 36, 20}},
      {5, 470, {4, 4, 36, 20}, 5, 470, {4, 4, 36, 14}},
      {5, 481, {4, 4, 36, 20}, 5, 480, {0, 0, 0, 0}},
      {640, 480, {0, 0, 8, 8}, 640, 480, {0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    int x = c.x, y = c.y;
    Rect r = c.in;
    ClipToScreen(&x, &y, &r);
    EXPECT_EQ(x, c.wantX);
    EXPECT_EQ(y, c.wantY);
    EXPECT_EQ(r.left, c.want.left) << c.x << "," << c.y;
    EXPECT_EQ(r.top, c.want.top);
    EXPECT_EQ(r.right, c.want.right);
    EXPECT_EQ(r.bottom, c.want.bottom);
  }
}

TEST_F(DisplayTest, StripsAndFills) {
  ASSERT_EQ(Graphics::Init(640, 480, 0), 1);
  EXPECT_EQ(D3DStrip(10, 10, 5, 3, 0x00FF), 1);
  EXPECT_EQ(Count(0x00FF), 15);
  // A strip reaching outside fills nothing and logs.
  EXPECT_EQ(D3DStrip(630, 10, 20, 3, 0x0F00), 0);
  EXPECT_EQ(Count(0x0F00), 0);
  EXPECT_NE(Log().find("D3DStrip error DDERR_INVALIDRECT"), std::string::npos);
  EXPECT_EQ(D3DStrip(0, 0, 0, 10, 0x0F00), 1);  // an empty bar
  // Keyed copies skip the key.
  Surface* s = Graphics::CreateSurface(4, 1, kSurfacePlain);
  const uint16_t px[4] = {1, 0, 3, 0};
  std::copy(px, px + 4, s->Row(0));
  Graphics::SetColorKey(s, 0);
  Graphics::Fill(nullptr, Rect{0, 0, 640, 480}, 9);
  EXPECT_EQ(Graphics::Blit(nullptr, 100, 100, s, Rect{0, 0, 4, 1}, true), 0);
  EXPECT_EQ(At(100, 100), 1);
  EXPECT_EQ(At(101, 100), 9);
  EXPECT_EQ(At(102, 100), 3);
  EXPECT_EQ(Graphics::Blit(nullptr, 100, 101, s, Rect{0, 0, 4, 1}, false), 0);
  EXPECT_EQ(At(101, 101), 0);
  // Rectangles outside either surface copy nothing.
  EXPECT_EQ(Graphics::Blit(nullptr, 638, 0, s, Rect{0, 0, 4, 1}, false), DDERR_INVALIDRECT);
  EXPECT_EQ(Graphics::Blit(nullptr, 0, 0, s, Rect{0, 0, 5, 1}, false), DDERR_INVALIDRECT);
  EXPECT_EQ(Graphics::Blit(nullptr, 0, 0, s, Rect{2, 0, 1, 1}, false), DDERR_INVALIDRECT);
  // Stretched by two, keyed.
  EXPECT_EQ(Graphics::StretchBlit(nullptr, Rect{200, 200, 208, 202}, s, Rect{0, 0, 4, 1}, true), 0);
  const uint16_t row[8] = {1, 1, 9, 9, 3, 3, 9, 9};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(At(200 + i, 201), row[i]);
  Graphics::ReleaseSurface(s);
}

TEST_F(DisplayTest, Lines) {
  ASSERT_EQ(Graphics::Init(640, 480, 0), 1);
  Graphics::DrawLine(10, 10, 10, 10, 5);
  EXPECT_EQ(Count(5), 1);
  EXPECT_EQ(At(10, 10), 5);
  // Bottom-first points are drawn from the upper point: the same pixels.
  Graphics::DrawLine(0, 0, 7, 3, 6);
  Graphics::DrawLine(7, 3, 0, 0, 7);
  EXPECT_EQ(Count(6), 0);
  EXPECT_EQ(Count(7), 8);
  // Steep, shallow and mirrored lines have one pixel per major step.
  Graphics::DrawLine(100, 100, 103, 120, 8);
  EXPECT_EQ(Count(8), 21);
  EXPECT_EQ(At(100, 100), 8);
  EXPECT_EQ(At(103, 120), 8);
  Graphics::DrawLine(300, 50, 200, 60, 11);
  EXPECT_EQ(Count(11), 101);
  EXPECT_EQ(At(200, 60), 11);
  // Partly off screen: only the visible pixels.
  Graphics::DrawLine(-50, 5, 49, 5, 9);
  EXPECT_EQ(Count(9), 50);
  Graphics::DrawLine(600, 470, 700, 570, 10);
  EXPECT_EQ(Count(10), 10);
  Graphics::DrawLine(-1000, -1000, -5, 2000, 12);
  EXPECT_EQ(Count(12), 0);
  EXPECT_EQ(Graphics::BackBuffer()->lockCount, 0);
}

}  // namespace
}  // namespace vx
