#include <cstring>
#include <filesystem>

#include "campaign/save_game.h"
#include "campaign/save_screen.h"
#include "campaign/screen_fixture.h"

namespace vx::test {
namespace {

// Row i of the slot list is 16 pixels high from y 170, text from x 240.
int RowY(int i) { return 170 + 16 * i + 8; }
constexpr int kRowX = 260;

class SaveLoadScreenTest : public ScreenTest {
 protected:
  SaveScreen& Save() { return *static_cast<SaveScreen*>(g.screens.save); }
  void SetUp() override {
    ScreenTest::SetUp();
    for (SaveSlot& s : gSaveSlots) s = SaveSlot();
    g.player.lives = 6;
    g.player.credits = 321;
    g.player.score = 45678;
    g.player.inventory[2] = ItemSlot{ITEM_RUBBER, 4, 0, 0, 0, 0};
    g.campaign[0].completed = g.campaign[1].completed = 1;
  }
};

TEST_F(SaveLoadScreenTest, SaveWithATypedNameThenLoadItBack) {
  Enter(g.screens.save);
  Frame();
  EXPECT_STREQ(SlotName(0), "<Empty>");
  Click(kRowX, RowY(0));
  EXPECT_EQ(Save().editedSlot, 0);
  EXPECT_STREQ(Save().editBuffer, "") << "an empty slot starts with no name";
  Type("Hero");
  Type("\r");
  EXPECT_TRUE(std::filesystem::exists("game1.sav"));
  EXPECT_EQ(g.currentScreen, g.screens.save) << "the screen closes on its next frame";
  Frame();
  EXPECT_EQ(g.currentScreen, g.screens.menu);

  // Play on, then load the slot from the menu.
  g.player = PlayerRecord();
  g.player.lives = 1;
  for (MapNode& n : g.campaign) n = MapNode();
  g.campaign[50].completed = 1;
  SwitchTo(g.screens.load, 0);
  Click(kRowX, RowY(0));
  EXPECT_EQ(g.currentScreen, g.screens.node);
  EXPECT_EQ(g.screenStackDepth, 2) << "the map opens over the menu";
  EXPECT_EQ(g.screenStack[1], g.screens.menu);
  EXPECT_EQ(g.player.lives, 6);
  EXPECT_EQ(g.player.credits, 321);
  EXPECT_EQ(g.player.score, 45678);
  EXPECT_EQ(g.player.inventory[2].id, ITEM_RUBBER);
  EXPECT_EQ(g.player.inventory[2].count, 4);
  EXPECT_EQ(g.campaign[0].completed, 1u);
  EXPECT_EQ(g.campaign[0].revealed, 1u);
  EXPECT_EQ(g.campaign[50].completed, 0u);
  EXPECT_EQ(g.campaign[0].x, 329) << "positions are read again";
}

TEST_F(SaveLoadScreenTest, EditingAUsedSlotStartsFromItsNameAndKeepsSixteenCharacters) {
  ASSERT_EQ(SaveGame(3, "Old name"), 1);
  Enter(g.screens.save);
  Click(kRowX, RowY(3));
  EXPECT_STREQ(Save().editBuffer, "Old name");
  Type("\b\b\b\b\b");
  EXPECT_STREQ(Save().editBuffer, "Old");
  Type(std::string(20, 'z'));
  EXPECT_EQ(std::string(Save().editBuffer), "Old" + std::string(13, 'z'));
  Type("\x1b\t");  // control characters are not part of a name
  EXPECT_EQ(std::strlen(Save().editBuffer), 16u);

  // A second click elsewhere does not move the edit; Escape ends it, then leaves.
  Click(kRowX, RowY(5));
  EXPECT_EQ(Save().editedSlot, 3);
  Key(KEY_ESCAPE);
  EXPECT_EQ(Save().editedSlot, -1);
  EXPECT_EQ(g.currentScreen, g.screens.save);
  Key(KEY_ESCAPE);
  EXPECT_EQ(g.currentScreen, g.screens.menu);
  ASSERT_EQ(ReadSlot(3), 1);
  EXPECT_STREQ(SlotName(3), "Old name") << "nothing was saved";
}

TEST_F(SaveLoadScreenTest, EnterOnAnEmptyNameDoesNothing) {
  Enter(g.screens.save);
  Click(kRowX, RowY(1));
  Type("\r");
  Frame();
  EXPECT_EQ(g.currentScreen, g.screens.save);
  EXPECT_FALSE(std::filesystem::exists("game2.sav"));
  Type("\r");  // also when no slot is edited
  Key(KEY_ESCAPE);
  Type("A\r");
  Frame();
  EXPECT_FALSE(std::filesystem::exists("game2.sav"));
}

TEST_F(SaveLoadScreenTest, FailedSaveKeepsTheScreenAndTheOldFile) {
  ASSERT_EQ(SaveGame(0, "Keep"), 1);
  const std::string before = ReadText("game1.sav");
  std::filesystem::create_directory("game1.sav.tmp");
  Enter(g.screens.save);
  Click(kRowX, RowY(0));
  Type("\b\b\b\bLost\r");
  Frame(2);
  EXPECT_EQ(g.currentScreen, g.screens.save) << "no success is reported";
  EXPECT_EQ(Save().editedSlot, 0);
  EXPECT_EQ(ReadText("game1.sav"), before);
}

TEST_F(SaveLoadScreenTest, DamagedOrEmptySlotsCannotBeLoaded) {
  ASSERT_EQ(SaveGame(0, "Broken"), 1);
  std::string bytes = ReadText("game1.sav");
  bytes[200] ^= 0x40;
  WriteText("game1.sav", bytes);
  Enter(g.screens.load);
  g.player.lives = 3;
  Click(kRowX, RowY(0));
  Click(kRowX, RowY(9));
  Click(100, 100);
  EXPECT_EQ(g.currentScreen, g.screens.load);
  EXPECT_EQ(g.player.lives, 3);
  EXPECT_STREQ(SlotName(0), "<Empty>");
  Click(layout::kQuitX + 10, layout::kQuitY + 10);
  EXPECT_EQ(g.currentScreen, g.screens.menu);
}

}  // namespace
}  // namespace vx::test
