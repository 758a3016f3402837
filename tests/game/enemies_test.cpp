#include <gtest/gtest.h>

#include <cmath>

#include "game/angles.h"
#include "game/ball.h"
#include "game/enemies.h"
#include "game/particles.h"
#include "game_fixture.h"

namespace vx {
namespace {

using test::GameTest;

class Enemies : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    MakeField(60, 0);
    g.level.paddle.x = 320;
    g.level.paddle.y = 375;
    g.level.paddle.w = 80;
  }
  static int LiveEnemies() {
    int n = 0;
    for (const Enemy& e : g.level.enemies) n += e.kind != 0;
    return n;
  }
};

TEST_F(Enemies, FirstEnemyComesAtFrame500) {
  for (uint32_t f = 1; f < 500; ++f) {
    g.frameCounter = f;
    UpdateEnemies(true);
  }
  EXPECT_EQ(LiveEnemies(), 0);
  g.frameCounter = 500;
  UpdateEnemies(true);
  ASSERT_EQ(LiveEnemies(), 1);
  const Enemy& e = g.level.enemies[0];
  EXPECT_GE(e.kind, 1);
  EXPECT_LE(e.kind, 3);
  EXPECT_GE(e.y, 30 - 1);
  EXPECT_LT(e.y, 300 + 1);
  EXPECT_EQ(e.state, ENEMY_NORMAL);
  g.frameCounter = 1000;
  UpdateEnemies(false);
  EXPECT_EQ(LiveEnemies(), 1);
}

TEST_F(Enemies, SpawnedEnemiesHeadForTheCentre) {
  SpawnEnemy(100, 100, 2);
  const Enemy& e = g.level.enemies[0];
  Vec2 d = Dir(e.angle);
  EXPECT_NEAR(d.x, 220 / std::sqrt(220.0f * 220 + 100 * 100), 1e-4);
  EXPECT_NEAR(d.y, 100 / std::sqrt(220.0f * 220 + 100 * 100), 1e-4);
  for (int i = 0; i < 20; ++i) SpawnEnemy(10, 10, 1);
  EXPECT_EQ(LiveEnemies(), kMaxEnemies);
}

TEST_F(Enemies, ScreamerStopsSpawningAndSendsThemAway) {
  SpawnEnemy(100, 300, 1);
  ActivateByWord(ITEM_SCREAMER);
  g.frameCounter = 500;
  UpdateEnemies(true);
  EXPECT_EQ(LiveEnemies(), 1);  // no new one
  Enemy& e = g.level.enemies[0];
  EXPECT_EQ(e.state, ENEMY_FLEEING);
  EXPECT_EQ(e.x, 100);  // it turns this frame and moves from the next
  float lastY = e.y;
  int frames = 0;
  while (e.kind && frames < 100) {
    float x = e.x, y = e.y;
    UpdateEnemies(true);
    ++frames;
    if (!e.kind) break;
    EXPECT_NEAR(std::hypot(e.x - x, e.y - y), 10, 1e-3);
    EXPECT_LT(e.y, lastY);
    EXPECT_LT(e.x, x);  // away from the bottom centre
    lastY = e.y;
  }
  EXPECT_EQ(e.kind, 0);
  EXPECT_LT(frames, 40);
}

TEST_F(Enemies, EdgesTurnThemBack) {
  SpawnEnemy(640.5f, 200, 3);
  Enemy& e = g.level.enemies[0];
  e.angle = 0;
  g.frameCounter = 1;
  UpdateEnemies(false);
  EXPECT_EQ(e.x, 638);
  EXPECT_EQ(e.angle, 180);
  e.x = 300;
  e.y = 20.5f;
  e.angle = 90;
  UpdateEnemies(false);
  EXPECT_EQ(e.y, 22);
  EXPECT_EQ(e.angle, 270);
}

TEST_F(Enemies, PaddleContactKillsAndTheDyingFadeOut) {
  SpawnEnemy(330, 377, 2);
  Enemy& e = g.level.enemies[0];
  g.frameCounter = 1;
  UpdateEnemies(false);
  EXPECT_EQ(e.state, ENEMY_DYING);
  EXPECT_EQ(e.countdown, 14);
  EXPECT_EQ(g.player.score, 150);
  EXPECT_EQ(LiveParticles(), 20);
  for (int i = 0; i < 13; ++i) UpdateEnemies(false);
  EXPECT_EQ(e.kind, 2);
  UpdateEnemies(false);
  EXPECT_EQ(e.kind, 0);
  EXPECT_EQ(g.player.score, 150);
}

TEST_F(Enemies, BallsPassDyingEnemiesButBulletsKillThemAgain) {
  SpawnEnemy(300, 200, 1);
  Enemy& e = g.level.enemies[0];
  KillEnemy(e);
  EXPECT_EQ(LiveParticles(), 24);
  e.countdown = 3;
  AddBall(300, 202, 90, 3);
  MoveBalls();
  EXPECT_EQ(g.level.balls[0].angle, 90);
  EXPECT_EQ(g.player.score, 150);

  g.level.bullets[0] = Bullet{1, 300, 205};
  UpdateBullets();
  EXPECT_EQ(g.player.score, 300);
  EXPECT_EQ(e.countdown, 15);
  EXPECT_EQ(g.level.bullets[0].active, 0);
}

TEST_F(Enemies, CannonFiresTwoSwingingBullets) {
  g.frameCounter = 0;  // Triangle(20) = 20
  FireCannon();
  EXPECT_EQ(g.level.bullets[0].x, 320 - 30);
  EXPECT_EQ(g.level.bullets[1].x, 320 + 30);
  EXPECT_EQ(g.level.bullets[0].y, 360);
  g.frameCounter = 10;  // Triangle(20) = 10
  FireCannon();
  EXPECT_EQ(g.level.bullets[2].x, 300);
  EXPECT_EQ(g.level.bullets[3].x, 340);
  for (int i = 0; i < 30; ++i) FireCannon();
  int active = 0;
  for (const Bullet& b : g.level.bullets) active += b.active;
  EXPECT_EQ(active, kMaxBullets);
}

TEST_F(Enemies, BulletsWearBlocksDownAndStopAtSolidOnes) {
  MakeField(30, 16);
  PutBlock(3, 10, 1, ITEM_CREDIT2);  // screen y 144 .. 159
  PutBlock(6, 10, 2);
  PutBlock(9, 29, 1);  // the last row is never hit
  auto fire = [](int slot, int x, int y) { g.level.bullets[slot] = Bullet{1, x, y}; };
  fire(0, 100, 162);
  fire(1, 200, 162);
  fire(2, 300, 16 * 29 - 16 + 8);
  g.frameCounter = 1;
  UpdateBullets();
  EXPECT_EQ(g.level.bullets[0].active, 0);
  EXPECT_EQ(Cell(3, 10).hits, 1);
  EXPECT_EQ(Cell(3, 10).type, 1);
  EXPECT_EQ(g.level.bullets[1].active, 0);
  EXPECT_EQ(Cell(6, 10).type, 2);
  EXPECT_EQ(g.level.bullets[2].active, 1);
  EXPECT_EQ(Cell(9, 29).type, 1);
  EXPECT_EQ(LiveParticles(), 0);

  fire(0, 100, 162);
  UpdateBullets();
  EXPECT_EQ(Cell(3, 10).type, 0);
  EXPECT_EQ(g.player.score, 10);
  EXPECT_EQ(LiveParticles(), 5);
  EXPECT_EQ(g.level.items[0].kind, ITEM_CREDIT2);
  EXPECT_EQ(g.level.items[0].x, 96);
  EXPECT_EQ(g.level.items[0].y, 160 - 16);

  fire(3, 50, 3);
  UpdateBullets();
  EXPECT_EQ(g.level.bullets[3].active, 0);  // left the top
}

}  // namespace
}  // namespace vx
