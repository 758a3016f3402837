#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "base/game_record.h"
#include "campaign/save_game.h"
#include "game/game_state.h"
#include "resources/file_system.h"
#include "support/temp_dir.h"
#include "support/user_file_faults.h"

namespace vx {
namespace {

using test::ReadText;
using test::TempDir;
using test::WriteText;

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::string s = ReadText(path);
  return std::vector<uint8_t>(s.begin(), s.end());
}
void WriteBytes(const std::string& path, const std::vector<uint8_t>& b) {
  WriteText(path, std::string(b.begin(), b.end()));
}

class SaveGameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UnregisterAllArchives();
    g = GameRecord();
    gGame = GameState();
    std::snprintf(g.strings.EmptySlot, sizeof g.strings.EmptySlot, "%s", "Empty slot");
    for (SaveSlot& s : gSaveSlots) s = SaveSlot();
    gGame.player.lives = 5;
    gGame.player.credits = 1234;
    gGame.player.score = 987654;
    gGame.player.inventory[0] = ItemSlot{ITEM_CANNON, 3, 1, 200, 500, 300};
    gGame.player.inventory[9] = ItemSlot{ITEM_SHIELD, 1, 0, 0, 0, 0};
    for (int i : {0, 1, 2, 49, 50, 99}) gGame.campaign[i].completed = 1;
  }
  TempDir dir;
};

TEST_F(SaveGameTest, SavedGameLoadsBackTheSameState) {
  ASSERT_EQ(SaveGame(0, "Alice"), 1);
  EXPECT_EQ(std::filesystem::file_size("game1.sav"), 280u);
  EXPECT_FALSE(std::filesystem::exists("game1.sav.tmp"));
  const PlayerRecord saved = gGame.player;

  gGame.player = PlayerRecord();
  gGame.player.lives = 1;
  for (MapNode& n : gGame.campaign) n.completed = 0, n.open = 1, n.x = 7;
  ASSERT_EQ(LoadGame(0), 1);
  EXPECT_EQ(gGame.player.lives, saved.lives);
  EXPECT_EQ(gGame.player.credits, saved.credits);
  EXPECT_EQ(gGame.player.score, saved.score);
  for (int i = 0; i < kInventorySlots; ++i) {
    const ItemSlot &a = gGame.player.inventory[i], &b = saved.inventory[i];
    EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0) << "slot " << i;
  }
  for (int i = 0; i < kLevelCount; ++i) {
    const bool done = i == 0 || i == 1 || i == 2 || i == 49 || i == 50 || i == 99;
    EXPECT_EQ(gGame.campaign[i].completed, done ? 1u : 0u) << i;
    EXPECT_EQ(gGame.campaign[i].revealed, done ? 1u : 0u) << i;
    EXPECT_EQ(gGame.campaign[i].open, 0u) << "the campaign table starts over";
    EXPECT_EQ(gGame.campaign[i].x, 0);
  }

  ASSERT_EQ(ReadSlot(0), 1);
  EXPECT_STREQ(SlotName(0), "Alice");
  EXPECT_EQ(ReadSlot(1), 0);
  EXPECT_STREQ(SlotName(1), "<Empty slot>");
}

TEST_F(SaveGameTest, FileHoldsTheScrambledRecordUnderAnIndependentMd5) {
  ASSERT_EQ(SaveGame(4, "Bob"), 1);
  std::vector<uint8_t> file = ReadBytes("game5.sav");
  ASSERT_EQ(file.size(), 280u);

  FILE* p = popen("tail -c 264 game5.sav | md5sum", "r");
  ASSERT_NE(p, nullptr);
  char hex[33] = {};
  ASSERT_EQ(std::fread(hex, 1, 32, p), 32u);
  pclose(p);
  char ours[33] = {};
  for (int i = 0; i < 16; ++i) std::snprintf(ours + 2 * i, 3, "%02x", file[i]);
  EXPECT_STREQ(ours, hex);

  // Unscrambled, the record lies at the documented offsets.
  std::vector<uint8_t> record(file.begin() + 16, file.end());
  Scramble(record.data(), record.size());
  EXPECT_STREQ(reinterpret_cast<const char*>(record.data()), "Bob");
  for (int i = 3; i < 32; ++i) EXPECT_EQ(record[i], 0) << i;
  auto i32 = [&](int at) {
    return int32_t(record[at] | record[at + 1] << 8 | record[at + 2] << 16 |
                   uint32_t(record[at + 3]) << 24);
  };
  auto u16 = [&](int at) { return record[at] | record[at + 1] << 8; };
  EXPECT_EQ(i32(32), 987654);
  EXPECT_EQ(i32(36), 5);
  EXPECT_EQ(i32(40), 1234);
  EXPECT_EQ(u16(44), ITEM_CANNON);
  EXPECT_EQ(u16(46), 3);
  EXPECT_EQ(u16(48), 1);
  EXPECT_EQ(u16(50), 200);
  EXPECT_EQ(u16(52), 500);
  EXPECT_EQ(u16(54), 300);
  EXPECT_EQ(u16(44 + 9 * 12), ITEM_SHIELD);
  EXPECT_EQ(record[164], 1);
  EXPECT_EQ(record[164 + 3], 0);
  EXPECT_EQ(record[164 + 99], 1);
}

TEST_F(SaveGameTest, ScramblingXorsTheLowByteOfEachDrawAndUndoesItself) {
  // The stream is the shared generator's: first value of state 0x2C5E19B3.
  SaveScrambler s;
  const uint32_t state = 0x2C5E19B3u * 214013u + 2531011u;
  EXPECT_EQ(s.Next(), (state >> 16) & 0x7FFF);

  SaveScrambler draws;
  std::vector<uint8_t> zeros(4096, 0);
  Scramble(zeros.data(), zeros.size());
  int high = 0;
  for (size_t i = 0; i < zeros.size(); ++i) {
    const int d = draws.Draw(1, 264);
    ASSERT_GE(d, 1);
    ASSERT_LE(d, 263);
    EXPECT_EQ(zeros[i], uint8_t(d)) << i;
    if (d >= 256) {
      ++high;
      EXPECT_LE(zeros[i], 7);
    }
  }
  EXPECT_GT(high, 0) << "the stream should reach 256..263 within 4096 draws";
  Scramble(zeros.data(), zeros.size());
  EXPECT_EQ(zeros, std::vector<uint8_t>(4096, 0)) << "scrambling twice gives the bytes back";
}

TEST_F(SaveGameTest, AnyChangedByteEmptiesTheSlot) {
  ASSERT_EQ(SaveGame(0, "Carol"), 1);
  const std::vector<uint8_t> good = ReadBytes("game1.sav");
  for (size_t at : {size_t(0), size_t(15), size_t(16), size_t(100), size_t(279)}) {
    std::vector<uint8_t> bad = good;
    bad[at] ^= 0x01;
    WriteBytes("game1.sav", bad);
    EXPECT_EQ(ReadSlot(0), 0) << "byte " << at;
    EXPECT_STREQ(SlotName(0), "<Empty slot>");
    gGame.player.lives = 42;
    EXPECT_EQ(LoadGame(0), 0);
    EXPECT_EQ(gGame.player.lives, 42) << "a refused load changes nothing";
  }
  EXPECT_NE(ReadText("Log.txt").find("game1.sav' is damaged"), std::string::npos);
}

TEST_F(SaveGameTest, HostileFilesAreNeverLoaded) {
  ASSERT_EQ(SaveGame(0, "Dave"), 1);
  const std::vector<uint8_t> good = ReadBytes("game1.sav");

  // Cut short, empty, garbage of the right size.
  WriteBytes("game2.sav", std::vector<uint8_t>(good.begin(), good.end() - 1));
  WriteBytes("game3.sav", {});
  std::vector<uint8_t> garbage(280);
  for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = uint8_t(i * 131 + 7);
  WriteBytes("game4.sav", garbage);
  // A directory where the file should be.
  std::filesystem::create_directory("game6.sav");
  for (int slot : {1, 2, 3, 5}) {
    EXPECT_EQ(ReadSlot(slot), 0) << slot;
    EXPECT_EQ(LoadGame(slot), 0) << slot;
  }
  EXPECT_NE(ReadText("Log.txt").find("game2.sav' is too short"), std::string::npos);

  // Oversized: the bytes beyond 280 do not matter.
  std::vector<uint8_t> longer = good;
  longer.resize(100000, 0xAB);
  WriteBytes("game7.sav", longer);
  EXPECT_EQ(ReadSlot(6), 1);
  EXPECT_STREQ(SlotName(6), "Dave");

  // Digest right, but an item the game does not know: refused.
  std::vector<uint8_t> record(good.begin() + 16, good.end());
  Scramble(record.data(), record.size());
  record[44] = 99;
  std::memset(record.data(), 'x', 32);  // and a name without its terminator
  Scramble(record.data(), record.size());
  std::vector<uint8_t> crafted(16);
  Md5Digest(record.data(), record.size(), crafted.data());
  crafted.insert(crafted.end(), record.begin(), record.end());
  WriteBytes("game8.sav", crafted);
  EXPECT_EQ(ReadSlot(7), 0);
  EXPECT_EQ(LoadGame(7), 0);

  // The same without the bad item loads, with the name cut to its field.
  record.assign(crafted.begin() + 16, crafted.end());
  Scramble(record.data(), record.size());
  record[44] = ITEM_BOMB;
  Scramble(record.data(), record.size());
  Md5Digest(record.data(), record.size(), crafted.data());
  std::copy(record.begin(), record.end(), crafted.begin() + 16);
  WriteBytes("game8.sav", crafted);
  ASSERT_EQ(ReadSlot(7), 1);
  EXPECT_EQ(std::string(SlotName(7)), std::string(31, 'x'));
}

TEST_F(SaveGameTest, FailedWriteKeepsTheOldFileAndReportsFailure) {
  ASSERT_EQ(SaveGame(2, "Old"), 1);
  const std::string before = ReadText("game3.sav");
  gGame.player.score = 1;
  std::remove("Log.txt");  // room for the one log line
  {
    test::FileSizeLimit diskFull(64);
    EXPECT_EQ(SaveGame(2, "New"), 0);
  }
  EXPECT_EQ(ReadText("game3.sav"), before);
  EXPECT_STREQ(SlotName(2), "Old") << "the slot table shows what the file holds";
  EXPECT_NE(ReadText("Log.txt").find("Can't write saved game 'game3.sav'"), std::string::npos);
}

}  // namespace
}  // namespace vx
