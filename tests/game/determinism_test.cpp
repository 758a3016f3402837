#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "game/ball.h"
#include "game/enemies.h"
#include "game/falling_items.h"
#include "game/items.h"
#include "game/level_files.h"
#include "game/particles.h"
#include "game/playfield.h"
#include "game_fixture.h"

namespace vx {
namespace {

using test::GameTest;

// Plays a level for a number of frames in the order of the game update, with a
// scripted player that follows the lowest ball and switches items on at fixed
// frames, and returns a text dump of the state taken every 250 frames. Floats
// are printed in hex so that the dump compares bit for bit.
class Replay : public GameTest {
 protected:
  void WriteLevel() {
    std::string header =
        "[Level data]\nName = Replay\nHeight = 90\nScroll speed = 1\nMax blocks types = 3\n"
        "[Block type 1]\nHit counter = 1\nScore = 5\n"
        "[Block type 2]\nHit counter = 3\nScore = 20\n"
        "[Block type 3]\nHit counter = 0\nScore = 0\n";
    std::string map(90 * 20, '\0');
    for (int r = 0; r < 80; ++r)
      for (int c = 0; c < 20; ++c)
        if ((r * 7 + c * 3) % 5 != 0) map[r * 20 + c] = static_cast<char>(1 + (r + c) % 3);
    WriteHostFile("Episode1/Levels/Level12", header);
    WriteHostFile("Episode1/Levels/Level12.map", map);
  }

  static void AppendState(std::string& out) {
    const LevelState& L = g.level;
    char line[256];
    std::snprintf(line, sizeof line, "f%u s%d score%d cr%d lives%d blocks%d pad%d,%d rnd%08x\n",
                  g.frameCounter, L.scroll, g.player.score, g.player.credits, g.player.lives,
                  BlocksLeft(), L.paddle.x, L.paddle.y, gRandomState);
    out += line;
    for (const Ball& b : L.balls) {
      if (!b.active) continue;
      std::snprintf(line, sizeof line, " ball %a %a %a %a\n", b.x, b.y, b.angle, b.speed);
      out += line;
    }
    for (const Enemy& e : L.enemies) {
      if (!e.kind) continue;
      std::snprintf(line, sizeof line, " enemy %d %a %a %d\n", e.kind, e.x, e.y, e.state);
      out += line;
    }
    for (const FallingItem& f : L.items) {
      if (!f.kind) continue;
      std::snprintf(line, sizeof line, " item %d %d %d\n", f.kind, f.x, f.y);
      out += line;
    }
    std::snprintf(line, sizeof line, " particles %d backobjects %d\n", LiveParticles(),
                  LiveBackObjects());
    out += line;
  }

  std::string Play(uint32_t seconds, int frames) {
    ResetGame();
    PinSecondsNow(seconds);
    g.settings.scrollSpeed = 0;
    for (int id = 1; id < kItemCount; ++id) g.items[id].activeTime = 400;
    LoadLevel(12);
    g.player.inventory[0] = ItemSlot{ITEM_DETONATOR, 1, 0, 0, 0, 0};
    static const int kWords[] = {ITEM_CANNON,    ITEM_SHADOW, ITEM_BOMB,   ITEM_PIERCING,
                                 ITEM_RUBBER,    ITEM_ADD_BALL, ITEM_TIMEBOMB, ITEM_SHIELD,
                                 ITEM_CREDITS_ATTRACTOR, ITEM_WIDE_BUSTER, ITEM_INVISIBLE};
    std::string dump;
    for (int frame = 1; frame <= frames; ++frame) {
      ++g.frameCounter;
      LevelState& L = g.level;
      if (CheckLevelTop(true)) {
        dump += "won\n";
        break;
      }
      // Follow the lowest ball, or drift while one waits.
      const Ball* lowest = nullptr;
      for (const Ball& b : L.balls)
        if (b.active && (!lowest || b.y > lowest->y)) lowest = &b;
      int dx = lowest ? static_cast<int>(lowest->x) - L.paddle.x : (frame % 60 < 30 ? 5 : -5);
      dx = dx > 12 ? 12 : (dx < -12 ? -12 : dx);
      MovePaddleBy(dx, 0);
      if (L.ballWaiting && frame % 40 == 0) LaunchBall();
      if (frame % 10 == 0 && IsActive(ITEM_CANNON)) FireCannon();
      if (frame % 500 == 250) ActivateByWord(kWords[(frame / 500) % 11]);
      if (frame == 3000) UseSlot(0);
      if (L.ballWaiting) UpdateAim();
      if (CheckBallLost()) {
        dump += "lost\n";
        break;
      }
      for (int twice = 0; twice < 2; ++twice)
        for (Ball& b : L.balls)
          if (b.active) PaddleCollide(b);
      ScrollStep(MoveBalls());
      UpdateEnemies(true);
      UpdateFallingItems();
      TickItems();
      UpdateBullets();
      SpawnBackObject(2);
      for (BackObject& o : L.backObjects) {
        if (!o.active) continue;
        MoveBackObject(o);
        if (o.active && o.smashes) SmashUnder(o, 64, 48);
      }
      UpdateParticles();
      if (frame % 250 == 0) AppendState(dump);
    }
    AppendState(dump);
    return dump;
  }
};

TEST_F(Replay, SameSeedAndInputGiveTheSameGame) {
  WriteLevel();
  std::string first = Play(424242, 6000);
  if (std::getenv("VX_DUMP")) std::fputs(first.c_str(), stdout);
  std::string second = Play(424242, 6000);
  EXPECT_EQ(first, second);
  // The run did something worth comparing.
  EXPECT_GT(g.player.score, 500);
  EXPECT_NE(first.find(" enemy "), std::string::npos);
  EXPECT_NE(first.find(" item "), std::string::npos);

  std::string other = Play(424243, 6000);
  EXPECT_NE(first, other);
}

}  // namespace
}  // namespace vx
