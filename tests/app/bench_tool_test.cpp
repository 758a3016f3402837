// velotrix-tool bench: every scene is reached and stays on its screen, and the
// report keeps its shape. The times themselves are not judged here.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace vx {
namespace {

struct BenchRun {
  int code;
  std::string out, err;
};

BenchRun Bench(const std::string& args) {
  const std::string cmd =
      std::string(VX_BINARY_DIR) + "/velotrix-tool bench " + args + " >out.txt 2>err.txt";
  const int status = std::system(cmd.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, test::ReadText("out.txt"),
          test::ReadText("err.txt")};
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(BenchTool, EveryScenePlaysOnItsScreenAndIsReported) {
  test::TempDir dir;
  const BenchRun r = Bench("--frames 5 --shots .");
  ASSERT_EQ(r.code, 0) << r.err;
  const std::vector<std::string> lines = Lines(r.out);
  const char* const scenes[] = {"menu", "options", "map",   "shop",   "save", "hiscores",
                                "help", "level",   "heavy", "editor", "boss", "ending"};
  size_t at = 0;
  for (const char* scene : scenes) {
    ASSERT_LT(at, lines.size());
    const std::regex shape(std::string("scene ") + scene +
                           " median_us [0-9.]+ p99_us [0-9.]+ budget_pct [0-9.]+");
    EXPECT_TRUE(std::regex_match(lines[at++], shape)) << lines[at - 1];
    EXPECT_EQ(test::ReadText(std::string(scene) + ".png").substr(1, 3), "PNG") << scene;
  }
  ASSERT_FALSE(lines.empty());
  EXPECT_TRUE(std::regex_match(lines.back(), std::regex("startup_ms [0-9.]+ peak_rss_mib [0-9.]+")))
      << lines.back();
  // Its own scratch folder is gone, and nothing was left here but the pictures.
  EXPECT_EQ(test::ReadText("Log.txt"), "");
}

TEST(BenchTool, RefusesWhatItCannotDo) {
  test::TempDir dir;
  EXPECT_EQ(Bench("--scene nowhere").code, 2);
  EXPECT_EQ(Bench("--frames 0").code, 2);
  EXPECT_EQ(Bench("--frames").code, 2);
  const BenchRun r = Bench("--data /nonexistent --frames 1");
  EXPECT_EQ(r.code, 2);
  EXPECT_NE(r.err.find("no Velotrix.dat"), std::string::npos) << r.err;
}

}  // namespace
}  // namespace vx
