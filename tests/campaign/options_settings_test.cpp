// The whole program on the headless platform: the player changes the options
// with the mouse, quits from the menu, and the settings file holds the changes.
#include <functional>
#include <vector>

#include "app/shell_fixture.h"
#include "campaign/screen_fixture.h"

namespace vx::test {
namespace {

class OptionsSettingsRun : public ShellTest {
 protected:
  // One entry per frame: what the player does before that frame runs.
  std::vector<std::function<void()>> script;

  void Idle(int frames = 1) {
    for (int i = 0; i < frames; ++i) script.push_back([] {});
  }
  void MoveTo(int x, int y) {
    script.push_back([this, x, y] { hp.input.MoveMouse(x - gCursor.x, y - gCursor.y); });
  }
  void Button(bool down) {
    script.push_back([this, down] { hp.input.SetButton(0, down); });
  }
  void Click(int x, int y) {
    MoveTo(x, y);
    Button(true);
    Button(false);
    Idle(30);  // well past the double-click time
  }
  void Hold(int x, int y, int frames) {
    MoveTo(x, y);
    Button(true);
    Idle(frames - 1);
    Button(false);
    Idle(30);
  }
  void Key(int code) {
    script.push_back([this, code] { hp.input.SetKey(code, true); });
    script.push_back([this, code] { hp.input.SetKey(code, false); });
  }
  int Run() {
    size_t next = 0;
    hp.onFrameBoundary = [&] {
      if (next < script.size()) script[next++]();
      else if (next++ == script.size()) hp.PushClose();
    };
    return AppMain(nullptr, 1);
  }
};

TEST_F(OptionsSettingsRun, ChangedOptionsAreInTheSettingsFileAfterQuitting) {
  WriteTestArt();
  WriteText("Velotrix.ini",
            "[Settings]\nFullscreen = 0\nSound enable = 0\nSound volume = 70\nMusic volume = 50\n"
            "Reverse stereo = 0\nScroll speed = 1\nVanishing = 0\n");
  Idle(5);
  Click(layout::kMenuButtonX + 50, layout::MenuButtonY(3) + 5);  // options
  Hold(455, 155, 10);    // m100: music 50 -> 70
  Click(320 + 61, 205);  // sound bar at half
  Click(150, 255);       // reverse
  Click(150, 285);       // vanishing
  Click(120, 315);       // slow
  Key(KEY_ESCAPE);
  Idle(3);
  Click(layout::kMenuButtonX + 50, layout::MenuButtonY(5) + 5);  // quit
  ASSERT_EQ(Run(), 0);

  EXPECT_EQ(g.bQuit, 1);
  EXPECT_EQ(ReadText("Velotrix.ini"),
            "[Settings]\nFullscreen = 0\nSound enable = 0\nSound volume = 50\nMusic volume = 70\n"
            "Reverse stereo = 1\nScroll speed = 0\nVanishing = 1\n");
  EXPECT_TRUE(InOrder(Log(), {"Screen switched to MenuScreen", "Call OptionsScreen::InitSurfaces()",
                              "Return OptionsScreen::InitSurfaces()",
                              "Screen switched to OptionsScreen", "MenuScreen::OnDisplay()",
                              "Screen switched to MenuScreen", "Save config"}));
}

}  // namespace
}  // namespace vx::test
