#include "campaign/menu_screen.h"
#include "campaign/options_screen.h"
#include "campaign/screen_fixture.h"

namespace vx::test {
namespace {

using layout::kMenuButtonX;
using layout::MenuButtonY;

class MenuOptionsTest : public ScreenTest {
 protected:
  void ClickMenu(int button) { Click(kMenuButtonX + 50, MenuButtonY(button) + 15); }
  void OpenOptions() {
    if (!g.currentScreen) Enter(g.screens.menu);
    ClickMenu(3);
    ASSERT_EQ(g.currentScreen, g.screens.options);
  }
  void Hold(int x, int y, int frames) {
    MoveTo(x, y);
    hp.input.SetButton(0, true);
    Frame(frames);
    hp.input.SetButton(0, false);
    Frame();
    hp.Advance(400);
  }
};

TEST_F(MenuOptionsTest, MenuButtonsOpenTheirScreensAndComeBack) {
  Enter(g.screens.menu);
  EXPECT_EQ(g.screenStackDepth, 1);

  ClickMenu(1);
  EXPECT_EQ(g.currentScreen, g.screens.load);
  Key(KEY_ESCAPE);
  EXPECT_EQ(g.currentScreen, g.screens.menu);

  g.hiscoreNewScore = 1;
  ClickMenu(2);
  EXPECT_EQ(g.currentScreen, g.screens.hiscore);
  EXPECT_EQ(g.hiscoreNewScore, 0) << "from the menu the table is only shown";
  Key(KEY_SPACE);
  EXPECT_EQ(g.currentScreen, g.screens.menu);

  ClickMenu(4);
  EXPECT_EQ(g.currentScreen, g.screens.help);
  Key(KEY_ESCAPE);
  EXPECT_EQ(g.currentScreen, g.screens.menu);
  EXPECT_EQ(g.screenStackDepth, 1);
  EXPECT_EQ(g.bQuit, 0);
}

TEST_F(MenuOptionsTest, PressOnOneButtonReleasedOnAnotherDoesNothing) {
  Enter(g.screens.menu);
  MoveTo(kMenuButtonX + 50, MenuButtonY(1) + 15);
  Press();
  MoveTo(kMenuButtonX + 50, MenuButtonY(3) + 15);
  Release();
  Frame(3);
  EXPECT_EQ(g.currentScreen, g.screens.menu);
}

TEST_F(MenuOptionsTest, NewGameStartsAFreshCampaignOnTheMap) {
  Enter(g.screens.menu);
  g.player.lives = 2;
  g.player.score = 500;
  g.player.credits = 3;
  g.player.inventory[4] = ItemSlot{ITEM_BOMB, 2, 0, 0, 0, 0};
  g.campaign[7].completed = 1;
  ClickMenu(0);
  EXPECT_EQ(g.currentScreen, g.screens.node);
  EXPECT_EQ(g.player.lives, 8);
  EXPECT_EQ(g.player.credits, 150);
  EXPECT_EQ(g.player.score, 0);
  EXPECT_EQ(g.player.inventory[4].id, ITEM_NONE);
  EXPECT_EQ(g.campaign[7].completed, 0u);
  EXPECT_EQ(g.campaign[0].x, 329);
  EXPECT_EQ(g.campaign[0].y, 180);
  EXPECT_EQ(g.campaign[1].x, 100);
  EXPECT_EQ(g.campaign[1].y, 250);
  EXPECT_EQ(g.campaign[2].x, 0) << "a missing key gives 0, 0";
}

TEST_F(MenuOptionsTest, QuitClosesTheWindow) {
  Enter(g.screens.menu);
  ClickMenu(5);
  EXPECT_EQ(g.bQuit, 1);
}

TEST_F(MenuOptionsTest, VolumeButtonsStepByTwoPerFrameWithinBounds) {
  OpenOptions();
  // m100 fires in the press frame and in every frame it stays held.
  Hold(455, 155, 10);
  EXPECT_EQ(GetMusicVolume(), 50 + 2 * 10);
  Hold(455, 155, 40);
  EXPECT_EQ(GetMusicVolume(), 100);
  Hold(305, 155, 60);
  EXPECT_EQ(GetMusicVolume(), 0);
  Hold(305, 205, 3);
  EXPECT_EQ(GetSampleVolume(), 70 - 2 * 3);
  Hold(455, 205, 100);
  EXPECT_EQ(GetSampleVolume(), 100);

  // Moving off the button while holding stops the repeat.
  MoveTo(305, 205);
  hp.input.SetButton(0, true);
  Frame(2);
  MoveTo(250, 250);
  Frame(10);
  hp.input.SetButton(0, false);
  Frame();
  EXPECT_EQ(GetSampleVolume(), 96);
}

TEST_F(MenuOptionsTest, BarsFollowTheCursorAndAreDrawnCut) {
  OpenOptions();
  MoveTo(380, 155);
  hp.input.SetButton(0, true);
  Frame();
  EXPECT_EQ(GetMusicVolume(), 50);  // 60 of 120 pixels
  MoveTo(410, 155);
  EXPECT_EQ(GetMusicVolume(), 75);
  hp.input.SetButton(0, false);
  Frame();
  hp.Advance(400);
  Click(320 + 61, 205);
  EXPECT_EQ(GetSampleVolume(), 50);  // 61 of 122 pixels
  Click(320, 205);
  EXPECT_EQ(GetSampleVolume(), 0);

  // The music bar shows 75 % of its 120 pixels.
  Frame();
  EXPECT_EQ(PixelAt(320, 152), SheetPixel());
  EXPECT_EQ(PixelAt(320 + 89, 152), SheetPixel());
  EXPECT_NE(PixelAt(320 + 90, 152), SheetPixel());
  EXPECT_NE(PixelAt(320 + 1, 202), SheetPixel()) << "an empty sound bar draws nothing";
}

TEST_F(MenuOptionsTest, TogglesFlipOncePerClick) {
  OpenOptions();
  Click(105, 255);  // "r"
  EXPECT_EQ(GetReverseStereo(), 1);
  EXPECT_EQ(g.settings.reverseStereo, 1);
  Click(150, 255);  // "reverse"
  EXPECT_EQ(GetReverseStereo(), 0);
  EXPECT_NE(PixelAt(105, 255), SheetPixel()) << "the check mark goes with the setting";

  // A double-click fires the first click only.
  MoveTo(105, 285);
  Press();
  Release();
  Press();
  Release();
  EXPECT_EQ(g.settings.vanishing, 1);
  hp.Advance(400);
  Click(150, 285);
  EXPECT_EQ(g.settings.vanishing, 0);

  Click(120, 315);  // "slow"
  EXPECT_EQ(g.settings.scrollSpeed, 0);
  Click(120, 315);
  EXPECT_EQ(g.settings.scrollSpeed, 0) << "slow only ever sets slow";
  Click(180, 315);  // "fast"
  EXPECT_EQ(g.settings.scrollSpeed, 1);
}

TEST_F(MenuOptionsTest, EscapeOrQuitGoBack) {
  OpenOptions();
  Key(KEY_ESCAPE);
  EXPECT_EQ(g.currentScreen, g.screens.menu);
  OpenOptions();
  Click(layout::kQuitX + 30, layout::kQuitY + 15);
  EXPECT_EQ(g.currentScreen, g.screens.menu);
  EXPECT_EQ(g.screenStackDepth, 1);
}

TEST_F(MenuOptionsTest, MissingArtFailsWithTheMenuLogLine) {
  std::remove("Logo2.tga");
  Enter(g.screens.menu);
  Frame(2);  // draws without a background and without crashing
  EXPECT_NE(ReadText("Log.txt").find("Can't load logo.tga"), std::string::npos);
}

}  // namespace
}  // namespace vx::test
