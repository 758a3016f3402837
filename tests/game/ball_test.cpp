#include <gtest/gtest.h>

#include <cmath>

#include "game/angles.h"
#include "game/ball.h"
#include "game/enemies.h"
#include "game/playfield.h"
#include "game_fixture.h"

namespace vx {
namespace {

using test::GameTest;

class BallAndPaddle : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    MakeField(60, 0);
    Paddle& P = g.level.paddle;
    P.x = 320;
    P.y = 375;
    P.w = 80;
    P.h = 10;
    P.dx = P.dy = 0;
  }
  // A ball whose last step went from prev to (x, y).
  static Ball& Falling(float prevX, float prevY, float x, float y, float angle) {
    for (Ball& old : g.level.balls) old = Ball();
    AddBall(x, y, angle, 3);
    Ball& b = g.level.balls[0];
    b.prevX = prevX;
    b.prevY = prevY;
    return b;
  }
};

TEST(Angles, DirectionAndAngleAgree) {
  for (float a : {0.0f, 30.0f, 90.0f, 135.0f, 180.0f, 250.0f, 270.0f, 359.0f})
    EXPECT_NEAR(AngleOf(Dir(a)), a, 1e-3f) << a;
  EXPECT_NEAR(Dir(90).y, -1.0f, 1e-6f);  // 90 points up the screen
  EXPECT_EQ(AngleOf({0, 0}), 90.0f);      // a zero vector has no NaN angle
  EXPECT_EQ(AngleOf({1.0f, 0}), 0.0f);
}

TEST_F(BallAndPaddle, CentreOfThePaddleSendsTheBallStraightUp) {
  Ball& b = Falling(320, 368, 320, 371, 270);
  PaddleCollide(b);
  EXPECT_FLOAT_EQ(b.angle, 90.0f);

  Ball& right = Falling(359, 368, 359, 371, 300);
  PaddleCollide(right);
  EXPECT_FLOAT_EQ(right.angle, 90 - 39 * 60 / 40.0f);
  right = Falling(281, 368, 281, 371, 200);
  PaddleCollide(right);
  EXPECT_FLOAT_EQ(right.angle, 90 + 39 * 60 / 40.0f);

  // Outside the half width or below the line: untouched.
  Ball& miss = Falling(361, 368, 361, 371, 270);
  PaddleCollide(miss);
  EXPECT_EQ(miss.angle, 270);
  miss = Falling(320, 376, 320, 379, 270);
  PaddleCollide(miss);
  EXPECT_EQ(miss.angle, 270);
}

TEST_F(BallAndPaddle, PaddleMovementBendsTheBall) {
  g.level.paddle.dx = 16;
  Ball& b = Falling(320, 368, 320, 371, 270);
  PaddleCollide(b);
  // dir(90) x 3 + (1, 0)
  EXPECT_NEAR(b.angle, std::acos(1 / std::sqrt(10.0f)) * 180 / kPi, 1e-3f);

  // A rising ball is not reflected but still bent.
  Ball& up = Falling(320, 372, 320, 369, 60);
  PaddleCollide(up);
  EXPECT_LT(up.angle, 60);
  EXPECT_GT(up.angle, 40);

  // A paddle moving down does not bend.
  g.level.paddle.dy = 5;
  Ball& down = Falling(320, 372, 320, 369, 60);
  PaddleCollide(down);
  EXPECT_EQ(down.angle, 60);
}

TEST_F(BallAndPaddle, ShadowPaddleReflectsButNeverCatches) {
  g.level.paddle.x = 200;
  Switch(ITEM_SHADOW);
  for (Ball& b : g.level.balls) b = Ball();
  Switch(ITEM_BALL_ATTRACTOR);
  Ball& b = Falling(440, 368, 440, 371, 250);
  PaddleCollide(b);
  EXPECT_TRUE(b.active);
  EXPECT_FLOAT_EQ(b.angle, 90.0f);
  EXPECT_EQ(g.level.ballWaiting, 0);
}

TEST_F(BallAndPaddle, AttractorPullsTheBallInAndEndsAtTheCatch) {
  Switch(ITEM_BALL_ATTRACTOR);
  AddBall(100, 100, 45, 3);
  int frames = 0;
  while (ActiveBalls() > 0 && frames < 300) {
    ++g.frameCounter;
    for (int twice = 0; twice < 2; ++twice)
      for (Ball& b : g.level.balls)
        if (b.active) PaddleCollide(b);
    MoveBalls();
    ++frames;
  }
  EXPECT_EQ(ActiveBalls(), 0);
  EXPECT_EQ(g.level.ballWaiting, 1);
  EXPECT_FALSE(IsActive(ITEM_BALL_ATTRACTOR));
  EXPECT_LT(frames, 200);

  LaunchBall();
  EXPECT_EQ(g.level.ballWaiting, 0);
  EXPECT_EQ(g.level.balls[0].angle, 45);
  EXPECT_EQ(g.level.balls[0].speed, 3.0f);
  EXPECT_EQ(g.level.balls[0].x, 320);
}

TEST_F(BallAndPaddle, AimSweepsAndAimedItemsUseIt) {
  g.frameCounter = 0;
  UpdateAim();
  EXPECT_EQ(g.level.aimAngle, 135);
  g.frameCounter = 91;
  UpdateAim();
  EXPECT_EQ(g.level.aimAngle, 89);  // 180 - 91 = 89, halved with integer division
  g.frameCounter = 180;
  UpdateAim();
  EXPECT_EQ(g.level.aimAngle, 45);

  g.level.aimAngle = 101.7f;
  g.level.ballWaiting = 1;
  Switch(ITEM_SNIPER);
  LaunchBall();
  EXPECT_EQ(g.level.balls[0].angle, 101);
  LaunchBall();  // nothing waits any more
  EXPECT_EQ(ActiveBalls(), 1);
}

TEST_F(BallAndPaddle, WholePixelStepsAndTheSpeedCap) {
  AddBall(300, 300, 90, 2.9f);
  MoveBalls();
  EXPECT_NEAR(g.level.balls[0].y, 298, 1e-4);

  g.level.balls[0].speed = 4.95f;
  for (int i = 0; i < 3; ++i) SpawnEnemy(300, 297, 1 + i);
  MoveBalls();
  EXPECT_EQ(g.level.balls[0].speed, 5.0f);
  EXPECT_EQ(g.player.score, 450);
  for (const Enemy& e : g.level.enemies) {
    if (e.kind) {
      EXPECT_EQ(e.state, ENEMY_DYING);
    }
  }
}

TEST_F(BallAndPaddle, StraightEntriesUseSideOrFloor) {
  PutBlock(5, 5, 2);
  Ball& b = g.level.balls[0];
  b.active = 1;
  b.speed = 3;
  for (int seed = 0; seed < 50; ++seed) {
    SeedRandom(seed);
    b.angle = 80;
    BounceOffBlock(b, 5, 5, 0, -1);  // from below
    EXPECT_GT(b.angle, 270);
    EXPECT_LT(b.angle, 300);
    b.angle = 10;
    BounceOffBlock(b, 5, 5, 1, 0);  // from the left
    EXPECT_GT(b.angle, 150);
    EXPECT_LT(b.angle, 180);
  }
}

TEST_F(BallAndPaddle, CornerRuleReadsTheNeighboursAndTreatsTheOutsideAsEmpty) {
  Ball& b = g.level.balls[0];
  b.active = 1;
  b.speed = 3;
  // Entered (5, 10) moving right and up, from (4, 11): V = (5, 11), H = (4, 10).
  auto bounce = [&](bool v, bool h) {
    MakeField(60, 0);
    PutBlock(5, 10, 1);
    if (v) PutBlock(5, 11, 1);
    if (h) PutBlock(4, 10, 1);
    b.angle = 45;
    BounceOffBlock(b, 5, 10, 1, -1);
    return b.angle;
  };
  for (int seed = 0; seed < 30; ++seed) {
    SeedRandom(seed);
    float side = bounce(true, false);
    EXPECT_GT(side, 120);
    EXPECT_LE(side, 135);
    float floor = bounce(false, true);
    EXPECT_GE(floor, 315);
    EXPECT_LT(floor, 330);
    float both = bounce(true, true);
    EXPECT_GE(both, 215);
    EXPECT_LE(both, 234);
    float lone = bounce(false, false);
    EXPECT_GE(lone, 215);
    EXPECT_LE(lone, 234);
  }
  // At the grid's edges the missing neighbours count as empty.
  MakeField(60, 0);
  PutBlock(19, 0, 1);
  PutBlock(18, 0, 1);
  b.angle = 300;
  BounceOffBlock(b, 19, 0, -1, 1);  // V = (19, -1) outside, H = (20, 0) outside
  EXPECT_GE(b.angle, 110);
  EXPECT_LE(b.angle, 129);
  PutBlock(19, 1, 1);
  b.angle = 135;
  BounceOffBlock(b, 19, 0, -1, -1);  // V = (19, 1) full, H = (20, 0) outside
  EXPECT_GE(b.angle, 44.9f);  // side rule, maybe nudged steeper
  EXPECT_LE(b.angle, 56);
}

TEST_F(BallAndPaddle, BallsRunIntoBlocksAndAreFreedFromInside) {
  PutBlock(9, 10, 1);  // x 288 .. 319, y 160 .. 175
  AddBall(300, 200, 90, 3);
  Ball& b = g.level.balls[0];
  for (int f = 0; f < 20 && !MovesDown(b.angle); ++f) MoveBalls();
  EXPECT_TRUE(MovesDown(b.angle));
  EXPECT_EQ(Cell(9, 10).hits, 1);
  EXPECT_GE(b.y, 176);

  // Scrolled onto a block: pushed down 8 pixels per step until free.
  MakeField(60, 0);
  PutBlock(9, 10, 2);
  AddBall(300, 161, 90, 1);
  Ball& stuck = g.level.balls[1];
  MoveBalls();
  EXPECT_EQ(stuck.y, 169);
  MoveBalls();
  EXPECT_EQ(stuck.y, 177);
  EXPECT_EQ(Cell(9, 10).type, 2);
}

TEST_F(BallAndPaddle, ShieldThrowsBallsBackAndWithoutItTheyAreLost) {
  Switch(ITEM_SHIELD);
  AddBall(300, 385, 270, 3);
  Ball& b = g.level.balls[0];
  for (int f = 0; f < 10; ++f) MoveBalls();
  EXPECT_TRUE(b.active);
  EXPECT_FALSE(MovesDown(b.angle));
  EXPECT_LT(b.y, 395);
  EXPECT_EQ(CheckBallLost(), 0);
  EXPECT_EQ(g.player.lives, 8);

  Deactivate(ITEM_SHIELD);
  b.angle = 270;
  b.y = 398;
  MoveBalls();
  EXPECT_FALSE(b.active);
  EXPECT_EQ(b.y, 400);  // it finishes the step that lost it, and no more
  g.player.lives = 1;
  EXPECT_EQ(CheckBallLost(), 0);
  EXPECT_EQ(g.player.lives, 0);
  EXPECT_EQ(g.level.ballWaiting, 1);
  EXPECT_EQ(CheckBallLost(), 0);  // one waits
  g.level.ballWaiting = 0;
  EXPECT_EQ(CheckBallLost(), 1);  // no life left: the level is lost
}

TEST_F(BallAndPaddle, WallsReflectAndTheTopHolds) {
  AddBall(628, 100, 0, 3);
  Ball& b = g.level.balls[0];
  MoveBalls();
  EXPECT_GT(b.angle, 90);
  EXPECT_LT(b.angle, 270);
  EXPECT_LE(b.x, 630);
  b.x = 300;
  b.y = 6;
  b.angle = 90;
  MoveBalls();
  EXPECT_TRUE(MovesDown(b.angle));
  EXPECT_GE(b.y, 5);
}

TEST_F(BallAndPaddle, PaddleStaysInsideItsLimits) {
  Paddle& P = g.level.paddle;
  P.y = 380;
  MovePaddleBy(-1000, -100);
  EXPECT_EQ(P.w, 80);
  EXPECT_EQ(P.x, 40);
  EXPECT_EQ(P.y, 375);
  EXPECT_EQ(P.dx, 40 - 320);
  MovePaddleBy(1000, 100);
  EXPECT_EQ(P.x, 598);
  EXPECT_EQ(P.y, 375);

  Switch(ITEM_FREE_FLY);
  Switch(ITEM_WIDE_BUSTER);
  MovePaddleBy(0, -500);
  EXPECT_EQ(P.mayFly, 1);
  EXPECT_EQ(P.w, 120);
  EXPECT_EQ(P.y, 245);
  EXPECT_EQ(P.x, 578);
  EXPECT_EQ(P.dy, -130);

  P.freeze = 2;
  MovePaddleBy(-50, 50);
  EXPECT_EQ(P.x, 578);
  EXPECT_EQ(P.freeze, 1);
  EXPECT_EQ(P.dx, 0);
}

TEST_F(BallAndPaddle, SpeedChangesAreClampedAndSlotsRunOut) {
  AddBall(100, 100, 90, 4.5f);
  AddBall(100, 100, 90, 2.5f);
  AddSpeed(1);
  EXPECT_EQ(g.level.balls[0].speed, 5.0f);
  EXPECT_EQ(g.level.balls[1].speed, 3.5f);
  AddSpeed(-1);
  AddSpeed(-1);
  EXPECT_EQ(g.level.balls[1].speed, 2.0f);
  for (int i = 0; i < 10; ++i) AddBall(200, 200, 45, 3);
  EXPECT_EQ(ActiveBalls(), kMaxBalls);
}

TEST_F(BallAndPaddle, BounceModes) {
  Ball b;
  b.speed = 3;
  b.angle = 30;
  Bounce(b, BOUNCE_SIDE, 0);
  EXPECT_EQ(b.angle, 150);
  b.angle = 200;
  Bounce(b, BOUNCE_SIDE, 0);
  EXPECT_EQ(b.angle, 340);
  Bounce(b, BOUNCE_FLOOR, 0);
  EXPECT_EQ(b.angle, 20);
  b.angle = 350;
  SeedRandom(3);
  Bounce(b, BOUNCE_REVERSE, 0);
  EXPECT_GE(b.angle, 160);
  EXPECT_LE(b.angle, 179);
  Bounce(b, BOUNCE_RANDOM, 100);
  EXPECT_GE(b.angle, 0);
  EXPECT_LT(b.angle, 360);
  // The nudge steepens a side bounce: upwards stays upwards, a little steeper.
  b.angle = 10;
  Bounce(b, BOUNCE_SIDE, 100);
  EXPECT_NEAR(b.angle, 152.76f, 0.01f);  // dir(170) x 3 + (0, -1)
}

}  // namespace
}  // namespace vx
