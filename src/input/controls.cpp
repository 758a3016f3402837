// The table of actions and their bindings, and the questions screens ask of it.
#include "input/controls.h"

#include <algorithm>
#include <cstdlib>

namespace vx {

namespace {

constexpr uint8_t kPlay = CONTEXT_PLAY, kMenu = CONTEXT_MENU, kEditor = CONTEXT_EDITOR;
constexpr uint8_t kQuestion = CONTEXT_QUESTION, kAll = CONTEXT_ALL;
constexpr uint8_t kLeft = kMouseLeft, kRight = kMouseRight;

// Arrows move the ship, the map and the editor, and turn help pages.
const ActionInfo kActions[ACTION_COUNT] = {
    {"Move left", kPlay | kMenu | kEditor, KEY_LEFT, {}, 0, 0, PAD_DPLEFT, true},
    {"Move right", kPlay | kMenu | kEditor, KEY_RIGHT, {}, 0, 0, PAD_DPRIGHT, true},
    {"Move up", kPlay | kMenu | kEditor, KEY_UP, {}, 0, 0, PAD_DPUP, true},
    {"Move down", kPlay | kMenu | kEditor, KEY_DOWN, {}, 0, 0, PAD_DPDOWN, true},
    {"Launch / fire", kPlay, KEY_SPACE, {}, kLeft | kRight, kLeft, PAD_A, true},
    {"Use slot 1", kPlay, KEY_1 + 0, {}, 0, 0, PAD_NONE, true},
    {"Use slot 2", kPlay, KEY_1 + 1, {}, 0, 0, PAD_NONE, true},
    {"Use slot 3", kPlay, KEY_1 + 2, {}, 0, 0, PAD_NONE, true},
    {"Use slot 4", kPlay, KEY_1 + 3, {}, 0, 0, PAD_NONE, true},
    {"Use slot 5", kPlay, KEY_1 + 4, {}, 0, 0, PAD_NONE, true},
    {"Use slot 6", kPlay, KEY_1 + 5, {}, 0, 0, PAD_NONE, true},
    {"Use slot 7", kPlay, KEY_1 + 6, {}, 0, 0, PAD_NONE, true},
    {"Use slot 8", kPlay, KEY_1 + 7, {}, 0, 0, PAD_NONE, true},
    {"Use slot 9", kPlay, KEY_1 + 8, {}, 0, 0, PAD_NONE, true},
    {"Use slot 10", kPlay, KEY_0, {}, 0, 0, PAD_NONE, true},
    {"Previous slot", kPlay, kNoKey, {}, 0, 0, PAD_LEFTSHOULDER, true},
    {"Next slot", kPlay, kNoKey, {}, 0, 0, PAD_RIGHTSHOULDER, true},
    {"Use chosen slot", kPlay, kNoKey, {}, 0, 0, PAD_X, true},
    {"Pause", kPlay, KEY_PAUSE, {}, 0, 0, PAD_START, true},
    {"Back", kAll, KEY_ESCAPE, {}, 0, 0, PAD_B, true},
    {"Confirm", kMenu | kEditor, KEY_ENTER, {KEY_KEYPAD_ENTER}, 0, 0, PAD_A, true},
    {"Alternate click", kMenu, kNoKey, {}, 0, 0, PAD_X, true},
    {"Yes", kQuestion, KEY_Y, {}, 0, 0, PAD_A, true},
    {"No", kQuestion, KEY_N, {}, 0, 0, PAD_NONE, true},
    {"Previous page", kMenu, KEY_PAGEUP, {}, 0, 0, PAD_LEFTSHOULDER, true},
    {"Next page", kMenu, KEY_PAGEDOWN, {}, 0, 0, PAD_RIGHTSHOULDER, true},
    {"Options", kPlay, KEY_F10, {}, 0, 0, PAD_BACK, true},
    {"Frame rate", kPlay | kMenu, KEY_TAB, {}, 0, 0, PAD_NONE, true},
    {"Screenshot", kAll, KEY_PRINTSCREEN, {}, 0, 0, PAD_NONE, true},
    {"Full screen", kAll, KEY_ENTER | kKeyAlt, {KEY_KEYPAD_ENTER | kKeyAlt}, 0, 0,
     PAD_NONE, true},
    {"Level editor", kPlay | kEditor, KEY_F5, {}, 0, 0, PAD_NONE, true},
    {"Editor: save", kEditor, KEY_F2, {}, 0, 0, PAD_NONE, true},
    {"Editor: reload", kEditor, KEY_F3, {}, 0, 0, PAD_NONE, true},
    {"Editor: clear", kEditor, KEY_F8, {}, 0, 0, PAD_NONE, true},
    {"Editor: whole row", kEditor, KEY_LCONTROL, {KEY_RCONTROL}, 0, 0,
     PAD_NONE, true},
    {"Editor: mirror", kEditor, KEY_LSHIFT, {KEY_RSHIFT}, 0, 0, PAD_NONE, true},
    {"Editor: paint", kEditor, kNoKey, {}, kLeft, 0, PAD_NONE, false},
    {"Editor: erase", kEditor, kNoKey, {}, kRight, 0, PAD_NONE, false},
    {"Editor: undo", kEditor, KEY_Z | kKeyCtrl, {}, 0, 0, PAD_NONE, true},
    {"Editor: redo", kEditor, KEY_Y | kKeyCtrl, {KEY_Z | kKeyCtrl | kKeyShift}, 0, 0, PAD_NONE,
     true},
    {"Editor: level header", kEditor, KEY_F6, {}, 0, 0, PAD_NONE, true},
    {"Editor: test the level", kEditor, KEY_F9, {}, 0, 0, PAD_NONE, true},
    {"Editor: back to editing", kPlay, KEY_F9, {}, 0, 0, PAD_NONE, true},
    {"Defeat boss", kPlay, KEY_D, {}, 0, 0, PAD_NONE, false},
};

Bindings MakeDefaults() {
  Bindings b{};
  for (int a = 0; a < ACTION_COUNT; ++a) {
    b.key[a] = kActions[a].defaultKey;
    b.pad[a] = kActions[a].defaultPad;
  }
  return b;
}

Bindings gBindings = MakeDefaults();
int gSensitivity = kDefaultSensitivity;

bool Valid(int action) { return action >= 0 && action < ACTION_COUNT; }

bool AltHeld() { return Input::KeyHeld(KEY_LALT) || Input::KeyHeld(KEY_RALT); }

bool CtrlHeld() { return Input::KeyHeld(KEY_LCONTROL) || Input::KeyHeld(KEY_RCONTROL); }

bool ShiftHeld() { return Input::KeyHeld(KEY_LSHIFT) || Input::KeyHeld(KEY_RSHIFT); }

// Ctrl and Shift count only for a chord that names one of them, so that the
// arrows and the function keys still work while Ctrl or Shift paint in the
// editor, and Ctrl+Z is not Ctrl+Shift+Z.
bool ChordHeld(int key) {
  if (!(key & (kKeyCtrl | kKeyShift))) return true;
  return ((key & kKeyCtrl) != 0) == CtrlHeld() && ((key & kKeyShift) != 0) == ShiftHeld();
}

bool KeyHeld(int key) {
  return (key & 0xFF) != kNoKey && Input::KeyHeld(key & 0xFF) && ChordHeld(key);
}

// A key with Alt is pressed only with Alt held, and a plain key only without,
// so that Alt+Enter is not Enter as well.
bool KeyPressed(int key) {
  if ((key & 0xFF) == kNoKey || !Input::KeyPressed(key & 0xFF)) return false;
  return ((key & kKeyAlt) != 0) == AltHeld() && ChordHeld(key);
}

bool MouseHeld(uint8_t buttons) {
  return ((buttons & kMouseLeft) && Input::leftHeld) || ((buttons & kMouseRight) && Input::rightHeld);
}

bool Clicked(uint8_t buttons, uint32_t event) {
  return ((buttons & kMouseLeft) && event == MOUSE_LEFT_DOWN) ||
         ((buttons & kMouseRight) && event == MOUSE_RIGHT_DOWN);
}

bool PadBit(uint32_t bits, int button) { return button >= 0 && button < 32 && (bits >> button & 1); }

// The action other than `action`, sharing a context with it, whose binding in
// `list` equals value; -1 when there is none.
int Clash(const int* list, int action, int value) {
  for (int a = 0; a < ACTION_COUNT; ++a)
    if (a != action && list[a] == value && (kActions[a].contexts & kActions[action].contexts))
      return a;
  return -1;
}

int Bind(int* list, int action, int value, int none) {
  if (!Valid(action)) return -1;
  const int old = list[action];
  const int other = value == none ? -1 : Clash(list, action, value);
  if (other >= 0) list[other] = old;
  list[action] = value;
  return other;
}

}  // namespace

const ActionInfo& GetActionInfo(int action) { return kActions[Valid(action) ? action : 0]; }

void Controls::ResetToDefaults() { gBindings = MakeDefaults(); }

const Bindings& Controls::Current() { return gBindings; }

int Controls::Key(int action) { return Valid(action) ? gBindings.key[action] : kNoKey; }

int Controls::Pad(int action) { return Valid(action) ? gBindings.pad[action] : PAD_NONE; }

int Controls::SetKey(int action, int key) { return Bind(gBindings.key, action, key, kNoKey); }

int Controls::SetPad(int action, int button) { return Bind(gBindings.pad, action, button, PAD_NONE); }

int Controls::Held(int action) {
  if (!Valid(action)) return 0;
  const ActionInfo& info = kActions[action];
  if (KeyHeld(gBindings.key[action])) return 1;
  for (int alt : info.altKeys)
    if (KeyHeld(alt)) return 1;
  if (MouseHeld(info.mouseHeld)) return 1;
  return PadBit(gInput.padButtons, gBindings.pad[action]) ? 1 : 0;
}

int Controls::Pressed(int action, uint32_t mouseEvent) {
  if (!Valid(action)) return 0;
  const ActionInfo& info = kActions[action];
  if (KeyPressed(gBindings.key[action])) return 1;
  for (int alt : info.altKeys)
    if (KeyPressed(alt)) return 1;
  if (Clicked(info.mouseClick, mouseEvent)) return 1;
  return PadBit(gInput.padPressed, gBindings.pad[action]) ? 1 : 0;
}

int Controls::HeldModifiers() {
  return (AltHeld() ? kKeyAlt : 0) | (CtrlHeld() ? kKeyCtrl : 0) | (ShiftHeld() ? kKeyShift : 0);
}

int Controls::AnyPressed() { return Input::AnyKeyPressed() != 0 || gInput.padPressed != 0; }

int Controls::PressedOnPad(int action) {
  return Valid(action) && PadBit(gInput.padPressed, gBindings.pad[action]) ? 1 : 0;
}

int Controls::StickStep(int axis, int maxPerStep, int user) {
  static double carried[2][2];
  if ((axis != PAD_LEFTX && axis != PAD_LEFTY) || (user != STICK_SHIP && user != STICK_CURSOR))
    return 0;
  double& carry = carried[user][axis];
  const int v = gInput.padAxes[axis];
  if (std::abs(v) <= kStickDeadZone) {
    carry = 0;
    return 0;
  }
  const double n = std::min(1.0, (std::abs(v) - kStickDeadZone) / (32767.0 - kStickDeadZone));
  carry += (v < 0 ? -1 : 1) * n * n * maxPerStep;
  const int whole = static_cast<int>(carry);
  carry -= whole;
  return whole;
}

int Controls::MouseSensitivity() { return gSensitivity; }

void Controls::SetMouseSensitivity(int percent) {
  gSensitivity = std::clamp(percent, kMinSensitivity, kMaxSensitivity);
}

void Controls::ScaleMouse(int32_t* dx, int32_t* dy) {
  // In hundredths of a unit; at 100 % every motion comes out as it went in.
  static int64_t carried[2];
  int32_t* v[2] = {dx, dy};
  for (int i = 0; i < 2; ++i) {
    carried[i] += static_cast<int64_t>(*v[i]) * gSensitivity;
    const int64_t whole = carried[i] / 100;
    carried[i] -= whole * 100;
    *v[i] = static_cast<int32_t>(std::clamp<int64_t>(whole, INT32_MIN, INT32_MAX));
  }
}

}  // namespace vx
