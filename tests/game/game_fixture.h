// Gameplay tests run in a fresh temp folder (level files are loose files there,
// the log goes there) on the headless platform, whose calendar clock seeds the
// level loads, with a clean game record and small helpers to build fields.
#pragma once

#include <gtest/gtest.h>

#include "base/game_record.h"
#include "base/random.h"
#include "game/ball.h"
#include "game/enemies.h"
#include "game/falling_items.h"
#include "game/game_state.h"
#include "game/items.h"
#include "game/playfield.h"
#include "graphics/shared_art.h"
#include "platform/headless/headless_platform.h"
#include "resources/file_system.h"
#include "support/temp_dir.h"

namespace vx::test {

class GameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g = GameRecord();
    gGame = GameState();
    for (int id = 1; id < kItemCount; ++id) gGame.items[id].activeTime = 1000;
    for (TileSet& t : gArt.tileSets) t = TileSet{};
    UnregisterAllArchives();
    gPlatform = hp.platform();
    PinClock(1000);
    SeedRandom(1);
  }
  void TearDown() override {
    gPlatform = nullptr;
    UnregisterAllArchives();
  }
  void PinClock(uint32_t seconds) {
    hp.clock.calendarBase = seconds;
    hp.clock.now = 0;
  }

  // height empty rows scrolled by scroll; type 1 takes 2 hits for 10 points,
  // type 2 is solid.
  static void MakeField(int height, int scroll = 0) {
    LevelState& L = gGame.level;
    L.header.height = height;
    L.header.maxBlockTypes = 2;
    L.grid.assign(static_cast<size_t>(height) * kGridColumns, BlockCell());
    L.types[0] = BlockType{2, 10, {1, 2, 3, 4, 5}};
    L.types[1] = BlockType{0, 0, {6, 7, 8, 9, 10}};
    L.scroll = scroll;
    L.paddle = Paddle();
    L.paddle.y = 375;
    L.paddle.w = 80;
  }
  static BlockCell& Cell(int c, int r) {
    return gGame.level.grid[static_cast<size_t>(r) * kGridColumns + c];
  }
  static void PutBlock(int c, int r, int type, int content = 0) {
    Cell(c, r) = BlockCell{static_cast<uint16_t>(type),
                           static_cast<uint16_t>(gGame.level.types[type - 1].hitCounter),
                           static_cast<uint16_t>(content)};
  }
  static int BlocksLeft() {
    int n = 0;
    for (const BlockCell& c : gGame.level.grid) n += c.type != 0;
    return n;
  }
  // One frame in the order of the game update, with a scripted player: the
  // paddle follows the lowest ball and a waiting ball is launched every 40
  // frames. Returns false when the level has ended.
  static bool PlayFrame() {
    LevelState& L = gGame.level;
    int frame = static_cast<int>(++g.frameCounter);
    if (CheckLevelTop(true)) return false;
    const Ball* lowest = nullptr;
    for (const Ball& b : L.balls)
      if (b.active && (!lowest || b.y > lowest->y)) lowest = &b;
    int dx = lowest ? static_cast<int>(lowest->x) - L.paddle.x : (frame % 60 < 30 ? 5 : -5);
    MovePaddleBy(dx > 12 ? 12 : (dx < -12 ? -12 : dx), 0);
    if (L.ballWaiting && frame % 40 == 0) LaunchBall();
    if (frame % 10 == 0 && IsActive(ITEM_CANNON)) FireCannon();
    if (L.ballWaiting) UpdateAim();
    if (CheckBallLost()) return false;
    for (int twice = 0; twice < 2; ++twice)
      for (Ball& b : L.balls)
        if (b.active) PaddleCollide(b);
    ScrollStep(MoveBalls());
    UpdateEnemies(true);
    UpdateFallingItems();
    TickItems();
    UpdateBullets();
    return true;
  }

  static int ActiveBalls() {
    int n = 0;
    for (const Ball& b : gGame.level.balls) n += b.active;
    return n;
  }

  TempDir dir_;
  HeadlessPlatform hp;
};

}  // namespace vx::test
