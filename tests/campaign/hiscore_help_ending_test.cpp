#include <cstring>
#include <filesystem>

#include "campaign/happy_screen.h"
#include "campaign/help_screen.h"
#include "campaign/hiscore_screen.h"
#include "campaign/hiscore_table.h"
#include "campaign/screen_fixture.h"
#include "game/game_state.h"

namespace vx::test {
namespace {

class HiscoreHelpEndingTest : public ScreenTest {
 protected:
  HiscoreScreen& Hiscores() { return *static_cast<HiscoreScreen*>(g.screens.hiscore); }
  HappyScreen& Happy() { return *static_cast<HappyScreen*>(g.screens.happy); }
  void EndGame(int32_t score) {
    Enter(g.screens.menu);
    gGame.player.score = score;
    SwitchTo(g.screens.happy, 0);
  }
};

TEST_F(HiscoreHelpEndingTest, EndingIgnoresKeysForItsFirst100FramesThenOffersTheScore) {
  EndGame(75000);
  EXPECT_NE(Happy().text[0], 0) << "happy.txt is read";
  Frame(40);
  Key(KEY_SPACE);
  Frame(58);  // 100 frames in all
  EXPECT_EQ(g.currentScreen, g.screens.happy);
  EXPECT_EQ(Happy().textTop, 480 - 33) << "one pixel every third frame";
  Key(KEY_SPACE);
  ASSERT_EQ(g.currentScreen, g.screens.hiscore);

  // 75000 goes below Hemisphere's 80000.
  EXPECT_EQ(Hiscores().namedPosition, 4);
  Key(KEY_SPACE);
  Click(100, 100);
  EXPECT_EQ(g.currentScreen, g.screens.hiscore) << "nothing leaves while a name is typed";
  EXPECT_FALSE(std::filesystem::exists("Velotrix.hsc")) << "written once confirmed";
  Type("Ann\x01" + std::string(12, 'b') + "\bc");
  EXPECT_EQ(std::string(gHiscores[3].name), "Ann" + std::string(7, 'b') + "c");
  Type("\r");
  EXPECT_EQ(std::filesystem::file_size("Velotrix.hsc"), 240u);
  Click(100, 100, 1);
  EXPECT_EQ(g.currentScreen, g.screens.menu);
  EXPECT_EQ(g.screenStackDepth, 1);

  HiscoreScreen::SetNewScore(0);
  SwitchTo(g.screens.hiscore, 0);
  EXPECT_EQ(Hiscores().nameEntry, 0);
  EXPECT_EQ(std::string(gHiscores[3].name), "Ann" + std::string(7, 'b') + "c");
}

TEST_F(HiscoreHelpEndingTest, EndingHandsOverOnceTheTextHasScrolledAway) {
  gGame.level.cheatUsed = 1;
  EndGame(999999);
  int frames = 0;
  for (; g.currentScreen == g.screens.happy && frames < 4000; ++frames) Frame();
  EXPECT_EQ(frames, 981 * 3) << "from 480 to below -500";
  ASSERT_EQ(g.currentScreen, g.screens.hiscore);
  EXPECT_EQ(Hiscores().nameEntry, 0) << "a game won with cheats does not enter";
  EXPECT_STREQ(gHiscores[0].name, "Hypercube");
}

TEST_F(HiscoreHelpEndingTest, HelpPagesThatAreMissingOrTooLongAreSafe) {
  WriteText("help/help1.txt", std::string(5000, 'y'));
  WriteText("help/help2.txt", "");
  Enter(g.screens.help);
  HelpScreen& help = *static_cast<HelpScreen*>(g.screens.help);
  Key(KEY_RIGHT);
  EXPECT_EQ(std::strlen(help.text), 1024u);
  Key(KEY_RIGHT);
  EXPECT_STREQ(help.text, "");
  Frame(3);
  EXPECT_EQ(g.currentScreen, g.screens.help);
}

}  // namespace
}  // namespace vx::test
