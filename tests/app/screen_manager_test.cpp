#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/screen.h"
#include "base/game_record.h"
#include "base/log.h"
#include "platform/headless/headless_platform.h"
#include "support/temp_dir.h"

namespace vx {
namespace {

std::vector<std::string> gTrace;

// Records every call the manager makes; OnDisplay may run a nested action.
class TraceScreen : public Screen {
 public:
  explicit TraceScreen(const char* name) : name_(name) {}
  const char* GetName() override { return name_; }
  void OnChar(uint8_t ch) override { gTrace.push_back(std::string(name_) + ".OnChar " + std::to_string(ch)); }
  int InitSurfaces() override {
    gTrace.push_back(std::string(name_) + ".Init");
    return 1;
  }
  int ReleaseSurfaces() override {
    gTrace.push_back(std::string(name_) + ".Release");
    return 1;
  }
  int OnDisplay(Screen* previous, int argument) override {
    gTrace.push_back(std::string(name_) + ".OnDisplay " + (previous ? previous->GetName() : "-") +
                     " " + std::to_string(argument));
    if (onDisplay) {
      auto action = onDisplay;
      onDisplay = nullptr;
      action();
    }
    return 1;
  }
  int OnFrame() override {
    gTrace.push_back(std::string(name_) + ".OnFrame");
    return frameResult;
  }
  std::function<void()> onDisplay;
  int frameResult = 7;

 private:
  const char* name_;
};

class ScreenManager : public ::testing::Test {
 protected:
  void SetUp() override {
    gPlatform = hp.platform();
    g = GameRecord();
    gTrace.clear();
    StartLog();
  }
  void TearDown() override { gPlatform = nullptr; }
  std::string LogText() { return test::ReadText("Log.txt"); }
  // The log after its header line.
  std::string LogBody() {
    std::string t = LogText();
    return t.substr(t.find('\n') + 1);
  }

  test::TempDir dir;
  HeadlessPlatform hp;
  TraceScreen menu{"MenuScreen"}, map{"NodeScreen"}, play{"GameScreen"}, shop{"ShopScreen"},
      boss{"BossScreen"};
};

TEST_F(ScreenManager, FirstSwitchPushesAnEmptyEntry) {
  EXPECT_EQ(SwitchTo(&menu, 0), 1);
  EXPECT_EQ(g.currentScreen, &menu);
  EXPECT_EQ(g.screenStackDepth, 1);
  EXPECT_EQ(g.screenStack[0], nullptr);
  EXPECT_EQ(gTrace, (std::vector<std::string>{"MenuScreen.OnDisplay - 0", "MenuScreen.Init"}));
  EXPECT_EQ(LogBody(),
            "Call MenuScreen::OnDisplay()\nCall MenuScreen::InitSurface()\n"
            "Screen switched to MenuScreen\n\n");
}

TEST_F(ScreenManager, SwitchIfNotCurrentLeavesTheCurrentScreenAlone) {
  SwitchIfNotCurrent(&menu, 0);
  gTrace.clear();
  std::string before = LogText();
  menu.frames = 5;
  SwitchIfNotCurrent(&menu, 3);
  EXPECT_TRUE(gTrace.empty());
  EXPECT_EQ(LogText(), before);
  EXPECT_EQ(menu.frames, 5u);
  SwitchIfNotCurrent(&map, 3);
  EXPECT_EQ(g.currentScreen, &map);
}

TEST_F(ScreenManager, ReturnReentersTheCallerWhichKeepsItsFrameCount) {
  SwitchTo(&menu, 0);
  SwitchTo(&map, 0);
  for (int i = 0; i < 5; ++i) RunScreenFrame();
  SwitchTo(&play, 2);
  for (int i = 0; i < 3; ++i) RunScreenFrame();
  play.lastCharTime = 99;
  gTrace.clear();
  StartLog();

  EXPECT_EQ(Return(&play, 1), 1);
  EXPECT_EQ(g.currentScreen, &map);
  EXPECT_EQ(g.screenStackDepth, 2);
  EXPECT_EQ(gTrace, (std::vector<std::string>{"GameScreen.Release", "NodeScreen.OnDisplay GameScreen 1",
                                              "NodeScreen.Init"}));
  EXPECT_EQ(LogBody(), "NodeScreen::OnDisplay()\nNodeScreen::InitSurface()\nScreen switched to NodeScreen\n");
  EXPECT_EQ(map.frames, 5u);
  EXPECT_EQ(play.frames, 0u);
  EXPECT_EQ(play.lastCharTime, 0u);
  RunScreenFrame();
  EXPECT_EQ(map.frames, 6u);
}

TEST_F(ScreenManager, ReturnToRootInitialisesBeforeDisplaying) {
  SwitchTo(&menu, 0);
  for (int i = 0; i < 4; ++i) RunScreenFrame();
  SwitchTo(&map, 0);
  SwitchTo(&play, 0);
  SwitchTo(&shop, 0);
  gTrace.clear();
  StartLog();

  ReturnToRoot();
  EXPECT_EQ(g.currentScreen, &menu);
  EXPECT_EQ(g.screenStackDepth, 1);
  EXPECT_EQ(menu.frames, 0u);
  EXPECT_EQ(gTrace, (std::vector<std::string>{"ShopScreen.Release", "MenuScreen.Release",
                                              "MenuScreen.Init", "MenuScreen.OnDisplay ShopScreen 0"}));
  EXPECT_EQ(LogBody(), "MenuScreen::InitSurface()\nMenuScreen::OnDisplay()\nScreen switched to MenuScreen\n");
  // The stack is usable again from the root.
  SwitchTo(&map, 0);
  EXPECT_EQ(g.screenStackDepth, 2);
  EXPECT_EQ(g.screenStack[1], &menu);
}

TEST_F(ScreenManager, NestedSwitchHandsTheRemainingStepsToTheInnerScreen) {
  SwitchTo(&menu, 0);
  SwitchTo(&map, 0);
  SwitchTo(&play, 0);
  // The map, entered on return from a won level, opens the boss fight and then the shop.
  map.onDisplay = [&] {
    SwitchTo(&boss, 0);
    SwitchTo(&shop, 0);
  };
  gTrace.clear();
  StartLog();
  Return(&play, 1);

  EXPECT_EQ(g.currentScreen, &shop);
  EXPECT_EQ(g.screenStackDepth, 4);  // play was popped; map and boss were pushed
  EXPECT_EQ(gTrace, (std::vector<std::string>{
                        "GameScreen.Release", "NodeScreen.OnDisplay GameScreen 1", "NodeScreen.Release",
                        "BossScreen.OnDisplay NodeScreen 0", "BossScreen.Init", "BossScreen.Release",
                        "ShopScreen.OnDisplay BossScreen 0", "ShopScreen.Init", "ShopScreen.Init"}));
  EXPECT_EQ(LogBody(),
            "NodeScreen::OnDisplay()\n"
            "Call BossScreen::OnDisplay()\nCall BossScreen::InitSurface()\nScreen switched to BossScreen\n\n"
            "Call ShopScreen::OnDisplay()\nCall ShopScreen::InitSurface()\nScreen switched to ShopScreen\n\n"
            "ShopScreen::InitSurface()\nScreen switched to ShopScreen\n");
}

TEST_F(ScreenManager, StackHoldsSixteenEntriesAndRefusesMore) {
  TraceScreen a{"A"}, b{"B"};
  for (int i = 0; i < kScreenStackSize; ++i) ASSERT_EQ(SwitchTo(i % 2 ? &b : &a, 0), 1);
  EXPECT_EQ(g.screenStackDepth, kScreenStackSize);
  Screen* current = g.currentScreen;
  gTrace.clear();
  EXPECT_EQ(SwitchTo(&menu, 0), 0);
  EXPECT_EQ(g.currentScreen, current);
  EXPECT_EQ(g.screenStackDepth, kScreenStackSize);
  EXPECT_TRUE(gTrace.empty());
  EXPECT_NE(LogText().find("Screen stack full: can't switch to MenuScreen\n"), std::string::npos);
  // Going back down works through every entry to the first screen.
  for (int i = 0; i < kScreenStackSize - 1; ++i) ASSERT_EQ(Return(g.currentScreen, 0), 1);
  EXPECT_EQ(g.currentScreen, &a);
  EXPECT_EQ(g.screenStackDepth, 1);
}

TEST_F(ScreenManager, NothingBelowTheFirstScreenToReturnTo) {
  ReturnToRoot();  // before any switch
  EXPECT_EQ(g.currentScreen, nullptr);
  SwitchTo(&menu, 0);
  gTrace.clear();
  EXPECT_EQ(Return(&menu, 0), 0);
  EXPECT_EQ(g.currentScreen, &menu);
  EXPECT_EQ(g.screenStackDepth, 1);
  EXPECT_TRUE(gTrace.empty());
  EXPECT_NE(LogText().find("Can't return from MenuScreen: no screen below it\n"), std::string::npos);
}

TEST_F(ScreenManager, FramesCharactersAndActivationReachOnlyTheCurrentScreen) {
  EXPECT_EQ(RunScreenFrame(), 0);
  DispatchChar('a', 0);
  NotifyActivation(1);
  EXPECT_TRUE(gTrace.empty());

  SwitchTo(&menu, 0);
  gTrace.clear();
  EXPECT_EQ(RunScreenFrame(), 7);
  EXPECT_EQ(menu.frames, 1u);

  hp.clock.now = 4321;
  DispatchChar(0x1E1, 0x001C0001);  // only the low 8 bits are a character
  EXPECT_EQ(menu.lastCharTime, 4321u);
  hp.clock.now = 5000;
  DispatchChar('x', 0xC01C0001);  // key release
  EXPECT_EQ(menu.lastCharTime, 4321u);

  NotifyActivation(0);
  NotifyActivation(1);
  EXPECT_EQ(gTrace, (std::vector<std::string>{"MenuScreen.OnFrame", "MenuScreen.OnChar 225",
                                              "MenuScreen.Release", "MenuScreen.Init"}));
}

TEST(ScreenPulse, CountsDownThenUp) {
  struct P : Screen {
    const char* GetName() override { return "P"; }
    int InitSurfaces() override { return 1; }
    int OnDisplay(Screen*, int) override { return 1; }
    int OnFrame() override { return 1; }
  } p;
  std::vector<int> seen;
  for (uint32_t f = 0; f < 8; ++f) {
    p.frames = f;
    seen.push_back(p.Pulse(3));
  }
  EXPECT_EQ(seen, (std::vector<int>{3, 2, 1, 0, 1, 2, 3, 2}));
  EXPECT_EQ(p.Pulse(0), 0);
}

}  // namespace
}  // namespace vx
