// The gameplay over the built data set: every level through the real loader,
// and the playfield drawn with the real art on the headless platform.
#include <gtest/gtest.h>

#include <string>

#include "game/game_screen.h"
#include "game/game_state.h"
#include "game/level_files.h"
#include "game/particles.h"
#include "game_fixture.h"
#include "graphics/graphics.h"

namespace vx {
namespace {

class RealData : public test::GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    ASSERT_NE(RegisterArchive(VX_BINARY_DIR "/Velotrix.dat", "DATA\\", 1), 0);
    ASSERT_NE(RegisterArchive(VX_BINARY_DIR "/Velotrix.lng", "LANG\\", 1), 0);
    ASSERT_TRUE(Graphics::Init(640, 480, 0));
    BuildStandardColors();
    LoadSharedArt(g.strings.Loading);
    ASSERT_TRUE(LoadItems());
  }
  void TearDown() override {
    ReleaseSharedArt();
    Graphics::Release();
    GameTest::TearDown();
  }
  static void Clear() { Graphics::Fill(nullptr, Rect{0, 0, 640, 480}, 0); }
  static uint16_t Pixel(int x, int y) {
    const Surface* s = Graphics::BackBuffer();
    return s->pixels[static_cast<size_t>(y) * s->pitch + x];
  }
  static int Lit(int x0, int y0, int x1, int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) n += Pixel(x, y) != 0;
    return n;
  }
};

TEST_F(RealData, EveryLevelLoadsCleanly) {
  for (int level = 1; level <= 100; ++level) {
    ASSERT_EQ(LoadLevel(level), 1) << level;
    const LevelState& L = gGame.level;
    for (const BlockCell& c : L.grid) ASSERT_LE(c.type, L.header.maxBlockTypes) << level;
    EXPECT_GT(BlocksLeft(), 0) << level;
    EXPECT_EQ(LevelProgress(), 0) << level;
    const TileSet& set = gArt.tileSets[L.tileSet];
    EXPECT_NE(set.image, nullptr) << level;
    for (uint8_t t : L.backTiles) ASSERT_GT(set.freq[t], 0) << level;
  }
  std::string log = test::ReadText("Log.txt");
  for (const char* warning : {"out of range", "not found", "the rest stays", "unknown block"})
    EXPECT_EQ(log.find(warning), std::string::npos) << warning;
}

TEST_F(RealData, LayersLandWhereTheyBelong) {
  LoadLevel(2);
  Clear();
  DrawBackground();
  EXPECT_GT(Lit(0, 0, 640, 400), 640 * 400 / 2);

  for (BlockCell& c : gGame.level.grid) c.type = 0;
  gGame.level.scroll = 160;
  PutBlock(7, 15, 1);  // screen x 224, y 80, give or take the wave
  g.frameCounter = 0;
  Clear();
  DrawBlocks();
  EXPECT_GT(Lit(224, 77, 256, 99), 200);
  EXPECT_EQ(Lit(0, 0, 640, 400), Lit(224, 77, 256, 99));
  ActivateByWord(ITEM_INVISIBLE);
  Clear();
  DrawBlocks();
  EXPECT_EQ(Lit(0, 0, 640, 400), 0);

  // Shield lines: red ones run right, blue ones left, the outer pair at half
  // speed; segments of 63 pixels every 64.
  ActivateByWord(ITEM_SHIELD);
  g.frameCounter = 10;
  Clear();
  DrawShield();
  EXPECT_EQ(Pixel(72, 390), StandardColors[2]);
  EXPECT_EQ(Pixel(73, 390), 0);
  EXPECT_EQ(Pixel(67, 394), StandardColors[2]);
  EXPECT_EQ(Pixel(68, 394), 0);
  EXPECT_EQ(Pixel(52, 392), StandardColors[6]);
  EXPECT_EQ(Pixel(53, 392), 0);

  // The waiting ball with the aim line, then a ball on the rubber band.
  gGame.level.paddle.x = 320;
  gGame.level.paddle.y = 375;
  gGame.level.aimAngle = 90;
  ActivateByWord(ITEM_SNIPER);
  Clear();
  DrawBalls();
  EXPECT_EQ(Pixel(320, 200), StandardColors[2]);
  EXPECT_GT(Lit(310, 360, 331, 381), 8);
  gGame.level.ballWaiting = 0;
  ActivateByWord(ITEM_RUBBER);
  AddBall(120, 175, 45, 3);
  Clear();
  DrawBalls();
  EXPECT_EQ(Pixel(220, 275), StandardColors[6]);

  // The paddle, and one exhaust puff behind it when it moved.
  gGame.level.paddleDrawnX = 320;
  gArt.shipAnim.Play("Normal", 1);
  Clear();
  DrawPaddle();
  EXPECT_GT(Lit(270, 375, 371, 400), 200);
  EXPECT_EQ(LiveParticles(), 0);
  gGame.level.paddle.x = 330;
  DrawPaddle();
  ASSERT_EQ(LiveParticles(), 1);
  for (const Particle& p : gGame.level.particles) {
    if (!p.life) continue;
    EXPECT_NEAR(p.x, 290, 5);
    EXPECT_EQ(p.vx, -1);
  }
}

// Thousands of frames drawn as the game screen draws them; the sanitizer build
// checks that nothing reads or writes outside its arrays.
TEST_F(RealData, ALevelPlaysAndDrawsForThousandsOfFrames) {
  Surface* panel = nullptr;
  ASSERT_TRUE(LoadPlayPanel(&panel));
  LoadLevel(7);
  static const int kWords[] = {ITEM_CANNON, ITEM_SHADOW, ITEM_PIERCING, ITEM_RUBBER,
                               ITEM_BOMB,   ITEM_SHIELD, ITEM_WIDE_BUSTER, ITEM_INVISIBLE};
  for (int frame = 1; frame <= 4000; ++frame) {
    if (frame % 400 == 100) ActivateByWord(kWords[(frame / 400) % 8]);
    if (!PlayFrame()) break;
    StepPlayAnimations();
    DrawPlayLayers(panel);
  }
  Graphics::ReleaseSurface(panel);
  EXPECT_GT(gGame.player.score, 0);
}

}  // namespace
}  // namespace vx
