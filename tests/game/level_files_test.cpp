#include <gtest/gtest.h>

#include <string>

#include "game/level_files.h"
#include "game/playfield.h"
#include "game_fixture.h"

namespace vx {
namespace {

using test::GameTest;

std::string Header(int height, const std::string& extra = "") {
  return "[Level data]\nName = Test field\nText = A level for tests\nHeight = " +
         std::to_string(height) +
         "\nScroll speed = 2\nRequires = 3, 4\nMax blocks types = 2\n" + extra +
         "\n[Block type 1]\nHit counter = 3\nScore = 25\n\n[Block type 2]\nHit counter = 0\n"
         "Score = 0\n";
}

std::string Map(int height, char fill = 0) {
  return std::string(static_cast<size_t>(height) * 20, fill);
}

class LevelFiles : public GameTest {};

TEST_F(LevelFiles, NamesFollowTheEpisodes) {
  char name[64];
  LevelFileName(49, name, sizeof name);
  EXPECT_STREQ(name, "Episode1\\Levels\\Level49");
  LevelFileName(50, name, sizeof name);
  EXPECT_STREQ(name, "Episode1\\Levels\\Level50");
  LevelFileName(51, name, sizeof name);
  EXPECT_STREQ(name, "Episode2\\Levels\\Level01");
  LevelFileName(100, name, sizeof name);
  EXPECT_STREQ(name, "Episode2\\Levels\\Level50");
  LevelFileName(7, name, sizeof name);
  EXPECT_STREQ(name, "Episode1\\Levels\\Level07");
}

TEST_F(LevelFiles, LoadsHeaderAndMapOfEpisodeTwo) {
  std::string map = Map(30);
  map[0] = 1;        // row 0, column 0
  map[20 * 5 + 19] = 2;  // row 5, column 19
  map[20 * 29 + 3] = 1;  // last row
  WriteHostFile("episode2/levels/level01", Header(30));
  WriteHostFile("episode2/levels/level01.map", map);
  ASSERT_EQ(LoadLevel(51), 1);

  const LevelState& L = g.level;
  EXPECT_EQ(g.player.currentLevel, 51);
  EXPECT_STREQ(L.header.name, "Test field");
  EXPECT_STREQ(L.header.requires, "3, 4");
  EXPECT_EQ(L.header.height, 30);
  EXPECT_EQ(L.header.scrollSpeed, 2);
  EXPECT_EQ(L.types[0].hitCounter, 3u);
  EXPECT_EQ(L.types[0].score, 25u);
  ASSERT_EQ(L.grid.size(), 600u);
  EXPECT_EQ(L.grid[0].type, 1);
  EXPECT_EQ(L.grid[0].hits, 3);
  EXPECT_EQ(L.grid[5 * 20 + 19].type, 2);
  EXPECT_EQ(L.grid[5 * 20 + 19].hits, 0);
  EXPECT_EQ(L.grid[29 * 20 + 3].type, 1);
  // Every type shares five different images from 1 to 41.
  for (int i = 0; i < 5; ++i) {
    EXPECT_GE(L.types[0].image[i], 1);
    EXPECT_LE(L.types[0].image[i], 41);
    EXPECT_EQ(L.types[0].image[i], L.types[1].image[i]);
    for (int j = 0; j < i; ++j) EXPECT_NE(L.types[0].image[i], L.types[0].image[j]);
  }
  // Contents: nothing, coins or a power-up from 4 to 21.
  for (const BlockCell& c : L.grid) {
    EXPECT_TRUE(c.content <= 2 || (c.content >= 4 && c.content <= 21)) << c.content;
  }
}

TEST_F(LevelFiles, FieldStartsAtItsBottomEndWithEverythingCleared) {
  WriteHostFile("Episode1/Levels/Level03", Header(25));
  WriteHostFile("Episode1/Levels/Level03.map", Map(25));
  g.level.balls[2].active = 1;
  g.level.items[7].kind = 5;
  g.level.enemies[1].kind = 2;
  g.level.bullets[39].active = 1;
  g.level.levelEnded = g.level.levelFailed = g.level.quitRequest = 1;
  g.level.paddle.freeze = 50;
  g.player.inventory[0] = ItemSlot{ITEM_BOMB, 2, 1, 10, 100, 90};
  g.level.wordEffects[3] = ItemSlot{ITEM_SHIELD, 0, 1, 10, 100, 90};
  g.level.particles[0].life = 50;
  g.player.lives = 3;
  g.frameCounter = 777;

  LoadLevel(3);
  const LevelState& L = g.level;
  EXPECT_EQ(L.backRows, 7);
  EXPECT_EQ(L.scroll, 48);
  EXPECT_EQ(L.backTiles.size(), 70u);
  EXPECT_EQ(g.frameCounter, 0u);
  EXPECT_EQ(L.enemySpawnInterval, 500);
  EXPECT_EQ(L.paddle.x, 320);
  EXPECT_EQ(L.paddle.y, 380);
  EXPECT_EQ(L.paddle.w, 100);
  EXPECT_EQ(L.paddle.freeze, 0);
  EXPECT_EQ(L.ballWaiting, 1);
  EXPECT_EQ(L.balls[2].active, 0);
  EXPECT_EQ(L.items[7].kind, 0);
  EXPECT_EQ(L.enemies[1].kind, 0);
  EXPECT_EQ(L.bullets[39].active, 0);
  EXPECT_EQ(L.levelEnded + L.levelFailed + L.quitRequest, 0);
  // The inventory keeps its units but nothing runs; word effects are gone.
  EXPECT_EQ(g.player.inventory[0].id, ITEM_BOMB);
  EXPECT_EQ(g.player.inventory[0].count, 2);
  EXPECT_EQ(g.player.inventory[0].active, 0);
  EXPECT_EQ(L.wordEffects[3].id, 0);
  EXPECT_EQ(L.wordEffects[3].active, 0);
  // Particles and the player's values run on.
  EXPECT_EQ(L.particles[0].life, 50);
  EXPECT_EQ(g.player.lives, 3);
}

TEST_F(LevelFiles, ShortLongAndOddMapsStayInsideTheGrid) {
  std::string map = Map(10, 1);
  map.resize(55);                  // two rows and 15 cells
  map[3] = 9;                      // no such type
  map[4] = static_cast<char>(200);
  WriteHostFile("Episode1/Levels/Level04", Header(10));
  WriteHostFile("Episode1/Levels/Level04.map", map);
  LoadLevel(4);
  const LevelState& L = g.level;
  EXPECT_EQ(L.grid[2].type, 1);
  EXPECT_EQ(L.grid[3].type, 0);
  EXPECT_EQ(L.grid[4].type, 0);
  EXPECT_EQ(L.grid[54].type, 1);
  for (size_t i = 55; i < L.grid.size(); ++i) ASSERT_EQ(L.grid[i].type, 0) << i;
  EXPECT_NE(LogText().find("holds 55 of 200 bytes"), std::string::npos);
  EXPECT_NE(LogText().find("2 cells of unknown block types"), std::string::npos);

  // Bytes past Height x 20 are ignored.
  std::string longMap = Map(10, 1) + std::string(5000, 2);
  WriteHostFile("Episode1/Levels/Level04.map", longMap);
  LoadLevel(4);
  EXPECT_EQ(g.level.grid.size(), 200u);
  EXPECT_EQ(BlocksLeft(), 200);
  for (const BlockCell& c : g.level.grid) ASSERT_EQ(c.type, 1);
}

TEST_F(LevelFiles, MissingFilesGiveTheDefaultField) {
  LoadLevel(12);
  const LevelState& L = g.level;
  EXPECT_EQ(L.header.height, 500);
  EXPECT_EQ(L.header.maxBlockTypes, 1);
  EXPECT_EQ(L.types[0].hitCounter, 1u);
  EXPECT_EQ(L.types[0].score, 0u);
  EXPECT_STREQ(L.header.name, "");
  EXPECT_EQ(L.grid.size(), 10000u);
  EXPECT_EQ(BlocksLeft(), 0);
  EXPECT_NE(LogText().find("not found"), std::string::npos);
}

TEST_F(LevelFiles, HostileHeadersAreKeptInBounds) {
  std::string header =
      "[Level data]\nHeight = 99999999\nScroll speed = -2147483648\nMax blocks types = 40\n"
      "Name = " + std::string(300, 'N') + "\nText = " + std::string(400, 'T') + "\n"
      "[Block type 1]\nHit counter = -1\nScore = 7\n";
  WriteHostFile("Episode1/Levels/Level05", header);
  WriteHostFile("Episode1/Levels/Level05.map", std::string(300000, 1));
  LoadLevel(5);
  const LevelState& L = g.level;
  EXPECT_EQ(L.header.height, kMaxLevelHeight);
  EXPECT_EQ(L.header.maxBlockTypes, 8);
  EXPECT_EQ(L.header.scrollSpeed, 0);
  EXPECT_EQ(std::string(L.header.name).size(), 31u);
  EXPECT_LE(std::string(L.header.text).size(), 255u);  // lines are cut at 255
  EXPECT_EQ(L.types[0].hitCounter, 0u);
  EXPECT_EQ(L.grid.size(), static_cast<size_t>(kMaxLevelHeight) * 20);
  std::string log = LogText();
  EXPECT_NE(log.find("Height = 99999999 out of range, using 10000"), std::string::npos);
  EXPECT_NE(log.find("Max blocks types = 40 out of range, using 8"), std::string::npos);

  WriteHostFile("Episode1/Levels/Level05", "[Level data]\nHeight = -5\n");
  LoadLevel(5);
  EXPECT_EQ(g.level.header.height, 1);
  EXPECT_EQ(g.level.grid.size(), 20u);
  EXPECT_EQ(g.level.backRows, 1);
}

TEST_F(LevelFiles, GarbageAndTruncatedHeadersLoadSafely) {
  std::string garbage;
  uint32_t s = 12345;
  for (int i = 0; i < 4000; ++i) {
    s = s * 1103515245u + 12345u;
    garbage += static_cast<char>(s >> 24);
  }
  WriteHostFile("Episode1/Levels/Level06", garbage);
  WriteHostFile("Episode1/Levels/Level06.map", garbage);
  LoadLevel(6);
  EXPECT_GE(g.level.header.height, 1);
  EXPECT_LE(g.level.header.height, kMaxLevelHeight);

  std::string full = Header(40);
  for (size_t cut : {size_t(0), size_t(7), size_t(20), full.size() / 2, full.size() - 3}) {
    WriteHostFile("Episode1/Levels/Level06", full.substr(0, cut));
    LoadLevel(6);
    EXPECT_EQ(g.level.grid.size(), static_cast<size_t>(g.level.header.height) * 20);
    EXPECT_EQ(g.level.backTiles.size(), static_cast<size_t>(g.level.backRows) * 10);
  }
  // Header without any block type sections: types keep defaults.
  WriteHostFile("Episode1/Levels/Level06", "[Level data]\nHeight = 30\nMax blocks types = 3\n");
  LoadLevel(6);
  EXPECT_EQ(g.level.types[2].hitCounter, 1u);
}

TEST_F(LevelFiles, SeedsMakeLoadsRepeatableAndDifferent) {
  WriteHostFile("Episode1/Levels/Level08", Header(60));
  WriteHostFile("Episode1/Levels/Level08.map", Map(60, 1));
  for (TileSet& t : gArt.tileSets) t.count = 32;
  for (int32_t& f : gArt.tileSets[0].freq) f = 1;
  for (TileSet& t : gArt.tileSets)
    for (int32_t& f : t.freq) f = 1;
  auto snapshot = [] {
    std::string s;
    for (const BlockCell& c : g.level.grid) s += static_cast<char>(c.content);
    for (uint8_t t : g.level.backTiles) s += static_cast<char>(t);
    for (uint16_t i : g.level.types[0].image) s += std::to_string(i) + ",";
    return s;
  };
  PinSecondsNow(5000);
  LoadLevel(8);
  std::string a = snapshot();
  LoadLevel(8);
  EXPECT_EQ(snapshot(), a);
  PinSecondsNow(5001);
  LoadLevel(8);
  EXPECT_NE(snapshot(), a);
}

TEST_F(LevelFiles, TileSetAndTilesFollowTheirWeights) {
  WriteHostFile("Episode1/Levels/Level09", Header(100));
  // No tiles anywhere: set 0 and tile 0.
  LoadLevel(9);
  EXPECT_EQ(g.level.tileSet, 0);
  EXPECT_EQ(g.level.header.backTilesSet, 0);
  for (uint8_t t : g.level.backTiles) ASSERT_EQ(t, 0);

  // Only set 7 has tiles, and only tiles 3 and 30 are drawn: entries of weight
  // 0 never are, not even the first.
  gArt.tileSets[7].count = 4;
  gArt.tileSets[7].freq[3] = 2;
  gArt.tileSets[7].freq[30] = 5;
  for (uint32_t seed = 1; seed < 20; ++seed) {
    PinSecondsNow(seed);
    LoadLevel(9);
    ASSERT_EQ(g.level.tileSet, 7);
    for (uint8_t t : g.level.backTiles) ASSERT_TRUE(t == 3 || t == 30) << int(t);
  }
}

TEST_F(LevelFiles, SaveWritesTheFormatAndLoadsBack) {
  MakeField(3);
  LevelHeader& H = g.level.header;
  std::snprintf(H.name, sizeof H.name, "Saved");
  std::snprintf(H.text, sizeof H.text, "Text");
  std::snprintf(H.requires, sizeof H.requires, "1");
  H.backTilesSet = 4;
  H.scrollSpeed = 2;
  g.level.types[0] = BlockType{7, 30, {11, 12, 13, 14, 15}};
  PutBlock(0, 0, 1);
  PutBlock(19, 2, 2);
  g.player.currentLevel = 51;
  // An existing folder of another case is reused.
  WriteHostFile("episode2/levels/keep", "x");
  ASSERT_EQ(SaveLevel(false), 1);

  std::string header = ReadHostFile("episode2/levels/Level01");
  EXPECT_EQ(header,
            "[Level data]\nName = Saved\nText = Text\nHeight = 3\nBack tiles set = 4\n"
            "Max blocks types = 2\nScroll speed = 2\nRequires = 1\n\n\n"
            "[Block type 1]\nScore = 30\nHit counter = 7\nImage pack 1 = 11\nImage pack 2 = 12\n"
            "Image pack 3 = 13\nImage pack 4 = 14\nImage pack 5 = 15\nImage pack 6 = 15\n"
            "Image pack 7 = 15\n\n"
            "[Block type 2]\nScore = 0\nHit counter = 0\nImage pack 1 = 6\n\n");
  std::string map = ReadHostFile("episode2/levels/Level01.map");
  ASSERT_EQ(map.size(), 60u);
  EXPECT_EQ(map[0], 1);
  EXPECT_EQ(map[59], 2);
  EXPECT_NE(LogText().find("Save Level\n"), std::string::npos);

  ASSERT_EQ(LoadLevel(51), 1);
  EXPECT_STREQ(g.level.header.name, "Saved");
  EXPECT_EQ(g.level.types[0].hitCounter, 7u);
  EXPECT_EQ(Cell(0, 0).type, 1);
  EXPECT_EQ(Cell(0, 0).hits, 7);
  EXPECT_EQ(Cell(19, 2).type, 2);
  EXPECT_EQ(BlocksLeft(), 2);
}

TEST_F(LevelFiles, ScratchSaveAndAnExistingFileOfAnotherCase) {
  MakeField(2);
  ASSERT_EQ(SaveLevel(true), 1);
  EXPECT_FALSE(ReadHostFile("Level").empty());
  EXPECT_EQ(ReadHostFile("Level.map"), std::string(40, '\0'));

  WriteHostFile("Episode1/Levels/level02", "old");
  g.player.currentLevel = 2;
  ASSERT_EQ(SaveLevel(false), 1);
  EXPECT_NE(ReadHostFile("Episode1/Levels/level02"), "old");
  EXPECT_FALSE(std::filesystem::exists("Episode1/Levels/Level02"));
}

TEST_F(LevelFiles, UnwritableTargetsFailWithoutLosingTheOldFile) {
  MakeField(2);
  WriteHostFile("Episode1", "a plain file where a folder should be");
  g.player.currentLevel = 1;
  EXPECT_EQ(SaveLevel(false), 0);
  EXPECT_EQ(ReadHostFile("Episode1"), "a plain file where a folder should be");
  EXPECT_NE(LogText().find("Can't write file"), std::string::npos);
}

TEST_F(LevelFiles, CoordinatesAreWrittenForEveryLevel) {
  g.campaign[0].x = 120;
  g.campaign[0].y = 200;
  g.campaign[99].x = 330;
  g.campaign[99].y = 2040;
  ASSERT_EQ(WriteCoordinates(), 1);
  std::string text = ReadHostFile("Data/Levels/xy");
  EXPECT_EQ(text.rfind("[Coordinates]\nLevel 1 = 120, 200\nLevel 2 = 0, 0\n", 0), 0u);
  EXPECT_NE(text.find("Level 100 = 330, 2040\n"), std::string::npos);
}

}  // namespace
}  // namespace vx
