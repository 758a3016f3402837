// Runs campaign screens frame by frame on the headless platform, over a small
// set of art written into the test's own folder, with the mouse and keyboard
// driven like a player would.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "app/game_record.h"
#include "app/screen.h"
#include "app/screens.h"
#include "campaign/campaign_ui.h"
#include "graphics/graphics.h"
#include "graphics/shared_art.h"
#include "input/input.h"
#include "platform/headless/headless_platform.h"
#include "resources/file_system.h"
#include "sound/sound.h"
#include "support/temp_dir.h"

namespace vx::test {

// Colours of the test art (0xRRGGBB), distinct from the black colour key.
constexpr uint32_t kBackColor = 0x102040;
constexpr uint32_t kSheetColor = 0xE0C020;

// An uncompressed 24-bit TGA of one colour.
inline void WriteTga(const std::string& path, int w, int h, uint32_t color) {
  std::string b(18, '\0');
  b[2] = 2;
  b[12] = char(w & 255), b[13] = char(w >> 8), b[14] = char(h & 255), b[15] = char(h >> 8);
  b[16] = 24;
  for (int i = 0; i < w * h; ++i) {
    b.push_back(char(color & 255));
    b.push_back(char((color >> 8) & 255));
    b.push_back(char((color >> 16) & 255));
  }
  WriteText(path, b);
}

struct TestFrame {
  const char* name;
  int w, h;    // taken from (0, 0) of the sheet
  int x, y;    // offset: where the frame lands when drawn at 0, 0
};

// A run-length encoded 24-bit TGA of one colour: a full-screen picture in a
// few kilobytes.
inline void WriteRleTga(const std::string& path, int w, int h, uint32_t color) {
  std::string b(18, '\0');
  b[2] = 10;
  b[12] = char(w & 255), b[13] = char(w >> 8), b[14] = char(h & 255), b[15] = char(h >> 8);
  b[16] = 24;
  for (int left = w * h; left > 0; left -= 128) {
    const int n = left < 128 ? left : 128;
    b.push_back(char(0x80 | (n - 1)));
    b.push_back(char(color & 255));
    b.push_back(char((color >> 8) & 255));
    b.push_back(char((color >> 16) & 255));
  }
  WriteText(path, b);
}

// A sheet whose frames all cut the same corner of a one-colour image.
inline void WriteSheet(const std::string& base, std::initializer_list<TestFrame> frames) {
  WriteTga(base + ".tga", 160, 40, kSheetColor);
  std::string frm;
  int n = 1;
  for (const TestFrame& f : frames) {
    char section[200];
    std::snprintf(section, sizeof section,
                  "[Sprite %d]\nname = %s\nrectsx = 0, 0, %d, %d\noffsxy = %d, %d\n\n", n++,
                  f.name, f.w, f.h, f.x, f.y);
    frm += section;
  }
  WriteText(base + ".frm", frm);
}

// Where the test art puts things.
namespace layout {
// Main menu: buttons 100 x 30 from (316, 179), 40 apart.
inline int MenuButtonY(int i) { return 179 + 40 * i; }
constexpr int kMenuButtonX = 316;
// The quit frame of the headers sheet.
constexpr int kQuitX = 560, kQuitY = 440;
}  // namespace layout

inline void WriteTestArt() {
  for (const char* bg : {"Nodes/Node.tga", "Logo2.tga"}) WriteRleTga(bg, 640, 480, kBackColor);
  for (const char* img : {"VelotrixQRN.tga", "options.tga", "Hiscore.tga", "help/MinPanel.tga",
                          "help/Items.tga"})
    WriteTga(img, 16, 16, 0x808080);
  WriteSheet("menu", {{"newgame_up", 100, 30, 0, 0},        {"newgame_down", 100, 30, 0, 0},
                      {"loadgame_up", 100, 30, 0, 40},      {"loadgame_down", 100, 30, 0, 40},
                      {"hiscores_up", 100, 30, 0, 80},      {"hiscores_down", 100, 30, 0, 80},
                      {"options_up", 100, 30, 0, 120},      {"options_down", 100, 30, 0, 120},
                      {"instruction_up", 100, 30, 0, 160},  {"instruction_down", 100, 30, 0, 160},
                      {"quit_up", 100, 30, 0, 200},         {"quit_down", 100, 30, 0, 200}});
  WriteSheet("OptionsHL", {{"mvol", 120, 10, 320, 150},  {"svol", 122, 10, 320, 200},
                           {"m0", 10, 10, 300, 150},     {"m100", 10, 10, 450, 150},
                           {"s0", 10, 10, 300, 200},     {"s100", 10, 10, 450, 200},
                           {"music", 40, 10, 200, 150},  {"sound", 40, 10, 200, 200},
                           {"r", 10, 10, 100, 250},      {"reverse", 60, 10, 120, 250},
                           {"v", 10, 10, 100, 280},      {"vanishing", 60, 10, 120, 280},
                           {"slow", 40, 10, 100, 310},   {"fast", 40, 10, 160, 310}});
  WriteSheet("headers", {{"Velotrix", 100, 20, 0, 0},   {"Save", 50, 20, 200, 0},
                         {"Load", 50, 20, 200, 0},      {"Options", 50, 20, 200, 0},
                         {"hiscores", 50, 20, 200, 0},
                         {"quit", 60, 30, layout::kQuitX, layout::kQuitY},
                         {"quits", 60, 30, layout::kQuitX, layout::kQuitY}});
  WriteSheet("HelpBtn", {{"Prev", 40, 20, 20, 440},  {"Next", 40, 20, 580, 440},
                         {"prev", 40, 20, 20, 440},  {"prevs", 40, 20, 20, 440},
                         {"next", 40, 20, 580, 440}, {"nexts", 40, 20, 580, 440}});
  WriteSheet("Cursor", {});
  WriteText("Cursor.anm", "*ALL_FRAMES {\n *F arrow 0 0 8 8\n}\n*ANIMATION Cursor {\n *FRAME arrow\n}\n");
  for (int page = 0; page < 4; ++page)
    WriteText("help/help" + std::to_string(page) + ".txt", "Help page " + std::to_string(page));
  WriteText("happy.txt", "The end.\r\nThank you for playing.");
  WriteText("Coordinates", "[Coordinates]\nLevel 1 = 329, 180\nLevel 2 = 100,250\n");
}

class ScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g = GameRecord();
    InstallScreens();
    UnregisterAllArchives();
    SetSampleVolume(70);
    SetMusicVolume(50);
    SetReverseStereo(0);
    gPlatform = hp.platform();
    gInput = InputState();
    Input::leftHeld = Input::rightHeld = 0;
    WriteTestArt();
    std::snprintf(g.strings.EmptySlot, sizeof g.strings.EmptySlot, "%s", "Empty");
    std::snprintf(g.strings.Page, sizeof g.strings.Page, "%s", "Page");
    ASSERT_TRUE(Graphics::Init(640, 480, 0));
    ASSERT_TRUE(Input::Init(1));
    BuildStandardColors();
    gArt.headers.Load("headers.tga", "headers.frm");
    gArt.cursor.LoadImage("Cursor.tga");
    gArt.cursorAnim.Load("Cursor.anm");
    gCursor = CampaignCursor();
  }
  void TearDown() override {
    gArt.headers.Release();
    gArt.cursor.Release();
    Input::Shutdown();
    Graphics::Release();
    UnregisterAllArchives();
    gPlatform = nullptr;
  }

  // Enters screen as the game does at start-up (the menu) or from the menu.
  void Enter(Screen* screen) {
    if (!g.currentScreen) {
      SwitchTo(g.screens.menu, 0);
      if (screen == g.screens.menu) return;
    }
    SwitchTo(screen, 0);
  }

  void Frame(int n = 1) {
    for (int i = 0; i < n; ++i) {
      hp.Advance(13);
      ++g.frameCounter;
      Input::Poll();
      RunScreenFrame();
    }
  }
  // Moves the mouse so that the cursor lands on (x, y), in one frame.
  void MoveTo(int x, int y) {
    hp.input.MoveMouse(x - gCursor.x, y - gCursor.y);
    Frame();
  }
  void Press(int button = 0) {
    hp.input.SetButton(button, true);
    Frame();
  }
  void Release(int button = 0) {
    hp.input.SetButton(button, false);
    Frame();
  }
  void Click(int x, int y, int button = 0) {
    MoveTo(x, y);
    Press(button);
    Release(button);
    // Keep the next click from reading as a double-click.
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
  uint16_t PixelAt(int x, int y) { return Graphics::BackBuffer()->Row(y)[x]; }
  uint16_t SheetPixel() { return Graphics::MakePixelRGB(kSheetColor); }

  TempDir dir;
  HeadlessPlatform hp;
};

}  // namespace vx::test
