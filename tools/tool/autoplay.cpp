// velotrix-tool autoplay LEVEL [--seed S] [--max-frames N] [--speed PX] [--data DIR]
// [--trace N]: plays a level (or a range A-B) of the real data set headless with
// a simple bot (PX: its fastest paddle move per frame) and prints one line per
// level (with --trace, the level's state goes to stderr every N frames):
//   level N: won|lost|timeout frames F score S credits C lives L
// Each level is a fresh game (8 lives, 150 credits, empty inventory) in a
// temporary folder; the archives and the packs of DIR/mods come from DIR
// (default: beside the tool).
#include <stdlib.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/app_main.h"
#include "app/screen.h"
#include "autoplay_bot.h"
#include "base/game_record.h"
#include "command.h"
#include "game/game_state.h"
#include "game/game_state_text.h"
#include "game/level_start.h"
#include "graphics/graphics.h"
#include "headless_game.h"
#include "input/input.h"
#include "main/screens.h"
#include "platform/headless/headless_platform.h"
#include "resources/file_system.h"
#include "sound/sound.h"

namespace vx::tool {

namespace {

struct Outcome {
  const char* result = "timeout";
  uint32_t frames = 0;
};

// One level in a fresh game, in the current directory.
Outcome PlayLevel(int level, uint32_t seed, uint32_t maxFrames, int speed, int trace) {
  g = GameRecord();
  gGame = GameState();
  InstallScreens();
  UnregisterAllArchives();
  SetSampleVolume(100);
  SetMusicVolume(100);

  HeadlessPlatform hp;
  // The calendar clock seeds the level.
  hp.clock.calendarBase = seed;
  gPlatform = hp.platform();
  AutoplayBot bot(seed, speed);
  Outcome out;
  bool started = false, done = false;
  hp.onFrameBoundary = [&] {
    if (done) return;
    if (!started) {
      started = true;
      if (!StartLevelDirect(level)) {
        out.result = "lost";
        done = true;
        hp.PushClose();
      }
      return;
    }
    const LevelState& L = gGame.level;
    if (g.currentScreen != g.screens.game || L.levelEnded || out.frames >= maxFrames) {
      if (L.levelEnded) out.result = L.levelFailed ? "lost" : "won";
      done = true;
      hp.PushClose();
      return;
    }
    ++out.frames;
    if (trace > 0 && out.frames % trace == 0) std::fputs(GameStateLine().c_str(), stderr);
    bot.Step(hp.input);
  };
  AppMain(nullptr, 1);
  ReleaseHeadlessGame();
  return out;
}

bool ParseRange(const char* text, int* first, int* last) {
  char* end = nullptr;
  long a = std::strtol(text, &end, 10), b = a;
  if (*end == '-') b = std::strtol(end + 1, &end, 10);
  if (*end != 0 || a < 1 || b > kLevelCount || a > b) return false;
  *first = static_cast<int>(a);
  *last = static_cast<int>(b);
  return true;
}

int CmdAutoplay(int argc, char** argv) {
  int first = 0, last = 0, speed = 24, trace = 0;
  long seed = 1, maxFrames = 60000;
  std::string data = ToolDirectory();
  bool ok = argc >= 2 && ParseRange(argv[1], &first, &last);
  for (int i = 2; ok && i < argc; ++i) {
    const char* arg = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    if (!value) ok = false;
    else if (!std::strcmp(arg, "--seed")) seed = std::strtol(value, nullptr, 0);
    else if (!std::strcmp(arg, "--max-frames")) maxFrames = std::strtol(value, nullptr, 0);
    else if (!std::strcmp(arg, "--speed")) speed = std::atoi(value);
    else if (!std::strcmp(arg, "--data")) data = value;
    else if (!std::strcmp(arg, "--trace")) trace = std::atoi(value);
    else ok = false;
    ++i;
  }
  if (!ok || maxFrames < 1 || speed < 1) {
    std::fprintf(stderr,
                 "usage: velotrix-tool autoplay LEVEL|FIRST-LAST [--seed S] [--max-frames N] "
                 "[--speed PX] [--data DIR] [--trace N]\n");
    return 2;
  }
  data = std::filesystem::absolute(data).string();
  for (const char* archive : {"Velotrix.dat", "Velotrix.lng"}) {
    if (!std::filesystem::exists(data + "/" + archive)) {
      std::fprintf(stderr, "autoplay: no %s in %s\n", archive, data.c_str());
      return 2;
    }
  }

  // Each level in a game folder of its own: nothing one leaves behind reaches the next.
  for (int level = first; level <= last; ++level) {
    const int code = InScratchGameFolder("autoplay", data, [&] {
      Outcome o = PlayLevel(level, static_cast<uint32_t>(seed), static_cast<uint32_t>(maxFrames),
                            speed, trace);
      std::printf("level %d: %s frames %u score %d credits %d lives %d\n", level, o.result,
                  o.frames, gGame.player.score, gGame.player.credits, gGame.player.lives);
      std::fflush(stdout);
      return 0;
    });
    if (code != 0) return code;
  }
  return 0;
}

}  // namespace

VX_TOOL_COMMAND(autoplay,
                "autoplay LEVEL|A-B [--seed S] [--max-frames N] [--speed PX] [--data DIR]   "
                "a bot plays levels headless",
                CmdAutoplay);

}  // namespace vx::tool
