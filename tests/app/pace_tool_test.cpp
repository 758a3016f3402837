// velotrix-tool pace: the real frame loop on a simulated display keeps the
// designed 76.9 steps a second at every refresh rate, shows at most one picture
// per retrace and catches up a few steps at most.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/temp_dir.h"

namespace vx {
namespace {

struct Pace {
  int code = -1;
  int hz = 0;
  double steps = 0, presents = 0;
  int maxSteps = 0;
  std::string out;
};

Pace RunPace(const std::string& args) {
  const std::string cmd =
      std::string(VX_BINARY_DIR) + "/velotrix-tool pace " + args + " >out.txt 2>err.txt";
  const int status = std::system(cmd.c_str());
  Pace p;
  p.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  p.out = test::ReadText("out.txt");
  char end = 0;
  const char* format = "hz %d steps_per_s %lf presents_per_s %lf max_steps_per_present %d%c";
  if (std::sscanf(p.out.c_str(), format, &p.hz, &p.steps, &p.presents, &p.maxSteps, &end) != 5 ||
      end != '\n')
    p.code = -2;
  return p;
}

TEST(PaceTool, DesignedSpeedAtEveryRefreshRate) {
  test::TempDir dir;
  const double designed = 1000.0 / 13;
  // Slower displays show every retrace and run two steps on some; faster ones
  // show each step once.
  const struct {
    int hz;
    double presents;
    int maxSteps;
  } rates[] = {{60, 60, 2}, {75, 75, 2}, {120, designed, 1}, {144, designed, 1}, {24, 24, 4}};
  for (const auto& r : rates) {
    // A picture may stand for up to four steps: the count needs a longer run.
    const std::string seconds = r.hz < 60 ? " --seconds 6" : " --seconds 3";
    const Pace p = RunPace("--hz " + std::to_string(r.hz) + seconds);
    ASSERT_EQ(p.code, 0) << p.out;
    EXPECT_EQ(p.hz, r.hz);
    EXPECT_NEAR(p.steps, designed, designed * 0.01) << r.hz << " Hz";
    EXPECT_NEAR(p.presents, r.presents, r.presents * 0.01) << r.hz << " Hz";
    EXPECT_EQ(p.maxSteps, r.maxSteps) << r.hz << " Hz";
  }
}

TEST(PaceTool, RefusesBadArguments) {
  test::TempDir dir;
  for (const char* args : {"", "--hz", "--hz 0", "--hz x", "--hz 60 --seconds 0", "--seconds 5",
                           "--hz 60 --frames 3", "--hz 60 extra"}) {
    const std::string cmd =
        std::string(VX_BINARY_DIR) + "/velotrix-tool pace " + args + " >out.txt 2>err.txt";
    const int status = std::system(cmd.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2) << args;
    EXPECT_EQ(test::ReadText("out.txt"), "") << args;
  }
}

}  // namespace
}  // namespace vx
