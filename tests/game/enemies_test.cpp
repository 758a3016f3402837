#include <gtest/gtest.h>

#include <cmath>

#include "game/ball.h"
#include "game/enemies.h"
#include "game/game_state.h"
#include "game/particles.h"
#include "game_fixture.h"

namespace vx {
namespace {

class Enemies : public test::GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    MakeField(60);
  }
  static int Live() {
    int n = 0;
    for (const Enemy& e : gGame.level.enemies) n += e.kind != 0;
    return n;
  }
  static void Frame() {
    ++g.frameCounter;
    UpdateEnemies(true);
  }
};

TEST_F(Enemies, FirstComesAtFrame500AndTheScreamerSendsThemAway) {
  for (int f = 1; f < 500; ++f) Frame();
  EXPECT_EQ(Live(), 0);
  Frame();
  ASSERT_EQ(Live(), 1);
  Enemy& e = gGame.level.enemies[0];
  EXPECT_TRUE(e.kind >= 1 && e.kind <= 3);
  EXPECT_EQ(e.state, ENEMY_NORMAL);

  e.x = 100;
  e.y = 300;
  ActivateByWord(ITEM_SCREAMER);
  g.frameCounter = 999;
  Frame();  // frame 1000: no new enemy; this one turns to flee
  EXPECT_EQ(Live(), 1);
  EXPECT_EQ(e.state, ENEMY_FLEEING);
  int frames = 0;
  while (e.kind && frames++ < 100) {
    float x = e.x, y = e.y;
    Frame();
    if (!e.kind) break;
    EXPECT_NEAR(std::hypot(e.x - x, e.y - y), 10, 1e-3);
    EXPECT_LT(e.y, y);  // upwards, away from the bottom centre
    EXPECT_LT(e.x, x);
  }
  EXPECT_LT(frames, 40);
}

TEST_F(Enemies, EdgesTurnThemBack) {
  SpawnEnemy(640.5f, 200, 3);
  Enemy& e = gGame.level.enemies[0];
  e.angle = 0;
  UpdateEnemies(false);
  EXPECT_EQ(e.x, 638);
  EXPECT_EQ(e.angle, 180);
  e.y = 20.5f;
  e.angle = 90;
  UpdateEnemies(false);
  EXPECT_EQ(e.y, 22);
  EXPECT_EQ(e.angle, 270);
}

TEST_F(Enemies, DyingEnemiesLetBallsPassButBulletsKillAgain) {
  SpawnEnemy(330, 377, 2);  // touching the paddle
  Enemy& e = gGame.level.enemies[0];
  UpdateEnemies(false);
  EXPECT_EQ(e.state, ENEMY_DYING);
  EXPECT_EQ(e.countdown, 14);
  EXPECT_EQ(gGame.player.score, 150);
  EXPECT_EQ(LiveParticles(), 20);

  e.x = 300;
  e.y = 200;
  AddBall(300, 202, 90, 3);
  MoveBalls();
  EXPECT_EQ(gGame.level.balls[0].angle, 90);
  gGame.level.bullets[0] = Bullet{1, 300, 205};
  UpdateBullets();
  EXPECT_EQ(gGame.player.score, 300);
  EXPECT_EQ(e.countdown, 15);
  for (int i = 0; i < 15; ++i) UpdateEnemies(false);
  EXPECT_EQ(e.kind, 0);
}

TEST_F(Enemies, BulletsSwingWearBlocksDownAndStopAtSolidOnes) {
  gGame.level.paddle.x = 320;
  g.frameCounter = 10;  // Triangle(20) = 10
  FireCannon();
  EXPECT_EQ(gGame.level.bullets[0].x, 300);
  EXPECT_EQ(gGame.level.bullets[1].x, 340);
  EXPECT_EQ(gGame.level.bullets[1].y, 360);

  MakeField(30, 16);
  PutBlock(3, 10, 1, ITEM_CREDIT2);  // screen y 144 .. 159
  PutBlock(6, 10, 2);
  PutBlock(9, 29, 1);  // the last row is never hit
  auto fire = [](int x, int y) {
    for (Bullet& b : gGame.level.bullets) b = Bullet();
    gGame.level.bullets[0] = Bullet{1, x, y};
    UpdateBullets();
    return gGame.level.bullets[0].active;
  };
  EXPECT_EQ(fire(200, 162), 0);
  EXPECT_EQ(Cell(6, 10).type, 2);
  EXPECT_EQ(fire(300, 16 * 28 + 8), 1);
  EXPECT_EQ(fire(100, 162), 0);
  EXPECT_EQ(Cell(3, 10).hits, 1);
  EXPECT_EQ(fire(100, 162), 0);
  EXPECT_EQ(Cell(3, 10).type, 0);
  EXPECT_EQ(gGame.player.score, 10);
  EXPECT_EQ(LiveParticles(), 5);
  EXPECT_EQ(gGame.level.items[0].kind, ITEM_CREDIT2);
  EXPECT_EQ(fire(50, 3), 0);  // left the top
}

}  // namespace
}  // namespace vx
