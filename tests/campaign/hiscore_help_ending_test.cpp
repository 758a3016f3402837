#include <algorithm>
#include <cstring>
#include <filesystem>
#include <vector>

#include "campaign/happy_screen.h"
#include "campaign/help_screen.h"
#include "campaign/hiscore_screen.h"
#include "campaign/hiscore_table.h"
#include "campaign/screen_fixture.h"
#include "game/game_state.h"
#include "support/text_ink.h"

namespace vx::test {
namespace {

class HiscoreHelpEndingTest : public ScreenTest {
 protected:
  // The back buffer as the display would show it.
  static std::vector<uint16_t> Shown() {
    const Surface* back = Graphics::BackBuffer();
    std::vector<uint16_t> frame;
    for (int y = 0; y < back->height; ++y)
      frame.insert(frame.end(), back->Row(y), back->Row(y) + back->width);
    return frame;
  }
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
  // Control characters, DEL and the newline among them, are no part of a name.
  Type("Ann\x01\x7f\n\t" + std::string(12, 'b') + "\bc");
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

TEST_F(HiscoreHelpEndingTest, HelpPagesShareOneMarginAndRead) {
  Enter(g.screens.help);
  MoveTo(620, 300);
  InkRecorder ink;
  std::vector<int> lefts;
  for (int page = 0; page < 4; ++page) {
    ink.Clear();
    Frame();
    // The page's text, without the page label at the bottom.
    int left = 640;
    for (const TextInk& i : ink.log.ink)
      if (i.y < 440) left = std::min<int>(left, i.x);
    lefts.push_back(left);
    ink.ExpectReadable(Shown(), 640, 480);
    Key(KEY_RIGHT);
  }
  for (int page = 0; page < 4; ++page) {
    EXPECT_GE(lefts[page], 40) << page;
    EXPECT_LE(lefts[page], 43) << page << ": the glyphs' own bearing at most";
  }
}

TEST_F(HiscoreHelpEndingTest, TheEndingHasASceneOfItsOwnAndItsTextReads) {
  EndGame(0);
  InkRecorder ink;
  Frame(400);
  ink.Clear();
  Frame();
  EXPECT_FALSE(ink.log.runs.empty());
  ink.ExpectReadable(Shown(), 640, 480);
  // Not the map's sea: the right of the screen shows the ending's own sky.
  Surface* sea = nullptr;
  ASSERT_TRUE(Graphics::LoadSurface("Nodes\\Node.tga", &sea, 0));
  int differ = 0;
  for (int y = 60; y < 280; y += 10)
    for (int x = 500; x < 640; x += 10) differ += sea->Row(y)[x] != Graphics::BackBuffer()->Row(y)[x];
  Graphics::ReleaseSurface(sea);
  EXPECT_GT(differ, 250);
}

TEST_F(HiscoreHelpEndingTest, TheTableAndItsPromptRead) {
  HiscoreScreen::SetNewScore(0);
  Enter(g.screens.hiscore);
  MoveTo(620, 300);
  Frame(90);
  InkRecorder ink;
  Frame();
  EXPECT_TRUE(ink.Drew(g.strings.PressKey)) << ink.Words();
  ink.ExpectReadable(Shown(), 640, 480);
}

}  // namespace
}  // namespace vx::test
