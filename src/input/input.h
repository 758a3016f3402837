// Keyboard, mouse and game controllers, sampled once at the start of every frame.
#pragma once

#include <cstdint>

namespace vx {

struct MouseEvent {
  uint32_t type = 0;  // 0 none; 1 left press, 2 release, 3 double; 11, 12, 13 right
  int16_t dx = 0, dy = 0, dz = 0;
};

enum MouseEventType : uint32_t {
  MOUSE_NONE = 0, MOUSE_LEFT_DOWN = 1, MOUSE_LEFT_UP = 2, MOUSE_LEFT_DOUBLE = 3,
  MOUSE_RIGHT_DOWN = 11, MOUSE_RIGHT_UP = 12, MOUSE_RIGHT_DOUBLE = 13,
};

// Scan codes the game reads (set 1, extended keys at 0x80 + code).
enum KeyCode : int {
  KEY_ESCAPE = 1, KEY_1 = 2, KEY_0 = 11, KEY_BACKSPACE = 14, KEY_TAB = 15, KEY_Y = 21,
  KEY_ENTER = 28, KEY_LCONTROL = 29, KEY_D = 32, KEY_LSHIFT = 42, KEY_Z = 44, KEY_N = 49,
  KEY_RSHIFT = 54, KEY_LALT = 56, KEY_SPACE = 57, KEY_F1 = 59, KEY_F2 = 60, KEY_F3 = 61,
  KEY_F5 = 63, KEY_F6 = 64, KEY_F8 = 66, KEY_F9 = 67, KEY_F10 = 68, KEY_KEYPAD_ENTER = 156,
  KEY_RCONTROL = 157, KEY_PRINTSCREEN = 183, KEY_RALT = 184, KEY_PAUSE = 197, KEY_UP = 200,
  KEY_PAGEUP = 201, KEY_LEFT = 203, KEY_RIGHT = 205, KEY_DOWN = 208, KEY_PAGEDOWN = 209,
  KEY_DELETE = 211,
};

constexpr int kMouseQueueSize = 20;       // holds at most 19 events
constexpr uint32_t kLeftDoubleMs = 300;
constexpr uint32_t kRightDoubleMs = 150;

// Controller axes, in SDL's order: sticks -32768 .. 32767, triggers 0 .. 32767.
enum PadAxis : int {
  PAD_LEFTX, PAD_LEFTY, PAD_RIGHTX, PAD_RIGHTY, PAD_TRIGGERLEFT, PAD_TRIGGERRIGHT, kPadAxisCount
};

struct InputState {
  uint8_t keys[256] = {};
  uint8_t previousKeys[256] = {};
  uint8_t pressed[256] = {};
  int32_t dx = 0, dy = 0, dz = 0;
  int32_t lastX = 0, lastY = 0, lastZ = 0;
  uint8_t lastButtons[4] = {};
  uint32_t lastLeftPress = 0;
  uint32_t lastRightPress = 0;
  MouseEvent queue[kMouseQueueSize];
  int32_t writeIndex = 0;
  int32_t readIndex = 0;
  // Game controllers, all attached ones together: button bits in SDL's order,
  // the bits that went down in this poll, and the axes.
  uint32_t padButtons = 0;
  uint32_t padPressed = 0;
  int16_t padAxes[kPadAxisCount] = {};
  bool padAttached = false;
  // The free system pointer over the picture, when the platform tells; moved:
  // it is somewhere else than at the previous poll.
  bool pointerKnown = false;
  bool pointerMoved = false;
  int32_t pointerX = 0, pointerY = 0;
  bool pointerGrabbed = false;
  bool active = true;  // the application is in the foreground
  bool open = false;
};

extern InputState gInput;

class Input {
 public:
  static int Init(int exclusiveMouse);
  static void Shutdown();
  static void Poll();
  static void Activate(int active);
  static int KeyHeld(int code);
  static int KeyPressed(int code);
  static int AnyKeyPressed();
  // Returns the accumulated motion and clears it; dz may be null.
  static void ReadMouse(int32_t* dx, int32_t* dy, int32_t* dz);
  static void PopMouseEvent(MouseEvent* event);
  // Queues a mouse event as if the mouse had made it (a controller's button
  // standing in for a click).
  static void PushMouseEvent(uint32_t type);
  // Keeps the system pointer for the game (play) or lets it go; the platform
  // is told only of changes, and never grabs for an inactive application.
  static void GrabPointer(bool on);
  static int32_t leftHeld;
  static int32_t rightHeld;
};

}  // namespace vx
