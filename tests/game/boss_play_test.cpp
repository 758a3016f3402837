// The end of the campaign end to end: `velotrix-tool play` runs the real game
// on the built data set through the boss fight, the ending and the high-score
// table, checked against the files it leaves behind.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "base/game_record.h"
#include "campaign/save_game.h"
#include "game/game_state.h"
#include "support/play_script.h"
#include "support/temp_dir.h"

namespace vx {
namespace {

using test::ReadText;
using test::WriteText;

class BossPlay : public ::testing::Test {
 protected:
  void SetUp() override { test::MakeGameFolder(); }
  int Play(const std::string& script) { return test::PlayScript(script); }
  // Slot 1 in run/ holding a campaign with levels 1 .. completed won.
  static void SaveCampaign(int completed, int score) {
    ASSERT_EQ(chdir("run"), 0);
    g = GameRecord();
    gGame = GameState();
    for (int i = 0; i < completed; ++i) gGame.campaign[i].completed = 1;
    gGame.player.score = score;
    ASSERT_EQ(SaveGame(0, "Finale"), 1);
    ASSERT_EQ(chdir(".."), 0);
  }
  std::string Out() { return ReadText("out.txt"); }
  std::string Err() { return ReadText("err.txt"); }

  test::TempDir tmp;
};

// The message that the boss is beaten unfolds and waits for a key; the tally
// of a fresh player (150 credits, 8 lives) then takes about 75 frames, the
// countdown after it 100 more.
const char* const kDefeatToEnding =
    "frames 30\nexpect screen BossScreen\nkey Space\nframes 200\n";
// Screen places of the data set: the menu's "Load game", the first load slot,
// the map's play and shop buttons.
const char kLoadFirstSlot[] =
    "moveto 436 243\nclick left\nframes 30\nexpect screen LoadScreen\n"
    "moveto 280 178\nclick left\nframes 5\n";
const char kMapPlay[] = "moveto 108 404\nclick left\nframes 30\n";
const char kMapShop[] = "moveto 231 441\nclick left\nframes 30\n";

TEST_F(BossPlay, TheWordBossOpensTheFightAndTheDefeatLeadsThroughTheEndingToTheMenu) {
  const std::string script = std::string(
      "frames 3\nlevel 1\nframes 10\ntype boss\nframes 2\nexpect screen BossScreen\n"
      "click left\nmouse 60 0\nframes 40\nshot fight.png\n"
      "key D\nframes 2\nexpect screen BossScreen\n") +
      kDefeatToEnding +
      "expect screen HappyScreen\n"
      // A key in the ending's first 100 frames does not skip it.
      "key Space\nframes 2\nexpect screen HappyScreen\nframes 100\nshot ending.png\n"
      "key Space\nframes 2\nexpect screen HiscoreScreen\nframes 5\n"
      "key Space\nframes 2\nexpect screen MenuScreen\nquit\n";
  ASSERT_EQ(Play(script), 0) << Err();
  EXPECT_NE(Out().find("screen: BossScreen\nscreen: HappyScreen\nscreen: HiscoreScreen\n"
                       "screen: MenuScreen\n"),
            std::string::npos)
      << Out();
  EXPECT_FALSE(std::filesystem::exists("run/Velotrix.hsc"))
      << "a game with a cheat word offers no score";
  EXPECT_TRUE(std::filesystem::exists("fight.png"));
}

TEST_F(BossPlay, AllLevelsCompletedTheMapOpensTheFightAndTheScoreIsEntered) {
  SaveCampaign(100, 50000);
  const std::string script =
      std::string("frames 5\n") + kLoadFirstSlot +
      "expect screen BossScreen\nclick left\nmouse -80 0\nframes 30\n"
      "key D\nframes 2\n" + kDefeatToEnding +
      "expect screen HappyScreen\nframes 110\nkey Space\nframes 2\n"
      "expect screen HiscoreScreen\ntype Finale\nkey Enter\nframes 3\n"
      "key Space\nframes 2\nexpect screen MenuScreen\nquit\n";
  ASSERT_EQ(Play(script), 0) << Err();
  const std::string table = ReadText("run/Velotrix.hsc");
  ASSERT_EQ(table.size(), 240u);
  // 50000 + 11330 passes the default 60000 of the fifth row.
  const char* row = table.data() + 4 * 24;
  EXPECT_STREQ(row, "Finale");
  int32_t score;
  std::memcpy(&score, row + 20, 4);
  EXPECT_EQ(score, 61330);
}

TEST_F(BossPlay, WinningTheLastLevelOpensTheShopFirstAndAGivenUpFightIsNotRestarted) {
  SaveCampaign(99, 0);
  const std::string script =
      std::string("frames 5\n") + kLoadFirstSlot +
      // Level 100 is the one open level; it appears after 30 frames.
      "expect screen NodeScreen\nframes 40\n" + kMapPlay +
      "expect screen GameScreen\ntype completed\nframes 5\nkey Space\nframes 120\n"
      "expect screen ShopScreen\nkey Escape\nframes 2\nexpect screen BossScreen\n"
      "frames 20\nkey Escape\nkey Y\nframes 2\nexpect screen NodeScreen\nframes 20\n"
      "expect screen NodeScreen\n" +
      // Entered again from another screen, the map starts a new fight.
      kMapShop + "expect screen ShopScreen\nkey Escape\nframes 2\nexpect screen BossScreen\n"
      "quit\n";
  ASSERT_EQ(Play(script), 0) << Err();
}

}  // namespace
}  // namespace vx
