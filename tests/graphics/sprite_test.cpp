#include <gtest/gtest.h>

#include <cmath>

#include "graphics/fake_platform.h"
#include "graphics/graphics.h"
#include "graphics/sprite.h"
#include "graphics/test_images.h"

namespace vx {
namespace {

constexpr uint16_t kRed = 0xF800;

struct SpriteTest : ::testing::Test {
  test::TempDir dir;
  test::FakePlatform fake;
  void SetUp() override {
    ASSERT_EQ(Graphics::Init(640, 480, 0), 1);
    // A 32 x 16 red block with a black (keyed) pixel at its top-left corner.
    test::WriteTga("block.tga", 32, 16, [](int x, int y) { return x == 0 && y == 0 ? 0 : 0xFF0000; });
  }
  void TearDown() override { Graphics::Release(); }
  uint16_t At(int x, int y) { return Graphics::BackBuffer()->Row(y)[x]; }
  // Bounding box of the non-black pixels of the back buffer.
  Rect Drawn() {
    Rect r{640, 480, -1, -1};
    for (int y = 0; y < 480; ++y)
      for (int x = 0; x < 640; ++x)
        if (At(x, y)) {
          r.left = std::min<int>(r.left, x);
          r.top = std::min<int>(r.top, y);
          r.right = std::max<int>(r.right, x + 1);
          r.bottom = std::max<int>(r.bottom, y + 1);
        }
    return r;
  }
  void Clear() { Graphics::Fill(nullptr, Rect{0, 0, 640, 480}, 0); }
};

TEST_F(SpriteTest, AnchorsPlaceTheRectangle) {
  CSprite s;
  ASSERT_EQ(s.LoadImage("block.tga"), 1);
  const Rect r{0, 0, 32, 16};
  struct Case {
    uint32_t flags;
    int x, y;
  } cases[] = {{0, 84, 92}, {0x10001, 100, 100}, {ALIGN_BOTTOM | ALIGN_RIGHT, 68, 84},
               {ALIGN_TOP | ALIGN_BOTTOM, 84, 100}};
  for (const Case& c : cases) {
    Clear();
    ASSERT_EQ(s.Render(r, 100, 100, c.flags), 1);
    Rect d = Drawn();
    EXPECT_EQ(d.left, c.x) << c.flags;
    EXPECT_EQ(d.top, c.y) << c.flags;
    EXPECT_EQ(At(c.x, c.y), 0) << "keyed corner";
    EXPECT_EQ(At(c.x + 1, c.y), kRed);
  }
  // -1 means the sprite's own anchor.
  s.SetAlign(0);
  Clear();
  s.Render(r, 100, 100, ALIGN_DEFAULT);
  EXPECT_EQ(Drawn().left, 84);
}

TEST_F(SpriteTest, KeyOffCopiesEverything) {
  CSprite s;
  ASSERT_EQ(s.LoadImage("block.tga"), 1);
  s.SetKeyOn(0);
  Graphics::Fill(nullptr, Rect{0, 0, 640, 480}, 0x1234);
  s.Render(Rect{0, 0, 32, 16}, 10, 10, 0x10001);
  EXPECT_EQ(At(10, 10), 0);
}

TEST_F(SpriteTest, ClippedAtTheScreenEdges) {
  CSprite s;
  ASSERT_EQ(s.LoadImage("block.tga"), 1);
  ASSERT_EQ(s.Render(Rect{0, 0, 32, 16}, -10, 470, 0x10001), 1);
  Rect d = Drawn();
  EXPECT_EQ(d.left, 0);
  EXPECT_EQ(d.right, 22);
  EXPECT_EQ(d.top, 470);
  EXPECT_EQ(d.bottom, 480);
  Clear();
  EXPECT_EQ(s.Render(Rect{0, 0, 32, 16}, 700, 10, 0x10001), 0);
  EXPECT_EQ(s.Render(Rect{0, 0, 32, 16}, -40, 10, 0x10001), 0);
  EXPECT_EQ(Drawn().right, -1);
}

TEST_F(SpriteTest, FramesFromFrmFile) {
  test::WriteText("block.frm",
                  "[Sprite 1]\nrectsx = 10, 20, 30, 40\noffsxy = 3, -4\nname = First\n"
                  "[Sprite 2]\nrectsx = 1 2 3 4\nname =\n"
                  "[Sprite 4]\nrectsx = 0, 0, 8, 8\nname = Never\n");
  CSprite s;
  EXPECT_EQ(s.Load("block.tga", "block.frm"), 2);
  EXPECT_EQ(s.FrameCount(), 2);  // the null frame and "First"
  SpriteFrame f;
  ASSERT_EQ(s.FindFrame("FIRST", &f), 1);
  EXPECT_EQ(f.rect.left, 10);
  EXPECT_EQ(f.rect.top, 20);
  EXPECT_EQ(f.rect.right, 40);
  EXPECT_EQ(f.rect.bottom, 60);
  EXPECT_EQ(f.offsetX, 3);
  EXPECT_EQ(f.offsetY, -4);
  EXPECT_EQ(s.FrameIndex("Never"), 0);
  EXPECT_EQ(s.FindFrame("Never", &f), 0);
  ASSERT_EQ(s.GetFrame(0, &f), 1);
  EXPECT_STREQ(f.name, "Null frame");
  EXPECT_EQ(s.RenderIndex(0, 50, 50, 0x10001), 0);
  EXPECT_EQ(s.RenderFrame("missing", 50, 50, 0x10001), 0);
  EXPECT_EQ(Drawn().right, -1);

  CSprite noFrm;
  EXPECT_EQ(noFrm.Load("block.tga", "none.frm"), 0);
  EXPECT_EQ(noFrm.IsLoaded(), 1);
  EXPECT_EQ(noFrm.FrameCount(), 1);
  EXPECT_EQ(noFrm.AddFrame("Added", Rect{0, 0, 4, 4}, 0, 0), 1);
  noFrm.Release();
  EXPECT_EQ(noFrm.FrameCount(), 1);
}

// Found by fuzzing the .frm and .anm readers: numbers near the ends of an int
// overflowed when added to make rectangles, when a scaled frame's size was
// computed and when an animation's offset moved the drawing position.
TEST_F(SpriteTest, HugeNumbersInSheetsAndAnimationsAreBounded) {
  test::WriteText("huge.frm",
                  "[Sprite 1]\nname = Tall\nrectsx = 0, 20, 122, 99999999999\noffsxy = 320, 198\n"
                  "[Sprite 2]\nname = Far\nrectsx = 2147483647, -2147483648, 5, 5\n"
                  "offsxy = 2147483647, -2147483648\n");
  CSprite s;
  ASSERT_EQ(s.Load("block.tga", "huge.frm"), 2);
  SpriteFrame f;
  ASSERT_EQ(s.FindFrame("Far", &f), 1);
  EXPECT_EQ(f.rect.left, kMaxSheetNumber);
  EXPECT_EQ(f.rect.right, kMaxSheetNumber + 5);
  EXPECT_EQ(f.rect.top, -kMaxSheetNumber);
  EXPECT_EQ(f.offsetX, kMaxSheetNumber);
  for (int i = 1; i <= 2; ++i)
    for (uint32_t anchor : {0u, ALIGN_DEFAULT, ALIGN_BOTTOM | ALIGN_RIGHT}) {
      EXPECT_EQ(s.RenderIndex(i, 320, 240, anchor), 0) << "outside the image: nothing drawn";
      EXPECT_EQ(s.RenderExIndex(i, 320, 240, anchor, 2.0f), 0);
    }

  const std::string anm =
      "*ALL_FRAMES\n{\n*F a 0 0 8 8\n*F huge 2147483647 0 1 1\n}\n"
      "*ANIMATION Far\n{\n*FRAME 2147483647 -99999999999 a -2147483648\n*FRAME huge\n}\n";
  AnimationSet a;
  a.Parse(anm.c_str(), static_cast<uint32_t>(anm.size()));
  EXPECT_EQ(a.Frame(1).rect.right, kMaxSheetNumber + 1);
  for (int step = 0; step < 5; ++step) {
    a.Play("Far", 0);
    EXPECT_EQ(a.OffsetX(), kMaxSheetNumber);
    EXPECT_EQ(a.OffsetY(), -kMaxSheetNumber);
    s.RenderAnim(a, 320, 240, ALIGN_DEFAULT);
  }
  EXPECT_EQ(Drawn().right, -1);
}

TEST_F(SpriteTest, MissingImageDrawsNothing) {
  CSprite s;
  EXPECT_EQ(s.LoadImage("Items\\Nothing.tga"), 0);
  EXPECT_EQ(s.IsLoaded(), 0);
  EXPECT_EQ(s.Render(Rect{0, 0, 4, 4}, 10, 10, 0x10001), 0);
  std::string log = test::ReadText("Log.txt");
  EXPECT_NE(log.find("Bitmap::Load( Items\\Nothing.tga ) is absent\n"), std::string::npos);
  EXPECT_NE(log.find("Can't load file 'Items\\Nothing.tga'\n"), std::string::npos);
}

TEST_F(SpriteTest, RenderExScalesAboutTheAnchor) {
  CSprite s;
  ASSERT_EQ(s.LoadImage("block.tga"), 1);
  ASSERT_EQ(s.RenderEx(Rect{0, 0, 32, 16}, 100, 100, 0, 2.0f), 1);
  Rect d = Drawn();
  EXPECT_EQ(d.left, 68);
  EXPECT_EQ(d.right, 132);
  EXPECT_EQ(d.top, 84);
  EXPECT_EQ(d.bottom, 116);
  EXPECT_EQ(At(68, 84), 0);  // the keyed corner doubled
  EXPECT_EQ(At(69, 85), 0);
  EXPECT_EQ(At(70, 84), kRed);
  // Scale 0 and NaN mean 1.
  for (float k : {0.0f, std::nanf("")}) {
    Clear();
    s.RenderEx(Rect{0, 0, 32, 16}, 100, 100, 0x10001, k);
    EXPECT_EQ(Drawn().right, 132);
  }
  // Partly off screen: the whole source is squeezed into the visible part.
  Clear();
  ASSERT_EQ(s.RenderEx(Rect{0, 0, 32, 16}, -32, 0, 0x10001, 2.0f), 1);
  d = Drawn();
  EXPECT_EQ(d.left, 0);
  EXPECT_EQ(d.right, 32);
}

TEST_F(SpriteTest, CopiesIntoALockedBackBufferFail) {
  CSprite s;
  ASSERT_EQ(s.LoadImage("block.tga"), 1);
  int32_t pitch;
  uint16_t* px;
  ASSERT_EQ(Graphics::LockSurface(Graphics::BackBuffer(), &pitch, &px), 1);
  EXPECT_EQ(s.Render(Rect{0, 0, 32, 16}, 10, 10, 0x10001), 0);
  EXPECT_EQ(s.RenderEx(Rect{0, 0, 32, 16}, 10, 10, 0x10001, 2.0f), 0);
  Graphics::UnlockSurface(Graphics::BackBuffer());
  EXPECT_EQ(Drawn().right, -1);
  EXPECT_NE(test::ReadText("Log.txt").find("CSprite->RenderEx blit error DDERR_SURFACEBUSY\n"),
            std::string::npos);
}

TEST_F(SpriteTest, RenderRotatedTurnsScalesAndTints) {
  // 4 x 2: left half red, right half green.
  test::WriteTga("two.tga", 4, 2, [](int x, int) { return x < 2 ? 0xFF0000 : 0x00FF00; });
  CSprite s;
  ASSERT_EQ(s.LoadImage("two.tga"), 1);
  ASSERT_EQ(s.RenderRotated(Rect{0, 0, 4, 2}, 100, 100, 1.0f, 0.0f, 0xFFFFFF), 1);
  Rect d = Drawn();
  EXPECT_EQ(d.left, 98);
  EXPECT_EQ(d.top, 99);
  EXPECT_EQ(d.right, 102);
  EXPECT_EQ(d.bottom, 101);
  EXPECT_EQ(At(98, 99), kRed);
  EXPECT_EQ(At(101, 100), 0x07E0);
  // A quarter turn clockwise stands it up, red on top; doubled it is 4 x 8.
  Clear();
  s.RenderRotated(Rect{0, 0, 4, 2}, 100, 100, 2.0f, static_cast<float>(M_PI / 2), 0xFFFFFF);
  d = Drawn();
  EXPECT_EQ(d.right - d.left, 4);
  EXPECT_EQ(d.bottom - d.top, 8);
  EXPECT_EQ(At(d.left, d.top), kRed);
  EXPECT_EQ(At(d.left, d.bottom - 1), 0x07E0);
  // A dark tint keeps about a third of each component.
  Clear();
  s.RenderRotated(Rect{0, 0, 4, 2}, 100, 100, 1.0f, 0.0f, 0x505050);
  EXPECT_EQ(At(98, 99), Graphics::Pack5(31 * 80 / 255, 0, 0));
  // Off screen entirely: nothing, and no crash.
  Clear();
  s.RenderRotated(Rect{0, 0, 4, 2}, -500, 9000, 3.0f, 1.0f, 0xFFFFFF);
  EXPECT_EQ(Drawn().right, -1);
}

}  // namespace
}  // namespace vx
