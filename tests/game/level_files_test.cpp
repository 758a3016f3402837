#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "game/game_state.h"
#include "game/level_files.h"
#include "game/playfield.h"
#include "game_fixture.h"

namespace vx {
namespace {

using test::ReadText;
using test::WriteText;

std::string Header(int height, const std::string& extra = "") {
  return "[Level data]\nName = Test field\nHeight = " + std::to_string(height) +
         "\nScroll speed = 2\nRequires = 3, 4\nMax blocks types = 2\n" + extra +
         "\n[Block type 1]\nHit counter = 3\nScore = 25\n\n[Block type 2]\nHit counter = 0\n";
}

class LevelFiles : public test::GameTest {};

TEST_F(LevelFiles, NamesFollowTheEpisodes) {
  char name[64];
  LevelFileName(49, name, sizeof name);
  EXPECT_STREQ(name, "Episode1\\Levels\\Level49");
  LevelFileName(50, name, sizeof name);
  EXPECT_STREQ(name, "Episode1\\Levels\\Level50");
  LevelFileName(51, name, sizeof name);
  EXPECT_STREQ(name, "Episode2\\Levels\\Level01");
}

TEST_F(LevelFiles, LoadReadsBothFilesAndStartsAtTheBottom) {
  std::string map(25 * 20, '\0');
  map[0] = 1;
  map[5 * 20 + 19] = 2;
  map += std::string(100, 1);  // past Height x 20: ignored
  WriteText("episode2/levels/level01", Header(25));
  WriteText("episode2/levels/level01.map", map);
  gGame.level.balls[2].active = gGame.level.items[7].kind = gGame.level.enemies[1].kind = 1;
  gGame.level.levelEnded = gGame.level.paddle.freeze = 1;
  gGame.player.inventory[0] = ItemSlot{ITEM_BOMB, 2, 1, 10, 100, 90};
  gGame.level.wordEffects[3] = ItemSlot{ITEM_SHIELD, 0, 1, 10, 100, 90};
  g.frameCounter = 777;
  ASSERT_EQ(LoadLevel(51), 1);

  const LevelState& L = gGame.level;
  EXPECT_STREQ(L.header.name, "Test field");
  EXPECT_EQ(L.header.scrollSpeed, 2);
  EXPECT_EQ(L.types[0].hitCounter, 3u);
  EXPECT_EQ(BlocksLeft(), 2);
  EXPECT_EQ(Cell(0, 0).hits, 3);
  EXPECT_EQ(Cell(19, 5).type, 2);
  EXPECT_EQ(L.backRows, 7);
  EXPECT_EQ(L.scroll, 48);  // 7 x 64 - 400
  for (int i = 0; i < 5; ++i)
    for (int j = 0; j < i; ++j) EXPECT_NE(L.types[0].image[i], L.types[0].image[j]);
  for (const BlockCell& c : L.grid)
    ASSERT_TRUE(c.content <= 2 || (c.content >= 4 && c.content <= 21)) << c.content;
  EXPECT_EQ(g.frameCounter, 0u);
  EXPECT_EQ(L.ballWaiting, 1);
  EXPECT_EQ(L.balls[2].active + L.items[7].kind + L.enemies[1].kind, 0);
  EXPECT_EQ(L.levelEnded + L.paddle.freeze, 0);
  EXPECT_EQ(L.paddle.w, 100);
  // The inventory keeps its units but nothing runs; word effects are gone.
  EXPECT_EQ(gGame.player.inventory[0].count, 2);
  EXPECT_EQ(gGame.player.inventory[0].active, 0);
  EXPECT_EQ(L.wordEffects[3].id, 0);
}

TEST_F(LevelFiles, HostileFilesLoadInsideTheirBounds) {
  // Oversized and negative values, over-long texts, a short map with bytes of
  // no type.
  WriteText("Episode1/Levels/Level05",
            "[Level data]\nHeight = 99999999\nScroll speed = -2147483648\nMax blocks types = 40\n"
            "Name = " + std::string(300, 'N') + "\n[Block type 1]\nHit counter = -1\n");
  WriteText("Episode1/Levels/Level05.map", std::string("\x01\x09\xc8\x01", 4));
  LoadLevel(5);
  const LevelState& L = gGame.level;
  EXPECT_EQ(L.header.height, kMaxLevelHeight);
  EXPECT_EQ(L.grid.size(), static_cast<size_t>(kMaxLevelHeight) * 20);
  EXPECT_EQ(L.header.maxBlockTypes, 8);
  EXPECT_EQ(L.header.scrollSpeed, kMinScrollSpeed);
  EXPECT_EQ(std::string(L.header.name).size(), 31u);
  EXPECT_EQ(L.types[0].hitCounter, 0u);
  EXPECT_EQ(BlocksLeft(), 2);  // bytes 9 and 200 name no type: empty
  std::string log = ReadText("Log.txt");
  EXPECT_NE(log.find("Height = 99999999 out of range, using 10000"), std::string::npos);
  EXPECT_NE(log.find("holds 4 of 200000 bytes"), std::string::npos);
  EXPECT_NE(log.find("2 cells of unknown block types"), std::string::npos);

  WriteText("Episode1/Levels/Level05", "[Level data]\nHeight = -5\n");
  LoadLevel(5);
  EXPECT_EQ(gGame.level.grid.size(), 20u);

  // Garbage, and every cut of a good header.
  std::string garbage;
  for (uint32_t i = 0, s = 7; i < 4000; ++i)
    garbage += static_cast<char>((s = s * 1103515245u + 12345u) >> 24);
  std::string good = Header(40);
  for (const std::string& text :
       {garbage, good.substr(0, 7), good.substr(0, 30), good.substr(0, good.size() - 3)}) {
    WriteText("Episode1/Levels/Level05", text);
    WriteText("Episode1/Levels/Level05.map", garbage);
    LoadLevel(5);
    ASSERT_EQ(gGame.level.grid.size(), static_cast<size_t>(gGame.level.header.height) * 20);
    ASSERT_EQ(gGame.level.backTiles.size(), static_cast<size_t>(gGame.level.backRows) * 10);
  }

  // No files at all: the default 500-row field without blocks.
  LoadLevel(12);
  EXPECT_EQ(gGame.level.header.height, 500);
  EXPECT_EQ(BlocksLeft(), 0);
}

// Found by fuzzing the level files: a block type's score near the end of an
// int wrapped the player's score round when the block broke.
TEST_F(LevelFiles, HugeBlockScoresAreBoundedAndNeverWrapTheScore) {
  WriteText("Episode1/Levels/Level05",
            "[Level data]\nHeight = 20\nMax blocks types = 2\n"
            "[Block type 1]\nHit counter = 1\nScore = -2147483648\n"
            "[Block type 2]\nHit counter = 1\nScore = 2147483647\n");
  WriteText("Episode1/Levels/Level05.map", std::string(20 * 20, '\x02'));
  LoadLevel(5);
  EXPECT_EQ(gGame.level.types[0].score, 0u);
  EXPECT_EQ(gGame.level.types[1].score, static_cast<uint32_t>(kMaxBlockScore));
  EXPECT_NE(ReadText("Log.txt").find("Score = -2147483648 out of range, using 0"), std::string::npos);

  gGame.player.score = INT32_MAX - 5;
  for (int c = 0; c < 3; ++c) DestroyBlock(*GridCell(c, 3), c, 3, 0);
  EXPECT_EQ(gGame.player.score, INT32_MAX);

  int32_t credits = INT32_MIN + 2;
  AddClamped(credits, -10);
  EXPECT_EQ(credits, INT32_MIN);
}

TEST_F(LevelFiles, TheClockSeedsEveryLoadAndWeightsPickTheArt) {
  WriteText("Episode1/Levels/Level09", Header(100));
  LoadLevel(9);  // no tiles anywhere: set 0 and tile 0
  EXPECT_EQ(gGame.level.tileSet, 0);
  for (uint8_t t : gGame.level.backTiles) ASSERT_EQ(t, 0);

  // Only set 7 has tiles, and only tiles 3 and 30 have weights: an entry of
  // weight 0 is never drawn, not even the first.
  gArt.tileSets[7].count = 4;
  gArt.tileSets[7].freq[3] = 2;
  gArt.tileSets[7].freq[30] = 5;
  auto snapshot = [] {
    std::string s;
    for (const BlockCell& c : gGame.level.grid) s += static_cast<char>(c.content);
    for (uint8_t t : gGame.level.backTiles) s += static_cast<char>(t);
    return s + std::to_string(gGame.level.types[0].image[0]);
  };
  for (uint32_t seconds = 1; seconds < 10; ++seconds) {
    PinClock(seconds);
    LoadLevel(9);
    ASSERT_EQ(gGame.level.tileSet, 7);
    for (uint8_t t : gGame.level.backTiles) ASSERT_TRUE(t == 3 || t == 30) << int(t);
  }
  std::string a = snapshot();
  LoadLevel(9);
  EXPECT_EQ(snapshot(), a);
  PinClock(10);
  LoadLevel(9);
  EXPECT_NE(snapshot(), a);
}

TEST_F(LevelFiles, SaveWritesTheFormatAndLoadsBack) {
  MakeField(3);
  LevelHeader& H = gGame.level.header;
  std::snprintf(H.name, sizeof H.name, "Saved");
  H.backTilesSet = 4;
  H.scrollSpeed = 2;
  gGame.level.types[0] = BlockType{7, 30, {11, 12, 13, 14, 15}};
  PutBlock(0, 0, 1);
  PutBlock(19, 2, 2);
  gGame.player.currentLevel = 51;
  WriteText("episode2/levels/level01", "old");  // replaced whatever its case
  ASSERT_EQ(SaveLevel(false), 1);
  EXPECT_EQ(ReadText("episode2/levels/level01"),
            "[Level data]\nName = Saved\nText = \nHeight = 3\nBack tiles set = 4\n"
            "Max blocks types = 2\nScroll speed = 2\nRequires = \n\n\n"
            "[Block type 1]\nScore = 30\nHit counter = 7\nImage pack 1 = 11\nImage pack 2 = 12\n"
            "Image pack 3 = 13\nImage pack 4 = 14\nImage pack 5 = 15\nImage pack 6 = 15\n"
            "Image pack 7 = 15\n\n"
            "[Block type 2]\nScore = 0\nHit counter = 0\nImage pack 1 = 6\n\n");
  std::string map = ReadText("episode2/levels/Level01.map");
  ASSERT_EQ(map.size(), 60u);
  EXPECT_EQ(map[59], 2);
  EXPECT_FALSE(std::filesystem::exists("Episode2"));

  ASSERT_EQ(LoadLevel(51), 1);
  EXPECT_EQ(Cell(0, 0).hits, 7);
  EXPECT_EQ(BlocksLeft(), 2);

  ASSERT_EQ(SaveLevel(true), 1);
  EXPECT_EQ(ReadText("Level.map"), map);
  EXPECT_EQ(ReadText("Level").substr(0, 25), "[Level data]\nName = Saved");
}

TEST_F(LevelFiles, AFailedSaveKeepsWhatWasThere) {
  MakeField(2);
  WriteText("Episode1", "a file where a folder should be");
  gGame.player.currentLevel = 1;
  EXPECT_EQ(SaveLevel(false), 0);
  EXPECT_EQ(ReadText("Episode1"), "a file where a folder should be");
  EXPECT_NE(ReadText("Log.txt").find("Can't write file"), std::string::npos);
}

}  // namespace
}  // namespace vx
