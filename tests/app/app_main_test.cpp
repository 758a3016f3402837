// The whole program on the headless platform: start-up, the message loop and
// shutdown, checked through the log and the files it leaves.
#include "app/app_main.h"
#include "input/controls.h"

#include <sys/stat.h>

#include "platform/file_lock.h"
#include "shell_fixture.h"

namespace vx {
namespace {

using test::ReadText;
using test::WriteText;

class AppMainRun : public test::ShellTest {};

TEST_F(AppMainRun, StartsRunsFramesAndSavesOnClose) {
  EXPECT_EQ(RunGame(20), 0);
  std::string log = Log();
  EXPECT_EQ(log.rfind("Log start: ", 0), 0u);
  EXPECT_TRUE(InOrder(log, {"Graphics::Init( 640,480,16 )\nFullscreen = 1\n", "\nInit input devices...\n",
                            "Call MenuScreen::OnDisplay()\n", "Call MenuScreen::InitSurface()\n",
                            "Screen switched to MenuScreen\n\n", "fAppActive = 1\nbFullScreen = 1\nActivate...\n\n",
                            "Graphics::Init( 640,480,16 )", "Save config\n"}));
  EXPECT_EQ(g.frameCounter, 20u);
  EXPECT_EQ(g.screens.menu->frames, 20u);
  // 20 frames and the loading picture, shown at start-up and again at activation.
  EXPECT_EQ(hp.display.presents, 22);
  EXPECT_TRUE(hp.window.created);
  EXPECT_EQ(hp.window.title, "Velotrix");
  EXPECT_TRUE(hp.window.cursorHidden);
  EXPECT_TRUE(hp.window.keptAwake);
  EXPECT_FALSE(Graphics::IsOpen());
  // No settings file was found, so sound stays off; the file written holds the
  // initial values.
  EXPECT_EQ(ReadText("Velotrix.ini"),
            "[Settings]\nFullscreen = 1\nSound enable = 0\nSound volume = 100\nMusic volume = 100\n"
            "Reverse stereo = 0\nScroll speed = 1\nVanishing = 0\nLanguage = en\n" +
                Controls::SettingsSection());
}

TEST_F(AppMainRun, InactiveGameRunsNoFramesAndComesBack) {
  int code = RunGame(30, [&](int frame) {
    if (frame == 5) hp.PushActivate(0);
    if (frame == 15) hp.PushActivate(1);
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(g.frameCounter, 20u);  // ten frame slots passed while inactive
  EXPECT_TRUE(InOrder(Log(), {"Release...", "Activate...", "Save config"}));
}

TEST_F(AppMainRun, QuitFetchedByTheLoopEndsWithoutSaving) {
  int code = RunGame(1000, [&](int frame) {
    if (frame == 3) hp.window.PostQuit(7);
  });
  EXPECT_EQ(code, 7);
  struct stat st;
  EXPECT_NE(stat("Velotrix.ini", &st), 0);
  EXPECT_EQ(Log().find("Save config"), std::string::npos);
}

TEST_F(AppMainRun, SecondCopySaysSoAndLeavesWithoutTouchingTheLog) {
  FileInstanceLock running(HeadlessLockPath);
  ASSERT_TRUE(running.Acquire("Velotrix.exe running"));
  WriteText("Log.txt", "the running copy's log\n");
  EXPECT_EQ(RunGame(5), 1);
  EXPECT_EQ(ReadText("Log.txt"), "the running copy's log\n");
  EXPECT_FALSE(hp.window.created);
  ASSERT_EQ(hp.window.messageBoxes.size(), 1u);
  EXPECT_EQ(hp.window.messageBoxes[0], "Velotrix: Velotrix is already running.");
}

TEST_F(AppMainRun, SoundDeviceFailureEndsStartUp) {
  WriteText("Velotrix.ini", "[Settings]\nSound enable = 1\n");
  hp.audio.failOpen = true;
  EXPECT_EQ(RunGame(5), -1);
  EXPECT_NE(Log().find("Sound init failed\n"), std::string::npos);
  EXPECT_EQ(g.settings.soundEnable, 0);
}

TEST_F(AppMainRun, DisplayFailureEndsStartUp) {
  hp.display.failOpen = true;
  EXPECT_EQ(RunGame(5), -1);
  hp.display.failOpen = false;
  hp.directXVersion = 0;
  EXPECT_EQ(RunGame(5), -1);
  EXPECT_EQ(hp.window.messageBoxes.back(), "Warning: You must have DirectX 7.0 or higher");
}

TEST_F(AppMainRun, InputFailureIsNotFatalButActivationIsThenIgnored) {
  hp.input.failOpen = true;
  int code = RunGame(10, [&](int frame) {
    if (frame == 4) hp.PushActivate(0);
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(g.bGraphicsReady, 0);
  std::string log = Log();
  EXPECT_EQ(log.find("Release..."), std::string::npos);
  EXPECT_EQ(log.find("Activate..."), std::string::npos);
  EXPECT_NE(log.find("Save config"), std::string::npos);
}

}  // namespace
}  // namespace vx
