// The world map on the real data set: levels opening and appearing, picking
// and starting them, the outcome of a level, the hand-over to the boss fight,
// the tunes, scrolling and the way back out.
#include <cstring>

#include "app/sound_setup.h"
#include "campaign/campaign_progress.h"
#include "campaign/campaign_start.h"
#include "campaign/node_screen.h"
#include "game/game_state.h"
#include "game/items.h"
#include "game/level_files.h"
#include "screen_fixture.h"
#include "support/text_ink.h"

namespace vx::test {
namespace {

class MapTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    gMapHint = MapHint();
  }
  NodeScreen* Map() { return static_cast<NodeScreen*>(g.screens.node); }
  void NewGame() {
    Enter(g.screens.menu);
    StartCampaign(1);
    ASSERT_EQ(g.currentScreen, g.screens.node);
  }
  // Where a node is drawn, and the middle of the box in which the pointer
  // picks it.
  void NodeAt(int i, int* sx, int* sy) {
    *sy = 480 - gGame.campaign[i].y + Map()->scroll;
    *sx = static_cast<int>((gGame.campaign[i].x - 329) * (*sy - 94.5) / 157.5 + 320);
  }
  void PointAt(int i) {
    int sx, sy;
    NodeAt(i, &sx, &sy);
    MoveTo(sx - 6, sy - 11);
  }
  uint16_t BackPixel(int x, int y) { return Graphics::BackBuffer()->Row(y)[x]; }
  uint16_t SeaPixel(int x, int y) {
    Surface* sea = nullptr;
    EXPECT_TRUE(Graphics::LoadSurface("Nodes\\Node.tga", &sea, 0));
    const uint16_t p = sea ? sea->Row(y)[x] : 0;
    Graphics::ReleaseSurface(sea);
    return p;
  }
  // Plays the started level to its end: won through the cheat word, or given
  // up with Escape and Y.
  void FinishLevel(bool won) {
    ASSERT_EQ(g.currentScreen, g.screens.game);
    if (won) {
      Type("completed");
      Frame();
      Key(KEY_SPACE);
      Frame(120);  // the music fades out one step a frame
    } else {
      Key(KEY_ESCAPE);
      Key(KEY_Y);
    }
  }
};

TEST_F(MapTest, OpenLevelsAppearAfterThirtyFramesAndOnlyOnce) {
  NewGame();
  // Levels 1 and 2 require nothing; level 3 requires level 1.
  EXPECT_TRUE(gGame.campaign[0].appearing && gGame.campaign[1].appearing);
  EXPECT_FALSE(gGame.campaign[0].open || gGame.campaign[2].appearing || gGame.campaign[2].open);
  EXPECT_EQ(Map()->selected, 0);
  EXPECT_EQ(Map()->scroll, gGame.campaign[0].y - 180);
  int sx, sy;
  NodeAt(0, &sx, &sy);
  const uint16_t sea = SeaPixel(sx, sy);

  Frame(30);
  EXPECT_TRUE(gGame.campaign[0].appearing);
  EXPECT_EQ(BackPixel(sx, sy), sea) << "hidden while appearing";
  EXPECT_FALSE(Map()->buttons[0].IsEnabled());
  Frame();
  EXPECT_TRUE(gGame.campaign[0].open && gGame.campaign[0].revealed && !gGame.campaign[0].appearing);
  Frame();
  EXPECT_NE(BackPixel(sx, sy), sea) << "drawn once open";
  EXPECT_TRUE(Map()->buttons[0].IsEnabled());

  // Back from the shop the revealed levels are open at once.
  Click(231, 441);
  ASSERT_EQ(g.currentScreen, g.screens.shop);
  Key(KEY_ESCAPE);
  ASSERT_EQ(g.currentScreen, g.screens.node);
  EXPECT_TRUE(gGame.campaign[0].open && !gGame.campaign[0].appearing);
}

TEST_F(MapTest, RequirementsCountWithinTheEpisodeFromLevel52On) {
  gGame.campaign[49].completed = 1;  // level 50
  ApplyRequirements(50, "50");   // level 51: level 50
  EXPECT_EQ(gGame.campaign[50].requirementCount, 1);
  EXPECT_EQ(gGame.campaign[50].requirements[0], 49);
  EXPECT_TRUE(gGame.campaign[50].requirementsMet);
  ApplyRequirements(51, " 50");  // level 52: level 100
  EXPECT_EQ(gGame.campaign[51].requirements[0], 99);
  EXPECT_FALSE(gGame.campaign[51].requirementsMet);
  EXPECT_FALSE(gGame.campaign[51].open || gGame.campaign[51].appearing);

  // Garbage and numbers naming no level are passed over; 0 means nothing.
  ApplyRequirements(9, "abc, 0,-5,,3x, 99999999999999999999,101");
  EXPECT_EQ(gGame.campaign[9].requirementCount, 1);
  EXPECT_EQ(gGame.campaign[9].requirements[0], 2);
  EXPECT_NE(Log().find("Level 10 requires level 101, which does not exist"), std::string::npos);

  // A list longer than the node can hold still counts every level in it.
  std::string many;
  for (int i = 1; i <= 40; ++i) many += std::to_string(i) + ",";
  for (int i = 0; i < 39; ++i) gGame.campaign[i].completed = 1;
  ApplyRequirements(45, many.c_str());
  EXPECT_EQ(gGame.campaign[45].requirementCount, 32);
  EXPECT_FALSE(gGame.campaign[45].requirementsMet) << "level 40 is not completed";
  gGame.campaign[39].completed = 1;
  ApplyRequirements(45, many.c_str());
  EXPECT_TRUE(gGame.campaign[45].requirementsMet);
}

TEST_F(MapTest, CoordinatesFromHostileFilesStayOnTheMap) {
  WriteText("Coordinates",
            "[Coordinates]\nLevel 1 = 99999999999, -99999999999\nLevel 2 = x, 7\nLevel 3 =\n"
            "Level 4 = 12 34\n");
  ReadCoordinates();
  EXPECT_EQ(gGame.campaign[0].x, 100000);
  EXPECT_EQ(gGame.campaign[0].y, -100000);
  EXPECT_EQ(gGame.campaign[1].x, 0);
  EXPECT_EQ(gGame.campaign[2].x, 0);
  EXPECT_EQ(gGame.campaign[3].x, 12);
  EXPECT_EQ(gGame.campaign[3].y, 34);
  EXPECT_EQ(gGame.campaign[99].y, 0) << "a missing key gives 0, 0";
  Enter(g.screens.menu);
  StartCampaign(0);
  Frame(40);  // no overflow in the screen arithmetic (checked by the sanitizer build)
}

TEST_F(MapTest, CompletedLevelsAreHoverableButNeitherShownNorPlayable) {
  gGame.campaign[0].completed = gGame.campaign[0].revealed = 1;
  gGame.campaign[1].revealed = 1;
  Enter(g.screens.menu);
  StartCampaign(0);
  EXPECT_EQ(Map()->selected, 1) << "the open, uncompleted level";
  int sx, sy;
  NodeAt(0, &sx, &sy);
  Frame(2);
  EXPECT_EQ(BackPixel(sx, sy), SeaPixel(sx, sy));

  gMapHint.timer = 0;
  PointAt(0);
  EXPECT_EQ(gMapHint.hovered, 0);
  EXPECT_EQ(gMapHint.timer, 0) << "a completed level is open: no hint";
  Click(gCursor.x, gCursor.y);
  EXPECT_EQ(Map()->selected, 1);
  hp.input.SetButton(0, true);
  Frame();
  hp.input.SetButton(0, false);
  Frame();
  hp.input.SetButton(0, true);
  Frame();
  EXPECT_EQ(g.currentScreen, g.screens.node) << "a double-click starts no completed level";
}

TEST_F(MapTest, ClosedLevelsShowTheHint) {
  NewGame();
  Frame(31);
  MoveTo(600, 100);
  gMapHint.timer = 0;
  PointAt(2);  // level 3 waits for level 1
  EXPECT_EQ(gMapHint.hovered, 2);
  EXPECT_EQ(gMapHint.timer, 299);
  Click(gCursor.x, gCursor.y);
  EXPECT_EQ(Map()->selected, 0) << "closed levels cannot be picked";
}

// The back buffer as the display would show it.
std::vector<uint16_t> Shown() {
  const Surface* back = Graphics::BackBuffer();
  std::vector<uint16_t> frame;
  for (int y = 0; y < back->height; ++y)
    frame.insert(frame.end(), back->Row(y), back->Row(y) + back->width);
  return frame;
}

TEST_F(MapTest, TheOpenPlanetUnderThePointerElseTheSelectionIsNamedAndDescribed) {
  NewGame();
  Frame(31);
  ASSERT_FALSE(std::string(LevelTitleOf(0).name).empty());
  const std::string first = std::string("1. ") + LevelTitleOf(0).name;
  const std::string second = std::string("2. ") + LevelTitleOf(1).name;
  InkRecorder ink;
  MoveTo(600, 100);
  ink.Clear();
  Frame();
  EXPECT_TRUE(ink.Drew(first)) << ink.Words();
  EXPECT_FALSE(ink.Drew(second));
  const std::string words = ink.Words();
  // The description's first words, below the planets.
  std::string text = LevelTitleOf(0).text;
  EXPECT_NE(words.find(text.substr(0, text.find(' ', 12))), std::string::npos) << words;
  ink.ExpectReadable(Shown(), 640, 480);
  // The label stands to the right of the planet, clear of the selection ring.
  int sx, sy;
  NodeAt(0, &sx, &sy);
  for (const TextRun& run : ink.log.runs)
    if (run.text == u"1.") {
      for (const TextInk& i : ink.log.ink)
        if (&ink.log.runs[i.run] == &run) {
          EXPECT_GT(i.x, sx + 20);
        }
    }

  PointAt(1);
  ink.Clear();
  Frame();
  EXPECT_TRUE(ink.Drew(second)) << ink.Words();
  EXPECT_FALSE(ink.Drew(first)) << "one title at a time";
  ink.ExpectReadable(Shown(), 640, 480);
}

TEST_F(MapTest, DescriptionsWrapAtBlanksWithinTheirWidth) {
  char lines[3][256];
  BeginText(FontB, 13);
  FontB.SetSize(13);
  const std::string text = "one two three four five six seven eight nine ten eleven twelve";
  const int width = MeasureText8(FontB, "one two three four");
  const int n = WrapText8(FontB, text.c_str(), width, lines, 3);
  ASSERT_EQ(n, 3);
  EXPECT_STREQ(lines[0], "one two three four");
  for (int i = 0; i < n; ++i) EXPECT_LE(MeasureText8(FontB, lines[i]), width) << lines[i];
  EXPECT_EQ(std::string(lines[1]).substr(0, 4), "five");
  // What does not fit into the lines is left out; a word wider than the
  // width has a line of its own; blanks alone make no line.
  EXPECT_EQ(WrapText8(FontB, "Supercalifragilistic a", 20, lines, 3), 2);
  EXPECT_STREQ(lines[0], "Supercalifragilistic");
  EXPECT_STREQ(lines[1], "a");
  EXPECT_EQ(WrapText8(FontB, "   ", 100, lines, 3), 0);
  // A word longer than a line's buffer is cut into pieces.
  EXPECT_EQ(WrapText8(FontB, std::string(400, 'x').c_str(), 100, lines, 3), 2);
  EXPECT_EQ(std::strlen(lines[0]), 255u);
  EXPECT_EQ(std::strlen(lines[1]), 145u);
  EndText();
}

TEST_F(MapTest, TheClosedHintGivesWayOnAnOpenPlanetAndKeepsItsTimer) {
  NewGame();
  Frame(31);
  InkRecorder ink;
  const std::string hint = g.strings.Closelevel, pick = g.strings.Level;
  PointAt(2);  // closed
  ink.Clear();
  Frame();
  EXPECT_TRUE(ink.Drew(hint)) << ink.Words();
  EXPECT_TRUE(ink.Drew(std::string("1. ") + LevelTitleOf(0).name)) << "a closed level has no title";
  ink.ExpectReadable(Shown(), 640, 480);

  PointAt(1);  // open, while the hint's timer runs
  ink.Clear();
  Frame();
  EXPECT_GT(gMapHint.timer, 200);
  EXPECT_FALSE(ink.Drew(hint));
  EXPECT_TRUE(ink.Drew(pick)) << ink.Words();
  EXPECT_TRUE(ink.Drew(std::string("2. ") + LevelTitleOf(1).name)) << ink.Words();

  MoveTo(600, 100);  // off the planets: the hint is back until its time is up
  ink.Clear();
  Frame();
  EXPECT_TRUE(ink.Drew(hint));
}

TEST_F(MapTest, ADoubleClickStartsTheLevelThePressSelected) {
  NewGame();
  Frame(31);
  // Press on level 2, then double-click on level 1: the press made level 2
  // the selection, and the double-click starts the selection.
  PointAt(1);
  Button(true);
  Button(false);
  EXPECT_EQ(Map()->selected, 1);
  PointAt(0);
  Button(true);
  ASSERT_EQ(g.currentScreen, g.screens.game);
  EXPECT_EQ(gGame.player.currentLevel, 2);
}

TEST_F(MapTest, NothingIsSelectedWhenNoLevelIsOpen) {
  // Level 100 waits for itself; every other level is completed.
  char name[64];
  LevelFileName(100, name, sizeof name);
  std::string path(name);
  for (char& c : path)
    if (c == '\\') c = '/';
  WriteText(path, "[Level data]\nRequires = 50\n");
  for (int i = 0; i < 99; ++i) gGame.campaign[i].completed = gGame.campaign[i].revealed = 1;
  Enter(g.screens.menu);
  StartCampaign(0);
  ASSERT_EQ(g.currentScreen, g.screens.node);
  EXPECT_EQ(Map()->selected, -1);
  Frame(40);
  EXPECT_FALSE(Map()->buttons[0].IsEnabled());
  Click(108, 404);
  EXPECT_EQ(g.currentScreen, g.screens.node);
}

TEST_F(MapTest, ALostLevelCostsNothingAndAWonLevelOpensTheShop) {
  NewGame();
  Frame(31);
  Click(108, 404);  // play the selection, level 1
  ASSERT_EQ(g.currentScreen, g.screens.game);
  EXPECT_EQ(gGame.player.currentLevel, 1);
  gGame.player.credits += 500;
  gGame.player.score += 700;
  gGame.player.lives = 2;
  AddToInventory(ITEM_BOMB);
  FinishLevel(false);
  ASSERT_EQ(g.currentScreen, g.screens.node);
  EXPECT_EQ(gGame.player.credits, 150);
  EXPECT_EQ(gGame.player.score, 0);
  EXPECT_EQ(gGame.player.lives, 8);
  EXPECT_EQ(gGame.player.inventory[0].id, 0);
  EXPECT_FALSE(gGame.campaign[0].completed);

  Frame(2);
  Click(108, 404);
  ASSERT_EQ(g.currentScreen, g.screens.game);
  Type("getmecredits");
  FinishLevel(true);
  ASSERT_EQ(g.currentScreen, g.screens.shop);
  EXPECT_EQ(gGame.player.credits, 1150);
  EXPECT_TRUE(gGame.campaign[0].completed);
  Key(KEY_ESCAPE);
  ASSERT_EQ(g.currentScreen, g.screens.node);
  EXPECT_TRUE(gGame.campaign[2].appearing) << "level 3 needed level 1";
  EXPECT_FALSE(gGame.campaign[3].appearing) << "level 4 also needs level 2";
  EXPECT_EQ(Map()->selected, 1) << "the nearest open level";
}

TEST_F(MapTest, AllLevelsCompletedHandOverToTheBossFight) {
  for (MapNode& n : gGame.campaign) n.completed = n.revealed = 1;
  Map()->snapshot = LevelStartSnapshot();  // what an earlier campaign left
  gGame.player.credits = 777;
  Enter(g.screens.menu);
  StartCampaign(0);
  ASSERT_EQ(g.currentScreen, g.screens.boss);
  Frame(3);
  gGame.player.credits = 5;
  Key(KEY_ESCAPE);  // leave the fight
  Key(KEY_Y);
  ASSERT_EQ(g.currentScreen, g.screens.node);
  EXPECT_EQ(gGame.player.credits, 777) << "no level was started: the campaign's own start counts";
  EXPECT_EQ(gGame.player.lives, 8);
  Frame(3);
  EXPECT_EQ(g.currentScreen, g.screens.node) << "no second fight on that entry";

  // Winning the last level: the shop opens over the fight.
  gGame.campaign[99].completed = 0;
  Map()->StartLevel(100);
  Type("getmecredits");
  FinishLevel(true);
  ASSERT_EQ(g.currentScreen, g.screens.shop);
  EXPECT_EQ(gGame.player.credits, 1777);
  Key(KEY_ESCAPE);
  EXPECT_EQ(g.currentScreen, g.screens.boss) << "the fight starts when the shop is left";
  Key(KEY_ESCAPE);
  Key(KEY_Y);
  EXPECT_EQ(g.currentScreen, g.screens.node);
  EXPECT_EQ(gGame.player.credits, 777) << "back from the fight, as at the level's start";
}

TEST_F(MapTest, LevelsRotateFourTunesAndTheMapPlaysItsOwn) {
  NodeScreen::levelMusic = 0;
  NewGame();
  EXPECT_STREQ(CurrentMusicName(), "qel_z.s3m");
  const char* expected[] = {"fl3.s3m", "fl1.s3m", "fl2.s3m", "fl4.s3m", "fl3.s3m"};
  for (const char* tune : expected) {
    Map()->StartLevel(1);
    EXPECT_STREQ(CurrentMusicName(), tune);
    Return(g.screens.game, 0);
    EXPECT_STREQ(CurrentMusicName(), "qel_z.s3m");
  }
}

TEST_F(MapTest, ScrollingStaysBetweenTheFirstOpenLevelAndTheFarEnd) {
  NewGame();
  const int first = Map()->scroll;
  hp.input.TurnWheel(120 * 1000);
  Frame();
  EXPECT_EQ(Map()->scroll, NodeScreen::kMaxScroll);
  hp.input.SetKey(KEY_UP, true);
  Frame(3);
  EXPECT_EQ(Map()->scroll, NodeScreen::kMaxScroll - 6);
  hp.input.TurnWheel(-120 * 1000);
  Frame();
  EXPECT_EQ(Map()->scroll, first);
  hp.input.SetKey(KEY_UP, false);
  Hold(Rect{269, 359, 297, 382}, 10);  // scroll down repeats while held
  EXPECT_GE(Map()->scroll, first + 9);
}

TEST_F(MapTest, ButtonsAndEscapeLeadWhereTheySay) {
  NewGame();
  Click(231, 441);
  EXPECT_EQ(g.currentScreen, g.screens.shop);
  Key(KEY_ESCAPE);
  EXPECT_EQ(g.currentScreen, g.screens.node);
  Click(397, 441);
  EXPECT_EQ(g.currentScreen, g.screens.save);
  Key(KEY_ESCAPE);
  EXPECT_EQ(g.currentScreen, g.screens.node);
  Click(535, 404);
  EXPECT_EQ(g.currentScreen, g.screens.menu);
  StartCampaign(0);
  Key(KEY_ESCAPE);
  EXPECT_EQ(g.currentScreen, g.screens.menu);
  EXPECT_EQ(g.screenStackDepth, 1);
}

}  // namespace
}  // namespace vx::test
