// The controls: named actions the game asks for ("move left", "launch / fire",
// "back"), each bound in one table to a key the player may change, fixed
// alternative keys, mouse buttons and a game controller button. Screens ask
// Controls for actions; only this layer knows which key or button means what.
// Typed text (names, cheat words) stays character input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "input/input.h"

namespace vx {

enum Action : int {
  ACTION_LEFT, ACTION_RIGHT, ACTION_UP, ACTION_DOWN,
  ACTION_FIRE,  // launch the ball (pressed), fire the cannon (held)
  ACTION_SLOT_1, ACTION_SLOT_2, ACTION_SLOT_3, ACTION_SLOT_4, ACTION_SLOT_5,
  ACTION_SLOT_6, ACTION_SLOT_7, ACTION_SLOT_8, ACTION_SLOT_9, ACTION_SLOT_10,
  ACTION_SLOT_PREVIOUS, ACTION_SLOT_NEXT, ACTION_USE_SLOT,  // choose a slot, switch it on
  ACTION_PAUSE,
  ACTION_BACK,     // leave a screen, the level's quit question, close a question
  ACTION_CONFIRM,  // press the focused button
  ACTION_ALTERNATE,  // a right click on the campaign screens
  ACTION_YES, ACTION_NO,  // answers to a question
  ACTION_PAGE_PREVIOUS, ACTION_PAGE_NEXT,
  ACTION_OPTIONS,  // the options screen from a level
  ACTION_FRAME_RATE,
  ACTION_SCREENSHOT,
  ACTION_FULL_SCREEN,
  ACTION_EDITOR,  // the level editor on and off
  ACTION_EDITOR_SAVE, ACTION_EDITOR_RELOAD, ACTION_EDITOR_CLEAR,
  ACTION_EDITOR_ROW,     // held: paint the whole row
  ACTION_EDITOR_MIRROR,  // held: paint the mirrored cell too
  ACTION_EDITOR_PAINT, ACTION_EDITOR_ERASE,
  ACTION_EDITOR_UNDO, ACTION_EDITOR_REDO,
  ACTION_EDITOR_HEADER,  // the level header's fields on and off
  ACTION_EDITOR_TEST,    // play the edited level from its bottom end
  ACTION_EDITOR_RESUME,  // from that test back to editing
  ACTION_DEFEAT_BOSS,  // a tester's key in the boss fight
  ACTION_COUNT
};

// Where an action is read. Two actions that share a context must not share a
// key or button; actions of different contexts may.
enum ActionContext : uint8_t {
  CONTEXT_PLAY = 1,      // a level or the boss fight
  CONTEXT_MENU = 2,      // the campaign screens
  CONTEXT_EDITOR = 4,
  CONTEXT_QUESTION = 8,  // a yes / no question
  CONTEXT_ALL = 15,
};

// A key binding: a scan code, with the Alt bit when the key is pressed with Alt.
// A chord with Ctrl or Shift is pressed only with exactly those two as it names
// them; a key that names neither is pressed whatever Ctrl and Shift do.
constexpr int kKeyAlt = 0x100;
constexpr int kKeyCtrl = 0x200;
constexpr int kKeyShift = 0x400;
constexpr int kNoKey = 0;

// Game controller buttons, in SDL's order.
enum PadButton : int {
  PAD_NONE = -1,
  PAD_A, PAD_B, PAD_X, PAD_Y, PAD_BACK, PAD_GUIDE, PAD_START, PAD_LEFTSTICK, PAD_RIGHTSTICK,
  PAD_LEFTSHOULDER, PAD_RIGHTSHOULDER, PAD_DPUP, PAD_DPDOWN, PAD_DPLEFT, PAD_DPRIGHT,
  PAD_BUTTON_COUNT
};

constexpr int kStickDeadZone = 8000;  // of 32767
constexpr int kMinSensitivity = 50, kMaxSensitivity = 200, kDefaultSensitivity = 100;
// Users of StickStep, each with its own carried fractions.
enum StickUser { STICK_SHIP = 0, STICK_CURSOR = 1 };

// Mouse buttons as the bits of a binding's mask.
constexpr uint8_t kMouseLeft = 1, kMouseRight = 2;

// The fixed facts of one action.
struct ActionInfo {
  const char* name;  // the settings key
  uint8_t contexts;
  int defaultKey;     // changeable; kNoKey = none
  int altKeys[2];     // fixed alternatives
  uint8_t mouseHeld;  // buttons whose being held counts as held
  uint8_t mouseClick; // buttons whose press (not a double-click) counts as pressed
  int defaultPad;     // changeable; PAD_NONE = none
  bool shown;         // listed on the controls page
};

const ActionInfo& GetActionInfo(int action);

// The player's choices: one key and one controller button per action.
struct Bindings {
  int key[ACTION_COUNT];
  int pad[ACTION_COUNT];
};

class Controls {
 public:
  // The default table (the mouse sensitivity stays).
  static void ResetToDefaults();
  static const Bindings& Current();
  static int Key(int action);
  static int Pad(int action);
  // Binds key (or pad button) to action. A clash with another action of a
  // shared context gives that action this one's old key: the two swap. Returns
  // the action that got the old key, or -1.
  static int SetKey(int action, int key);
  static int SetPad(int action, int button);

  // Read once a frame after Input::Poll. Held: any of the action's keys or
  // buttons is down. Pressed: one went down in this frame; a mouse click
  // binding counts when the frame's mouse event (from the caller's own queue
  // read) is a press of that button.
  static int Held(int action);
  static int Pressed(int action, uint32_t mouseEvent = MOUSE_NONE);
  // Any key or controller button went down in this frame ("press any key").
  static int AnyPressed();
  // kKeyAlt, kKeyCtrl and kKeyShift for the modifiers held now.
  static int HeldModifiers();
  // Whether the action went down on the controller (not a key) in this frame.
  static int PressedOnPad(int action);

  // The left stick's motion along PAD_LEFTX or PAD_LEFTY for one step:
  // nothing inside the dead zone, then growing with the square of the
  // deflection up to maxPerStep pixels. Fractions carry over to the next step
  // (per axis and per user), so a slight push still moves slowly.
  static int StickStep(int axis, int maxPerStep, int user);
  // Mouse motion scaled by the sensitivity, fractions carried over.
  static void ScaleMouse(int32_t* dx, int32_t* dy);
  static int MouseSensitivity();  // percent, kMinSensitivity .. kMaxSensitivity
  static void SetMouseSensitivity(int percent);

  // The settings file's [Controls] section, ending in a line feed; and the
  // reading of it from the whole file's text (defaults first; a damaged line
  // leaves its default and is logged; a null text gives the defaults).
  static std::string SettingsSection();
  static void ReadSettings(const char* text, size_t size);

  // Names for the settings file and the controls page: "Left", "Alt+Enter",
  // "Ctrl+Shift+Z", "None"; the controller's "a", "dpleft", "none". Parsing is false for a
  // name it does not know (out is then untouched).
  static std::string KeyName(int key);
  static bool ParseKey(const std::string& name, int* key);
  static const char* PadName(int button);
  static bool ParsePad(const std::string& name, int* button);
};

}  // namespace vx
