// Replays: recorded input scripts play our own levels headless from a fixed
// seed through `velotrix-tool play`; the level's state, written every few
// frames, and the screens entered must match the expected files in replays/.
// After an intended change of the game, VX_UPDATE_GOLDEN=1 rewrites them.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "support/temp_dir.h"

namespace vx {
namespace {

using test::ReadText;
using test::WriteText;

const std::string kReplays = std::string(VX_SOURCE_DIR) + "/tests/game/replays/";

// Level 1: 60 rows with a patterned field of all three block types in rows 12
// to 40; level 2: an open field of 26 rows.
void WriteReplayData(const std::string& dir) {
  std::string header =
      "[Level data]\nName = Replay field\nHeight = 60\nScroll speed = 1\nMax blocks types = 3\n"
      "[Block type 1]\nHit counter = 1\nScore = 10\n"
      "[Block type 2]\nHit counter = 2\nScore = 25\n"
      "[Block type 3]\nHit counter = 0\nScore = 0\n";
  std::string map(60 * 20, '\0');
  for (int r = 12; r <= 40; ++r)
    for (int c = 0; c < 20; ++c)
      if ((r * 7 + c * 3) % 5 != 0) map[r * 20 + c] = static_cast<char>(1 + (r + c) % 3);
  WriteText(dir + "/Episode1/Levels/Level01", header);
  WriteText(dir + "/Episode1/Levels/Level01.map", map);
  WriteText(dir + "/Episode1/Levels/Level02",
            "[Level data]\nName = Open\nHeight = 26\nScroll speed = 2\nMax blocks types = 1\n");
  WriteText(dir + "/Episode1/Levels/Level02.map", std::string(26 * 20, '\0'));
  std::string items;
  const char* names[] = {"ITEM_WIDE_BUSTER", "ITEM_CANNON", "ITEM_BOMB", "ITEM_DETONATOR",
                         "ITEM_ADD_BALL",    "ITEM_SCREAMER"};
  for (const char* n : names) items += std::string("[") + n + "]\nActive time = 600\nPrice = 10\n";
  items += "[ITEM_SHIELD]\nActive time = 3000\n";
  WriteText(dir + "/Items.txt", items);
}

class Replay : public ::testing::TestWithParam<const char*> {};

TEST_P(Replay, MatchesItsExpectedRun) {
  const std::string name = GetParam();
  test::TempDir tmp;
  WriteReplayData("run");
  std::string cmd = std::string(VX_BINARY_DIR) + "/velotrix-tool play " + kReplays + name +
                    ".play --dir run >out.txt 2>err.txt";
  int status = std::system(cmd.c_str());
  ASSERT_TRUE(WIFEXITED(status)) << cmd;
  EXPECT_EQ(WEXITSTATUS(status), 0) << ReadText("err.txt");
  // The dump lands in the folder the tool was started from.
  std::string actual = ReadText("state.txt") + "--- screens\n" + ReadText("out.txt");
  const std::string expectedPath = kReplays + name + ".expected";
  const char* update = std::getenv("VX_UPDATE_GOLDEN");
  if (update && std::string(update) == "1") {
    WriteText(expectedPath, actual);
    GTEST_SKIP() << "rewrote " << expectedPath;
  }
  std::string expected = ReadText(expectedPath);
  ASSERT_FALSE(expected.empty()) << "no expected run in " << expectedPath
                                 << "; record one with VX_UPDATE_GOLDEN=1";
  EXPECT_EQ(actual, expected) << "replay " << name
                              << " differs; if the change is intended, rerun with "
                                 "VX_UPDATE_GOLDEN=1";
}

TEST(ReplayScript, RefusesMalformedLevelCommands) {
  for (const char* line : {"level 0", "level 101", "level x", "seed", "give 2", "give 23",
                           "give 4 0", "dump 0 state.txt", "dump 5"}) {
    test::TempDir tmp;
    WriteText("s.play", std::string(line) + "\n");
    std::string cmd = std::string(VX_BINARY_DIR) + "/velotrix-tool play s.play --dir run 2>err.txt";
    int status = std::system(cmd.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2) << line;
    EXPECT_NE(ReadText("err.txt").find("can't understand"), std::string::npos) << line;
  }
}

INSTANTIATE_TEST_SUITE_P(GameScreen, Replay,
                         ::testing::Values("launch_hits", "items", "enemies", "lose", "win",
                                           "quit"),
                         [](const auto& replay) { return std::string(replay.param); });

}  // namespace
}  // namespace vx
