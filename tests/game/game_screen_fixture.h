// Runs the real game on the headless platform in a fresh folder, enters a level
// of our own (loose level files beside the data archives, which supply the art
// and texts) and lets a test act at every frame boundary, as a player would.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/app_main.h"
#include "app/screen.h"
#include "base/game_record.h"
#include "game/game_state.h"
#include "game/level_files.h"
#include "game/level_start.h"
#include "game/play_state.h"
#include "graphics/graphics.h"
#include "input/input.h"
#include "main/screens.h"
#include "platform/headless/headless_platform.h"
#include "resources/file_system.h"
#include "sound/sound.h"
#include "support/temp_dir.h"

namespace vx::test {

// The root screen in place of the main menu: it records how it is entered.
class SpyRoot : public Screen {
 public:
  const char* GetName() override { return "SpyRoot"; }
  int InitSurfaces() override { return 1; }
  int OnDisplay(Screen* previous, int argument) override {
    entries.push_back({previous, argument});
    return 1;
  }
  int OnFrame() override { return 1; }
  struct Entry {
    Screen* previous;
    int argument;
  };
  std::vector<Entry> entries;
};

// A small level: Height rows, three block types (1 hit / 10 points, 2 hits /
// 20 points, indestructible), a band of type-1 blocks in the rows given.
inline std::string LevelHeader(int height, int types = 3) {
  std::string h = "[Level data]\nName = Test field\nHeight = " + std::to_string(height) +
                  "\nScroll speed = 1\nMax blocks types = " + std::to_string(types) + "\n";
  h += "[Block type 1]\nHit counter = 1\nScore = 10\n";
  h += "[Block type 2]\nHit counter = 2\nScore = 20\n";
  h += "[Block type 3]\nHit counter = 0\nScore = 0\n";
  return h;
}

class GameScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g = GameRecord();
    gGame = GameState();
    gPlay = PlayState();
    InstallScreens();
    g.screens.menu = &root;
    UnregisterAllArchives();
    SetSampleVolume(100);
    SetMusicVolume(100);
    gPlatform = hp.platform();
    // The real data set supplies art, font and texts; loose files win over it.
    for (const char* archive : {"Velotrix.dat", "Velotrix.lng"}) {
      std::string built = std::string(VX_BINARY_DIR) + "/" + archive;
      if (std::filesystem::exists(built)) std::filesystem::create_symlink(built, archive);
    }
  }
  void TearDown() override {
    CloseSoundDevice();
    Input::Shutdown();
    Graphics::Release();
    UnregisterAllArchives();
    gScreenSwitchObserver = nullptr;
    gPlatform = nullptr;
  }

  // Host path of a level file of ours ("Episode1/Levels/Level07").
  static std::string LevelPath(int level) {
    char name[64];
    LevelFileName(level, name, sizeof name);
    std::string path = name;
    for (char& c : path)
      if (c == '\\') c = '/';
    return path;
  }
  static void WriteLevel(int level, const std::string& header, const std::string& map) {
    WriteText(LevelPath(level), header);
    WriteText(LevelPath(level) + ".map", map);
  }
  // A field of height rows with type-1 blocks in rows first .. last.
  static void WriteBandLevel(int level, int height, int first, int last) {
    std::string map(static_cast<size_t>(height) * 20, '\0');
    for (int r = first; r <= last; ++r)
      for (int c = 0; c < 20; ++c) map[static_cast<size_t>(r) * 20 + c] = 1;
    WriteLevel(level, LevelHeader(height), map);
  }

  // Runs the game: step i runs at the i-th frame boundary (before that frame),
  // the game is told to end at the boundary after the last step.
  using Step = std::function<void()>;
  void Run(const std::vector<Step>& steps) {
    size_t at = 0;
    hp.onFrameBoundary = [&] {
      if (at < steps.size()) {
        steps[at++]();
      } else if (at == steps.size()) {
        ++at;
        hp.PushTerminate();
      }
    };
    AppMain(nullptr, 1);
  }
  // n steps that do nothing: n frames run.
  static void Wait(std::vector<Step>& steps, int n) {
    for (int i = 0; i < n; ++i) steps.push_back([] {});
  }

  // Input helpers: a key goes down for one frame and comes up at the next step.
  void Down(int code) { hp.input.SetKey(code, true); }
  void Up(int code) { hp.input.SetKey(code, false); }
  void Type(const std::string& text) {
    for (unsigned char c : text) hp.PushChar(c, 1);
  }

  std::string CurrentName() const {
    return g.currentScreen ? g.currentScreen->GetName() : "(none)";
  }

  TempDir dir;  // before hp: the instance lock lives in the working directory
  HeadlessPlatform hp;
  SpyRoot root;
};

}  // namespace vx::test
