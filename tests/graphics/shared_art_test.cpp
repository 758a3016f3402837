#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <string>

#include "base/game_record.h"
#include "graphics/fake_platform.h"
#include "graphics/graphics.h"
#include "graphics/shared_art.h"
#include "graphics/test_images.h"
#include "graphics/text_font.h"

namespace vx {
namespace {

struct SharedArtTest : ::testing::Test {
  test::TempDir dir;
  test::FakePlatform fake;
  void SetUp() override {
    for (const char* d : {"Items", "BackTiles", "BackObjects"}) mkdir(d, 0755);
    test::WriteText("LCDN.ttf", test::ReadText("/usr/share/fonts/truetype/play/Play-Regular.ttf"));
    auto red = [](int, int) { return 0xFF0000u; };
    test::WriteTga("Items/Item00.tga", 40, 40, red);
    test::WriteText("Items/Item00.anm", "*ALL_FRAMES { *F a 0 0 40 40 }\n*ANIMATION Rotation { *FRAME a\n*LOOP }\n");
    test::WriteTga("Blocks.tga", 256, 256, red);
    test::WriteTga("Ship.tga", 120, 20, red);
    test::WriteTga("BackTiles/set0.tga", 160, 80, red);
    test::WriteText("BackTiles/Tiles.ini",
                    "[Tileset 00]\nTGA File = BackTiles\\set0.tga\nTileFreq 00 = 5\nTileRect 00 = 0, 0, 80, 80\n"
                    "TileRect 03 = 80 0 80 80\n"
                    "[Tileset 01]\nTileFreq 01 = 2\n"
                    "[Tileset 03]\nTGA File = never.tga\n");
    test::WriteTga("BackObjects/ts0back0.bmp", 30, 30, red);
    test::WriteTga("BackObjects/ts0back1.bmp", 30, 30, red);
    test::WriteTga("BackObjects/ts0back3.bmp", 30, 30, red);
    std::snprintf(g.strings.Loading, sizeof g.strings.Loading, "%s", "Loading");
    ASSERT_EQ(Graphics::Init(640, 480, 0), 1);
  }
  void TearDown() override {
    ReleaseSharedArt();
    Graphics::Release();
  }
};

TEST_F(SharedArtTest, LoadsWhatIsThereAndLogsWhatIsNot) {
  LoadSharedArt(g.strings.Loading);
  EXPECT_TRUE(FontB.IsLoaded());
  // The loading picture was presented with white text near (280, 240).
  ASSERT_GE(fake.display.presents, 1);
  int white = 0;
  for (int y = 220; y < 250; ++y)
    for (int x = 280; x < 360; ++x) white += fake.display.lastFrame[y * 640 + x] == 0xFFFF;
  EXPECT_GT(white, 10);

  EXPECT_EQ(gArt.items[0].IsLoaded(), 1);
  EXPECT_EQ(gArt.items[0].Align(), 0u);
  EXPECT_EQ(gArt.itemAnims[0].Play("Rotation", 0), 1);
  EXPECT_EQ(gArt.items[1].IsLoaded(), 0);
  EXPECT_EQ(gArt.ship.Align(), ALIGN_TOP);
  EXPECT_EQ(gArt.ball.Align(), 0u);

  // 128 block frames numbered down each column.
  EXPECT_EQ(gArt.blocks.FrameCount(), 129);
  SpriteFrame f;
  ASSERT_EQ(gArt.blocks.FindFrame("Block17", &f), 1);
  EXPECT_EQ(f.rect.left, 32);
  EXPECT_EQ(f.rect.top, 16);
  EXPECT_EQ(gArt.blocks.FrameIndex("Block17"), 18);

  // Tile sets are read until the first missing section.
  ASSERT_NE(gArt.tileSets[0].image, nullptr);
  EXPECT_EQ(gArt.tileSets[0].count, 2);
  EXPECT_EQ(gArt.tileSets[0].freq[0], 5);
  EXPECT_EQ(gArt.tileSets[0].rects[3].right, 160);
  EXPECT_EQ(gArt.tileSets[1].image, nullptr);
  EXPECT_EQ(gArt.tileSets[1].freq[1], 2);
  EXPECT_EQ(gArt.tileSets[3].freq[0], 0);

  // Back objects stop at the first gap.
  EXPECT_EQ(gArt.backObjectCount[0], 2);
  EXPECT_EQ(gArt.backObjectCount[1], 0);

  std::string log = test::ReadText("Log.txt");
  EXPECT_NE(log.find("Tileset 0,Object 1 loaded\n"), std::string::npos);
  EXPECT_EQ(log.find("Tileset 0,Object 3 loaded"), std::string::npos);
  EXPECT_NE(log.find("Bitmap::Load( Items\\Item01.tga ) is absent\nCan't load file 'Items\\Item01.tga'\n"),
            std::string::npos);
  EXPECT_EQ(log.find("never.tga"), std::string::npos);
}

TEST_F(SharedArtTest, ReleaseAndReload) {
  LoadSharedArt(g.strings.Loading);
  ReleaseSharedArt();
  EXPECT_EQ(gArt.items[0].IsLoaded(), 0);
  EXPECT_EQ(gArt.tileSets[0].image, nullptr);
  EXPECT_EQ(gArt.blocks.FrameCount(), 1);
  Graphics::Release();
  ASSERT_EQ(Graphics::Init(640, 480, 1), 1);
  ReloadSharedArt(g.strings.Loading);
  EXPECT_EQ(gArt.items[0].IsLoaded(), 1);
  EXPECT_EQ(gArt.blocks.FrameCount(), 129);  // not doubled
  EXPECT_NE(gArt.tileSets[0].image, nullptr);
  EXPECT_EQ(gArt.ship.Align(), ALIGN_TOP);  // anchors stay
}

TEST_F(SharedArtTest, NoTilesFileLeavesEverySetEmpty) {
  std::remove("BackTiles/Tiles.ini");
  LoadTileSets();
  for (const TileSet& t : gArt.tileSets) {
    EXPECT_EQ(t.image, nullptr);
    EXPECT_EQ(t.count, 0);
  }
}

}  // namespace
}  // namespace vx
