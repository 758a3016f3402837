// Runs the shell on the headless platform in a fresh working directory, with
// every subsystem's global state put back between tests.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_main.h"
#include "app/screen.h"
#include "base/game_record.h"
#include "base/log.h"
#include "game/game_state.h"
#include "graphics/graphics.h"
#include "input/input.h"
#include "main/screens.h"
#include "platform/headless/headless_platform.h"
#include "resources/file_system.h"
#include "sound/sound.h"
#include "support/temp_dir.h"

namespace vx::test {

class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g = GameRecord();
    gGame = GameState();
    InstallScreens();
    UnregisterAllArchives();
    // The sound engine's start values, as in a fresh process.
    SetSampleVolume(100);
    SetMusicVolume(100);
    SetReverseStereo(0);
    gPlatform = hp.platform();
  }
  void TearDown() override {
    CloseSoundDevice();
    Input::Shutdown();
    Graphics::Release();
    UnregisterAllArchives();
    gScreenSwitchObserver = nullptr;
    gPlatform = nullptr;
  }

  // Lets the game run `frames` frames through its own message loop, then
  // closes the window. Returns AppMain's exit code.
  int RunGame(int frames, std::function<void(int frame)> perFrame = nullptr) {
    int boundary = 0;
    hp.onFrameBoundary = [&, frames] {
      if (perFrame) perFrame(boundary);
      if (boundary++ == frames) hp.PushClose();
    };
    return AppMain(nullptr, 1);
  }

  std::string Log() { return ReadText("Log.txt"); }

  // True when every needle occurs in text, in the given order.
  static bool InOrder(const std::string& text, const std::vector<std::string>& needles) {
    size_t pos = 0;
    for (const std::string& n : needles) {
      size_t at = text.find(n, pos);
      if (at == std::string::npos) {
        ADD_FAILURE() << "missing in order: \"" << n << "\"";
        return false;
      }
      pos = at + n.size();
    }
    return true;
  }

  TempDir dir;  // before hp: the instance lock lives in the working directory
  HeadlessPlatform hp;
};

}  // namespace vx::test
