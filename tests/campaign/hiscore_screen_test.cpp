#include <filesystem>

#include "campaign/hiscore_screen.h"
#include "campaign/hiscore_table.h"
#include "campaign/screen_fixture.h"

namespace vx::test {
namespace {

class HiscoreScreenTest : public ScreenTest {
 protected:
  HiscoreScreen& Screen() { return *static_cast<HiscoreScreen*>(g.screens.hiscore); }
  void EnterAfterEnding(int32_t score) {
    Enter(g.screens.menu);
    g.player.score = score;
    HiscoreScreen::SetNewScore(1);
    SwitchTo(g.screens.hiscore, 0);
  }
};

TEST_F(HiscoreScreenTest, FinalScoreIsNamedAndWrittenOnEnter) {
  EnterAfterEnding(75000);
  EXPECT_EQ(Screen().namedPosition, 4);
  EXPECT_EQ(gHiscores[3].score, 75000);
  // Keys and clicks do not leave while the name is typed.
  Key(KEY_SPACE);
  Click(100, 100);
  Click(100, 100, 1);
  EXPECT_EQ(g.currentScreen, g.screens.hiscore);
  EXPECT_FALSE(std::filesystem::exists("Velotrix.hsc")) << "written only once confirmed";

  Type("Ann\x01");
  Type(std::string(12, 'b'));
  EXPECT_EQ(std::string(gHiscores[3].name), "Ann" + std::string(8, 'b'));
  Type("\b");
  Type("c");
  EXPECT_EQ(std::string(gHiscores[3].name), "Ann" + std::string(7, 'b') + "c");
  Type("\r");
  EXPECT_EQ(Screen().nameEntry, 0);
  EXPECT_EQ(std::filesystem::file_size("Velotrix.hsc"), 240u);

  Frame(2);
  EXPECT_EQ(g.currentScreen, g.screens.hiscore);
  Click(100, 100);
  EXPECT_EQ(g.currentScreen, g.screens.menu);
  EXPECT_EQ(g.screenStackDepth, 1);

  // The next visit shows the stored table.
  SwitchTo(g.screens.hiscore, 0);
  EXPECT_EQ(std::string(gHiscores[3].name), "Ann" + std::string(7, 'b') + "c");
}

TEST_F(HiscoreScreenTest, CheatsOrNoNewScoreOnlyShowTheTable) {
  g.level.cheatUsed = 1;
  EnterAfterEnding(999999);
  EXPECT_EQ(Screen().nameEntry, 0);
  EXPECT_STREQ(gHiscores[0].name, "Hypercube");
  Key(KEY_ENTER);
  EXPECT_EQ(g.currentScreen, g.screens.menu);

  g.level.cheatUsed = 0;
  g.player.score = 999999;
  HiscoreScreen::SetNewScore(0);
  SwitchTo(g.screens.hiscore, 0);
  EXPECT_EQ(Screen().nameEntry, 0);
  Type("x\r");
  EXPECT_FALSE(std::filesystem::exists("Velotrix.hsc"));
}

}  // namespace
}  // namespace vx::test
