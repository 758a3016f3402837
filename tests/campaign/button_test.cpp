#include <gtest/gtest.h>

#include "campaign/button.h"
#include "input/controls.h"
#include "input/input.h"

namespace vx {
namespace {

class ButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gInput = InputState();
    Input::leftHeld = 0;
    gCommandId = 0;
    a.Create(Rect{10, 10, 60, 30}, 1);
    b.Create(Rect{100, 10, 150, 30}, 2);
  }
  // One frame: the screen clears the command, then every button sees the event.
  uint32_t Frame(uint32_t type, int x, int y, bool leftDown) {
    Input::leftHeld = leftDown;
    gCommandId = 0;
    MouseEvent ev;
    ev.type = type;
    for (Button* button : {&a, &b}) button->HandleEvent(&ev, x, y);
    return gCommandId;
  }
  Button a, b;
};

TEST_F(ButtonTest, PushFiresOnReleaseOverTheSameButtonOnly) {
  EXPECT_EQ(Frame(MOUSE_LEFT_DOWN, 20, 20, true), 0u);
  EXPECT_TRUE(a.held);
  EXPECT_TRUE(a.LooksPressed());
  EXPECT_EQ(Frame(MOUSE_NONE, 20, 20, true), 0u);
  EXPECT_EQ(Frame(MOUSE_LEFT_UP, 20, 20, false), 1u);
  EXPECT_FALSE(a.held);

  // Pressed over a, released over b: nothing, and a lets go.
  Frame(MOUSE_LEFT_DOWN, 20, 20, true);
  EXPECT_EQ(Frame(MOUSE_LEFT_UP, 120, 20, false), 0u);
  EXPECT_FALSE(a.held);
  EXPECT_FALSE(b.held);
  // Back over a after the release: still nothing held.
  EXPECT_EQ(Frame(MOUSE_LEFT_UP, 20, 20, false), 0u);
}

TEST_F(ButtonTest, PressIsConsumedByTheFirstButtonUnderIt) {
  b.Create(Rect{10, 10, 60, 30}, 2);  // lies exactly over a
  Frame(MOUSE_LEFT_DOWN, 20, 20, true);
  EXPECT_TRUE(a.held);
  EXPECT_FALSE(b.held);
  EXPECT_EQ(Frame(MOUSE_LEFT_UP, 20, 20, false), 1u);
}

TEST_F(ButtonTest, DoubleClickFiresOnce) {
  uint32_t fired = 0;
  for (uint32_t type : {MOUSE_LEFT_DOWN, MOUSE_LEFT_UP, MOUSE_LEFT_DOUBLE, MOUSE_LEFT_UP}) {
    bool down = type != MOUSE_LEFT_UP;
    if (Frame(type, 20, 20, down) == 1) ++fired;
  }
  EXPECT_EQ(fired, 1u);
}

TEST_F(ButtonTest, AutoRepeatFiresEveryFrameWhileHeldAndPointed) {
  a.kind = BUTTON_REPEAT;
  EXPECT_EQ(Frame(MOUSE_LEFT_DOWN, 20, 20, true), 1u);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Frame(MOUSE_NONE, 20, 20, true), 1u) << i;
  // The cursor leaves: it stops; it comes back still held: it goes on.
  EXPECT_EQ(Frame(MOUSE_NONE, 80, 20, true), 0u);
  EXPECT_EQ(Frame(MOUSE_NONE, 20, 20, true), 1u);
  // Released: no command on the release itself, none after.
  EXPECT_EQ(Frame(MOUSE_LEFT_UP, 20, 20, false), 0u);
  EXPECT_EQ(Frame(MOUSE_NONE, 20, 20, false), 0u);
}

TEST_F(ButtonTest, DisabledOrInvisibleButtonsIgnoreMouseAndHotKey) {
  a.hotAction = ACTION_CONFIRM;
  gInput.pressed[KEY_ENTER] = 1;
  EXPECT_EQ(Frame(MOUSE_NONE, 300, 300, false), 1u);

  a.SetEnabled(false);
  EXPECT_EQ(Frame(MOUSE_NONE, 300, 300, false), 0u);
  gInput.pressed[KEY_ENTER] = 0;
  MouseEvent ev;
  ev.type = MOUSE_LEFT_DOWN;
  a.HandleEvent(&ev, 20, 20);
  EXPECT_EQ(ev.type, MOUSE_LEFT_DOWN) << "a disabled button must not take the press";
  EXPECT_FALSE(a.held);

  a.SetEnabled(true);
  a.SetVisible(false);
  gInput.pressed[KEY_ENTER] = 1;
  EXPECT_EQ(Frame(MOUSE_LEFT_DOWN, 20, 20, true), 0u);
  EXPECT_FALSE(a.held);
}

TEST_F(ButtonTest, ToggleFiresWhileOffAndLooksPressedWhenOn) {
  a.kind = BUTTON_TOGGLE;
  EXPECT_FALSE(a.LooksPressed());
  EXPECT_EQ(Frame(MOUSE_LEFT_DOWN, 20, 20, true), 1u);
  EXPECT_FALSE(a.LooksPressed()) << "a toggle shows its state, not the press";
  a.toggleState = 1;
  EXPECT_TRUE(a.LooksPressed());
  EXPECT_EQ(Frame(MOUSE_NONE, 20, 20, true), 0u);
  EXPECT_EQ(Frame(MOUSE_LEFT_UP, 20, 20, false), 0u);
}

}  // namespace
}  // namespace vx
