// The controls table: actions read through keys, mouse buttons and controller
// buttons, the Alt chords, rebinding with swaps, and the names written to the
// settings file.
#include "input/controls.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "platform/headless/headless_platform.h"
#include "support/temp_dir.h"

namespace vx {
namespace {

struct ControlsTest : ::testing::Test {
  test::TempDir dir;
  HeadlessPlatform hp;
  void SetUp() override {
    gPlatform = hp.platform();
    Controls::ResetToDefaults();
    ASSERT_EQ(Input::Init(1), 1);
  }
  void TearDown() override {
    Input::Shutdown();
    Controls::ResetToDefaults();
    gPlatform = nullptr;
  }
  void Poll() {
    hp.clock.now += 13;
    Input::Poll();
  }
};

TEST(ControlsTable, NoTwoActionsOfAContextShareADefault) {
  for (int a = 0; a < ACTION_COUNT; ++a)
    for (int b = a + 1; b < ACTION_COUNT; ++b) {
      const ActionInfo& x = GetActionInfo(a);
      const ActionInfo& y = GetActionInfo(b);
      if (!(x.contexts & y.contexts)) continue;
      if (x.defaultKey != kNoKey) {
        EXPECT_NE(x.defaultKey, y.defaultKey) << x.name << " / " << y.name;
      }
      if (x.defaultPad != PAD_NONE) {
        EXPECT_NE(x.defaultPad, y.defaultPad) << x.name << " / " << y.name;
      }
    }
}

TEST(ControlsTable, EveryShownActionHasAUniqueNameAndSomeBinding) {
  for (int a = 0; a < ACTION_COUNT; ++a) {
    const ActionInfo& x = GetActionInfo(a);
    EXPECT_TRUE(x.defaultKey != kNoKey || x.defaultPad != PAD_NONE || x.mouseHeld) << x.name;
    for (int b = a + 1; b < ACTION_COUNT; ++b) EXPECT_STRNE(x.name, GetActionInfo(b).name);
  }
}

TEST_F(ControlsTest, KeysAlternativesAndControllerButtons) {
  hp.input.SetKey(KEY_RCONTROL, true);  // the fixed second key of "whole row"
  hp.input.SetKey(KEY_LEFT, true);
  Poll();
  EXPECT_TRUE(Controls::Held(ACTION_EDITOR_ROW));
  EXPECT_TRUE(Controls::Held(ACTION_LEFT));
  EXPECT_TRUE(Controls::Pressed(ACTION_LEFT));
  EXPECT_FALSE(Controls::Held(ACTION_RIGHT));
  Poll();
  EXPECT_TRUE(Controls::Held(ACTION_LEFT));
  EXPECT_FALSE(Controls::Pressed(ACTION_LEFT)) << "pressed only in the frame it went down";

  gInput.padButtons = 1u << PAD_DPRIGHT;
  gInput.padPressed = 1u << PAD_DPRIGHT;
  EXPECT_TRUE(Controls::Held(ACTION_RIGHT));
  EXPECT_TRUE(Controls::Pressed(ACTION_RIGHT));
  EXPECT_TRUE(Controls::AnyPressed());
  gInput.padButtons = gInput.padPressed = 0;
}

TEST_F(ControlsTest, MouseHeldAndClickBindings) {
  hp.input.SetButton(1, true);  // right: fires, does not launch
  Poll();
  MouseEvent ev;
  Input::PopMouseEvent(&ev);
  EXPECT_EQ(ev.type, MOUSE_RIGHT_DOWN);
  EXPECT_TRUE(Controls::Held(ACTION_FIRE));
  EXPECT_FALSE(Controls::Pressed(ACTION_FIRE, ev.type));
  EXPECT_TRUE(Controls::Held(ACTION_EDITOR_ERASE));
  EXPECT_FALSE(Controls::Held(ACTION_EDITOR_PAINT));
  // A left press launches; the second press of a double-click does not.
  EXPECT_TRUE(Controls::Pressed(ACTION_FIRE, MOUSE_LEFT_DOWN));
  EXPECT_FALSE(Controls::Pressed(ACTION_FIRE, MOUSE_LEFT_DOUBLE));
  EXPECT_FALSE(Controls::Pressed(ACTION_BACK, MOUSE_LEFT_DOWN));
}

TEST_F(ControlsTest, AltEnterIsFullScreenAndNotConfirm) {
  hp.input.SetKey(KEY_ENTER, true);
  Poll();
  EXPECT_TRUE(Controls::Pressed(ACTION_CONFIRM));
  EXPECT_FALSE(Controls::Pressed(ACTION_FULL_SCREEN));
  hp.input.SetKey(KEY_ENTER, false);
  hp.input.SetKey(KEY_RALT, true);
  Poll();
  hp.input.SetKey(KEY_KEYPAD_ENTER, true);
  Poll();
  EXPECT_FALSE(Controls::Pressed(ACTION_CONFIRM));
  EXPECT_TRUE(Controls::Pressed(ACTION_FULL_SCREEN));
}

TEST_F(ControlsTest, CtrlAndShiftChordsAreExact) {
  // Ctrl+Z undoes, Ctrl+Shift+Z redoes, Z alone does neither.
  hp.input.SetKey(KEY_Z, true);
  Poll();
  EXPECT_FALSE(Controls::Pressed(ACTION_EDITOR_UNDO));
  EXPECT_FALSE(Controls::Held(ACTION_EDITOR_UNDO));
  hp.input.SetKey(KEY_Z, false);
  hp.input.SetKey(KEY_RCONTROL, true);
  Poll();
  hp.input.SetKey(KEY_Z, true);
  Poll();
  EXPECT_TRUE(Controls::Pressed(ACTION_EDITOR_UNDO));
  EXPECT_TRUE(Controls::Held(ACTION_EDITOR_UNDO));
  EXPECT_FALSE(Controls::Pressed(ACTION_EDITOR_REDO));
  hp.input.SetKey(KEY_Z, false);
  hp.input.SetKey(KEY_LSHIFT, true);
  Poll();
  hp.input.SetKey(KEY_Z, true);
  Poll();
  EXPECT_FALSE(Controls::Pressed(ACTION_EDITOR_UNDO));
  EXPECT_TRUE(Controls::Pressed(ACTION_EDITOR_REDO));
  // A key that names neither still works with Ctrl and Shift held: F8 clears,
  // the arrows choose the block type while Shift paints the mirror too.
  hp.input.SetKey(KEY_F8, true);
  hp.input.SetKey(KEY_LEFT, true);
  Poll();
  EXPECT_TRUE(Controls::Pressed(ACTION_EDITOR_CLEAR));
  EXPECT_TRUE(Controls::Pressed(ACTION_LEFT));
  // Ctrl+Y redoes too, with Ctrl alone.
  hp.input.SetKey(KEY_LSHIFT, false);
  hp.input.SetKey(KEY_Y, true);
  Poll();
  EXPECT_TRUE(Controls::Pressed(ACTION_EDITOR_REDO));
}

TEST_F(ControlsTest, RebindingSwapsWithinAContextOnly) {
  // Space is "launch / fire"; given to "use slot 1", the two swap.
  EXPECT_EQ(Controls::SetKey(ACTION_SLOT_1, KEY_SPACE), ACTION_FIRE);
  EXPECT_EQ(Controls::Key(ACTION_SLOT_1), KEY_SPACE);
  EXPECT_EQ(Controls::Key(ACTION_FIRE), KEY_1);
  hp.input.SetKey(KEY_SPACE, true);
  Poll();
  EXPECT_TRUE(Controls::Pressed(ACTION_SLOT_1));
  EXPECT_FALSE(Controls::Pressed(ACTION_FIRE));

  // "Yes" is read only in questions: it may share Space with play.
  EXPECT_EQ(Controls::SetKey(ACTION_YES, KEY_SPACE), -1);
  EXPECT_EQ(Controls::Key(ACTION_SLOT_1), KEY_SPACE);
  // "Back" is read everywhere, so it swaps with anything.
  EXPECT_EQ(Controls::SetPad(ACTION_BACK, PAD_A), ACTION_FIRE);
  EXPECT_EQ(Controls::Pad(ACTION_FIRE), PAD_B);
  // Unbinding takes nothing from anyone.
  EXPECT_EQ(Controls::SetKey(ACTION_PAUSE, kNoKey), -1);
  EXPECT_EQ(Controls::SetKey(ACTION_COUNT, KEY_Y), -1);

  Controls::ResetToDefaults();
  EXPECT_EQ(Controls::Key(ACTION_FIRE), KEY_SPACE);
  EXPECT_EQ(Controls::Pad(ACTION_BACK), PAD_B);
}

TEST_F(ControlsTest, TheControllerThroughThePlatform) {
  Poll();
  EXPECT_FALSE(gInput.padAttached);
  hp.input.SetPadButton(PAD_START, true);
  Poll();
  EXPECT_TRUE(gInput.padAttached);
  EXPECT_TRUE(Controls::Pressed(ACTION_PAUSE));
  EXPECT_TRUE(Controls::PressedOnPad(ACTION_PAUSE));
  EXPECT_FALSE(Controls::PressedOnPad(ACTION_BACK));
  EXPECT_TRUE(Controls::AnyPressed());
  Poll();
  EXPECT_TRUE(Controls::Held(ACTION_PAUSE));
  EXPECT_FALSE(Controls::Pressed(ACTION_PAUSE));
  EXPECT_FALSE(Controls::AnyPressed());
  hp.input.SetPadButton(PAD_START, false);
  hp.input.SetKey(KEY_PAUSE, true);
  Poll();
  EXPECT_TRUE(Controls::Pressed(ACTION_PAUSE));
  EXPECT_FALSE(Controls::PressedOnPad(ACTION_PAUSE)) << "a key is not the controller";
}

TEST_F(ControlsTest, TheStickHasADeadZoneAndACurve) {
  auto steps = [&](int16_t value, int n) {
    hp.input.SetPadAxis(PAD_LEFTX, value);
    Poll();
    int sum = 0;
    for (int i = 0; i < n; ++i) sum += Controls::StickStep(PAD_LEFTX, 12, STICK_SHIP);
    return sum;
  };
  EXPECT_EQ(steps(kStickDeadZone, 100), 0);
  EXPECT_EQ(steps(-kStickDeadZone, 100), 0);
  EXPECT_EQ(steps(32767, 10), 120);
  EXPECT_EQ(steps(-32768, 10), -120);
  // Halfway past the dead zone: a quarter of the speed, fractions carried.
  EXPECT_EQ(steps(static_cast<int16_t>(kStickDeadZone + (32767 - kStickDeadZone) / 2), 100), 299);
  // Just past the dead zone it creeps, but it moves.
  const int creep = steps(kStickDeadZone + 2000, 100);
  EXPECT_GT(creep, 0);
  EXPECT_LT(creep, 10);
  EXPECT_EQ(Controls::StickStep(PAD_RIGHTX, 12, STICK_SHIP), 0) << "only the left stick moves";
}

TEST_F(ControlsTest, MouseSensitivityScalesWithoutLosingMotion) {
  auto run = [](int percent, int32_t per, int n) {
    Controls::SetMouseSensitivity(percent);
    int64_t sum = 0;
    for (int i = 0; i < n; ++i) {
      int32_t dx = per, dy = -per;
      Controls::ScaleMouse(&dx, &dy);
      EXPECT_EQ(dx, -dy);
      sum += dx;
    }
    return sum;
  };
  // At 100 % every motion is what it was, however large.
  for (int32_t v : {0, 1, -1, 7, INT32_MAX, INT32_MIN + 1}) {
    Controls::SetMouseSensitivity(100);
    int32_t dx = v, dy = v;
    Controls::ScaleMouse(&dx, &dy);
    EXPECT_EQ(dx, v);
  }
  EXPECT_EQ(run(150, 1, 10), 15);
  EXPECT_EQ(run(50, 1, 10), 5);
  EXPECT_EQ(run(200, 3, 4), 24);
  Controls::SetMouseSensitivity(kMinSensitivity - 1);
  EXPECT_EQ(Controls::MouseSensitivity(), kMinSensitivity);
  Controls::SetMouseSensitivity(kMaxSensitivity + 1);
  EXPECT_EQ(Controls::MouseSensitivity(), kMaxSensitivity);
  Controls::SetMouseSensitivity(kDefaultSensitivity);
}

TEST_F(ControlsTest, ThePointerIsGrabbedOnlyWhenAskedAndActive) {
  EXPECT_FALSE(hp.input.pointerGrabbed);
  Input::GrabPointer(true);
  EXPECT_TRUE(hp.input.pointerGrabbed);
  Input::Activate(0);
  EXPECT_FALSE(hp.input.pointerGrabbed) << "another window is in front";
  Input::GrabPointer(true);
  EXPECT_FALSE(hp.input.pointerGrabbed);
  Input::Activate(1);
  Input::GrabPointer(true);
  EXPECT_TRUE(hp.input.pointerGrabbed);
  Input::GrabPointer(false);
  EXPECT_FALSE(hp.input.pointerGrabbed);

  // A free pointer's place is known, and "moved" only when it moved.
  hp.input.SetPointerPosition(100, 50);
  Poll();
  EXPECT_TRUE(gInput.pointerKnown && gInput.pointerMoved);
  EXPECT_EQ(gInput.pointerX, 100);
  Poll();
  EXPECT_FALSE(gInput.pointerMoved);
  Input::GrabPointer(true);
  hp.input.SetPointerPosition(300, 50);
  Poll();
  EXPECT_FALSE(gInput.pointerKnown) << "a grabbed pointer has no place";
}

TEST(ControlsNames, EveryKeyAndButtonRoundTrips) {
  for (int code = 1; code < 256; ++code)
    for (int chord : {0, kKeyAlt, kKeyCtrl, kKeyShift, kKeyCtrl | kKeyShift,
                      kKeyCtrl | kKeyShift | kKeyAlt}) {
      int back = -7;
      std::string name = Controls::KeyName(code | chord);
      ASSERT_TRUE(Controls::ParseKey(name, &back)) << name;
      EXPECT_EQ(back, code | chord) << name;
    }
  for (int b = PAD_NONE; b < PAD_BUTTON_COUNT; ++b) {
    int back = -7;
    ASSERT_TRUE(Controls::ParsePad(Controls::PadName(b), &back));
    EXPECT_EQ(back, b);
  }
  int key = -7;
  EXPECT_TRUE(Controls::ParseKey("none", &key));
  EXPECT_EQ(key, kNoKey);
  EXPECT_TRUE(Controls::ParseKey("alt+enter", &key));
  EXPECT_EQ(key, KEY_ENTER | kKeyAlt);
  EXPECT_TRUE(Controls::ParseKey("shift+CTRL+z", &key));
  EXPECT_EQ(key, KEY_Z | kKeyCtrl | kKeyShift);
  EXPECT_EQ(Controls::KeyName(KEY_Z | kKeyCtrl | kKeyShift), "Ctrl+Shift+Z");
  EXPECT_TRUE(Controls::ParseKey("Ctrl", &key)) << "the key itself";
  EXPECT_EQ(key, KEY_LCONTROL);
  EXPECT_EQ(Controls::KeyName(KEY_SPACE), "Space");
  EXPECT_EQ(Controls::KeyName(0x5A), "0x5A");
}

TEST(ControlsNames, RefusesWhatItDoesNotKnow) {
  for (const char* bad : {"", "Alt+", "Alt+None", "Foo", "-1", "256", "0x100", "5x",
                          "99999999999999999999", "Space ", "Alt+Alt+A", "Ctrl+",
                          "Ctrl+Ctrl+Z", "Shift+None", "Ctrl+Shift+"}) {
    int key = -7;
    EXPECT_FALSE(Controls::ParseKey(bad, &key)) << bad;
    EXPECT_EQ(key, -7) << bad;
  }
  for (const char* bad : {"", "A ", "button1", "15", "-1", "dpleft2"}) {
    int button = -7;
    EXPECT_FALSE(Controls::ParsePad(bad, &button)) << bad;
    EXPECT_EQ(button, -7);
  }
}

}  // namespace
}  // namespace vx
