// velotrix-tool soak [--frames N] [--seed S] [--data DIR]: one long session of
// the real game, headless, over the data set and the packs (mods/) of DIR:
// the autoplay bot plays level after level (1 to 100, then round again) until
// N frames of game time have passed (default 276923, an hour at 13 ms a
// frame), with the music streaming and the audio output
// pulled as time passes, so the mixer runs. Prints the process's memory at
// each level's end and, last, a summary (M: frames with the music playing):
//   soak: frames F music M levels L won W rss-first K kB rss-end K kB peak K kB
// Meant for the sanitizer build; the memory must stay flat from the first
// level on. Runs in a temporary folder; the archives come from DIR.
#include <stdlib.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/app_main.h"
#include "app/screen.h"
#include "autoplay_bot.h"
#include "base/game_record.h"
#include "command.h"
#include "game/game_state.h"
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

// A field of /proc/self/status in kB ("VmRSS", "VmHWM"), or 0.
long StatusKb(const char* field) {
  std::ifstream in("/proc/self/status");
  std::string line;
  const size_t n = std::strlen(field);
  while (std::getline(in, line))
    if (line.compare(0, n, field) == 0 && line.size() > n && line[n] == ':')
      return std::strtol(line.c_str() + n + 1, nullptr, 10);
  return 0;
}

struct Soak {
  uint64_t frames = 0, musicFrames = 0;
  int levels = 0, won = 0;
  long rssFirst = 0;
};

void Run(uint64_t totalFrames, uint32_t seed, Soak* soak) {
  g = GameRecord();
  gGame = GameState();
  InstallScreens();
  UnregisterAllArchives();
  HeadlessPlatform hp;
  hp.clock.calendarBase = seed;
  hp.timersFollowClock = true;
  hp.audio.followClock = true;
  gPlatform = hp.platform();
  AutoplayBot bot(seed);
  int level = 0;
  bool counted = false, closing = false;
  hp.onFrameBoundary = [&] {
    if (closing) return;
    if (soak->frames >= totalFrames) {
      closing = true;
      hp.PushTerminate();
      return;
    }
    ++soak->frames;
    if (IsModulePlaying()) ++soak->musicFrames;
    if (g.currentScreen != g.screens.game) {
      level = level % kLevelCount + 1;
      gGame.player.lives = 8;  // a lost game would end the session
      counted = false;
      if (!StartLevelDirect(level)) {
        closing = true;
        hp.PushTerminate();
      }
      return;
    }
    if (!gGame.level.levelEnded) {
      bot.Step(hp.input);
      return;
    }
    if (!counted) {
      counted = true;
      ++soak->levels;
      if (!gGame.level.levelFailed) ++soak->won;
      const long rss = StatusKb("VmRSS");
      if (soak->levels == 1) soak->rssFirst = rss;
      std::printf("level %d: %s frames %llu rss %ld kB\n", level, gGame.level.levelFailed ? "lost" : "won",
                  static_cast<unsigned long long>(soak->frames), rss);
      std::fflush(stdout);
    }
    // The end of a level waits for a key; the music then fades out.
    hp.input.SetKey(57, soak->frames % 2 == 0);
  };
  AppMain(nullptr, 1);
  ReleaseHeadlessGame();
}

int CmdSoak(int argc, char** argv) {
  long long frames = 276923;
  long seed = 1;
  std::string data = ToolDirectory();
  bool ok = true;
  for (int i = 1; ok && i < argc; i += 2) {
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    if (!value) ok = false;
    else if (!std::strcmp(argv[i], "--frames")) frames = std::strtoll(value, nullptr, 0);
    else if (!std::strcmp(argv[i], "--seed")) seed = std::strtol(value, nullptr, 0);
    else if (!std::strcmp(argv[i], "--data")) data = value;
    else ok = false;
  }
  if (!ok || frames < 1) {
    std::fprintf(stderr, "usage: velotrix-tool soak [--frames N] [--seed S] [--data DIR]\n");
    return 2;
  }
  data = std::filesystem::absolute(data).string();
  for (const char* archive : {"Velotrix.dat", "Velotrix.lng"}) {
    if (!std::filesystem::exists(data + "/" + archive)) {
      std::fprintf(stderr, "soak: no %s in %s\n", archive, data.c_str());
      return 2;
    }
  }
  return InScratchGameFolder("soak", data, [&] {
    Soak soak;
    Run(static_cast<uint64_t>(frames), static_cast<uint32_t>(seed), &soak);
    std::printf(
        "soak: frames %llu music %llu levels %d won %d rss-first %ld kB rss-end %ld kB peak %ld kB\n",
        static_cast<unsigned long long>(soak.frames),
        static_cast<unsigned long long>(soak.musicFrames), soak.levels, soak.won, soak.rssFirst,
        StatusKb("VmRSS"), StatusKb("VmHWM"));
    return soak.frames >= static_cast<uint64_t>(frames) ? 0 : 1;
  });
}

}  // namespace

VX_TOOL_COMMAND(soak, "soak [--frames N] [--seed S] [--data DIR]   an hour of play, memory watched",
                CmdSoak);

}  // namespace vx::tool
