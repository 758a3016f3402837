#include <gtest/gtest.h>

#include <cstdio>

#include "game/ball.h"
#include "game/falling_items.h"
#include "game/game_state.h"
#include "game/items.h"
#include "game_fixture.h"

namespace vx {
namespace {

class Items : public test::GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    MakeField(60);
  }
  static int CountOf(int id) {
    for (const ItemSlot& s : gGame.player.inventory)
      if (s.id == id) return s.count;
    return 0;
  }
  // Frames of the falling items.
  static void Fall(int frames) {
    for (int i = 0; i < frames; ++i) {
      ++g.frameCounter;
      UpdateFallingItems();
    }
  }
};

TEST_F(Items, CatalogueFollowsTheCompletedLevels) {
  test::WriteText("Items.txt",
                  "[ITEM_BALL]\nActive time = 10000\nPrice = 500\n"
                  "[ITEM_BALL_ATTRACTOR]\nPrice = 33\nName = Magnet\nRequires = 2, 0, 5\n"
                  "[ITEM_SHIELD]\nRequires = 150\n");
  gGame.campaign[1].completed = 1;
  ASSERT_TRUE(LoadItems());
  EXPECT_EQ(gGame.items[ITEM_BALL].activeTime, 10000);
  EXPECT_EQ(gGame.items[ITEM_BALL].sellPrice, 400);
  EXPECT_EQ(gGame.items[ITEM_BALL_ATTRACTOR].activeTime, 1000);
  EXPECT_STREQ(gGame.items[ITEM_BALL_ATTRACTOR].name, "Magnet");
  EXPECT_EQ(gGame.items[ITEM_BALL_ATTRACTOR].available, 0);  // level 5 is not won
  EXPECT_EQ(gGame.items[ITEM_SHIELD].available, 0);          // no such level
  gGame.campaign[4].completed = 1;
  LoadItems();
  EXPECT_EQ(gGame.items[ITEM_BALL_ATTRACTOR].available, 1);
  std::remove("Items.txt");
  EXPECT_FALSE(LoadItems());
  EXPECT_EQ(gGame.items[ITEM_BALL].price, 500);  // kept
}

TEST_F(Items, UnitsRunTheirTimeAndSlotsEmptyAfterwards) {
  for (int id = 4; id < 14; ++id) EXPECT_TRUE(AddToInventory(id));
  EXPECT_FALSE(AddToInventory(20));  // full: lost
  for (ItemSlot& s : gGame.player.inventory) s = ItemSlot();

  gGame.items[ITEM_BOMB].activeTime = 3;
  AddToInventory(ITEM_BOMB);
  AddToInventory(ITEM_BOMB);
  ItemSlot& s = gGame.player.inventory[0];
  UseSlot(0);
  TickItems();
  TickItems();
  EXPECT_EQ(s.remaining, 1);
  UseSlot(0);  // the second bomb restarts the time
  EXPECT_EQ(s.count, 0);
  EXPECT_EQ(s.remaining, 3);
  EXPECT_EQ(s.elapsed, 0);
  for (int i = 0; i < 3; ++i) TickItems();
  EXPECT_FALSE(IsActive(ITEM_BOMB));
  EXPECT_EQ(s.id, ITEM_BOMB);
  TickItems();
  EXPECT_EQ(s.id, 0);

  // An item without active time stops at once instead of wrapping round.
  gGame.items[ITEM_SNIPER].activeTime = 0;
  AddToInventory(ITEM_SNIPER);
  UseSlot(0);
  TickItems();
  EXPECT_FALSE(IsActive(ITEM_SNIPER));
}

TEST_F(Items, WordEffectsOncePerWordAndAtMostTen) {
  ActivateByWord(ITEM_CANNON);
  Deactivate(ITEM_CANNON);
  ActivateByWord(ITEM_CANNON);  // still in the list: nothing
  EXPECT_FALSE(IsActive(ITEM_CANNON));
  TickItems();
  ActivateByWord(ITEM_CANNON);
  EXPECT_TRUE(IsActive(ITEM_CANNON));
  for (int id = 4; id < 14; ++id) ActivateByWord(id);
  ActivateByWord(ITEM_SHIELD);
  EXPECT_FALSE(IsActive(ITEM_SHIELD));  // the list is full
}

TEST_F(Items, ExtraAndMirroredBalls) {
  ApplyInstant(ITEM_ADD_BALL);  // no ball: nothing
  EXPECT_EQ(ActiveBalls(), 0);
  AddBall(100, 200, 358.5f, 4);
  for (int seed = 0; seed < 20; ++seed) {
    SeedRandom(seed);
    gGame.level.balls[1] = Ball();
    ApplyInstant(ITEM_ADD_BALL);
    float a = gGame.level.balls[1].angle;
    EXPECT_TRUE(a >= 0 && a < 360 && (a >= 313 || a < 43)) << a;
    EXPECT_EQ(gGame.level.balls[1].speed, 3.0f);
  }
  gGame.level.balls[0].angle = 60;
  ApplyInstant(ITEM_SHADOW);
  EXPECT_EQ(gGame.level.balls[2].x, 540);
  EXPECT_NEAR(gGame.level.balls[2].angle, 120, 1e-3f);
}

TEST_F(Items, CoinsPayDoubleWhileInvisibleAndTheMagnetSteersFallingOnes) {
  DropItem(300, 368, ITEM_CREDIT1, 0);  // lands on the paddle at once
  Fall(1);
  EXPECT_EQ(gGame.player.credits, 155);
  ActivateByWord(ITEM_INVISIBLE);
  Catch(ITEM_CREDIT1);
  Catch(ITEM_CREDIT2);
  EXPECT_EQ(gGame.player.credits, 167);
  Catch(ITEM_PIERCING);
  EXPECT_EQ(CountOf(ITEM_PIERCING), 1);

  ActivateByWord(ITEM_CREDITS_ATTRACTOR);
  DropItem(100, 100, ITEM_CREDIT2, 0);
  FallingItem& f = gGame.level.items[0];
  f.vx = 0;
  f.vy = -1;
  Fall(1);
  EXPECT_EQ(f.vx, 0);  // still rising: not steered
  f.vy = 1;
  Fall(8);
  EXPECT_EQ(f.vx, 4);  // steered, at most 4
  f.y = 470;
  f.vy = 20;
  Fall(1);
  EXPECT_EQ(f.kind, 0);  // fell off the screen
}

TEST_F(Items, TimeBombCaughtOrExploding) {
  DropItem(300, 365, ITEM_TIMEBOMB, 40);
  Fall(1);
  EXPECT_EQ(CountOf(ITEM_TIMEBOMB), 1);

  for (int r = 0; r < 25; ++r)
    for (int c = 0; c < 20; ++c) PutBlock(c, r, 2);
  DropItem(300, 250, ITEM_TIMEBOMB, 40);
  Fall(39);
  ASSERT_EQ(gGame.level.items[0].kind, ITEM_TIMEBOMB);
  float x = static_cast<float>(gGame.level.items[0].x), y = static_cast<float>(gGame.level.items[0].y);
  Fall(1);
  EXPECT_EQ(gGame.level.items[0].kind, 0);
  for (int r = 0; r < 25; ++r) {
    for (int c = 0; c < 20; ++c) {
      float dx = x - (32 * c + 16), dy = y - (16 * r + 8);
      ASSERT_EQ(Cell(c, r).type == 0, dx * dx + dy * dy < 22500) << c << "," << r;
    }
  }
}

}  // namespace
}  // namespace vx
