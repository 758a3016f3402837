// velotrix-tool pace --hz H [--seconds S]: runs the real frame loop on the
// headless platform with a display that refreshes H times a second and a clock
// that moves only while the game waits (for the retrace or the next step), and
// prints one line
//   hz H steps_per_s S presents_per_s P max_steps_per_present M
// S should be the designed 76.9 steps per second whatever H is.
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/app_main.h"
#include "base/game_record.h"
#include "command.h"
#include "headless_game.h"
#include "main/screens.h"
#include "platform/headless/headless_platform.h"

namespace vx::tool {

namespace {

struct PaceRun {
  int hz = 60;
  int seconds = 10;
  // Counted from the first presentation on.
  bool started = false;
  uint32_t startMs = 0;
  uint32_t startSteps = 0;
  uint32_t lastSteps = 0;
  long presents = 0;
  uint32_t maxSteps = 0;
  uint32_t steps = 0;
  uint32_t endMs = 0;
};

void OnPresent(PaceRun& run, HeadlessPlatform& hp) {
  const uint32_t now = hp.clock.now;
  if (!run.started) {
    run.started = true;
    run.startMs = now;
    run.startSteps = run.lastSteps = g.frameCounter;
    return;
  }
  if (run.endMs) return;  // done; the close is on its way
  ++run.presents;
  run.maxSteps = std::max(run.maxSteps, g.frameCounter - run.lastSteps);
  run.lastSteps = g.frameCounter;
  if (now - run.startMs >= static_cast<uint32_t>(run.seconds) * 1000u) {
    run.steps = g.frameCounter - run.startSteps;
    run.endMs = now;
    hp.PushTerminate();
  }
}

int Pace(PaceRun& run) {
  HeadlessPlatform hp;
  hp.window.frameStepMs = 0;
  hp.window.realTime = true;
  hp.display.retraceHz = run.hz;
  hp.display.onPresent = [&] { OnPresent(run, hp); };
  gPlatform = hp.platform();
  InstallScreens();
  AppMain(nullptr, 1);
  ReleaseHeadlessGame();
  if (!run.endMs) {
    std::fprintf(stderr, "pace: the game stopped before %d seconds had passed\n", run.seconds);
    return 1;
  }
  const double elapsed = (run.endMs - run.startMs) / 1000.0;
  std::printf("hz %d steps_per_s %.1f presents_per_s %.1f max_steps_per_present %u\n", run.hz,
              run.steps / elapsed, run.presents / elapsed, run.maxSteps);
  return 0;
}

int Usage() {
  std::fprintf(stderr, "usage: velotrix-tool pace --hz H [--seconds S]\n");
  return 2;
}

bool ParseCount(const char* text, int lo, int hi, int* out) {
  char* end = nullptr;
  long v = std::strtol(text, &end, 10);
  if (!*text || *end != 0 || v < lo || v > hi) return false;
  *out = static_cast<int>(v);
  return true;
}

int CmdPace(int argc, char** argv) {
  PaceRun run;
  bool haveHz = false;
  for (int i = 1; i < argc; i += 2) {
    if (i + 1 >= argc) return Usage();
    if (!std::strcmp(argv[i], "--hz") && ParseCount(argv[i + 1], 1, 1000, &run.hz))
      haveHz = true;
    else if (std::strcmp(argv[i], "--seconds") || !ParseCount(argv[i + 1], 1, 3600, &run.seconds))
      return Usage();
  }
  if (!haveHz) return Usage();
  // The game runs in a folder of its own; the data set, when there is one,
  // makes the main menu the real one.
  const std::string data = std::filesystem::absolute(DataSetFolder(ToolDirectory())).string();
  return InScratchGameFolder("pace", data, [&] { return Pace(run); });
}

}  // namespace

VX_TOOL_COMMAND(pace, "pace --hz H [--seconds S]   game steps per second on an H Hz display",
                CmdPace);

}  // namespace vx::tool
