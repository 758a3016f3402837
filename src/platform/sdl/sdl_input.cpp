#include <cstring>

#include "platform/sdl/sdl_devices.h"
#include "platform/sdl/sdl_platform.h"

namespace vx {

bool SdlInput::Open(bool exclusiveMouse) {
  if (!window_->handle()) return false;
  open_ = true;
  exclusive_ = exclusiveMouse;
  // Without controllers the game is still played with keyboard and mouse.
  window_->pads().Start();
  return AcquireMouse(true);
}

void SdlInput::Close() {
  if (open_) {
    SetPointerGrab(false);
    AcquireMouse(false);
    window_->pads().Stop();
  }
  open_ = false;
}

bool SdlInput::ReadKeyboard(uint8_t state[256]) {
  if (!open_) return false;
  int count = 0;
  const Uint8* keys = SDL_GetKeyboardState(&count);
  std::memset(state, 0, 256);
  for (int sc = 0; sc < count; ++sc) {
    bool tapped = sc < SDL_NUM_SCANCODES && window_->TakeKeyTap(sc);
    if (!keys[sc] && !tapped) continue;
    int code = SdlScancodeToSet1(sc);
    if (code) state[code] = 0x80;
  }
  return true;
}

InputDevices::MouseResult SdlInput::ReadMouse(MouseDeviceState& state) {
  if (!open_) return kMouseFailed;
  int dx = 0, dy = 0;
  SDL_GetRelativeMouseState(&dx, &dy);
  Uint32 buttons = SDL_GetMouseState(nullptr, nullptr) | window_->TakeButtonTaps();
  state.x = dx;
  state.y = dy;
  state.z = window_->TakeWheel();
  state.buttons[0] = buttons & SDL_BUTTON(SDL_BUTTON_LEFT) ? 0x80 : 0;
  state.buttons[1] = buttons & SDL_BUTTON(SDL_BUTTON_RIGHT) ? 0x80 : 0;
  state.buttons[2] = buttons & SDL_BUTTON(SDL_BUTTON_MIDDLE) ? 0x80 : 0;
  state.buttons[3] = 0;
  state.hasPosition = !grabbed_ && window_->PointerOnPicture(&state.positionX, &state.positionY);
  return kMouseOk;
}

bool SdlInput::AcquireMouse(bool acquire) {
  if (!open_) return false;
  // Motion made while released does not count.
  SDL_GetRelativeMouseState(nullptr, nullptr);
  window_->TakeWheel();
  window_->TakeButtonTaps();
  return true;
}

void SdlInput::SetPointerGrab(bool on) {
  if (!open_ || !exclusive_ || on == grabbed_) return;
  // Relative mode keeps the pointer in the window and reports raw motion.
  SDL_SetRelativeMouseMode(on ? SDL_TRUE : SDL_FALSE);
  grabbed_ = on;
  SDL_GetRelativeMouseState(nullptr, nullptr);
}

}  // namespace vx
