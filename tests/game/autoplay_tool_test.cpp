// velotrix-tool autoplay on the built data set: the report line, the bot
// winning the first level, and the arguments it refuses.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <regex>
#include <string>

#include "support/temp_dir.h"

namespace vx {
namespace {

struct ToolRun {
  int code;
  std::string out, err;
};

ToolRun Autoplay(const std::string& args) {
  std::string cmd = std::string(VX_BINARY_DIR) + "/velotrix-tool autoplay " + args +
                    " >out.txt 2>err.txt";
  int status = std::system(cmd.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, test::ReadText("out.txt"),
          test::ReadText("err.txt")};
}

TEST(Autoplay, ReportsOneLinePerLevelAndStopsAtTheFrameLimit) {
  test::TempDir tmp;
  ToolRun r = Autoplay("2-3 --max-frames 200 --seed 5");
  ASSERT_EQ(r.code, 0) << r.err;
  std::regex line(
      "level 2: timeout frames 200 score \\d+ credits \\d+ lives \\d+\n"
      "level 3: timeout frames 200 score \\d+ credits \\d+ lives \\d+\n");
  EXPECT_TRUE(std::regex_match(r.out, line)) << r.out;
}

TEST(Autoplay, TheBotWinsTheFirstLevel) {
  test::TempDir tmp;
  ToolRun r = Autoplay("1 --max-frames 30000");
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out.rfind("level 1: won frames ", 0), 0u) << r.out;
}

TEST(Autoplay, RefusesBadArguments) {
  test::TempDir tmp;
  for (const char* args : {"", "0", "101", "5-3", "1 --max-frames 0", "1 --speed", "1 --data /nonexistent"}) {
    ToolRun r = Autoplay(args);
    EXPECT_EQ(r.code, 2) << args;
    EXPECT_TRUE(r.out.empty()) << args;
  }
}

}  // namespace
}  // namespace vx
