#include <gtest/gtest.h>

#include "game/angles.h"
#include "game/ball.h"
#include "game/falling_items.h"
#include "game/items.h"
#include "game_fixture.h"

namespace vx {
namespace {

using test::GameTest;

class Items : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    MakeField(60, 0);
    g.level.paddle = Paddle();
    g.level.paddle.x = 320;
    g.level.paddle.y = 375;
    g.level.paddle.w = 80;
  }
  static int CountOf(int id) {
    for (const ItemSlot& s : g.player.inventory)
      if (s.id == id) return s.count;
    return 0;
  }
};

TEST_F(Items, CatalogueReadsPricesTimesAndRequirements) {
  WriteHostFile("Items.txt",
                "[ITEM_BALL]\nActive time = 10000\nPrice = 500\nName = Ball\n"
                "[ITEM_BALL_ATTRACTOR]\nActive time = 700\nPrice = 33\nName = Magnet\n"
                "Description = Pulls\nRequires = 2, 0, 5\n"
                "[ITEM_SHIELD]\nPrice = 71\nRequires = 150\n");
  g.campaign[1].completed = 1;
  ASSERT_TRUE(LoadItems());
  EXPECT_EQ(g.items[ITEM_BALL].activeTime, 10000);
  EXPECT_EQ(g.items[ITEM_BALL].price, 500);
  EXPECT_EQ(g.items[ITEM_BALL].sellPrice, 400);
  EXPECT_EQ(g.items[ITEM_BALL].available, 1);
  const ItemInfo& magnet = g.items[ITEM_BALL_ATTRACTOR];
  EXPECT_EQ(magnet.id, ITEM_BALL_ATTRACTOR);
  EXPECT_EQ(magnet.activeTime, 700);
  EXPECT_EQ(magnet.sellPrice, 33 * 8 / 10);
  EXPECT_STREQ(magnet.name, "Magnet");
  EXPECT_STREQ(magnet.description, "Pulls");
  EXPECT_EQ(magnet.available, 0);  // level 5 is not completed
  g.campaign[4].completed = 1;
  LoadItems();
  EXPECT_EQ(g.items[ITEM_BALL_ATTRACTOR].available, 1);
  EXPECT_EQ(g.items[ITEM_SHIELD].activeTime, 1000);
  EXPECT_EQ(g.items[ITEM_SHIELD].available, 0);  // no such level can be won

  // Without the file the catalogue stays as it was.
  std::remove("Items.txt");
  EXPECT_FALSE(LoadItems());
  EXPECT_EQ(g.items[ITEM_BALL].price, 500);
}

TEST_F(Items, InventoryStacksAndOverflows) {
  for (int id = 4; id < 14; ++id) EXPECT_TRUE(AddToInventory(id));
  EXPECT_TRUE(AddToInventory(4));
  EXPECT_EQ(CountOf(4), 2);
  EXPECT_FALSE(AddToInventory(20));
  EXPECT_EQ(CountOf(20), 0);
}

TEST_F(Items, UsingRunsTheTimeAndTwoBombsShareOneEffect) {
  g.items[ITEM_BOMB].activeTime = 3;
  g.player.inventory[2] = ItemSlot{ITEM_BOMB, 2, 0, 0, 0, 0};
  UseSlot(2);
  ItemSlot& s = g.player.inventory[2];
  EXPECT_EQ(s.count, 1);
  EXPECT_EQ(s.active, 1);
  EXPECT_EQ(s.remaining, 3);
  EXPECT_EQ(s.total, 3);
  TickItems();
  TickItems();
  EXPECT_EQ(s.remaining, 1);
  EXPECT_EQ(s.elapsed, 2);
  UseSlot(2);  // the second restarts the time
  EXPECT_EQ(s.count, 0);
  EXPECT_EQ(s.remaining, 3);
  EXPECT_EQ(s.elapsed, 0);
  EXPECT_TRUE(IsActive(ITEM_BOMB));
  UseSlot(2);  // nothing left
  EXPECT_EQ(s.remaining, 3);

  Deactivate(ITEM_BOMB);  // what the first block hit does
  EXPECT_FALSE(IsActive(ITEM_BOMB));
  TickItems();
  EXPECT_EQ(s.id, 0);  // no units and no time left: the slot empties
  UseSlot(-1);
  UseSlot(10);
}

TEST_F(Items, SlotsEmptyOnlyWhenTheEffectHasRunOut) {
  g.items[ITEM_CANNON].activeTime = 2;
  g.player.inventory[0] = ItemSlot{ITEM_CANNON, 1, 0, 0, 0, 0};
  UseSlot(0);
  TickItems();
  EXPECT_EQ(g.player.inventory[0].id, ITEM_CANNON);
  TickItems();
  EXPECT_EQ(g.player.inventory[0].active, 0);
  EXPECT_EQ(g.player.inventory[0].id, ITEM_CANNON);
  TickItems();
  EXPECT_EQ(g.player.inventory[0].id, 0);

  // An item without active time stops at once rather than running for ages.
  g.items[ITEM_SNIPER].activeTime = 0;
  g.player.inventory[1] = ItemSlot{ITEM_SNIPER, 1, 0, 0, 0, 0};
  UseSlot(1);
  TickItems();
  EXPECT_FALSE(IsActive(ITEM_SNIPER));
}

TEST_F(Items, WordEffectsOncePerWordAndAtMostTen) {
  ActivateByWord(ITEM_CANNON);
  EXPECT_TRUE(IsActive(ITEM_CANNON));
  EXPECT_EQ(g.level.wordEffects[0].count, 0);
  Deactivate(ITEM_CANNON);
  ActivateByWord(ITEM_CANNON);  // the word is still in the list
  EXPECT_FALSE(IsActive(ITEM_CANNON));
  TickItems();
  EXPECT_EQ(g.level.wordEffects[0].id, 0);
  ActivateByWord(ITEM_CANNON);
  EXPECT_TRUE(IsActive(ITEM_CANNON));

  for (int id = 4; id < 14; ++id) ActivateByWord(id);
  ActivateByWord(ITEM_SHIELD);
  EXPECT_FALSE(IsActive(ITEM_SHIELD));  // the list is full
  EXPECT_FALSE(IsActive(0));
}

TEST_F(Items, InstantEffectsOnBalls) {
  ActivateByWord(ITEM_ADD_BALL);  // no ball: nothing
  EXPECT_EQ(ActiveBalls(), 0);
  AddBall(100, 200, 60.7f, 4);
  ApplyInstant(ITEM_ADD_BALL);
  ASSERT_EQ(ActiveBalls(), 2);
  const Ball& added = g.level.balls[1];
  EXPECT_EQ(added.x, 100);
  EXPECT_EQ(added.speed, 3.0f);
  EXPECT_GE(added.angle, 60 - 45);
  EXPECT_LT(added.angle, 60 + 45);
  EXPECT_EQ(added.angle, static_cast<int>(added.angle));

  ApplyInstant(ITEM_SHADOW);
  ASSERT_EQ(ActiveBalls(), 3);
  EXPECT_EQ(g.level.balls[2].x, 540);
  EXPECT_NEAR(g.level.balls[2].angle, 180 - 60.7f, 1e-3f);

  ApplyInstant(ITEM_INCREASE_SPEED);
  EXPECT_EQ(g.level.balls[0].speed, 5.0f);
  ApplyInstant(ITEM_DECREASE_SPEED);
  ApplyInstant(ITEM_DECREASE_SPEED);
  ApplyInstant(ITEM_DECREASE_SPEED);
  EXPECT_EQ(g.level.balls[1].speed, 2.0f);

  // A ball thrown at angle 358 wraps into 0 .. 359.
  for (Ball& b : g.level.balls) b = Ball();
  AddBall(100, 200, 358, 3);
  for (int seed = 0; seed < 40; ++seed) {
    SeedRandom(seed);
    g.level.balls[1] = Ball();
    ApplyInstant(ITEM_ADD_BALL);
    EXPECT_GE(g.level.balls[1].angle, 0);
    EXPECT_LT(g.level.balls[1].angle, 360);
  }
}

TEST_F(Items, CatchingCoinsPaysDoubleWhileInvisible) {
  Catch(ITEM_CREDIT1);
  Catch(ITEM_CREDIT2);
  EXPECT_EQ(g.player.credits, 156);
  ActivateByWord(ITEM_INVISIBLE);
  Catch(ITEM_CREDIT1);
  EXPECT_EQ(g.player.credits, 166);
  Catch(ITEM_CREDIT2);
  EXPECT_EQ(g.player.credits, 168);
  Catch(ITEM_PIERCING);
  EXPECT_EQ(CountOf(ITEM_PIERCING), 1);
}

TEST_F(Items, FallingCoinsJumpFallAndAreCaught) {
  for (int i = 0; i < 60; ++i) DropItem(100, 100, ITEM_CREDIT2, 0);  // ten are lost
  for (const FallingItem& f : g.level.items) {
    EXPECT_EQ(f.kind, ITEM_CREDIT2);
    EXPECT_GE(f.vx, -2);
    EXPECT_LE(f.vx, 1);
    EXPECT_GE(f.vy, -4);
    EXPECT_LE(f.vy, -2);
  }
  for (FallingItem& f : g.level.items) f = FallingItem();

  DropItem(300, 368, ITEM_CREDIT1, 0);  // lands on the paddle at once
  g.frameCounter = 1;
  UpdateFallingItems();
  EXPECT_EQ(g.level.items[0].kind, 0);
  EXPECT_EQ(g.player.credits, 155);

  DropItem(0, 470, ITEM_CREDIT1, 0);
  g.level.items[0].vy = 20;
  UpdateFallingItems();
  EXPECT_EQ(g.level.items[0].kind, 0);  // fell off the screen
  EXPECT_EQ(g.player.credits, 155);
}

TEST_F(Items, AttractorSteersOnlyFallingItems) {
  ActivateByWord(ITEM_CREDITS_ATTRACTOR);
  DropItem(100, 100, ITEM_CREDIT1, 0);
  FallingItem& f = g.level.items[0];
  f.vx = 0;
  f.vy = -1;
  g.frameCounter = 1;
  UpdateFallingItems();
  EXPECT_EQ(f.vx, 0);  // still rising
  f.vy = 1;
  for (int i = 0; i < 8; ++i) UpdateFallingItems();
  EXPECT_EQ(f.vx, 4);  // held at 4
}

TEST_F(Items, TimeBombCaughtGoesToTheInventory) {
  DropItem(300, 365, ITEM_TIMEBOMB, 40);
  g.frameCounter = 1;
  UpdateFallingItems();
  EXPECT_EQ(g.level.items[0].kind, 0);
  EXPECT_EQ(CountOf(ITEM_TIMEBOMB), 1);
  EXPECT_EQ(BlocksLeft(), 0);
}

TEST_F(Items, TimeBombExplodesWhenItsFuseRunsOut) {
  for (int r = 0; r < 25; ++r)
    for (int c = 0; c < 20; ++c) PutBlock(c, r, 2);
  DropItem(300, 250, ITEM_TIMEBOMB, 40);
  for (int f = 1; f < 40; ++f) {
    g.frameCounter = f;
    UpdateFallingItems();
  }
  ASSERT_EQ(g.level.items[0].kind, ITEM_TIMEBOMB);
  int x = g.level.items[0].x, y = g.level.items[0].y;
  g.frameCounter = 40;
  UpdateFallingItems();
  EXPECT_EQ(g.level.items[0].kind, 0);
  for (int r = 0; r < 25; ++r) {
    for (int c = 0; c < 20; ++c) {
      float dx = x - (32 * c + 16.0f), dy = y - (16 * r + 8.0f);
      bool inReach = dx * dx + dy * dy < 22500;
      ASSERT_EQ(Cell(c, r).type == 0, inReach) << c << "," << r;
    }
  }
  EXPECT_LT(BlocksLeft(), 500);
  EXPECT_EQ(CountOf(ITEM_TIMEBOMB), 0);
}

}  // namespace
}  // namespace vx
