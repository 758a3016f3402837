// Game controllers through SDL's game controller interface: any number,
// plugged in and out while the game runs, read together as one.
#include <algorithm>
#include <cstdlib>

#include "base/log.h"
#include "platform/sdl/sdl_devices.h"

namespace vx {

namespace {
const char* NameOf(SDL_GameController* c) {
  const char* name = SDL_GameControllerName(c);
  return name ? name : "unknown";
}

SDL_JoystickID IdOf(SDL_GameController* c) {
  return SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(c));
}
}  // namespace

bool SdlPads::Start() {
  if (started_) return true;
  // The controllers present now arrive as "added" events like later ones.
  if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
    Log("Game controllers unavailable: %s\n", SDL_GetError());
    return false;
  }
  started_ = true;
  return true;
}

void SdlPads::Stop() {
  for (SDL_GameController* c : open_) SDL_GameControllerClose(c);
  open_.clear();
  taps_ = 0;
  if (started_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
  started_ = false;
}

void SdlPads::OnEvent(const SDL_Event& e) {
  if (!started_) return;
  switch (e.type) {
    case SDL_CONTROLLERDEVICEADDED: {
      SDL_GameController* c = SDL_GameControllerOpen(e.cdevice.which);
      if (!c) {
        Log("Game controller can't be opened: %s\n", SDL_GetError());
        return;
      }
      // Opened before already (present at start-up): SDL counts the references.
      if (std::any_of(open_.begin(), open_.end(), [&](auto* o) { return IdOf(o) == IdOf(c); })) {
        SDL_GameControllerClose(c);
        return;
      }
      Log("Game controller connected: %s\n", NameOf(c));
      open_.push_back(c);
      break;
    }
    case SDL_CONTROLLERDEVICEREMOVED:
      for (auto it = open_.begin(); it != open_.end(); ++it)
        if (IdOf(*it) == e.cdevice.which) {
          Log("Game controller removed: %s\n", NameOf(*it));
          SDL_GameControllerClose(*it);
          open_.erase(it);
          break;
        }
      break;
    case SDL_CONTROLLERBUTTONDOWN:
      if (e.cbutton.button < 32) taps_ |= 1u << e.cbutton.button;
      break;
    default: break;
  }
}

bool SdlPads::Read(PadDeviceState& state) {
  state = PadDeviceState();
  const uint32_t taps = std::exchange(taps_, 0u);
  if (open_.empty()) return false;
  state.buttons = taps;
  for (SDL_GameController* c : open_) {
    for (int b = 0; b < SDL_CONTROLLER_BUTTON_MAX && b < 32; ++b)
      if (SDL_GameControllerGetButton(c, static_cast<SDL_GameControllerButton>(b)))
        state.buttons |= 1u << b;
    for (int a = 0; a < SDL_CONTROLLER_AXIS_MAX && a < 6; ++a) {
      const Sint16 v = SDL_GameControllerGetAxis(c, static_cast<SDL_GameControllerAxis>(a));
      if (std::abs(v) > std::abs(state.axes[a])) state.axes[a] = v;
    }
  }
  return true;
}

}  // namespace vx
