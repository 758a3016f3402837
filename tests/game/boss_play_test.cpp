// The end of the campaign end to end: `velotrix-tool play` runs the real game
// on the built data set through the boss fight, the ending and the high-score
// table, checked against the files it leaves behind.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace vx {
namespace {

using test::ReadText;
using test::WriteText;

class BossPlay : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directory("run");
    for (const char* archive : {"Velotrix.dat", "Velotrix.lng"})
      std::filesystem::create_symlink(std::string(VX_BINARY_DIR) + "/" + archive,
                                      std::string("run/") + archive);
  }
  int Play(const std::string& script) {
    WriteText("script.txt", script);
    const std::string cmd = std::string(VX_BINARY_DIR) +
                            "/velotrix-tool play script.txt --dir run >out.txt 2>err.txt";
    const int status = std::system(cmd.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string Out() { return ReadText("out.txt"); }
  std::string Err() { return ReadText("err.txt"); }

  test::TempDir tmp;
};

// The tally of a fresh player (150 credits, 8 lives) takes about 75 frames,
// the countdown after it 100 more.
const char* const kDefeatToEnding = "frames 200\n";

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

}  // namespace
}  // namespace vx
