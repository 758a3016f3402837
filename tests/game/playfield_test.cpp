#include <gtest/gtest.h>

#include "game/angles.h"
#include "game/ball.h"
#include "game/game_state.h"
#include "game/particles.h"
#include "game/playfield.h"
#include "game_fixture.h"

namespace vx {
namespace {

class Playfield : public test::GameTest {
 protected:
  Ball& NewBall(float x, float y, float angle) {
    for (Ball& b : gGame.level.balls) b = Ball();
    AddBall(x, y, angle, 3);
    return gGame.level.balls[0];
  }
};

TEST_F(Playfield, HitsSolidBlocksPiercingAndTheTimeBomb) {
  MakeField(30, 16);
  PutBlock(4, 10, 1, ITEM_CREDIT1);
  PutBlock(2, 10, 2);
  Ball& ball = NewBall(150, 150, 90);
  HitBlock(Cell(4, 10), 4, 10, ball, 0, -1);
  EXPECT_EQ(Cell(4, 10).hits, 1);
  EXPECT_TRUE(MovesDown(ball.angle));  // bounced by the floor rule
  EXPECT_EQ(LiveParticles(), 0);
  ball.angle = 90;
  HitBlock(Cell(4, 10), 4, 10, ball, 0, -1);
  EXPECT_EQ(Cell(4, 10).type, 0);
  EXPECT_EQ(gGame.player.score, 10);
  EXPECT_EQ(LiveParticles(), 6 + 10);
  EXPECT_EQ(gGame.level.items[0].kind, ITEM_CREDIT1);
  EXPECT_EQ(gGame.level.items[0].x, 128);
  EXPECT_EQ(gGame.level.items[0].y, 160 - 16);

  // Solid blocks stay, even for a piercing ball; other blocks break at one
  // touch and the piercing ball flies on without the extra burst.
  ActivateByWord(ITEM_PIERCING);
  ball.angle = 90;
  HitBlock(Cell(2, 10), 2, 10, ball, 0, -1);
  EXPECT_EQ(Cell(2, 10).type, 2);
  EXPECT_TRUE(MovesDown(ball.angle));
  PutBlock(6, 10, 1);
  ball.angle = 90;
  HitBlock(Cell(6, 10), 6, 10, ball, 0, -1);
  EXPECT_EQ(Cell(6, 10).type, 0);
  EXPECT_EQ(ball.angle, 90);
  EXPECT_EQ(LiveParticles(), 16 + 6);

  ActivateByWord(ITEM_TIMEBOMB);
  HitBlock(Cell(2, 10), 2, 10, ball, 0, -1);
  EXPECT_FALSE(IsActive(ITEM_TIMEBOMB));
  const FallingItem& bomb = gGame.level.items[1];
  EXPECT_EQ(bomb.kind, ITEM_TIMEBOMB);
  EXPECT_EQ(bomb.timer, 40);
}

TEST_F(Playfield, BombBallRemovesSolidBlocksAroundTheHitAndIsUsedUp) {
  MakeField(40);
  for (int c = 0; c < 20; ++c) PutBlock(c, 10, 2);
  gGame.player.inventory[0] = ItemSlot{ITEM_BOMB, 1, 0, 0, 0, 0};
  UseSlot(0);
  ActivateByWord(ITEM_BOMB);  // the same item in both lists
  Ball& ball = NewBall(170, 190, 90);
  for (int f = 0; f < 20 && IsActive(ITEM_BOMB); ++f) MoveBalls();
  EXPECT_EQ(gGame.player.inventory[0].active + gGame.level.wordEffects[0].active, 0);
  for (int c = 4; c <= 6; ++c) EXPECT_EQ(Cell(c, 10).type, 0) << c;
  EXPECT_EQ(Cell(0, 10).type, 2);  // beyond 50 pixels
  EXPECT_TRUE(ball.active);
}

TEST_F(Playfield, ExplosionsReachByDistanceAndTheDetonatorByVisibleRows) {
  MakeField(80, 160);  // rows 10 .. 34 in the window
  for (int r = 0; r < 80; ++r)
    for (int c = 0; c < 20; ++c) PutBlock(c, r, 2);
  ExplodeAround(336, 40, 2500);  // the centre of cell (10, 12)
  EXPECT_EQ(Cell(10, 12).type, 0);
  EXPECT_EQ(Cell(11, 13).type, 0);  // 32, 16 away
  EXPECT_EQ(Cell(12, 12).type, 2);  // 64 away
  EXPECT_EQ(Cell(10, 9).type, 0);   // above the window, still in reach
  Detonate();
  for (int c = 0; c < 20; ++c) {
    EXPECT_EQ(Cell(c, 8).type, 2);
    EXPECT_EQ(Cell(c, 10).type + Cell(c, 34).type, 0);
    EXPECT_EQ(Cell(c, 35).type, 2);
  }
}

TEST_F(Playfield, ScrollingAndTheTopOfTheField) {
  MakeField(100, 800);
  gGame.level.header.scrollSpeed = 2;
  Ball& ball = NewBall(300, 150, 90);
  g.settings.scrollSpeed = 0;  // slow: even frames only
  g.frameCounter = 7;
  ScrollStep(1);
  EXPECT_EQ(gGame.level.scroll, 800);
  g.frameCounter = 8;
  ScrollStep(1);
  EXPECT_EQ(gGame.level.scroll, 798);
  EXPECT_FLOAT_EQ(ball.y, 152);  // the ball rides along
  g.settings.scrollSpeed = 1;    // fast: every frame
  g.frameCounter = 9;
  ScrollStep(1);
  ScrollStep(0);
  EXPECT_EQ(gGame.level.scroll, 796);
  ActivateByWord(ITEM_TIMEZIP);
  ScrollStep(3);
  EXPECT_EQ(gGame.level.scroll, 796);

  // Only a ball at the top of the fully scrolled field wins, blocks or not.
  PutBlock(3, 3, 1);
  ball.y = 10;
  gGame.level.scroll = 5;
  EXPECT_EQ(CheckLevelTop(true), 0);
  gGame.level.scroll = -3;
  EXPECT_EQ(CheckLevelTop(true), 1);
  EXPECT_EQ(gGame.level.scroll, 0);
  EXPECT_EQ(CheckLevelTop(false), 0);
  ball.y = 15;
  EXPECT_EQ(CheckLevelTop(true), 0);
}

TEST_F(Playfield, ProgressFigureAndVanishingRow) {
  MakeField(25);
  EXPECT_EQ(LevelProgress(), 100);
  MakeField(125, (125 * 16 / 64 + 1) * 64 - 400);  // start of the level
  EXPECT_EQ(LevelProgress(), 0);
  gGame.level.scroll = 16 * 50;
  EXPECT_EQ(LevelProgress(), 50);
  gGame.level.scroll = 16 * 2;
  EXPECT_EQ(LevelProgress(), 98);
  gGame.level.scroll = 16 * 1 + 15;
  EXPECT_EQ(LevelProgress(), 100);

  gGame.level.scroll = 40;
  for (int c = 0; c < 20; ++c) PutBlock(c, 22, 1, ITEM_CREDIT1);
  VanishRow();
  EXPECT_EQ(BlocksLeft(), 0);
  EXPECT_EQ(gGame.player.score + gGame.level.items[0].kind, 0);
}

TEST_F(Playfield, BackgroundObjectsAndParticles) {
  MakeField(60);
  g.frameCounter = 26;
  SpawnBackObject(0);  // a set without objects spawns nothing but waits again
  EXPECT_EQ(LiveBackObjects(), 0);
  g.frameCounter = 40;
  SpawnBackObject(3);
  EXPECT_EQ(LiveBackObjects(), 0);
  g.frameCounter = 52;
  SpawnBackObject(3);
  ASSERT_EQ(LiveBackObjects(), 1);
  BackObject& o = gGame.level.backObjects[0];
  EXPECT_TRUE(o.x == -30 || o.y == -30 || o.x == 670 || o.y == 510);
  for (int i = 0; i < 1000 && o.active; ++i) MoveBackObject(o);
  EXPECT_FALSE(o.active);

  o = BackObject{true, true, 0, 100, 50, 0, 0};
  PutBlock(2, 2, 2);
  PutBlock(4, 4, 1);
  PutBlock(5, 4, 1);
  SmashUnder(o, 64, 32);  // columns 2 .. 4, rows 2 .. 4
  EXPECT_EQ(BlocksLeft(), 1);
  EXPECT_EQ(Cell(5, 4).type, 1);

  for (Particle& p : gGame.level.particles) p = Particle();
  SpawnBurst(100, 100, 5, 0, 4.0f);  // kind 0 is a kind, not a free slot
  SpawnBurst(100, 100, 1000, 3, 1.0f);
  EXPECT_EQ(LiveParticles(), kMaxParticles);
  EXPECT_EQ(SpawnTrail(1, 1, 3, 2), nullptr);
  for (int i = 0; i < 120; ++i) UpdateParticles();
  EXPECT_EQ(LiveParticles(), 0);
}

}  // namespace
}  // namespace vx
