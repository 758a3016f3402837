#include <gtest/gtest.h>

#include "game/angles.h"
#include "game/ball.h"
#include "game/enemies.h"
#include "game/falling_items.h"
#include "game/particles.h"
#include "game/playfield.h"
#include "game_fixture.h"

namespace vx {
namespace {

using test::GameTest;

class Playfield : public GameTest {
 protected:
  Ball& BallAt(float x, float y, float angle, float speed = 3) {
    AddBall(x, y, angle, speed);
    for (Ball& b : g.level.balls)
      if (b.active && b.x == x && b.y == y) return b;
    return g.level.balls[0];
  }
};

TEST_F(Playfield, CellLookupTruncatesAndSkipsTheLastRow) {
  MakeField(30, 100);
  CellRef a = CellAt(33.0f, 0.0f);
  EXPECT_TRUE(a.valid);
  EXPECT_EQ(a.c, 1);
  EXPECT_EQ(a.r, 6);  // (100 + 0) / 16
  CellRef b = CellAt(639.9f, 16 * 28 - 100 + 15.9f);
  EXPECT_TRUE(b.valid);
  EXPECT_EQ(b.c, 19);
  EXPECT_EQ(b.r, 28);
  EXPECT_FALSE(CellAt(100, 16 * 29 - 100).valid);  // the last row never collides
  EXPECT_TRUE(CellAt(100, -101).valid);  // -1 / 16 truncates to row 0
  EXPECT_FALSE(CellAt(100, -117).valid);
  EXPECT_FALSE(CellAt(641, 10).valid);
}

TEST_F(Playfield, HitsWearBlocksDownAndDestructionPays) {
  MakeField(30, 16);
  PutBlock(4, 10, 1, ITEM_CREDIT1);
  Ball& ball = BallAt(150, 150, 90);
  HitBlock(Cell(4, 10), 4, 10, ball, 0, -1);
  EXPECT_EQ(Cell(4, 10).type, 1);
  EXPECT_EQ(Cell(4, 10).hits, 1);
  EXPECT_TRUE(MovesDown(ball.angle));  // bounced with the floor rule
  EXPECT_EQ(LiveParticles(), 0);

  ball.angle = 90;
  HitBlock(Cell(4, 10), 4, 10, ball, 0, -1);
  EXPECT_EQ(Cell(4, 10).type, 0);
  EXPECT_EQ(g.player.score, 10);
  EXPECT_EQ(LiveParticles(), 6 + 10);
  EXPECT_TRUE(MovesDown(ball.angle));
  const FallingItem& drop = g.level.items[0];
  EXPECT_EQ(drop.kind, ITEM_CREDIT1);
  EXPECT_EQ(drop.x, 128);
  EXPECT_EQ(drop.y, 160 - 16);
  EXPECT_LE(drop.vy, -2);
}

TEST_F(Playfield, SolidBlocksStayAndPiercingGoesThroughTheRest) {
  MakeField(30, 0);
  PutBlock(2, 5, 2);
  Ball& ball = BallAt(80, 100, 90);
  HitBlock(Cell(2, 5), 2, 5, ball, 0, -1);
  EXPECT_EQ(Cell(2, 5).type, 2);
  EXPECT_TRUE(MovesDown(ball.angle));

  Switch(ITEM_PIERCING);
  ball.angle = 90;
  HitBlock(Cell(2, 5), 2, 5, ball, 0, -1);
  EXPECT_EQ(Cell(2, 5).type, 2);  // solid even for piercing
  EXPECT_TRUE(MovesDown(ball.angle));

  PutBlock(6, 5, 1);
  ball.angle = 90;
  HitBlock(Cell(6, 5), 6, 5, ball, 0, -1);
  EXPECT_EQ(Cell(6, 5).type, 0);    // one touch for a two-hit block
  EXPECT_EQ(ball.angle, 90);        // and no bounce
  EXPECT_EQ(LiveParticles(), 6);    // no extra burst of 10
}

TEST_F(Playfield, BombBallRemovesEvenSolidBlocksAroundTheHit) {
  MakeField(40, 0);
  for (int c = 0; c < 20; ++c) PutBlock(c, 10, 2);
  g.player.inventory[0] = ItemSlot{ITEM_BOMB, 1, 0, 0, 0, 0};
  g.items[ITEM_BOMB].activeTime = 500;
  UseSlot(0);
  Switch(ITEM_BOMB);  // the same item in both lists
  Ball& ball = BallAt(170, 190, 90, 3);
  for (int f = 0; f < 20 && IsActive(ITEM_BOMB); ++f) MoveBalls();
  EXPECT_FALSE(IsActive(ITEM_BOMB));
  EXPECT_EQ(g.player.inventory[0].active, 0);
  EXPECT_EQ(g.level.wordEffects[0].active, 0);
  EXPECT_EQ(Cell(5, 10).type, 0);  // the block hit
  EXPECT_EQ(Cell(4, 10).type, 0);
  EXPECT_EQ(Cell(6, 10).type, 0);
  EXPECT_EQ(Cell(0, 10).type, 2);  // out of the 50-pixel reach
  EXPECT_EQ(Cell(19, 10).type, 2);
  EXPECT_TRUE(ball.active);
}

TEST_F(Playfield, TimeBombDropsAFusedBombOnce) {
  MakeField(30, 32);
  PutBlock(3, 8, 1);
  Switch(ITEM_TIMEBOMB);
  Ball& ball = BallAt(100, 200, 90);
  HitBlock(Cell(3, 8), 3, 8, ball, 0, -1);
  EXPECT_FALSE(IsActive(ITEM_TIMEBOMB));
  EXPECT_EQ(g.level.items[0].kind, ITEM_TIMEBOMB);
  EXPECT_EQ(g.level.items[0].timer, 40);
  EXPECT_EQ(g.level.items[0].x, 96);
  EXPECT_EQ(g.level.items[0].y, 128 - 32);
}

TEST_F(Playfield, ExplosionsReachByDistanceAndDetonatorByVisibleRows) {
  MakeField(80, 160);  // the window shows rows 10 .. 34
  for (int r = 0; r < 80; ++r)
    for (int c = 0; c < 20; ++c) PutBlock(c, r, r % 2 ? 1 : 2);
  // Centre of cell (10, 12) on screen: (336, 32 + 8).
  ExplodeAround(336, 40, 2500);
  EXPECT_EQ(Cell(10, 12).type, 0);
  EXPECT_EQ(Cell(11, 13).type, 0);   // (368, 56): 32^2 + 16^2 < 2500
  EXPECT_EQ(Cell(12, 12).type, 2);   // 64 pixels away
  EXPECT_EQ(Cell(10, 16).type, 2);   // 64 pixels below
  EXPECT_EQ(Cell(10, 9).type, 0);    // the row above the window is in reach too

  for (int c = 0; c < 20; ++c) PutBlock(c, 9, 1);
  Detonate();
  for (int c = 0; c < 20; ++c) {
    EXPECT_NE(Cell(c, 9).type, 0) << c;
    EXPECT_EQ(Cell(c, 10).type, 0) << c;
    EXPECT_EQ(Cell(c, 34).type, 0) << c;
    EXPECT_NE(Cell(c, 35).type, 0) << c;
  }
}

TEST_F(Playfield, ScrollingNeedsABallUpAndHonoursTheSpeedSetting) {
  MakeField(100, 800);
  g.level.header.scrollSpeed = 2;
  Ball& ball = BallAt(300, 150, 90);
  g.settings.scrollSpeed = 0;  // slow: even frames only
  g.frameCounter = 7;
  ScrollStep(1);
  EXPECT_EQ(g.level.scroll, 800);
  g.frameCounter = 8;
  ScrollStep(1);
  EXPECT_EQ(g.level.scroll, 798);
  EXPECT_FLOAT_EQ(ball.y, 152);  // balls ride along with the field

  g.settings.scrollSpeed = 1;  // fast: every frame
  g.frameCounter = 9;
  ScrollStep(1);
  EXPECT_EQ(g.level.scroll, 796);
  ScrollStep(0);
  EXPECT_EQ(g.level.scroll, 796);
  Switch(ITEM_TIMEZIP);
  ScrollStep(3);
  EXPECT_EQ(g.level.scroll, 796);

  g.level.scroll = 0;
  ScrollStep(1);
  EXPECT_EQ(g.level.scroll, 0);
}

TEST_F(Playfield, OnlyTheTopOfAFullyScrolledFieldWins) {
  MakeField(100, 5);
  for (int c = 0; c < 20; ++c) PutBlock(c, 3, 1);
  Ball& ball = BallAt(300, 10, 90);
  EXPECT_EQ(CheckLevelTop(true), 0);  // the top wall of the window is not the top
  g.level.scroll = -3;
  EXPECT_EQ(CheckLevelTop(true), 1);  // blocks left do not matter
  EXPECT_EQ(g.level.scroll, 0);
  EXPECT_EQ(CheckLevelTop(false), 0);
  g.level.levelEnded = 1;
  EXPECT_EQ(CheckLevelTop(true), 0);
  g.level.levelEnded = 0;
  ball.y = 15;
  EXPECT_EQ(CheckLevelTop(true), 0);
}

TEST_F(Playfield, VanishingEmptiesTheRowBelowTheMiddleWithoutPaying) {
  MakeField(60, 40);  // top row 2
  for (int c = 0; c < 20; ++c) {
    PutBlock(c, 22, 1, ITEM_CREDIT1);
    PutBlock(c, 21, 1);
  }
  VanishRow();
  for (int c = 0; c < 20; ++c) {
    EXPECT_EQ(Cell(c, 22).type, 0);
    EXPECT_EQ(Cell(c, 21).type, 1);
  }
  EXPECT_EQ(g.player.score, 0);
  EXPECT_EQ(g.level.items[0].kind, 0);
  g.level.scroll = 16 * 50;
  VanishRow();  // row 70 is outside the grid
}

TEST_F(Playfield, ProgressFigure) {
  MakeField(25, 0);
  EXPECT_EQ(LevelProgress(), 100);
  MakeField(10, 0);
  EXPECT_EQ(LevelProgress(), 100);
  MakeField(125, 0);
  g.level.scroll = g.level.backRows * 64 - 400;  // start of the level
  EXPECT_EQ(LevelProgress(), 0);
  g.level.scroll = 16 * 50;
  EXPECT_EQ(LevelProgress(), 50);
  g.level.scroll = 16 * 2;
  EXPECT_EQ(LevelProgress(), 98);
  g.level.scroll = 16 * 1 + 15;
  EXPECT_EQ(LevelProgress(), 100);
  g.level.scroll = 0;
  EXPECT_EQ(LevelProgress(), 100);
}

TEST_F(Playfield, BlockImagesFollowTheHitsLeft) {
  MakeField(5, 0);
  g.level.types[0].hitCounter = 9;
  PutBlock(0, 0, 1);
  EXPECT_EQ(BlockImage(Cell(0, 0)), 5);  // hits above 4 use image[4]
  Cell(0, 0).hits = 2;
  EXPECT_EQ(BlockImage(Cell(0, 0)), 3);
  PutBlock(1, 0, 2);
  EXPECT_EQ(BlockImage(Cell(1, 0)), 6);
}

TEST_F(Playfield, BackgroundObjectsSpawnMoveAndSmash) {
  MakeField(60, 0);
  g.frameCounter = 25;
  SpawnBackObject(3);
  EXPECT_EQ(LiveBackObjects(), 0);  // not yet due
  g.frameCounter = 26;
  SpawnBackObject(0);  // a set without objects: nothing, but the time is taken
  EXPECT_EQ(LiveBackObjects(), 0);
  EXPECT_EQ(g.level.lastBackObjectSpawn, 26u);
  g.frameCounter = 52;
  SpawnBackObject(3);
  ASSERT_EQ(LiveBackObjects(), 1);
  BackObject& o = g.level.backObjects[0];
  EXPECT_TRUE(o.x == -30 || o.y == -30 || o.x == 670 || o.y == 510);
  EXPECT_LT(o.object, 3);
  for (int i = 0; i < 1000 && o.active; ++i) MoveBackObject(o);
  EXPECT_FALSE(o.active);

  BackObject smasher;
  smasher.active = smasher.smashes = true;
  smasher.x = 100;
  smasher.y = 50;
  PutBlock(2, 2, 2);
  PutBlock(4, 4, 1);
  PutBlock(5, 4, 1);
  PutBlock(2, 5, 1);
  SmashUnder(smasher, 64, 32);  // columns 2 .. 4, rows 2 .. 4
  EXPECT_EQ(Cell(2, 2).type, 0);
  EXPECT_EQ(Cell(4, 4).type, 0);
  EXPECT_EQ(Cell(5, 4).type, 1);
  EXPECT_EQ(Cell(2, 5).type, 1);
}

TEST_F(Playfield, ParticlesOfEveryKindLiveTheirTime) {
  SpawnBurst(100, 100, 5, 0, 4.0f);  // kind 0 is a real particle kind
  EXPECT_EQ(LiveParticles(), 5);
  SpawnBurst(100, 100, 1000, 3, 1.0f);
  EXPECT_EQ(LiveParticles(), kMaxParticles);
  EXPECT_EQ(SpawnTrail(1, 1, 3, 2), nullptr);
  for (const Particle& p : g.level.particles) {
    float v2 = p.vx * p.vx + p.vy * p.vy;
    ASSERT_LE(v2, 8.0f * 8.0f + 0.01f);
    ASSERT_GE(p.frame, 2);
    ASSERT_LT(p.frame, 5);
  }
  for (int i = 0; i < 119; ++i) UpdateParticles();
  EXPECT_EQ(LiveParticles(), kMaxParticles);
  UpdateParticles();
  EXPECT_EQ(LiveParticles(), 0);

  Particle* t = SpawnTrail(10, 20, 3, 4);
  ASSERT_NE(t, nullptr);
  t->drift = 2;
  UpdateParticles();
  EXPECT_FLOAT_EQ(t->y, 19);
  EXPECT_FLOAT_EQ(t->vy, -1.1f);
  EXPECT_EQ(t->life, 119);
}

}  // namespace
}  // namespace vx
