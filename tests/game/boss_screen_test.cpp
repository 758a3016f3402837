// The boss fight on the headless platform with the real data set: its drift,
// missiles, hits, the hit-point bar, the defeat with its tally and the ways the
// fight ends.
#include <array>
#include <cmath>

#include "game/angles.h"
#include "game/boss_screen.h"
#include "game/game_state.h"
#include "game/game_update.h"
#include "game/message_panel.h"
#include "game/play_state.h"
#include "game_screen_fixture.h"
#include "graphics/graphics.h"
#include "graphics/shared_art.h"
#include "support/text_ink.h"

namespace vx {
namespace {

using test::GameScreenTest;

BossScreen& Boss() { return *static_cast<BossScreen*>(g.screens.boss); }

class BossFight : public GameScreenTest {
 protected:
  Step Enter() {
    return [] { ASSERT_EQ(SwitchTo(g.screens.boss, 0), 1); };
  }
  // A ball in play at (x, y) flying at angle.
  static Ball& PutBall(float x, float y, float angle, float speed) {
    gGame.level.ballWaiting = 0;
    Ball& b = gGame.level.balls[0];
    b = Ball();
    b.active = 1;
    b.x = b.prevX = x;
    b.y = b.prevY = y;
    b.angle = angle;
    b.speed = speed;
    return b;
  }
};

TEST_F(BossFight, AFightStartsFromAClearedFieldWithABallOnThePaddle) {
  Run({[&] {
         gGame.level.grid.assign(40 * 20, BlockCell{1, 1, 0});
         gGame.level.header.height = 40;
         gGame.level.balls[3].active = gGame.level.enemies[2].kind = gGame.level.bullets[5].active = 1;
         gGame.level.paddle = Paddle{100, 300, 80, 10, 0, 0, 0, 0, 50, 0};
         gGame.level.levelEnded = gGame.level.levelFailed = gGame.level.quitRequest = 1;
         gGame.player.inventory[0] = ItemSlot{ITEM_CANNON, 1, 1, 100, 100, 0};
       },
       Enter(),
       [&] {
         EXPECT_EQ(Boss().hitPoints, 300);
         EXPECT_EQ(Boss().scroll, 10000000 - 1);
         EXPECT_EQ(gGame.level.paddle.x, 320);
         EXPECT_EQ(gGame.level.paddle.freeze, 0);
         EXPECT_EQ(gGame.level.ballWaiting, 1);
         EXPECT_EQ(gGame.level.levelEnded + gGame.level.levelFailed + gGame.level.quitRequest, 0);
         for (const BlockCell& cell : gGame.level.grid) ASSERT_EQ(cell.type, 0);
         EXPECT_EQ(gGame.level.balls[3].active + gGame.level.enemies[2].kind + gGame.level.bullets[5].active, 0);
         EXPECT_EQ(gGame.player.inventory[0].active, 0) << "the slot's activation is off";
         EXPECT_EQ(gGame.player.inventory[0].count, 1) << "the item itself is kept";
         for (uint8_t t : gBossSea) ASSERT_LT(t, gArt.tileSets[gGame.level.tileSet].count);
       }});
}

TEST(BossSea, TilesFollowTheirWeightsAndBadWeightsStayInRange) {
  // The draw walks down the weights while something is left of it, so a draw
  // of 0 stops at tile 0 whatever its weight.
  int32_t one[32] = {}, negative[32];
  one[7] = 5;
  int seen[33] = {};
  for (int i = 0; i < 1000; ++i) ++seen[BossScreen::DrawSeaTile(one)];
  EXPECT_EQ(seen[0] + seen[7], 1000);
  EXPECT_GT(seen[7], 700);
  // Negative weights (a hostile "Tiles.ini") give at most 32, left undrawn.
  for (int32_t& w : negative) w = -3;
  EXPECT_EQ(BossScreen::DrawSeaTile(negative), 32);
}

TEST(BossMoves, TheBossKeepsToItsBoxAndTurnsAtEachEdge) {
  BossScreen b;
  b.x = 538, b.y = 279, b.vx = 3.5f, b.vy = 2.0f;
  b.MoveBoss();
  EXPECT_EQ(b.x, 540);
  EXPECT_EQ(b.y, 280);
  EXPECT_FLOAT_EQ(b.vx, -3.5f);
  EXPECT_FLOAT_EQ(b.vy, -2.0f);
  b.x = 101, b.y = 101;
  b.MoveBoss();
  EXPECT_EQ(b.x, 100);
  EXPECT_EQ(b.y, 100);
  EXPECT_FLOAT_EQ(b.vx, 3.5f);
  EXPECT_FLOAT_EQ(b.vy, 2.0f);
  for (int i = 0; i < 5000; ++i) {
    b.MoveBoss();
    ASSERT_TRUE(b.x >= 100 && b.x <= 540 && b.y >= 100 && b.y <= 280) << b.x << "," << b.y;
  }
}

TEST_F(BossFight, OnlyTwoMissilesFlyAndEachKeepsItsSlotUntilItLeavesTheScreen) {
  Run({Enter(), [&] {
         BossScreen& b = Boss();
         b.x = 320;
         b.y = 200;
         gGame.level.paddle.x = 360;  // right under the first muzzle
         gGame.level.paddle.y = 375;
         for (int i = 0; i < 10; ++i) b.LaunchMissiles();
         ASSERT_EQ(b.missiles[0].active + b.missiles[1].active, 2u);
         EXPECT_FLOAT_EQ(b.missiles[0].x, 360);
         EXPECT_FLOAT_EQ(b.missiles[1].x, 280);
         EXPECT_FLOAT_EQ(b.missiles[0].y, 240);
         const float speed = std::hypot(b.missiles[1].vx, b.missiles[1].vy);
         EXPECT_NEAR(speed, 80, 1e-3);
         EXPECT_FLOAT_EQ(b.missiles[0].vx, 0);
         EXPECT_FLOAT_EQ(b.missiles[0].vy, 80);

         // Straight down at 80 / 12 pixels a frame onto the paddle line.
         bool froze = false;
         for (int i = 0; i < 40 && b.missiles[0].active; ++i) {
           b.MoveMissiles();
           if (gGame.level.paddle.freeze == 100 && !froze) {
             froze = true;
             EXPECT_EQ(b.missiles[0].active, 1u) << "it flies on after freezing the paddle";
             b.LaunchMissiles();
             EXPECT_NEAR(b.missiles[0].y, 240 + (i + 1) * 80.0f / 12, 1e-3) << "no new missile";
           }
         }
         EXPECT_TRUE(froze);
         EXPECT_EQ(b.missiles[0].active, 0u) << "gone at the bottom of the screen";
         b.LaunchMissiles();
         EXPECT_EQ(b.missiles[0].active, 1u) << "its slot is free again";
         EXPECT_FLOAT_EQ(b.missiles[0].y, 240);
       }});
}

TEST_F(BossFight, ABallInTheEdgeBandCostsOnePointPerSubStepWithAHit) {
  Run({Enter(), [&] {
         BossScreen& b = Boss();
         b.x = 320;
         b.y = 240;  // box 280 .. 360, 200 .. 280
         b.hitPoints = 300;
         // Up into the bottom edge: one hit, pushed out below, turned down.
         Ball& ball = PutBall(320, 280.5f, 90, 4.0f);
         b.HitByBalls();
         EXPECT_EQ(b.hitPoints, 299);
         EXPECT_GT(ball.y, 280);
         EXPECT_TRUE(MovesDown(ball.angle)) << ball.angle;

         // Into a corner, where the side and the floor rule both apply:
         // still one point for the sub-step.
         PutBall(358.5f, 278.5f, 0, 1.0f);
         b.HitByBalls();
         EXPECT_EQ(b.hitPoints, 298);

         // Sideways along the band from the left: one hit, then away.
         Ball& side = PutBall(279.5f, 250, 0, 3.0f);
         b.HitByBalls();
         EXPECT_EQ(b.hitPoints, 297);
         EXPECT_LT(side.x, 280);

         // Inside the box, clear of the bands, and outside it: nothing, but
         // the sub-steps move the ball on top of its own movement.
         PutBall(320, 240, 45, 3.0f);
         b.HitByBalls();
         Ball& away = PutBall(200, 240, 90, 3.0f);
         b.HitByBalls();
         EXPECT_FLOAT_EQ(away.y, 237);
         EXPECT_EQ(b.hitPoints, 297);
       }});
}

TEST_F(BossFight, BulletsCostOnePointOnlyWhenInsideTheBox) {
  Run({Enter(), [&] {
         BossScreen& b = Boss();
         b.x = 320;
         b.y = 240;
         b.hitPoints = 300;
         Bullet* bullets = gGame.level.bullets;
         bullets[0] = Bullet{1, 280, 200};  // top-left corner: inside
         bullets[1] = Bullet{1, 359, 279};  // bottom-right: inside
         bullets[2] = Bullet{1, 360, 240};  // right edge: outside
         bullets[3] = Bullet{1, 320, 280};  // bottom edge: outside
         bullets[4] = Bullet{1, 279, 240};  // a miss
         b.HitByBullets();
         EXPECT_EQ(b.hitPoints, 298);
         EXPECT_EQ(bullets[0].active + bullets[1].active, 0);
         EXPECT_EQ(bullets[2].active + bullets[3].active + bullets[4].active, 3);
       }});
}

TEST_F(BossFight, TheBarShowsTheHitPointsLeftInItsSteelCasing) {
  EXPECT_EQ(BossScreen::HitPointBarWidth(0), 0);
  EXPECT_EQ(BossScreen::HitPointBarWidth(300), 200);
  EXPECT_EQ(BossScreen::HitPointBarWidth(-3), 0) << "hits past the last point";
  Run({Enter(), [&] {
         Boss().hitPoints = 150;
         Boss().y = 270;  // keep the boss clear of the bar
         Boss().vy = 1;
       },
       [&] {
         const auto rgb = [&](int x, int y) {
           uint8_t c[3];
           PixelToRgb(hp.display.frame[y * 640 + x], &c[0], &c[1], &c[2]);
           return std::array<int, 3>{c[0], c[1], c[2]};
         };
         // Half full: blue fill from 230 to 329, the dark trough from 330 to 429.
         for (int x : {230, 280, 329}) {
           const auto c = rgb(x, 75);
           EXPECT_GT(c[2], 150) << x;
           EXPECT_GT(c[2], c[0] + 60) << x;
         }
         for (int x : {330, 380, 429}) {
           const auto c = rgb(x, 75);
           EXPECT_LT(c[0] + c[1] + c[2], 60) << x;
         }
         // The casing's light steel above the trough, on the sea's dark.
         const auto steel = rgb(330, 64);
         EXPECT_GT(steel[0] + steel[1] + steel[2], 300);
       }});
}

TEST_F(BossFight, TheAttackRoutineRunsItsSequencesAndFires) {
  // Watch the states the boss passes through and its missiles.
  std::vector<int> states;
  bool fired = false;
  std::vector<Step> steps = {Enter()};
  for (int i = 0; i < 600; ++i)
    steps.push_back([&] {
      if (states.empty() || states.back() != Boss().state) states.push_back(Boss().state);
      fired = fired || Boss().missiles[0].active || Boss().missiles[1].active;
    });
  Run(steps);
  // Wait, Arm, Freeze, Fire, Reload, Wait, ...
  const int order[] = {BOSS_WAIT, BOSS_ARM, BOSS_FREEZE, BOSS_FIRE, BOSS_RELOAD};
  ASSERT_GE(states.size(), 6u);
  for (size_t i = 0; i < states.size(); ++i) EXPECT_EQ(states[i], order[i % 5]) << i;
  EXPECT_TRUE(fired);
}

TEST_F(BossFight, ABeatenBossWaitsForTheAnswerThenTheEndingFollowsAHundredFramesLater) {
  int defeatedAt = -1, shownAt = -1, answeredAt = -1, endedAt = -1, frame = 0;
  std::vector<Step> steps = {Enter(), [&] {
                               gGame.player.credits = 0;
                               gGame.player.lives = 0;
                               Down(KEY_D);
                             },
                             [&] { Up(KEY_D); }};
  for (int i = 0; i < 400; ++i)
    steps.push_back([&] {
      ++frame;
      if (defeatedAt < 0 && Boss().state == BOSS_DEFEATED) {
        defeatedAt = frame;
        EXPECT_EQ(Boss().hitPoints, 0);
        // The last ball falls out while the boss explodes: the fight stays won.
        gGame.level.ballWaiting = 0;
      }
      if (shownAt < 0 && MessageShown(MESSAGE_BOSS_BEATEN)) shownAt = frame;
      EXPECT_EQ(gGame.level.levelEnded, 0);
      if (endedAt < 0 && CurrentName() == "HappyScreen") endedAt = frame;
    });
  // Nothing but the message while the player has not answered.
  steps.push_back([&] {
    EXPECT_EQ(CurrentName(), "BossScreen");
    EXPECT_EQ(gPlay.bossWaiting, 1);
    Down(KEY_SPACE);
  });
  steps.push_back([&] { Up(KEY_SPACE); });
  for (int i = 0; i < 130; ++i)
    steps.push_back([&] {
      ++frame;
      if (answeredAt < 0 && !gPlay.bossWaiting) answeredAt = frame;
      if (endedAt < 0 && CurrentName() == "HappyScreen") endedAt = frame;
    });
  Run(steps);
  ASSERT_GT(defeatedAt, 0);
  ASSERT_GT(shownAt, defeatedAt);
  EXPECT_LT(shownAt - defeatedAt, 30) << "the panel unfolds in a few frames";
  EXPECT_EQ(endedAt - answeredAt, 100);
  EXPECT_EQ(gPlay.bossBeaten, 0) << "the message goes with the fight";
}

TEST_F(BossFight, AKeyBeforeTheMessageShowsDoesNotAnswerIt) {
  std::vector<Step> steps = {Enter(), [&] { Boss().hitPoints = -1; },
                             [&] {
                               EXPECT_EQ(Boss().state, BOSS_DEFEATED);
                               EXPECT_FALSE(MessageShown(MESSAGE_BOSS_BEATEN));
                               Down(KEY_SPACE);
                             },
                             [&] { Up(KEY_SPACE); }};
  Wait(steps, 30);
  test::InkRecorder ink;
  steps.push_back([&] { ink.Clear(); });
  steps.push_back([&] {
    EXPECT_EQ(gPlay.bossWaiting, 1);
    EXPECT_TRUE(MessageShown(MESSAGE_BOSS_BEATEN));
    EXPECT_EQ(gGame.player.credits, 150) << "no tally before the answer";
    EXPECT_TRUE(ink.Drew("The guardian is beaten! Press a key or click to continue"))
        << ink.Words();
    ink.ExpectReadable(hp.display.frame, 640, 480);
  });
  Run(steps);
}

TEST_F(BossFight, TheTallyTurnsCreditsAndLivesIntoScore) {
  std::vector<Step> steps = {Enter(), [&] {
                               gGame.player.credits = 25;
                               gGame.player.lives = 2;
                               gGame.player.score = 1000;
                               Boss().hitPoints = -1;  // beaten by the last hit
                             }};
  Wait(steps, 30);
  // The player answers the message; the tally starts.
  steps.push_back([&] { Down(KEY_SPACE); });
  steps.push_back([&] { Up(KEY_SPACE); });
  Wait(steps, 20);
  steps.push_back([&] {
    EXPECT_EQ(Boss().state, BOSS_DEFEATED);
    EXPECT_EQ(gGame.player.credits, 0);
    EXPECT_EQ(gGame.player.lives, 0);
    EXPECT_EQ(gGame.player.score, 1000 + 3 * 750 + 2 * 10);
    EXPECT_EQ(Boss().hitPoints, 0);
  });
  Wait(steps, 110);
  steps.push_back([&] {
    EXPECT_EQ(CurrentName(), "HappyScreen");
    EXPECT_EQ(gGame.hiscoreNewScore, 0) << "the ending sets it when it hands over";
  });
  Run(steps);
}

TEST_F(BossFight, ALostFightReturnsWithTheBossAsTheLeavingScreen) {
  std::vector<Step> steps = {Enter(), [&] {
                               SetMusicVolume(3);
                               gGame.player.lives = 0;
                               gGame.level.ballWaiting = 0;
                             }};
  Wait(steps, 3);
  steps.push_back([&] {
    EXPECT_EQ(gGame.level.levelFailed, 1);
    EXPECT_EQ(gPlay.message, MESSAGE_ENDED) << "the Failed panel shows";
    Down(KEY_SPACE);
  });
  steps.push_back([&] { Up(KEY_SPACE); });
  Wait(steps, 5);
  steps.push_back([&] {
    EXPECT_EQ(CurrentName(), "SpyRoot");
    ASSERT_EQ(root.entries.size(), 2u);
    EXPECT_EQ(root.entries[1].previous, g.screens.boss);
    EXPECT_EQ(root.entries[1].argument, 0);
  });
  Run(steps);
}

TEST_F(BossFight, PauseHoldsTheBossAndItsMissiles) {
  int x = 0, y = 0, state = 0;
  float missileY = 0;
  std::vector<Step> steps = {Enter(), [&] {
                               Boss().state = BOSS_FIRE;
                               Boss().LaunchMissiles();
                               Down(KEY_PAUSE);
                             },
                             [&] {
                               Up(KEY_PAUSE);
                               x = Boss().x, y = Boss().y, state = Boss().state;
                               missileY = Boss().missiles[0].y;
                             }};
  Wait(steps, 30);
  steps.push_back([&] {
    EXPECT_EQ(gGame.level.paused, 1);
    EXPECT_EQ(Boss().x, x);
    EXPECT_EQ(Boss().y, y);
    EXPECT_EQ(Boss().state, state);
    EXPECT_FLOAT_EQ(Boss().missiles[0].y, missileY);
    EXPECT_EQ(gPlay.message, MESSAGE_PAUSE);
    Down(KEY_PAUSE);
  });
  steps.push_back([&] { Up(KEY_PAUSE); });
  steps.push_back([&] { EXPECT_NE(Boss().x, x) << "moving again"; });
  Run(steps);
}

TEST_F(BossFight, TheOptionsScreenLeavesTheFightWhereItWas) {
  Run({Enter(), [&] {
         Boss().hitPoints = 123;
         Down(KEY_F10);
       },
       [&] {
         Up(KEY_F10);
         EXPECT_EQ(CurrentName(), "OptionsScreen");
         Down(KEY_ESCAPE);
       },
       [&] {
         Up(KEY_ESCAPE);
         EXPECT_EQ(CurrentName(), "BossScreen");
         EXPECT_EQ(Boss().hitPoints, 123);
       }});
}

TEST_F(BossFight, WithoutThePanelImageTheScreenLogsAndStillRuns) {
  Run({[&] {
         // Loose files win over the archive: a broken panel cannot be read.
         test::WriteText("panel.tga", "not an image");
       },
       Enter(), [&] { EXPECT_EQ(CurrentName(), "BossScreen"); },
       [&] { EXPECT_EQ(Boss().panel, nullptr); }});
  EXPECT_NE(test::ReadText("Log.txt").find("Can't load panel.tga\n"), std::string::npos);
}

}  // namespace
}  // namespace vx
