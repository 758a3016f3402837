#include <filesystem>
#include <vector>

#include "app/language.h"
#include "campaign/menu_screen.h"
#include "campaign/options_screen.h"
#include "campaign/screen_fixture.h"
#include "game/game_state.h"

namespace vx::test {
namespace {

class MenuOptionsTest : public ScreenTest {
 protected:
  MenuScreen& Menu() { return *static_cast<MenuScreen*>(g.screens.menu); }
  OptionsScreen& Options() { return *static_cast<OptionsScreen*>(g.screens.options); }
  Rect Option(int i) { return Options().buttons[i].Area(); }
  void OpenOptions() {
    Enter(g.screens.menu);
    Click(Menu().buttons[3].Area());
    ASSERT_EQ(g.currentScreen, g.screens.options);
  }
};

TEST_F(MenuOptionsTest, MenuButtonsOpenTheirScreens) {
  Enter(g.screens.menu);
  Screen* expected[] = {g.screens.node, g.screens.load, g.screens.hiscore, g.screens.options,
                        g.screens.help};
  gGame.hiscoreNewScore = 1;
  for (int i = 1; i < 5; ++i) {
    Click(Menu().buttons[i].Area());
    EXPECT_EQ(g.currentScreen, expected[i]) << i;
    ReturnToRoot();
  }
  EXPECT_EQ(gGame.hiscoreNewScore, 0) << "from the menu the table is only shown";

  // Pressed on one button, released on another: nothing.
  MoveTo(Menu().buttons[1].Area().left + 5, Menu().buttons[1].Area().top + 5);
  Button(true);
  MoveTo(Menu().buttons[3].Area().left + 5, Menu().buttons[3].Area().top + 5);
  Button(false);
  EXPECT_EQ(g.currentScreen, g.screens.menu);

  hp.Advance(400);
  Click(Menu().buttons[5].Area());
  EXPECT_EQ(g.bQuit, 1) << "quit closes the window";
}

TEST_F(MenuOptionsTest, NewGameStartsAFreshCampaignOnTheMap) {
  Enter(g.screens.menu);
  gGame.player.lives = 2;
  gGame.player.score = 500;
  gGame.player.inventory[4] = ItemSlot{ITEM_BOMB, 2, 0, 0, 0, 0};
  gGame.campaign[7].completed = 1;
  Click(Menu().buttons[0].Area());
  EXPECT_EQ(g.currentScreen, g.screens.node);
  EXPECT_EQ(gGame.player.lives, 8);
  EXPECT_EQ(gGame.player.credits, 150);
  EXPECT_EQ(gGame.player.score, 0);
  EXPECT_EQ(gGame.player.inventory[4].id, ITEM_NONE);
  EXPECT_EQ(gGame.campaign[7].completed, 0u);
  for (int i : {0, 49, 99}) EXPECT_NE(gGame.campaign[i].y, 0) << "positions from Coordinates";
}

TEST_F(MenuOptionsTest, VolumeButtonsRepeatWhileHeldWithinBounds) {
  OpenOptions();
  Hold(Option(9), 10);  // m100: fires in each held frame
  EXPECT_EQ(GetMusicVolume(), 70);
  Hold(Option(9), 40);
  EXPECT_EQ(GetMusicVolume(), 100);
  Hold(Option(8), 60);
  EXPECT_EQ(GetMusicVolume(), 0);
  Hold(Option(10), 3);
  EXPECT_EQ(GetSampleVolume(), 64);
  Hold(Option(11), 100);
  EXPECT_EQ(GetSampleVolume(), 100);

  // The bars: 120 pixels for the music, 122 for the sound, from x 320.
  Click(320 + 60, (Option(0).top + Option(0).bottom) / 2);
  EXPECT_EQ(GetMusicVolume(), 50);
  Click(320 + 61, (Option(1).top + Option(1).bottom) / 2);
  EXPECT_EQ(GetSampleVolume(), 50);
}

TEST_F(MenuOptionsTest, TogglesFlipOncePerClick) {
  OpenOptions();
  Click(Option(2));  // "r"
  EXPECT_EQ(GetReverseStereo(), 1);
  EXPECT_EQ(g.settings.reverseStereo, 1);
  Click(Option(3));  // "reverse"
  EXPECT_EQ(GetReverseStereo(), 0);

  // A double-click counts as one click.
  MoveTo(Option(5).left + 3, Option(5).top + 3);
  for (int i = 0; i < 2; ++i) Button(true), Button(false);
  EXPECT_EQ(g.settings.vanishing, 1);
  hp.Advance(400);
  Click(Option(4));
  EXPECT_EQ(g.settings.vanishing, 0);

  Click(Option(6));
  Click(Option(6));
  EXPECT_EQ(g.settings.scrollSpeed, 0) << "slow only ever sets slow";
  Click(Option(7));
  EXPECT_EQ(g.settings.scrollSpeed, 1);

  Key(KEY_ESCAPE);
  EXPECT_EQ(g.currentScreen, g.screens.menu);
  OpenOptions();
  Click(Option(OptionsScreen::kButtons - 1));
  EXPECT_EQ(g.currentScreen, g.screens.menu);
  EXPECT_EQ(g.screenStackDepth, 1);
}

}  // namespace
}  // namespace vx::test

namespace vx::test {
namespace {

class ButtonDrawTest : public ScreenTest {
 protected:
  vx::Button b;
};

TEST_F(ButtonDrawTest, ButtonDrawsItselfWithItsLabelAndShiftsWhilePressed) {
  Surface* back = Graphics::BackBuffer();
  auto snapshot = [&] {
    Graphics::Fill(nullptr, Rect{0, 0, 640, 480}, 0);
    b.Draw();
    return back->pixels;
  };
  b.Create(Rect{100, 100, 220, 130}, 7);
  b.SetLabel("Play");
  const std::vector<uint16_t> normal = snapshot();
  int drawn = 0;
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x)
      if (normal[y * back->pitch + x]) {
        ++drawn;
        EXPECT_TRUE(x >= 100 && x < 221 && y >= 100 && y < 131) << x << "," << y;
      }
  EXPECT_GT(drawn, 1000);

  b.held = b.hover = 1;
  EXPECT_NE(snapshot(), normal) << "a pressed button moves by a pixel";
  b.held = b.hover = 0;
  b.SetEnabled(false);
  EXPECT_NE(snapshot(), normal) << "a disabled label is grey";
  b.SetVisible(false);
  EXPECT_EQ(snapshot(), std::vector<uint16_t>(normal.size(), 0));
}

TEST_F(MenuOptionsTest, TheLanguagePlateTurnsEveryTextAtOnce) {
  // The archives beside the game, where the options look for languages.
  for (const char* archive : {"Velotrix.lng", "Velotrix.ru.lng"})
    std::filesystem::create_symlink(std::string(VX_BINARY_DIR) + "/" + archive, archive);
  OpenOptions();
  EXPECT_STREQ(g.strings.Language, "English");
  const Rect plate = Option(OptionsScreen::kButtons - 2);
  // The row through "Music volume".
  const std::vector<uint16_t> before(Graphics::BackBuffer()->Row(163) + 84, Graphics::BackBuffer()->Row(163) + 300);
  Click(plate);
  EXPECT_EQ(CurrentLanguage(), "ru");
  EXPECT_STREQ(g.settings.language, "ru");
  EXPECT_STREQ(g.strings.Language, "\x90\xe3\xe1\xe1\xaa\xa8\xa9") << "Russian in code page 866";
  EXPECT_STREQ(g.strings.Node[0], "\x91\xe2\xa0\xe0\xe2");
  EXPECT_EQ(g.currentScreen, g.screens.options) << "the page stays, in the new language";
  Frame();
  int changed = 0;
  for (int x = 84; x < 300; ++x) changed += Graphics::BackBuffer()->Row(163)[x] != before[x - 84];
  EXPECT_GT(changed, 20) << "the page's own picture was read anew";
  EXPECT_NE(Log().find("Switch language to ru\n"), std::string::npos);
  Click(plate);
  EXPECT_EQ(CurrentLanguage(), "en") << "round again after the last";
  EXPECT_STREQ(g.strings.Node[0], "Play");
  UseLanguage(kEnglish, VX_BINARY_DIR);
}

}  // namespace
}  // namespace vx::test
