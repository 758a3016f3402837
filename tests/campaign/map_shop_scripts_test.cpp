// A campaign played through `velotrix-tool play` on the real data set with the
// mouse and keys: the map, a won and a lost level, the shop, saving and
// loading, checked against the saved games the run leaves behind.
#include <gtest/gtest.h>
#include <strings.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "campaign/save_game.h"
#include "resources/file_system.h"
#include "resources/pack_writer.h"
#include "resources/text_file.h"
#include "support/play_script.h"
#include "support/temp_dir.h"

namespace vx {
namespace {

using test::ReadText;
using test::WriteText;

class MapShopScripts : public test::PlayScriptTest {
 protected:

  static std::string ClickAt(int x, int y) { return test::ClickAt(test::Point{x, y}); }
  // The middle of the box in which the map picks level n, with the view
  // scrolled to scroll.
  static std::string ClickLevel(int n, int scroll) {
    TextFile coordinates("Coordinates");
    char value[64] = {};
    coordinates.GetString("Coordinates", ("Level " + std::to_string(n)).c_str(), "", value,
                          sizeof value);
    int x = 0, y = 0;
    std::sscanf(value, "%d%*[ ,]%d", &x, &y);
    const int sy = 480 - y + scroll;
    const int sx = static_cast<int>((x - 329) * (sy - 94.5) / 157.5 + 320);
    return ClickAt(sx - 6, sy - 11);
  }
  static int Price(const char* item) {
    TextFile items("Items.txt");
    return items.GetInt(item, "Price", -1);
  }
  int Play(const std::string& script) { return test::PlayScript(script); }
  static bool ReadSave(const std::string& file, SaveRecord* record) {
    const std::string bytes = ReadText(file);
    if (bytes.size() != kSaveFileSize) return false;
    uint8_t raw[kSaveRecordSize];
    std::memcpy(raw, bytes.data() + kSaveDigestSize, kSaveRecordSize);
    Scramble(raw, kSaveRecordSize);
    UnpackSaveRecord(raw, record);
    return true;
  }

};

// Screen places of the data set: the menu's buttons, the map's, the shop's,
// the first two save slots.
const char kNewGame[] = "moveto 436 197\nclick left\nframes 30\n";
const char kLoadGame[] = "moveto 436 243\nclick left\nframes 30\n";
const char kMapPlay[] = "moveto 108 404\nclick left\nframes 30\n";
const char kMapShop[] = "moveto 231 441\nclick left\nframes 30\n";
const char kMapSave[] = "moveto 397 441\nclick left\nframes 30\n";
const char kMapBack[] = "moveto 535 404\nclick left\nframes 30\n";
const char kShopBuy[] = "moveto 215 353\nclick left\nframes 30\n";
const char kShopSell[] = "moveto 345 353\nclick left\nframes 30\n";
const char kShopBack[] = "moveto 525 353\nclick left\nframes 30\n";
const char kWideBusterCell[] = "moveto 235 105\nclick left\nframes 30\n";
const char kFirstSlot[] = "moveto 197 447\nclick left\nframes 30\n";

std::string SaveInto(int row, const char* name) {
  return std::string(kMapSave) + "expect screen SaveScreen\nmoveto 280 " +
         std::to_string(178 + 16 * row) + "\nclick left\nframes 2\ntype " + name +
         "\nkey Enter\nframes 30\nexpect screen SaveScreen\nframes 60\nexpect screen NodeScreen\n";
}

TEST_F(MapShopScripts, ACampaignPlayedWithTheMouseSavesAndLoadsTheSameState) {
  std::string s = "frames 5\n";
  s += kNewGame;
  s += "expect screen NodeScreen\nframes 10\n";
  // Level 1, won with the cheat word; the shop opens after the fade-out.
  s += kMapPlay;
  s += "expect screen GameScreen\ntype completed\nframes 5\nkey Space\nframes 120\n";
  s += "expect screen ShopScreen\n";
  s += kWideBusterCell;
  s += kShopBuy;
  s += kShopBuy;
  s += kFirstSlot;
  s += kShopSell;
  s += kShopBack;
  s += "expect screen NodeScreen\nframes 40\n";
  // Level 3 opened with level 1: pick it, play it, give it up.
  s += ClickLevel(3, 20);
  s += kMapPlay;
  s += "expect screen GameScreen\ntype getmecredits\nframes 3\nkey Escape\nkey Y\nframes 3\n";
  s += "expect screen NodeScreen\n";
  // Escape from the shop and the save screen comes back to the map.
  s += kMapShop;
  s += "expect screen ShopScreen\nkey Escape\nframes 2\nexpect screen NodeScreen\n";
  s += kMapSave;
  s += "expect screen SaveScreen\nkey Escape\nframes 2\nexpect screen NodeScreen\n";
  s += SaveInto(0, "Pilot One");
  s += kMapBack;
  s += "expect screen MenuScreen\n";
  s += kLoadGame;
  s += "expect screen LoadScreen\nmoveto 280 178\nclick left\nframes 5\n";
  s += "expect screen NodeScreen\nframes 40\n";
  s += SaveInto(1, "Pilot Two");
  s += "key Escape\nframes 2\nexpect screen MenuScreen\nquit\n";
  ASSERT_EQ(Play(s), 0) << ReadText("err.txt");

  SaveRecord first, second;
  ASSERT_TRUE(ReadSave("run/game1.sav", &first));
  ASSERT_TRUE(ReadSave("run/game2.sav", &second));
  EXPECT_STREQ(first.name, "Pilot One");
  EXPECT_STREQ(second.name, "Pilot Two");
  const int wide = Price("ITEM_WIDE_BUSTER");
  ASSERT_GT(wide, 0);
  EXPECT_EQ(first.credits, 150 - 2 * wide + wide * 8 / 10) << "the lost level's credits are gone";
  EXPECT_EQ(first.lives, 8);
  EXPECT_EQ(first.inventory[0].id, ITEM_WIDE_BUSTER);
  EXPECT_EQ(first.inventory[0].count, 1);
  EXPECT_EQ(first.inventory[1].id, 0);
  EXPECT_EQ(first.completed[0], 1);
  EXPECT_EQ(first.completed[2], 0);
  int completed = 0;
  for (uint8_t c : first.completed) completed += c;
  EXPECT_EQ(completed, 1);

  // Loaded and saved again, the game is the same.
  EXPECT_EQ(second.credits, first.credits);
  EXPECT_EQ(second.score, first.score);
  EXPECT_EQ(second.lives, first.lives);
  EXPECT_EQ(std::memcmp(second.inventory, first.inventory, sizeof first.inventory), 0);
  EXPECT_EQ(std::memcmp(second.completed, first.completed, sizeof first.completed), 0);
}

TEST_F(MapShopScripts, APackThatReplacesALevelLeavesTheMapShopAndSavesAsTheyWere) {
  // Level 1 of the game, its header kept but for the name, on a field of
  // 30 rows with one row of blocks.
  FileBuffer original = ReadWholeFile("Episode1\\Levels\\Level01");
  ASSERT_TRUE(original);
  std::string header(reinterpret_cast<const char*>(original.get()), LastFileSize());
  const size_t height = header.find("Height = ");
  ASSERT_NE(height, std::string::npos);
  header.replace(height, header.find('\n', height) - height, "Height = 30");
  std::string map(30 * 20, '\0');
  for (int c = 0; c < 20; ++c) map[10 * 20 + c] = 1;
  std::string error;
  std::filesystem::create_directory("run/mods");
  ASSERT_TRUE(WritePackArchive("run/mods/short.dat",
                               {{"DATA\\Episode1\\Levels\\Level01", {header.begin(), header.end()}},
                                {"DATA\\Episode1\\Levels\\Level01.map", {map.begin(), map.end()}}},
                               &error))
      << error;

  std::string s = "frames 5\n";
  s += kNewGame;
  s += "expect screen NodeScreen\nframes 10\n";
  s += kMapPlay;
  s += "expect screen GameScreen\ndump 1 level.txt\nframes 2\ntype completed\nframes 5\n";
  s += "key Space\nframes 120\nexpect screen ShopScreen\n";
  s += kShopBack;
  s += "expect screen NodeScreen\nframes 40\n";
  s += SaveInto(0, "Pack pilot");
  s += "key Escape\nframes 2\nexpect screen MenuScreen\nquit\n";
  ASSERT_EQ(Play(s), 0) << ReadText("err.txt");

  const std::string level = ReadText("level.txt");
  EXPECT_EQ(level.rfind("frame ", 0), 0u) << level;
  EXPECT_NE(level.find(" blocks 20 "), std::string::npos) << "the pack's level: " << level;
  EXPECT_NE(ReadText("run/Log.txt").find("Pack 'mods/short.dat': 2 files\n"), std::string::npos);
  SaveRecord saved;
  ASSERT_TRUE(ReadSave("run/game1.sav", &saved));
  EXPECT_EQ(saved.completed[0], 1);
}

}  // namespace
}  // namespace vx
