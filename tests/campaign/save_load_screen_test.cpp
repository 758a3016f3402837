#include <cstring>
#include <filesystem>

#include "campaign/load_screen.h"
#include "campaign/save_game.h"
#include "campaign/save_screen.h"
#include "campaign/screen_fixture.h"
#include "game/game_state.h"
#include "support/user_file_faults.h"

namespace vx::test {
namespace {


class SaveLoadScreenTest : public ScreenTest {
 protected:
  SaveScreen& Save() { return *static_cast<SaveScreen*>(g.screens.save); }
  // Row i of the slot list: 16 pixels high from y 170, text from x 240.
  void ClickRow(int i) { Click(260, 170 + 16 * i + 8); }
  void SetUp() override {
    ScreenTest::SetUp();
    for (SaveSlot& s : gSaveSlots) s = SaveSlot();
    gGame.player.lives = 6;
    gGame.player.credits = 321;
    gGame.player.score = 45678;
    gGame.player.inventory[2] = ItemSlot{ITEM_RUBBER, 4, 0, 0, 0, 0};
    gGame.campaign[0].completed = gGame.campaign[1].completed = 1;
  }
};

TEST_F(SaveLoadScreenTest, SaveWithATypedNameThenLoadItBack) {
  Enter(g.screens.save);
  ClickRow(0);
  EXPECT_EQ(Save().editedSlot, 0);
  EXPECT_STREQ(Save().editBuffer, "") << "an empty slot starts with no name";
  Type("Hero\r");
  EXPECT_TRUE(std::filesystem::exists("game1.sav"));
  // The word on the save stays about a second, then the screen closes.
  Frame(40);
  ClickRow(3);  // three frames
  EXPECT_EQ(Save().editedSlot, -1) << "nothing more to edit once saved";
  Frame(33);
  EXPECT_EQ(g.currentScreen, g.screens.save);
  EXPECT_STREQ(Save().message, "Game saved");
  EXPECT_EQ(Save().messageFrames, 1);
  Frame();
  EXPECT_EQ(g.currentScreen, g.screens.menu);

  gGame.player = PlayerRecord();
  for (MapNode& n : gGame.campaign) n = MapNode();
  gGame.campaign[50].completed = 1;
  SwitchTo(g.screens.load, 0);
  ClickRow(0);
  EXPECT_EQ(g.currentScreen, g.screens.node);
  EXPECT_EQ(g.screenStackDepth, 2) << "the map opens over the menu";
  EXPECT_EQ(gGame.player.lives, 6);
  EXPECT_EQ(gGame.player.credits, 321);
  EXPECT_EQ(gGame.player.score, 45678);
  EXPECT_EQ(gGame.player.inventory[2].id, ITEM_RUBBER);
  EXPECT_EQ(gGame.player.inventory[2].count, 4);
  EXPECT_EQ(gGame.campaign[1].completed, 1u);
  EXPECT_EQ(gGame.campaign[1].revealed, 1u);
  EXPECT_EQ(gGame.campaign[50].completed, 0u);
  EXPECT_NE(gGame.campaign[0].y, 0) << "positions are read again";
}

TEST_F(SaveLoadScreenTest, EditingKeepsSixteenPrintableCharactersAndEscapeBacksOut) {
  ASSERT_EQ(SaveGame(3, "Old name"), 1);
  Enter(g.screens.save);
  ClickRow(3);
  EXPECT_STREQ(Save().editBuffer, "Old name");
  Type("\b\b\b\b\b");
  Type(std::string(20, 'z'));
  EXPECT_EQ(std::string(Save().editBuffer), "Old" + std::string(13, 'z'));
  Type("\b\x1b\t");
  EXPECT_EQ(std::strlen(Save().editBuffer), 15u) << "control characters are no part of a name";

  ClickRow(5);
  EXPECT_EQ(Save().editedSlot, 3) << "a second click does not move the edit";
  Key(KEY_ESCAPE);
  EXPECT_EQ(Save().editedSlot, -1);
  EXPECT_EQ(g.currentScreen, g.screens.save);
  Key(KEY_ESCAPE);
  EXPECT_EQ(g.currentScreen, g.screens.menu);
  ASSERT_EQ(ReadSlot(3), 1);
  EXPECT_STREQ(SlotName(3), "Old name");
}

TEST_F(SaveLoadScreenTest, EmptyNameOrFailedWriteSavesNothing) {
  ASSERT_EQ(SaveGame(0, "Keep"), 1);
  const std::string before = ReadText("game1.sav");
  Enter(g.screens.save);
  ClickRow(1);
  Type("\r");
  Frame();
  EXPECT_EQ(g.currentScreen, g.screens.save);
  EXPECT_FALSE(std::filesystem::exists("game2.sav"));
  Key(KEY_ESCAPE);

  ClickRow(0);
  {
    test::FileSizeLimit diskFull(64);
    Type("\b\b\b\bLost\r");
    Frame(2);
  }
  EXPECT_EQ(g.currentScreen, g.screens.save) << "no success is reported";
  EXPECT_STREQ(Save().message, "The game could not be saved");
  EXPECT_STREQ(Save().editBuffer, "Lost") << "Enter tries again";
  EXPECT_EQ(ReadText("game1.sav"), before);
  Frame(230);
  EXPECT_EQ(Save().messageFrames, 0) << "the word goes after three seconds";
  EXPECT_EQ(g.currentScreen, g.screens.save);
  Type("\r");
  Frame(77);
  EXPECT_EQ(g.currentScreen, g.screens.menu);
  EXPECT_NE(ReadText("game1.sav"), before);
}

}  // namespace
}  // namespace vx::test
