#include <cstring>

#include "campaign/happy_screen.h"
#include "campaign/help_screen.h"
#include "campaign/screen_fixture.h"

namespace vx::test {
namespace {

class HelpHappyTest : public ScreenTest {
 protected:
  HelpScreen& Help() { return *static_cast<HelpScreen*>(g.screens.help); }
  HappyScreen& Happy() { return *static_cast<HappyScreen*>(g.screens.happy); }
  void ClickNext() { Click(600, 450); }
  void ClickPrevious() { Click(40, 450); }
};

TEST_F(HelpHappyTest, PagesTurnWithButtonsAndKeysWithinOneToFour) {
  Enter(g.screens.help);
  EXPECT_EQ(Help().page, 0);
  EXPECT_STREQ(Help().text, "Help page 0");
  ClickPrevious();
  EXPECT_EQ(Help().page, 0);
  ClickNext();
  EXPECT_EQ(Help().page, 1);
  EXPECT_STREQ(Help().text, "Help page 1");
  Key(KEY_PAGEDOWN);
  EXPECT_EQ(Help().page, 2);
  Key(KEY_RIGHT);
  EXPECT_EQ(Help().page, 3);
  ClickNext();
  Key(KEY_PAGEDOWN);
  EXPECT_EQ(Help().page, 3);
  EXPECT_STREQ(Help().text, "Help page 3");
  Key(KEY_LEFT);
  Key(KEY_PAGEUP);
  ClickPrevious();
  Key(KEY_PAGEUP);
  EXPECT_EQ(Help().page, 0);
  EXPECT_NE(ReadText("Log.txt").find("Load page: 3\n"), std::string::npos);

  // The right button leaves; the next visit starts on the first page again.
  Key(KEY_RIGHT);
  Click(300, 300, 1);
  EXPECT_EQ(g.currentScreen, g.screens.menu);
  SwitchTo(g.screens.help, 0);
  EXPECT_EQ(Help().page, 0);
}

TEST_F(HelpHappyTest, MissingOrOversizedPagesAreSafe) {
  std::remove("help/help2.txt");
  WriteText("help/help1.txt", std::string(5000, 'y'));
  Enter(g.screens.help);
  Key(KEY_RIGHT);
  EXPECT_EQ(std::strlen(Help().text), 1024u);
  Key(KEY_RIGHT);
  EXPECT_STREQ(Help().text, "");
  Frame(3);
  EXPECT_EQ(g.currentScreen, g.screens.help);
}

TEST_F(HelpHappyTest, EndingIgnoresKeysForItsFirst100Frames) {
  Enter(g.screens.menu);
  g.player.score = 55555;
  SwitchTo(g.screens.happy, 0);
  EXPECT_STREQ(Happy().text, "The end.\r\nThank you for playing.");
  Frame(40);
  Key(KEY_SPACE);
  Frame(58);  // 100 frames in all
  EXPECT_EQ(g.currentScreen, g.screens.happy);
  EXPECT_EQ(Happy().textTop, 480 - 33);
  Key(KEY_SPACE);
  EXPECT_EQ(g.currentScreen, g.screens.hiscore);
  EXPECT_EQ(g.hiscoreNewScore, 1);
}

TEST_F(HelpHappyTest, EndingHandsOverOnceTheTextHasScrolledAway) {
  Enter(g.screens.menu);
  SwitchTo(g.screens.happy, 0);
  int frames = 0;
  while (g.currentScreen == g.screens.happy && frames < 4000) {
    Frame();
    ++frames;
  }
  EXPECT_EQ(g.currentScreen, g.screens.hiscore);
  // From 480 to below -500 at one pixel every third frame.
  EXPECT_EQ(frames, 981 * 3);
}

}  // namespace
}  // namespace vx::test
