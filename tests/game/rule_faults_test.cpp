// Faults in the rules of play that a player could reach, each driven through
// the real rules or the real screens on the headless platform.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "campaign/campaign_start.h"
#include "campaign/hiscore_screen.h"
#include "campaign/save_game.h"
#include "campaign/screen_fixture.h"
#include "game/angles.h"
#include "game/ball.h"
#include "game/game_state.h"
#include "game/items.h"
#include "game/level_files.h"
#include "game/level_start.h"
#include "game/particles.h"
#include "game/playfield.h"
#include "game_fixture.h"

namespace vx {
namespace {

// --- the rules alone --------------------------------------------------------

class RuleFaults : public test::GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    MakeField(60);
  }
};

class FreeFlight : public RuleFaults {
 protected:
  // One frame in the order of the game update: the paddle moves, the paddle
  // test runs twice, the balls move.
  static void ShipFrame(int dx, int dy) {
    ++g.frameCounter;
    MovePaddleBy(dx, dy);
    for (int twice = 0; twice < 2; ++twice)
      for (Ball& b : gGame.level.balls)
        if (b.active) PaddleCollide(b);
    MoveBalls();
  }
  // A ball falling at speed 5 meets the ship flying up from the bottom line
  // by rise pixels a frame. Returns how many of 200 start positions (a spread
  // of heights, columns and downward angles) went through the ship.
  static int PassesThroughRisingShip(int rise) {
    int passed = 0;
    for (int i = 0; i < 200; ++i) {
      MakeField(60);
      for (Ball& old : gGame.level.balls) old = Ball();
      for (ItemSlot& s : gGame.level.wordEffects) s = ItemSlot();
      ActivateByWord(ITEM_FREE_FLY);
      MovePaddleBy(0, 0);
      float x = static_cast<float>(310 + (i * 13) % 21);
      float y = 250 + 0.5f * static_cast<float>(i);
      AddBall(x, y, static_cast<float>(250 + (i % 5) * 10), 5);
      Ball& b = gGame.level.balls[0];
      for (int f = 0; f < 100 && b.active && MovesDown(b.angle); ++f) ShipFrame(0, -rise);
      if (!b.active || MovesDown(b.angle)) ++passed;
    }
    return passed;
  }
};

TEST_F(FreeFlight, AFlyingShipMeetsEveryBallOnItsWayUp) {
  // The arrow keys move the ship by 7 pixels a frame; a quick mouse by 20.
  int arrows = PassesThroughRisingShip(7);
  int mouse = PassesThroughRisingShip(20);
  std::printf("[ measure  ] balls through a rising ship: arrows %d of 200, mouse %d of 200\n",
              arrows, mouse);
  EXPECT_EQ(arrows, 0);
  EXPECT_EQ(mouse, 0);
}

TEST_F(FreeFlight, TheShipSweepPushesTheBallAlongAndOnlyWithFreeFlight) {
  ActivateByWord(ITEM_FREE_FLY);
  Paddle& P = gGame.level.paddle;
  MovePaddleBy(0, 0);
  AddBall(330, 360, 270, 5);  // 15 pixels above the ship's line, 5 above its band
  Ball& b = gGame.level.balls[0];
  MovePaddleBy(0, -20);  // the ship's line now lies 5 pixels above the ball
  PaddleCollide(b);
  // Reflected by where it met the ship (75 degrees), then bent by the ship's
  // movement as any ball on a rising ship is.
  Vec2 d = Dir(90 - 10 * 60 / 40.0f);
  EXPECT_NEAR(b.angle, AngleOf({d.x * 5, d.y * 5 - 20 / 16.0f}), 1e-3f);
  EXPECT_EQ(b.y, static_cast<float>(P.y)) << "left on the ship's line, not behind it";

  // Sideways the sweep counts too while flying: a ship that jumped over a
  // ball beside it has met it.
  for (Ball& old : gGame.level.balls) old = Ball();
  MovePaddleBy(0, 0);
  AddBall(static_cast<float>(P.x + 50), static_cast<float>(P.y - 3), 270, 3);
  MovePaddleBy(100, 0);
  PaddleCollide(gGame.level.balls[0]);
  EXPECT_FALSE(MovesDown(gGame.level.balls[0].angle));

  // Without Free Flight only where the ship stands counts, as always.
  for (ItemSlot& s : gGame.level.wordEffects) s = ItemSlot();
  for (Ball& old : gGame.level.balls) old = Ball();
  MovePaddleBy(-100, 0);
  ASSERT_EQ(P.mayFly, 0);
  AddBall(static_cast<float>(P.x + 50), static_cast<float>(P.y - 3), 270, 3);
  MovePaddleBy(100, 0);
  PaddleCollide(gGame.level.balls[0]);
  EXPECT_EQ(gGame.level.balls[0].angle, 270);
}

TEST_F(RuleFaults, BombBallNeverTurnsASolidBlockIntoABreakableOne) {
  // Scrolled 8 pixels into a row: row top + 25 shows at the bottom of the
  // window, just below the rows the explosion looks at.
  MakeField(60, 16 * 20 + 8);
  const int r = 20 + 25;
  PutBlock(10, r, 2);
  ActivateByWord(ITEM_BOMB);
  AddBall(336, 391, 270, 1);  // one step down enters the solid block
  Ball& b = gGame.level.balls[0];
  MoveBalls();
  EXPECT_FALSE(IsActive(ITEM_BOMB)) << "the bomb went off";
  ASSERT_EQ(Cell(10, r).type, 2) << "out of the explosion's reach";
  EXPECT_EQ(Cell(10, r).hits, 0) << "still solid";
  // A piercing ball breaks any block with hits left, but never a solid one.
  ActivateByWord(ITEM_PIERCING);
  b.angle = 270;
  b.y = 391;
  MoveBalls();
  EXPECT_EQ(Cell(10, r).type, 2);

  // Within reach the explosion still removes the solid block it was set off on.
  MakeField(60, 16 * 20 + 8);
  for (ItemSlot& s : gGame.level.wordEffects) s = ItemSlot();
  PutBlock(10, 30, 2);
  ActivateByWord(ITEM_BOMB);
  for (Ball& old : gGame.level.balls) old = Ball();
  AddBall(336, 16 * 31 - 328, 90, 1);  // one step up enters row 30
  MoveBalls();
  EXPECT_EQ(Cell(10, 30).type, 0);
}

TEST_F(RuleFaults, AnItemThatCanDoNothingNowStaysInItsSlot) {
  AddToInventory(ITEM_ADD_BALL);
  AddToInventory(ITEM_INCREASE_SPEED);
  AddToInventory(ITEM_DECREASE_SPEED);
  const ItemSlot* inv = gGame.player.inventory;
  gGame.level.ballWaiting = 1;
  for (int i = 0; i < 3; ++i) UseSlot(i);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(inv[i].count, 1) << "slot " << i << ": nothing to act on while the ball waits";
    EXPECT_EQ(inv[i].active, 0) << i;
  }

  LaunchBall();
  UseSlot(0);
  EXPECT_EQ(ActiveBalls(), 2) << "Twin Ball splits the ball in play";
  EXPECT_EQ(inv[0].count, 0);

  // Every ball slot taken: Twin Ball waits; speeds at their limits: so do the others.
  AddToInventory(ITEM_ADD_BALL);
  for (Ball& b : gGame.level.balls) {
    b.active = 1;
    b.speed = 5;
  }
  UseSlot(0);
  UseSlot(1);
  EXPECT_EQ(inv[0].count, 1);
  EXPECT_EQ(inv[1].count, 1);
  gGame.level.balls[3].speed = 4.9f;
  UseSlot(1);
  EXPECT_EQ(inv[1].count, 0) << "one ball below the top speed is enough";
  for (Ball& b : gGame.level.balls) b.speed = 2;
  UseSlot(2);
  EXPECT_EQ(inv[2].count, 1);
  gGame.level.balls[7].speed = 2.1f;
  UseSlot(2);
  EXPECT_EQ(inv[2].count, 0);
}

TEST_F(RuleFaults, ScrollSpeedIsReadWithinOneToAThousand) {
  const struct {
    const char* value;
    int speed;
    bool logged;
  } cases[] = {{"0", 1, true}, {"-7", 1, true}, {"1", 1, false}, {"1000", 1000, false},
               {"1001", 1000, true}};
  for (const auto& c : cases) {
    test::WriteText("Episode1/Levels/Level03",
                    std::string("[Level data]\nHeight = 40\nScroll speed = ") + c.value + "\n");
    LoadLevel(3);
    EXPECT_EQ(gGame.level.header.scrollSpeed, c.speed) << c.value;
    std::string line = std::string("Scroll speed = ") + c.value + " out of range, using " +
                       std::to_string(c.speed);
    EXPECT_EQ(test::ReadText("Log.txt").find(line) != std::string::npos, c.logged) << c.value;
  }
}

// --- the real screens -------------------------------------------------------

class ScreenRuleFaults : public test::ScreenTest {
 protected:
  // A field of 40 rows with breakable blocks in the rows on show at the start.
  void StartBandLevel() {
    std::string map(40 * 20, '\0');
    for (int r = 20; r <= 30; ++r)
      for (int c = 0; c < 20; ++c) map[static_cast<size_t>(r) * 20 + c] = 1;
    test::WriteText("Episode1/Levels/Level01",
                    "[Level data]\nHeight = 40\nScroll speed = 1\nMax blocks types = 1\n"
                    "[Block type 1]\nHit counter = 1\nScore = 10\n");
    test::WriteText("Episode1/Levels/Level01.map", map);
    Enter(g.screens.menu);
    ASSERT_EQ(StartLevelDirect(1), 1);
    Frame(3);
  }
};

class CheatFlag : public ScreenRuleFaults {
 protected:
  // New Game from the main menu, or the campaign on show, and its level 1
  // from the world map.
  void PlayFirstLevel(bool newGame) {
    if (newGame) {
      Enter(g.screens.menu);
      StartCampaign(1);
    }
    ASSERT_EQ(g.currentScreen, g.screens.node);
    Frame(31);
    Click(108, 404);
    ASSERT_EQ(g.currentScreen, g.screens.game);
  }
  // Whether a final score of the campaign now played enters the table, as the
  // ending offers it; back to the menu afterwards.
  bool FinalScoreEnters() {
    gGame.player.score = 999999;
    HiscoreScreen::SetNewScore(1);
    SwitchTo(g.screens.hiscore, 0);
    bool entered = static_cast<HiscoreScreen*>(g.screens.hiscore)->nameEntry != 0;
    HiscoreScreen::SetNewScore(0);
    ReturnToRoot();
    return entered;
  }
};

TEST_F(CheatFlag, ACheatBarsTheScoreOfItsOwnCampaignOnly) {
  ASSERT_EQ(SaveGame(0, "Clean"), 1);
  PlayFirstLevel(true);
  Type("ball");
  Key(KEY_ESCAPE);
  Key(KEY_Y);  // the level is rolled back: the life is taken away again
  ASSERT_EQ(g.currentScreen, g.screens.node);
  EXPECT_EQ(gGame.player.lives, 8);
  EXPECT_FALSE(FinalScoreEnters()) << "the cheat still counts for its own campaign";

  // A saved game that never cheated, loaded after it.
  SwitchTo(g.screens.load, 0);
  Click(260, 170 + 8);
  ASSERT_EQ(g.currentScreen, g.screens.node);
  EXPECT_TRUE(FinalScoreEnters()) << "a loaded campaign starts clean";

  // A new campaign after a cheat.
  PlayFirstLevel(true);
  Type("getmescores");
  Key(KEY_ESCAPE);
  Key(KEY_Y);
  ReturnToRoot();
  StartCampaign(1);
  EXPECT_TRUE(FinalScoreEnters()) << "a new campaign starts clean";
}

class StandingStill : public ScreenRuleFaults {
 protected:
  // Everything in a level that a moving thing could change.
  struct Still {
    std::vector<int> cells;
    std::vector<float> moving;
    int score, credits;
    bool operator==(const Still& o) const {
      return cells == o.cells && moving == o.moving && score == o.score && credits == o.credits;
    }
  };
  static Still Take() {
    const LevelState& L = gGame.level;
    Still s;
    for (const BlockCell& c : L.grid) s.cells.push_back(c.type * 65536 + c.hits);
    for (const BackObject& o : L.backObjects) s.moving.insert(s.moving.end(), {o.x, o.y});
    for (const Particle& p : L.particles)
      s.moving.insert(s.moving.end(), {p.x, p.y, static_cast<float>(p.life)});
    for (const Ball& b : L.balls) s.moving.insert(s.moving.end(), {b.x, b.y});
    s.score = gGame.player.score;
    s.credits = gGame.player.credits;
    return s;
  }
  // A block-smashing background object over the blocks and a burst of
  // particles, then 150 frames: nothing of it may have changed.
  void ExpectStandingStill(const char* state) {
    BackObject& o = gGame.level.backObjects[0];
    o = BackObject{true, true, 0, 60, 40, 3, 0};
    SpawnBurst(300, 200, 20, 3, 4);
    Still before = Take();
    Frame(150);
    EXPECT_TRUE(Take() == before) << state;
    EXPECT_EQ(o.x, 60) << state;
  }
};

TEST_F(StandingStill, NothingMovesWhilePausedAskingOrEnded) {
  StartBandLevel();
  Key(KEY_PAUSE);
  ASSERT_EQ(gGame.level.paused, 1);
  ExpectStandingStill("paused");
  Key(KEY_PAUSE);
  Frame(20);
  EXPECT_GT(gGame.player.score, 0) << "at play the smashing object does break blocks";
  EXPECT_GT(gGame.level.backObjects[0].x, 60);

  Key(KEY_ESCAPE);
  ASSERT_EQ(gGame.level.quitRequest, 1);
  ExpectStandingStill("asking");
  Key(KEY_N);

  Type("completed");
  Frame();
  ASSERT_EQ(gGame.level.levelEnded, 1);
  ExpectStandingStill("ended");
}

TEST_F(ScreenRuleFaults, TheAimLineShowsWheneverTheLaunchIsAimed) {
  StartBandLevel();
  // Blue points along the line from the ship in the aim direction.
  auto blueOnLine = [] {
    const LevelState& L = gGame.level;
    Vec2 d = Dir(L.aimAngle);
    int hits = 0;
    for (int t = 60; t <= 180; t += 40) {
      int x = static_cast<int>(static_cast<float>(L.paddle.x) + static_cast<float>(t) * d.x);
      int y = static_cast<int>(static_cast<float>(L.paddle.y) + static_cast<float>(t) * d.y);
      bool found = false;
      for (int yy = y - 1; yy <= y + 1; ++yy)
        for (int xx = x - 1; xx <= x + 1; ++xx)
          found = found || Graphics::BackBuffer()->Row(yy)[xx] == StandardColors[6];
      hits += found;
    }
    return hits;
  };
  ASSERT_EQ(gGame.level.ballWaiting, 1);
  EXPECT_EQ(blueOnLine(), 0) << "an unaimed launch shows no line";
  for (int item : {ITEM_RUBBER, ITEM_TIMEBOMB}) {
    for (ItemSlot& s : gGame.level.wordEffects) s = ItemSlot();
    ActivateByWord(item);
    Frame();
    EXPECT_EQ(blueOnLine(), 4) << ItemSection(item) << " alone aims the launch";
  }
}

}  // namespace
}  // namespace vx
