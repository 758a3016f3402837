// Keyboard state with key edges, accumulated mouse motion and a small queue of
// mouse button events with double-click detection.
#include "input/input.h"

#include <cstring>

#include "base/log.h"
#include "platform/dx_error.h"
#include "platform/platform.h"

namespace vx {

InputState gInput;
int32_t Input::leftHeld = 0;
int32_t Input::rightHeld = 0;

namespace {

InputDevices* Devices() { return gPlatform ? gPlatform->input : nullptr; }

uint32_t Now() { return gPlatform && gPlatform->clock ? gPlatform->clock->Milliseconds() : 0; }

void QueueEvent(uint32_t type) {
  const int next = (gInput.writeIndex + 1) % kMouseQueueSize;
  if (next == gInput.readIndex) return;  // full: dropped
  MouseEvent& e = gInput.queue[gInput.writeIndex];
  e.type = type;
  e.dx = static_cast<int16_t>(gInput.dx);
  e.dy = static_cast<int16_t>(gInput.dy);
  e.dz = static_cast<int16_t>(gInput.dz);
  gInput.writeIndex = next;
}

// One button's edges: a press within the window of the previous press is a
// double click; the press time is renewed either way.
void ButtonEdge(bool heldNow, bool heldBefore, int32_t* heldFlag, uint32_t* lastPress,
                uint32_t now, uint32_t window, uint32_t press, uint32_t release,
                uint32_t doubleClick) {
  if (heldNow) {
    *heldFlag = 1;
    if (!heldBefore) {
      QueueEvent(now - *lastPress < window ? doubleClick : press);
      *lastPress = now;
    }
  } else {
    *heldFlag = 0;
    if (heldBefore) QueueEvent(release);
  }
}

void ReadPointerPosition(const MouseDeviceState& mouse) {
  const bool known = mouse.hasPosition && !gInput.pointerGrabbed;
  gInput.pointerMoved = known && (!gInput.pointerKnown || mouse.positionX != gInput.pointerX ||
                                  mouse.positionY != gInput.pointerY);
  gInput.pointerKnown = known;
  if (!known) return;
  gInput.pointerX = mouse.positionX;
  gInput.pointerY = mouse.positionY;
}

void PollPad(InputDevices* devices) {
  PadDeviceState pad;
  gInput.padAttached = devices->ReadPad(pad);
  gInput.padPressed = pad.buttons & ~gInput.padButtons;
  gInput.padButtons = pad.buttons;
  std::memcpy(gInput.padAxes, pad.axes, sizeof gInput.padAxes);
}

}  // namespace

int Input::Init(int exclusiveMouse) {
  Log("\nInit input devices...\n");
  gInput = InputState{};
  leftHeld = rightHeld = 0;
  InputDevices* devices = Devices();
  if (!devices) {
    Log("Failed to Init DirectInput\n");
    return 0;
  }
  if (!devices->Open(exclusiveMouse != 0)) {
    if (gPlatform->window) gPlatform->window->MessageBox("Error", "aKeyboard Initialize Error!");
    return 0;
  }
  devices->AcquireMouse(true);
  gInput.open = true;
  return 1;
}

void Input::Shutdown() {
  if (gInput.open && Devices()) Devices()->Close();
  gInput.open = false;
}

void Input::Activate(int active) {
  if (!gInput.open || !Devices()) return;
  if (!active) GrabPointer(false);
  gInput.active = active != 0;
  Devices()->AcquireMouse(active != 0);
}

void Input::GrabPointer(bool on) {
  on = on && gInput.active;
  if (!gInput.open || !Devices() || on == gInput.pointerGrabbed) return;
  gInput.pointerGrabbed = on;
  Devices()->SetPointerGrab(on);
}

void Input::Poll() {
  InputDevices* devices = Devices();
  if (!gInput.open || !devices) return;
  const uint32_t now = Now();

  uint8_t state[256];
  if (devices->ReadKeyboard(state)) std::memcpy(gInput.keys, state, sizeof state);
  for (int k = 0; k < 256; ++k) {
    gInput.pressed[k] = (gInput.keys[k] & 0x80) && gInput.keys[k] != gInput.previousKeys[k];
    gInput.previousKeys[k] = gInput.keys[k];
  }
  PollPad(devices);

  MouseDeviceState mouse;
  switch (devices->ReadMouse(mouse)) {
    case InputDevices::kMouseOk:
      break;
    case InputDevices::kMouseLost:
      // Nothing was read: the buttons keep their flags and no edge is queued,
      // or a held button would come back as a release and a double click.
      devices->AcquireMouse(true);
      return;
    default:
      gInput.dx = gInput.dy = gInput.dz = 0;
      return;
  }
  gInput.dx += mouse.x;
  gInput.dy += mouse.y;
  gInput.dz += mouse.z;
  ButtonEdge(mouse.buttons[0] & 0x80, gInput.lastButtons[0] & 0x80, &leftHeld,
             &gInput.lastLeftPress, now, kLeftDoubleMs, MOUSE_LEFT_DOWN, MOUSE_LEFT_UP,
             MOUSE_LEFT_DOUBLE);
  ButtonEdge(mouse.buttons[1] & 0x80, gInput.lastButtons[1] & 0x80, &rightHeld,
             &gInput.lastRightPress, now, kRightDoubleMs, MOUSE_RIGHT_DOWN, MOUSE_RIGHT_UP,
             MOUSE_RIGHT_DOUBLE);
  ReadPointerPosition(mouse);
  gInput.lastX = mouse.x;
  gInput.lastY = mouse.y;
  gInput.lastZ = mouse.z;
  std::memcpy(gInput.lastButtons, mouse.buttons, sizeof mouse.buttons);
}

int Input::KeyHeld(int code) { return code >= 0 && code < 256 ? gInput.keys[code] & 0x80 : 0; }

int Input::KeyPressed(int code) { return code >= 0 && code < 256 ? gInput.pressed[code] : 0; }

int Input::AnyKeyPressed() {
  for (int k = 0; k < 255; ++k)
    if (gInput.pressed[k] == 1) return k;
  return 0;
}

void Input::ReadMouse(int32_t* dx, int32_t* dy, int32_t* dz) {
  if (dx) *dx = gInput.dx;
  if (dy) *dy = gInput.dy;
  if (dz) *dz = gInput.dz;
  gInput.dx = gInput.dy = gInput.dz = 0;
}

void Input::PushMouseEvent(uint32_t type) { QueueEvent(type); }

void Input::PopMouseEvent(MouseEvent* event) {
  if (gInput.readIndex == gInput.writeIndex) {
    *event = MouseEvent{};
    return;
  }
  *event = gInput.queue[gInput.readIndex];
  gInput.readIndex = (gInput.readIndex + 1) % kMouseQueueSize;
}

}  // namespace vx
