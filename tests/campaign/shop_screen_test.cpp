// The item shop on the real art, with a catalogue of known prices: the
// shelves, buying, selling, rearranging the inventory and the information
// panel.
#include "campaign/shop_rules.h"
#include "campaign/shop_screen.h"
#include "game/game_state.h"
#include "game/items.h"
#include "game/level_files.h"
#include "screen_fixture.h"

namespace vx::test {
namespace {

const char kCatalogue[] =
    "[ITEM_CREDIT1]\nName = Exchange\nPrice = 25\nActive time = 10000\n"
    "[ITEM_CREDIT2]\nName = Coin\nPrice = 1\n"
    "[ITEM_BALL]\nName = Extra Ship\nPrice = 300\nActive time = 10000\n"
    "[ITEM_WIDE_BUSTER]\nName = Wide\nDescription = Wider ship.\nPrice = 40\nActive time = 2500\n"
    "[ITEM_INCREASE_SPEED]\nName = Faster\nPrice = 20\nActive time = 10000\n"
    "[ITEM_DECREASE_SPEED]\nName = Slower\nPrice = 30\nActive time = 100\n"
    "[ITEM_SHADOW]\nName = Shadow\nPrice = 90\nRequires = 5\n"
    "[ITEM_DETONATOR]\nName = Boom\nPrice = 100\n";

class ShopTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    WriteText("Items.txt", kCatalogue);
  }
  ShopScreen* Shop() { return static_cast<ShopScreen*>(g.screens.shop); }
  void OpenShop() {
    Enter(g.screens.node);
    SwitchTo(g.screens.shop, 0);
    ASSERT_EQ(g.currentScreen, g.screens.shop);
    Frame();
  }
  static int PlaceOf(int item) { return item == ITEM_CREDIT1 ? 0 : item - 2; }
  void ClickItem(int item) { Click(ShelfCell(PlaceOf(item))); }
  void ClickSlot(int slot, int button = 0) { Click(InventoryBox(slot), button); }
  Rect ButtonRect(int i) { return Shop()->buttons[i].Area(); }
  uint16_t BackPixel(int x, int y) { return Graphics::BackBuffer()->Row(y)[x]; }
};

TEST_F(ShopTest, ShelvesHoldEveryItemButTheCoinAndThoseWaitingForLevels) {
  EXPECT_EQ(ShelfItem(0), ITEM_CREDIT1);
  EXPECT_EQ(ShelfItem(1), ITEM_BALL);
  EXPECT_EQ(ShelfItem(20), ITEM_SHIELD);
  OpenShop();
  EXPECT_FALSE(IsOffered(ITEM_CREDIT2));
  ClickItem(ITEM_BALL);
  EXPECT_EQ(Shop()->selectedItem, ITEM_BALL);
  ClickItem(ITEM_SHADOW);
  EXPECT_EQ(Shop()->selectedItem, ITEM_BALL) << "level 5 is not completed";
  ClickItem(ITEM_SNIPER);
  EXPECT_EQ(Shop()->selectedItem, ITEM_BALL) << "not in the catalogue at all";

  gGame.campaign[4].completed = 1;
  Key(KEY_ESCAPE);
  SwitchTo(g.screens.shop, 0);
  Frame();
  ClickItem(ITEM_SHADOW);
  EXPECT_EQ(Shop()->selectedItem, ITEM_SHADOW);
}

TEST_F(ShopTest, BuyingFillsSlotsAddsLivesAndExchangesPoints) {
  gGame.player.credits = 1000;
  gGame.player.score = 60;
  AddToInventory(ITEM_DECREASE_SPEED);
  AddToInventory(ITEM_WIDE_BUSTER);
  OpenShop();

  ClickItem(ITEM_WIDE_BUSTER);
  Click(ButtonRect(0));
  EXPECT_EQ(gGame.player.inventory[1].count, 2) << "into the slot that holds it";
  EXPECT_EQ(gGame.player.inventory[2].id, 0);
  EXPECT_EQ(gGame.player.credits, 960);

  ClickItem(ITEM_BALL);
  Click(ButtonRect(0));
  EXPECT_EQ(gGame.player.lives, 9);
  EXPECT_EQ(gGame.player.credits, 660);

  ClickItem(ITEM_CREDIT1);
  Click(ButtonRect(0));
  Click(ButtonRect(0));
  EXPECT_EQ(gGame.player.credits, 662) << "one credit per purchase";
  EXPECT_EQ(gGame.player.score, 10);
  Frame();
  EXPECT_FALSE(Shop()->buttons[0].IsEnabled()) << "25 points are no longer there";
  Click(ButtonRect(0));
  EXPECT_EQ(gGame.player.score, 10);

  // A double-click on a shelf buys at once, as long as it is paid for.
  MoveTo(ShelfCell(PlaceOf(ITEM_INCREASE_SPEED)).left + 25, 105);
  Button(true);
  Button(false);
  Button(true);
  Button(false);
  EXPECT_EQ(gGame.player.inventory[2].id, ITEM_INCREASE_SPEED);
  EXPECT_EQ(gGame.player.credits, 642);
}

TEST_F(ShopTest, AFullInventoryTakesNothingAndCostsNothing) {
  for (int id = ITEM_CANNON; id < ITEM_CANNON + kInventorySlots; ++id) AddToInventory(id);
  OpenShop();
  ClickItem(ITEM_WIDE_BUSTER);
  Click(ButtonRect(0));
  EXPECT_EQ(gGame.player.credits, 150);
  EXPECT_EQ(gGame.player.inventory[0].id, ITEM_CANNON);
}

TEST_F(ShopTest, SellingTheLastUnitEmptiesTheSlot) {
  AddToInventory(ITEM_WIDE_BUSTER);
  AddToInventory(ITEM_WIDE_BUSTER);
  OpenShop();
  ClickSlot(0);
  EXPECT_EQ(Shop()->selectedSlot, 0);
  EXPECT_EQ(Shop()->sellPrice, 32);
  Click(ButtonRect(1));
  EXPECT_EQ(gGame.player.inventory[0].count, 1);
  EXPECT_EQ(gGame.player.credits, 182);
  Click(ButtonRect(1));
  EXPECT_EQ(gGame.player.inventory[0].id, 0);
  EXPECT_EQ(gGame.player.credits, 214);
  EXPECT_EQ(Shop()->selectedSlot, -1);
  Frame();
  EXPECT_FALSE(Shop()->buttons[1].IsEnabled());
}

TEST_F(ShopTest, SellingADetonatorLeavesTheLastLevelAlone) {
  LoadLevel(1);
  auto blocks = [] {
    int n = 0;
    for (const BlockCell& c : gGame.level.grid) n += c.type != 0;
    return n;
  };
  const int before = blocks();
  ASSERT_GT(before, 0);
  AddToInventory(ITEM_DETONATOR);
  OpenShop();
  ClickSlot(0);
  Click(ButtonRect(1));
  EXPECT_EQ(gGame.player.inventory[0].id, 0);
  EXPECT_EQ(gGame.player.credits, 230);
  EXPECT_EQ(gGame.player.score, 0);
  EXPECT_EQ(blocks(), before);
}

TEST_F(ShopTest, RightClickMovesTheSelectedSlotAndTheSelectionFollows) {
  AddToInventory(ITEM_WIDE_BUSTER);
  AddToInventory(ITEM_WIDE_BUSTER);
  AddToInventory(ITEM_DECREASE_SPEED);
  OpenShop();
  ClickSlot(0);
  ClickSlot(4, 1);  // onto an empty slot
  EXPECT_EQ(gGame.player.inventory[4].id, ITEM_WIDE_BUSTER);
  EXPECT_EQ(gGame.player.inventory[4].count, 2);
  EXPECT_EQ(gGame.player.inventory[0].id, 0);
  EXPECT_EQ(Shop()->selectedSlot, 4);
  ClickSlot(1, 1);  // onto a filled one: the two change places
  EXPECT_EQ(gGame.player.inventory[1].id, ITEM_WIDE_BUSTER);
  EXPECT_EQ(gGame.player.inventory[4].id, ITEM_DECREASE_SPEED);
  EXPECT_EQ(Shop()->selectedSlot, 1);
  EXPECT_EQ(Shop()->sellPrice, 32);

  // Without a selection a right-click moves nothing.
  Click(ButtonRect(1));
  Click(ButtonRect(1));
  EXPECT_EQ(Shop()->selectedSlot, -1);
  ClickSlot(4, 1);
  EXPECT_EQ(gGame.player.inventory[4].id, ITEM_DECREASE_SPEED);
}

TEST_F(ShopTest, InventoryBoxesSitOnThePanelSockets) {
  for (int i = 0; i < kInventorySlots; ++i) {
    const Rect r = InventoryBox(i);
    EXPECT_TRUE(PointIn(r, 197 + 42 * i, 447)) << i;
    if (i > 0) {
      EXPECT_LE(InventoryBox(i - 1).right, r.left) << i;
    }
  }
}

TEST_F(ShopTest, ActiveTimeShowsBarsOrInstant) {
  OpenShop();
  ClickItem(ITEM_WIDE_BUSTER);  // 2500 frames: five bars
  EXPECT_EQ(BackPixel(155 + 40 + 4, 305), Graphics::MakePixel(0, 140, 0));
  EXPECT_NE(BackPixel(155 + 50 + 4, 305), Graphics::MakePixel(0, 150, 0));
  ClickItem(ITEM_INCREASE_SPEED);  // 10000: instant, no bars
  EXPECT_NE(BackPixel(159, 305), Graphics::MakePixel(0, 100, 0));
  ClickItem(ITEM_DECREASE_SPEED);  // 100 frames: less than a bar
  EXPECT_NE(BackPixel(159, 305), Graphics::MakePixel(0, 100, 0));
}

TEST_F(ShopTest, EscapeAndBackReturnToTheMap) {
  OpenShop();
  Key(KEY_ESCAPE);
  EXPECT_EQ(g.currentScreen, g.screens.node);
  SwitchTo(g.screens.shop, 0);
  Frame();
  Click(ButtonRect(2));
  EXPECT_EQ(g.currentScreen, g.screens.node);
}

TEST_F(ShopTest, AGarbledCatalogueOffersNothing) {
  const char garbage[] = "\xff\xfe[ITEM_\0\x01 = = =\n[[[]]]\nPrice = -5\n[ITEM_BALL";
  WriteText("Items.txt", std::string(garbage, sizeof garbage - 1));
  gGame.player.credits = 0;
  OpenShop();
  for (int place = 0; place < kShelfPlaces; ++place) {
    ClickItem(ShelfItem(place));
    Click(ButtonRect(0));
  }
  EXPECT_EQ(Shop()->selectedItem, -1);
  EXPECT_EQ(gGame.player.inventory[0].id, 0) << "nothing is given away for nothing";
}

}  // namespace
}  // namespace vx::test
