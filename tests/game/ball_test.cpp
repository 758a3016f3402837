#include <gtest/gtest.h>

#include <cmath>

#include "game/angles.h"
#include "game/ball.h"
#include "game/enemies.h"
#include "game/game_state.h"
#include "game/playfield.h"
#include "game_fixture.h"

namespace vx {
namespace {

class BallAndPaddle : public test::GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    MakeField(60);
  }
  // The only ball, whose last step went from prev to (x, y).
  static Ball& Stepped(float prevX, float prevY, float x, float y, float angle) {
    for (Ball& old : gGame.level.balls) old = Ball();
    AddBall(x, y, angle, 3);
    Ball& b = gGame.level.balls[0];
    b.prevX = prevX;
    b.prevY = prevY;
    return b;
  }
  // One frame of the paddle test and the ball movement.
  static void Frame() {
    ++g.frameCounter;
    for (int twice = 0; twice < 2; ++twice)
      for (Ball& b : gGame.level.balls)
        if (b.active) PaddleCollide(b);
    MoveBalls();
  }
};

TEST_F(BallAndPaddle, PaddleReflectsByPositionAndBendsByMovement) {
  Ball& b = Stepped(320, 368, 320, 371, 270);
  PaddleCollide(b);
  EXPECT_FLOAT_EQ(b.angle, 90.0f);  // the centre sends it straight up
  b = Stepped(359, 368, 359, 371, 300);
  PaddleCollide(b);
  EXPECT_FLOAT_EQ(b.angle, 90 - 39 * 60 / 40.0f);
  b = Stepped(361, 368, 361, 371, 270);  // beyond the half width
  PaddleCollide(b);
  EXPECT_EQ(b.angle, 270);

  gGame.level.paddle.dx = 16;  // dir(90) x 3 + (1, 0)
  b = Stepped(320, 368, 320, 371, 270);
  PaddleCollide(b);
  EXPECT_NEAR(b.angle, std::acos(1 / std::sqrt(10.0f)) * 180 / kPi, 1e-3f);
  b = Stepped(320, 372, 320, 369, 60);  // rising: bent, not reflected
  PaddleCollide(b);
  EXPECT_GT(b.angle, 40);
  EXPECT_LT(b.angle, 60);
  gGame.level.paddle.dy = 5;  // a paddle moving down does not bend
  b = Stepped(320, 372, 320, 369, 60);
  PaddleCollide(b);
  EXPECT_EQ(b.angle, 60);
}

TEST_F(BallAndPaddle, AttractorCatchesAtThePaddleButTheShadowNever) {
  gGame.level.paddle.x = 200;
  ActivateByWord(ITEM_SHADOW);
  ActivateByWord(ITEM_BALL_ATTRACTOR);
  Ball& b = Stepped(440, 368, 440, 371, 250);  // on the shadow paddle
  PaddleCollide(b);
  EXPECT_FLOAT_EQ(b.angle, 90.0f);
  EXPECT_EQ(gGame.level.ballWaiting, 0);

  b = Stepped(100, 100, 100, 100, 45);
  for (int f = 0; f < 200 && ActiveBalls() > 0; ++f) Frame();
  EXPECT_EQ(ActiveBalls(), 0);
  EXPECT_EQ(gGame.level.ballWaiting, 1);
  EXPECT_FALSE(IsActive(ITEM_BALL_ATTRACTOR));
  LaunchBall();  // the plain launch angle again
  EXPECT_EQ(gGame.level.balls[0].angle, 45);
  EXPECT_EQ(gGame.level.balls[0].x, 200);
}

TEST_F(BallAndPaddle, AimedLaunch) {
  g.frameCounter = 91;
  UpdateAim();
  EXPECT_EQ(gGame.level.aimAngle, 89);  // (180 - 91) / 2 + 45 in integers
  gGame.level.aimAngle = 101.7f;
  gGame.level.ballWaiting = 1;
  ActivateByWord(ITEM_SNIPER);
  LaunchBall();
  EXPECT_EQ(gGame.level.balls[0].angle, 101);
  LaunchBall();  // nothing waits any more
  EXPECT_EQ(ActiveBalls(), 1);
}

TEST_F(BallAndPaddle, WholePixelStepsAndTheSpeedCap) {
  AddBall(300, 300, 90, 2.9f);
  MoveBalls();
  EXPECT_NEAR(gGame.level.balls[0].y, 298, 1e-4);
  gGame.level.balls[0].speed = 4.95f;
  for (int kind = 1; kind <= 3; ++kind) SpawnEnemy(300, 297, kind);
  MoveBalls();
  EXPECT_EQ(gGame.level.balls[0].speed, 5.0f);  // three kills in one step
  EXPECT_EQ(gGame.player.score, 450);
}

TEST_F(BallAndPaddle, BlockEntriesPickTheirBounce) {
  Ball& b = gGame.level.balls[0];
  b.active = 1;
  b.speed = 3;
  // Entered (5, 10) moving right and up from (4, 11): V = (5, 11), H = (4, 10).
  auto corner = [&](bool v, bool h) {
    MakeField(60);
    PutBlock(5, 10, 1);
    if (v) PutBlock(5, 11, 1);
    if (h) PutBlock(4, 10, 1);
    b.angle = 45;
    BounceOffBlock(b, 5, 10, 1, -1);
    return b.angle;
  };
  for (int seed = 0; seed < 30; ++seed) {
    SeedRandom(seed);
    b.angle = 80;
    BounceOffBlock(b, 5, 10, 0, -1);  // from below: floor
    EXPECT_TRUE(b.angle > 270 && b.angle < 300) << b.angle;
    b.angle = 10;
    BounceOffBlock(b, 5, 10, 1, 0);  // from the side: side
    EXPECT_TRUE(b.angle > 150 && b.angle < 180) << b.angle;
    float side = corner(true, false), floor = corner(false, true);
    float both = corner(true, true), lone = corner(false, false);
    EXPECT_TRUE(side > 120 && side <= 135) << side;
    EXPECT_TRUE(floor >= 315 && floor < 330) << floor;
    EXPECT_TRUE(both >= 215 && both <= 234) << both;  // reverse
    EXPECT_TRUE(lone >= 215 && lone <= 234) << lone;
  }
  // Outside the grid counts as empty: a lone corner at the top right.
  MakeField(60);
  PutBlock(19, 0, 1);
  b.angle = 300;
  BounceOffBlock(b, 19, 0, -1, 1);
  EXPECT_TRUE(b.angle >= 110 && b.angle <= 129) << b.angle;
}

TEST_F(BallAndPaddle, BlocksBounceBallsAndPushOutStuckOnes) {
  PutBlock(9, 10, 1);  // x 288 .. 319, y 160 .. 175
  AddBall(300, 200, 90, 3);
  Ball& b = gGame.level.balls[0];
  for (int f = 0; f < 20 && !MovesDown(b.angle); ++f) MoveBalls();
  EXPECT_EQ(Cell(9, 10).hits, 1);
  EXPECT_GE(b.y, 176);

  PutBlock(9, 10, 2);
  b = Ball();
  AddBall(300, 161, 90, 1);  // scrolled onto a block
  MoveBalls();
  EXPECT_EQ(b.y, 169);
  MoveBalls();
  EXPECT_EQ(b.y, 177);
}

TEST_F(BallAndPaddle, ShieldSavesBallsAndLostOnesCostLives) {
  ActivateByWord(ITEM_SHIELD);
  AddBall(300, 385, 270, 3);
  Ball& b = gGame.level.balls[0];
  for (int f = 0; f < 10; ++f) MoveBalls();
  EXPECT_TRUE(b.active);
  EXPECT_FALSE(MovesDown(b.angle));

  Deactivate(ITEM_SHIELD);
  b.angle = 270;
  b.y = 398;
  MoveBalls();
  EXPECT_FALSE(b.active);
  EXPECT_EQ(b.y, 400);  // it finishes the step that lost it
  gGame.player.lives = 1;
  EXPECT_EQ(CheckBallLost(), 0);
  EXPECT_EQ(gGame.player.lives, 0);
  EXPECT_EQ(gGame.level.ballWaiting, 1);
  gGame.level.ballWaiting = 0;
  EXPECT_EQ(CheckBallLost(), 1);  // no life left: the level is lost
}

TEST_F(BallAndPaddle, PaddleLimitsWidthFreeFlyAndFreeze) {
  Paddle& P = gGame.level.paddle;
  P.x = 320;
  MovePaddleBy(-1000, -100);
  EXPECT_EQ(P.x, 40);
  EXPECT_EQ(P.y, 375);
  MovePaddleBy(1000, 0);
  EXPECT_EQ(P.x, 598);
  ActivateByWord(ITEM_FREE_FLY);
  ActivateByWord(ITEM_WIDE_BUSTER);
  MovePaddleBy(0, -500);
  EXPECT_EQ(P.w, 120);
  EXPECT_EQ(P.x, 578);
  EXPECT_EQ(P.y, 245);
  EXPECT_EQ(P.dy, -130);
  P.freeze = 2;
  MovePaddleBy(-50, 50);
  EXPECT_EQ(P.x, 578);
  EXPECT_EQ(P.freeze, 1);
}

}  // namespace
}  // namespace vx
