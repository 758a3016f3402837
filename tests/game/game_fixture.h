// Shared set-up of the gameplay tests: a fresh temp folder as working directory
// (level files are loose files there, the log goes there), a clean game record,
// a pinned clock for the level seeds and small helpers to build fields.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/game_record.h"
#include "app/random.h"
#include "game/items.h"
#include "graphics/shared_art.h"
#include "resources/file_system.h"

namespace vx::test {

class GameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vx-game-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    ASSERT_NE(getcwd(oldCwd_, sizeof oldCwd_), nullptr);
    ASSERT_EQ(chdir(dir_.c_str()), 0);
    UnregisterAllArchives();
    ResetGame();
    PinSecondsNow(1000);
  }
  void TearDown() override {
    UnpinSecondsNow();
    UnregisterAllArchives();
    std::error_code ignored;
    if (chdir(oldCwd_) == 0) std::filesystem::remove_all(dir_, ignored);
  }

  static void ResetGame() {
    g.level = LevelState();
    g.player = PlayerRecord();
    for (MapNode& n : g.campaign) n = MapNode();
    for (ItemInfo& i : g.items) i = ItemInfo();
    for (int id = 1; id < kItemCount; ++id) g.items[id].activeTime = 1000;
    g.settings = Settings();
    g.frameCounter = 0;
    g.screenWidth = 640;
    g.screenHeight = 480;
    for (TileSet& t : gArt.tileSets) {
      t.count = 0;
      for (int32_t& f : t.freq) f = 0;
    }
    for (int32_t& n : gArt.backObjectCount) n = 0;
    SeedRandom(1);
  }

  // A field of height rows, scrolled so that row 0 is at the window top, with
  // type 1 (2 hits, 10 points) and type 2 (indestructible, 0 points).
  static void MakeField(int height, int scroll = 0) {
    LevelState& L = g.level;
    L.header.height = height;
    L.header.scrollSpeed = 1;
    L.header.maxBlockTypes = 2;
    L.grid.assign(static_cast<size_t>(height) * kGridColumns, BlockCell());
    L.types[0] = BlockType{2, 10, {1, 2, 3, 4, 5}};
    L.types[1] = BlockType{0, 0, {6, 7, 8, 9, 10}};
    L.scroll = scroll;
    L.backRows = height * 16 / 64 + 1;
    L.backTiles.assign(static_cast<size_t>(L.backRows) * 10, 0);
  }

  static BlockCell& Cell(int c, int r) {
    return g.level.grid[static_cast<size_t>(r) * kGridColumns + c];
  }
  static void PutBlock(int c, int r, int type, int content = 0) {
    BlockCell& cell = Cell(c, r);
    cell.type = static_cast<uint16_t>(type);
    cell.hits = static_cast<uint16_t>(g.level.types[type - 1].hitCounter);
    cell.content = static_cast<uint16_t>(content);
  }
  static int BlocksLeft() {
    int n = 0;
    for (const BlockCell& c : g.level.grid) n += c.type != 0;
    return n;
  }
  // Switches an item on through the word-effect list (as the cheat words do).
  static void Switch(int id) { ActivateByWord(id); }
  static int ActiveBalls() {
    int n = 0;
    for (const Ball& b : g.level.balls) n += b.active;
    return n;
  }

  static void WriteHostFile(const std::string& rel, const std::string& bytes) {
    for (size_t i = 1; i < rel.size(); ++i)
      if (rel[i] == '/') mkdir(rel.substr(0, i).c_str(), 0755);
    FILE* f = std::fopen(rel.c_str(), "wb");
    ASSERT_NE(f, nullptr) << rel;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  static std::string ReadHostFile(const std::string& rel) {
    std::string out;
    FILE* f = std::fopen(rel.c_str(), "rb");
    if (!f) return out;
    char chunk[4096];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) out.append(chunk, n);
    std::fclose(f);
    return out;
  }
  static std::string LogText() { return ReadHostFile("Log.txt"); }

  std::string dir_;
  char oldCwd_[4096] = {};
};

}  // namespace vx::test
