// Runs campaign screens frame by frame on the headless platform over the real
// data set, with the mouse and keys driven the way a player would.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "app/screen.h"
#include "app/strings.h"
#include "base/game_record.h"
#include "campaign/campaign_ui.h"
#include "game/game_state.h"
#include "graphics/graphics.h"
#include "graphics/shared_art.h"
#include "input/input.h"
#include "main/screens.h"
#include "platform/headless/headless_platform.h"
#include "resources/file_system.h"
#include "sound/sound.h"
#include "support/temp_dir.h"

namespace vx::test {

class ScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g = GameRecord();
    gGame = GameState();
    InstallScreens();
    UnregisterAllArchives();
    RegisterArchive(VX_BINARY_DIR "/Velotrix.dat", "DATA\\", 1);
    RegisterArchive(VX_BINARY_DIR "/Velotrix.lng", "LANG\\", 1);
    SetSampleVolume(70);
    SetMusicVolume(50);
    SetReverseStereo(0);
    gPlatform = hp.platform();
    gInput = InputState();
    Input::leftHeld = Input::rightHeld = 0;
    gCursor = CampaignCursor();
    ASSERT_TRUE(Graphics::Init(640, 480, 0));
    ASSERT_TRUE(Input::Init(1));
    BuildStandardColors();
    LoadStrings();
    LoadSharedArt(g.strings.Loading);
  }
  void TearDown() override {
    ReleaseSharedArt();
    Input::Shutdown();
    Graphics::Release();
    UnregisterAllArchives();
    gPlatform = nullptr;
  }

  // Enters screen over the menu, as the game does.
  void Enter(Screen* screen) {
    if (!g.currentScreen) SwitchTo(g.screens.menu, 0);
    if (screen != g.currentScreen) SwitchTo(screen, 0);
  }
  void Frame(int n = 1) {
    for (int i = 0; i < n; ++i) {
      hp.Advance(13);
      ++g.frameCounter;
      Input::Poll();
      RunScreenFrame();
    }
  }
  void MoveTo(int x, int y) {
    hp.input.MoveMouse(x - gCursor.x, y - gCursor.y);
    Frame();
  }
  void Button(bool down, int button = 0) {
    hp.input.SetButton(button, down);
    Frame();
  }
  void Click(int x, int y, int button = 0) {
    MoveTo(x, y);
    Button(true, button);
    Button(false, button);
    hp.Advance(400);  // the next click is no double-click
  }
  void Click(const Rect& r, int button = 0) {
    Click((r.left + r.right) / 2, (r.top + r.bottom) / 2, button);
  }
  // Holds the left button on r for frames frames.
  void Hold(const Rect& r, int frames) {
    MoveTo((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    hp.input.SetButton(0, true);
    Frame(frames);
    Button(false);
    hp.Advance(400);
  }
  void Key(int code) {
    hp.input.SetKey(code, true);
    Frame();
    hp.input.SetKey(code, false);
    Frame();
  }
  void Type(const std::string& text) {
    for (char c : text) DispatchChar(static_cast<uint8_t>(c), 0);
  }
  std::string Log() { return ReadText("Log.txt"); }

  TempDir dir;
  HeadlessPlatform hp;
};

}  // namespace vx::test
