#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "game/game_state.h"
#include "game/level_files.h"
#include "game/particles.h"
#include "game_fixture.h"

namespace vx {
namespace {

// Plays a level with the scripted player, who also switches items on at fixed
// frames, and the background objects. The state is dumped every 250 frames,
// floats in hex so that the dumps compare bit for bit.
class Replay : public test::GameTest {
 protected:
  static void WriteLevel() {
    std::string map(90 * 20, '\0');
    for (int r = 0; r < 80; ++r)
      for (int c = 0; c < 20; ++c)
        if ((r * 7 + c * 3) % 5 != 0) map[r * 20 + c] = static_cast<char>(1 + (r + c) % 3);
    test::WriteText("Episode1/Levels/Level12",
                    "[Level data]\nHeight = 90\nMax blocks types = 3\n"
                    "[Block type 1]\nScore = 5\n[Block type 2]\nHit counter = 3\nScore = 20\n"
                    "[Block type 3]\nHit counter = 0\n");
    test::WriteText("Episode1/Levels/Level12.map", map);
  }

  static void Dump(std::string& out) {
    const LevelState& L = gGame.level;
    char line[160];
    std::snprintf(line, sizeof line, "f%u s%d score%d cr%d lives%d blocks%d pad%d rnd%08x\n",
                  g.frameCounter, L.scroll, gGame.player.score, gGame.player.credits, gGame.player.lives,
                  BlocksLeft(), L.paddle.x, gRandomState);
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
    std::snprintf(line, sizeof line, " particles %d objects %d\n", LiveParticles(),
                  LiveBackObjects());
    out += line;
  }

  std::string Play(uint32_t seconds) {
    g = GameRecord();
    gGame = GameState();
    for (int id = 1; id < kItemCount; ++id) gGame.items[id].activeTime = 400;
    g.settings.scrollSpeed = 0;
    PinClock(seconds);
    LoadLevel(12);
    gGame.player.inventory[0] = ItemSlot{ITEM_DETONATOR, 1, 0, 0, 0, 0};
    static const int kWords[] = {ITEM_CANNON, ITEM_SHADOW,   ITEM_BOMB,   ITEM_PIERCING,
                                 ITEM_RUBBER, ITEM_ADD_BALL, ITEM_TIMEBOMB, ITEM_SHIELD,
                                 ITEM_CREDITS_ATTRACTOR, ITEM_WIDE_BUSTER, ITEM_INVISIBLE};
    std::string dump;
    LevelState& L = gGame.level;
    for (int frame = 1; frame <= 6000; ++frame) {
      if (frame % 500 == 250) ActivateByWord(kWords[(frame / 500) % 11]);
      if (frame == 3000) UseSlot(0);
      if (!PlayFrame()) break;
      SpawnBackObject(2);
      for (BackObject& o : L.backObjects) {
        if (!o.active) continue;
        MoveBackObject(o);
        if (o.active && o.smashes) SmashUnder(o, 64, 48);
      }
      UpdateParticles();
      if (frame % 250 == 0) Dump(dump);
    }
    Dump(dump);
    return dump;
  }
};

TEST_F(Replay, SameSeedAndInputGiveTheSameGame) {
  WriteLevel();
  std::string first = Play(424242);
  EXPECT_EQ(Play(424242), first);
  // The run did something worth comparing.
  EXPECT_GT(gGame.player.score, 500);
  EXPECT_NE(first.find(" enemy "), std::string::npos);
  EXPECT_NE(first.find(" item "), std::string::npos);
  EXPECT_NE(Play(424243), first);
}

}  // namespace
}  // namespace vx
