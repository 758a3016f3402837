// The frame tick, the window procedure and the activation sequences.
#include "app/app_main.h"
#include "app/quit_question.h"
#include "input/controls.h"

#include "shell_fixture.h"

namespace vx {
namespace {

class FrameLoop : public test::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    StartLog();
    g.bFullScreen = 0;
    ASSERT_EQ(InitDisplayAndInput(0), 1);
    SwitchTo(g.screens.menu, 0);
  }
};

TEST_F(FrameLoop, RunsAFrameOnlyAfterThirteenMilliseconds) {
  g.lastFrameTime = 5000;
  int presents = hp.display.presents;
  hp.clock.now = 5012;
  RunFrame();
  EXPECT_EQ(g.frameCounter, 0u);
  EXPECT_EQ(g.screens.menu->frames, 0u);
  hp.clock.now = 5013;
  RunFrame();
  EXPECT_EQ(g.frameCounter, 1u);
  EXPECT_EQ(g.screens.menu->frames, 1u);
  EXPECT_EQ(g.lastFrameTime, 5013u);
  EXPECT_EQ(hp.display.presents, presents + 1);

  // A late frame runs once; the next waits 13 ms from the late one's start.
  hp.clock.now = 5100;
  RunFrame();
  RunFrame();
  EXPECT_EQ(g.frameCounter, 2u);
  hp.clock.now = 5112;
  RunFrame();
  EXPECT_EQ(g.frameCounter, 2u);
}

TEST_F(FrameLoop, CatchesUpAFewStepsAndShowsOnlyTheNewest) {
  g.lastFrameTime = 5000;
  int presents = hp.display.presents;
  // A slow retrace: two steps were due, one picture shows the second.
  hp.clock.now = 5030;
  RunFrame();
  EXPECT_EQ(g.frameCounter, 2u);
  EXPECT_EQ(g.screens.menu->frames, 2u);
  EXPECT_EQ(hp.display.presents, presents + 1);
  EXPECT_EQ(g.lastFrameTime, 5026u) << "the steps keep their 13 ms rhythm";
  // Exactly the most that is caught up.
  hp.clock.now = 5026 + 13 * kMaxCatchUpSteps;
  RunFrame();
  EXPECT_EQ(g.frameCounter, 2u + kMaxCatchUpSteps);
  EXPECT_EQ(hp.display.presents, presents + 2);
  // One more is a stall: one step, and the rhythm starts anew.
  const uint32_t from = g.lastFrameTime;
  hp.clock.now = from + 13 * (kMaxCatchUpSteps + 1);
  RunFrame();
  EXPECT_EQ(g.frameCounter, 3u + kMaxCatchUpSteps);
  EXPECT_EQ(g.lastFrameTime, hp.clock.now);
  EXPECT_EQ(hp.display.presents, presents + 3);
}

TEST_F(FrameLoop, TimeInTheBackgroundIsNotCaughtUp) {
  auto activate = [&](int on) {
    PlatformEvent ev;
    ev.type = PlatformEvent::kActivateApp;
    ev.active = on;
    WindowProc(ev);
  };
  g.lastFrameTime = hp.clock.now = 5000;
  activate(0);
  hp.clock.now = 5040;
  activate(1);
  hp.clock.now = 5053;
  RunFrame();
  EXPECT_EQ(g.frameCounter, 1u);
}

TEST_F(FrameLoop, ClosingWithUnsavedProgressAsksAndTerminationDoesNot) {
  static bool unsaved;
  unsaved = true;
  SetUnsavedProgressCheck([] { return unsaved; });
  auto send = [&](PlatformEvent::Type type) {
    PlatformEvent ev;
    ev.type = type;
    WindowProc(ev);
  };
  auto step = [&](int key, int pad = -1) {
    if (key) hp.input.SetKey(key, true);
    if (pad >= 0) hp.input.SetPadButton(pad, true);
    hp.clock.now = g.lastFrameTime + kFrameIntervalMs;
    RunFrame();
    if (key) hp.input.SetKey(key, false);
    if (pad >= 0) hp.input.SetPadButton(pad, false);
    hp.clock.now = g.lastFrameTime + kFrameIntervalMs;
    RunFrame();
  };
  g.lastFrameTime = hp.clock.now;
  send(PlatformEvent::kClose);
  EXPECT_EQ(g.bQuit, 0);
  ASSERT_TRUE(QuitQuestionOpen());
  EXPECT_NE(Log().find("Quit asked: the campaign has unsaved progress\n"), std::string::npos);
  // The screen below stands still while the question is open.
  const uint32_t menuFrames = g.screens.menu->frames;
  step(0);
  EXPECT_EQ(g.screens.menu->frames, menuFrames);
  send(PlatformEvent::kClose);  // asked already: still one question
  // Both answers at once: the game goes on.
  hp.input.SetKey(KEY_Y, true);
  step(KEY_N);
  hp.input.SetKey(KEY_Y, false);
  EXPECT_FALSE(QuitQuestionOpen());
  EXPECT_EQ(g.bQuit, 0);
  EXPECT_GT(g.screens.menu->frames, menuFrames);

  QuitApplication();  // the menu's Quit asks the same
  ASSERT_TRUE(QuitQuestionOpen());
  step(0, PAD_B);
  EXPECT_FALSE(QuitQuestionOpen());
  QuitApplication();
  step(0, PAD_A);
  EXPECT_EQ(g.bQuit, 1);

  // The system's termination request never asks.
  g.bQuit = 0;
  send(PlatformEvent::kTerminate);
  EXPECT_EQ(g.bQuit, 1);
  EXPECT_FALSE(QuitQuestionOpen());
  // Nothing to lose: a close quits at once.
  g.bQuit = 0;
  unsaved = false;
  send(PlatformEvent::kClose);
  EXPECT_EQ(g.bQuit, 1);
  SetUnsavedProgressCheck(nullptr);
}

TEST_F(FrameLoop, ClockWrapIsHarmless) {
  g.lastFrameTime = 0xFFFFFFF8u;
  hp.clock.now = 4;  // 12 ms later, after the wrap
  RunFrame();
  EXPECT_EQ(g.frameCounter, 0u);
  hp.clock.now = 5;
  RunFrame();
  EXPECT_EQ(g.frameCounter, 1u);
  EXPECT_EQ(g.lastFrameTime, 5u);
}

TEST_F(FrameLoop, ActivationAndReleaseRunOncePerTransition) {
  auto activate = [&](int on) {
    PlatformEvent ev;
    ev.type = PlatformEvent::kActivateApp;
    ev.active = on;
    WindowProc(ev);
  };
  int opens = hp.display.opens;
  activate(0);
  activate(0);
  EXPECT_EQ(g.fAppActive, 0);
  EXPECT_FALSE(Graphics::IsOpen());
  EXPECT_FALSE(hp.input.mouseAcquired);
  activate(1);
  activate(1);
  EXPECT_EQ(g.fAppActive, 1);
  EXPECT_TRUE(Graphics::IsOpen());
  EXPECT_TRUE(hp.input.mouseAcquired);
  EXPECT_EQ(hp.display.opens, opens + 1);
  std::string log = Log();
  EXPECT_TRUE(InOrder(log, {"fAppActive = 0\nRelease...\n\nbFullScreen = 0\n",
                            "fAppActive = 1\nbFullScreen = 0\nActivate...\n\n", "Graphics::Init( 640,480,16 )"}));
  EXPECT_EQ(log.find("Release...", log.find("Release...") + 1), std::string::npos);
  EXPECT_EQ(log.find("Activate...", log.find("Activate...") + 1), std::string::npos);
  EXPECT_EQ(log.find("FullScreen -> Restore display mode"), std::string::npos);

  // The first activation after start-up runs the whole sequence, as both
  // latches start clear.
  g.bActivated = 0;
  activate(1);
  EXPECT_EQ(hp.display.opens, opens + 2);
}

TEST_F(FrameLoop, FullScreenReleaseGivesTheDesktopItsModeBack) {
  g.bFullScreen = 1;
  PlatformEvent ev;
  ev.type = PlatformEvent::kActivateApp;
  ev.active = 0;
  int restores = hp.display.restores;
  WindowProc(ev);
  EXPECT_GT(hp.display.restores, restores);
  EXPECT_NE(Log().find("bFullScreen = 1\nFullScreen -> Restore display mode\n"), std::string::npos);
}

TEST_F(FrameLoop, ActivationIsIgnoredBeforeGraphicsAreReadyAndAfterQuit) {
  PlatformEvent ev;
  ev.type = PlatformEvent::kActivateApp;
  ev.active = 0;
  g.bGraphicsReady = 0;
  WindowProc(ev);
  EXPECT_EQ(g.fAppActive, 0);
  EXPECT_TRUE(Graphics::IsOpen());
  g.bGraphicsReady = 1;
  g.bQuit = 1;
  WindowProc(ev);
  EXPECT_TRUE(Graphics::IsOpen());
  EXPECT_EQ(Log().find("Release..."), std::string::npos);
}

TEST_F(FrameLoop, CloseMoveCharAndFullScreenMessages) {
  PlatformEvent ev;
  ev.type = PlatformEvent::kMove;
  hp.window.PlaceWindow(100, 50, 646, 505);
  WindowProc(ev);
  EXPECT_EQ(g.windowRect.left, 100);
  EXPECT_EQ(g.clientRect.left, hp.window.clientRect.left);
  EXPECT_EQ(g.clientRect.bottom, hp.window.clientRect.bottom);

  // Alt+Enter, the full-screen control, switches and remembers it for the settings.
  hp.input.SetKey(KEY_LALT, true);
  hp.input.SetKey(KEY_ENTER, true);
  hp.clock.now = g.lastFrameTime + kFrameIntervalMs;
  RunFrame();
  EXPECT_EQ(g.bFullScreen, 1);
  EXPECT_TRUE(hp.window.inFullScreen);
  hp.input.SetKey(KEY_LALT, false);
  hp.input.SetKey(KEY_ENTER, false);
  ev.type = PlatformEvent::kMove;
  hp.window.PlaceWindow(0, 0, 646, 505);
  WindowProc(ev);  // full screen: the rectangles stay
  EXPECT_EQ(g.windowRect.left, 100);

  hp.clock.now = 7777;
  ev.type = PlatformEvent::kChar;
  ev.code = 'q';
  ev.keyData = 0x00100001;
  WindowProc(ev);
  EXPECT_EQ(g.screens.menu->lastCharTime, 7777u);

  QuitApplication();
  EXPECT_EQ(g.bQuit, 1);
  PlatformEvent posted;
  ASSERT_TRUE(hp.window.PollEvent(posted));
  EXPECT_EQ(posted.type, PlatformEvent::kQuit);
}

TEST_F(FrameLoop, PrintScreenIsReadEveryFrameAndInputIsPolledFirst) {
  hp.input.SetKey(KEY_PRINTSCREEN, true);
  for (int i = 0; i < 3; ++i) {
    hp.clock.now += 13;
    RunFrame();
    EXPECT_EQ(Input::KeyPressed(KEY_PRINTSCREEN), i == 0 ? 1 : 0) << "frame " << i;
  }
}

class DisplayAndInputStartUp : public test::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    StartLog();
  }
};

TEST_F(DisplayAndInputStartUp, OldDirectXIsRefusedWithAMessageBox) {
  hp.directXVersion = 0x601;
  EXPECT_EQ(InitDisplayAndInput(1), 0);
  ASSERT_EQ(hp.window.messageBoxes.size(), 1u);
  EXPECT_EQ(hp.window.messageBoxes[0], "Warning: You must have DirectX 7.0 or higher");
  EXPECT_EQ(hp.display.opens, 0);
}

TEST_F(DisplayAndInputStartUp, FailedDisplayOrInput) {
  hp.display.failOpen = true;
  EXPECT_EQ(InitDisplayAndInput(0), 0);
  EXPECT_EQ(g.bGraphicsReady, 0);
  hp.display.failOpen = false;
  hp.input.failOpen = true;
  EXPECT_EQ(InitDisplayAndInput(0), -1);
  EXPECT_EQ(g.bGraphicsReady, 0);
  hp.input.failOpen = false;
  hp.display.greenMask = 0x03E0;
  EXPECT_EQ(InitDisplayAndInput(0), 1);
  EXPECT_EQ(g.bGraphicsReady, 1);
  EXPECT_EQ(PixelIs555, 1);
  EXPECT_EQ(StandardColors[0], 0x7FFF);
  EXPECT_TRUE(hp.clock.highResolution);
}

}  // namespace
}  // namespace vx
