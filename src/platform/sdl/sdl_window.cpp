#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/log.h"
#include "platform/sdl/sdl_devices.h"
#include "platform/sdl/sdl_platform.h"
#include "platform/text_codec.h"

namespace vx {

namespace {
const uint32_t kReleaseBits = 0xC0000000u;  // previous state down, key going up

// Key data of a key message: repeat count 1, the scan code, the extended flag.
uint32_t KeyData(int set1, bool release) {
  uint32_t data = 1u | static_cast<uint32_t>(set1 & 0x7F) << 16 | (set1 & 0x80 ? 1u << 24 : 0u);
  return release ? data | kReleaseBits : data;
}

// The characters that come from keys rather than from text input.
int CharOfKey(SDL_Scancode sc) {
  switch (sc) {
    case SDL_SCANCODE_RETURN:
    case SDL_SCANCODE_KP_ENTER:
      return 13;
    case SDL_SCANCODE_BACKSPACE:
      return 8;
    default:
      return -1;
  }
}

bool InvisibleDriver() {
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

bool DriverChosen() {
  const char* chosen = std::getenv("SDL_VIDEODRIVER");
  return chosen && *chosen;
}

// Room for the window's frame and title bar, which the window manager tells
// only once the window exists.
constexpr int kFrameAllowanceW = 16, kFrameAllowanceH = 40;
}  // namespace

int WindowScaleFor(int usableW, int usableH, int frameW, int frameH, int width, int height) {
  if (width <= 0 || height <= 0) return 1;
  const int byW = (usableW - frameW) / width;
  const int byH = (usableH - frameH) / height;
  return std::max(1, std::min(byW, byH));
}

bool SdlWindow::Create(const char* title, int width, int height, bool fullScreen) {
  if (window_) return true;
  // The game answers a closed window itself (it may ask first).
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    Log("Error: video start-up failed: %s\n", SDL_GetError());
    return false;
  }
  // Without a display SDL falls back to drivers that show nothing; the game
  // would run unseen. Only someone who asked for one by name gets it.
  if (InvisibleDriver() && !DriverChosen()) {
    Log("Error: no display (SDL chose the '%s' video driver)\n", SDL_GetCurrentVideoDriver());
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return false;
  }
  // High-DPI desktops get a drawable of real pixels, which the display fills
  // with whole multiples of the picture: sharp.
  uint32_t flags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI | SDL_WINDOW_HIDDEN |
                   (fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  // Made at its final size: SDL centres the size a window is made with, and a
  // window grown afterwards would reach off the bottom of the desktop.
  const int k = ScaleForDesktop(width, height);
  window_ = SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width * k,
                             height * k, flags);
  if (!window_) {
    Log("Error: SDL_CreateWindow failed: %s\n", SDL_GetError());
    return false;
  }
  SDL_ShowWindow(window_);
  SDL_SetWindowMinimumSize(window_, width / 2, height / 2);
  fullScreen_ = fullScreen;
  SDL_StartTextInput();
  // A new window is the foreground window.
  Queue(PlatformEvent::kActivateApp, 1);
  return true;
}

int SdlWindow::ScaleForDesktop(int width, int height) {
  SDL_Rect usable;
  if (SDL_GetDisplayUsableBounds(0, &usable) != 0) return 1;
  const int k =
      WindowScaleFor(usable.w, usable.h, kFrameAllowanceW, kFrameAllowanceH, width, height);
  Log("Window: %d x %d, %d times the picture (desktop %d x %d usable)\n", width * k, height * k, k,
      usable.w, usable.h);
  return k;
}

void SdlWindow::Destroy() {
  if (!window_) return;
  SDL_StopTextInput();
  SDL_DestroyWindow(window_);
  window_ = nullptr;
}

bool SdlWindow::SetFullScreen(bool on) {
  if (!window_) return false;
  if (on == fullScreen_) return true;
  if (SDL_SetWindowFullscreen(window_, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0) {
    Log("Error: full screen switch failed: %s\n", SDL_GetError());
    return false;
  }
  fullScreen_ = on;
  return true;
}

void SdlWindow::Queue(PlatformEvent::Type type, int32_t active, uint32_t code, uint32_t keyData) {
  PlatformEvent ev;
  ev.type = type;
  ev.active = active;
  ev.code = code;
  ev.keyData = keyData;
  pending_.push_back(ev);
}

bool SdlWindow::Translate(const SDL_Event& e, PlatformEvent& ev) {
  ev = PlatformEvent();
  switch (e.type) {
    case SDL_QUIT:
      // Closing the window sends no quit (see Create): this is the system's
      // request, a termination signal.
      ev.type = PlatformEvent::kTerminate;
      return true;
    case SDL_WINDOWEVENT:
      switch (e.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
          ev.type = PlatformEvent::kClose;
          return true;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
        case SDL_WINDOWEVENT_FOCUS_LOST:
          ev.type = PlatformEvent::kActivateApp;
          ev.active = e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED;
          return true;
        case SDL_WINDOWEVENT_MOVED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
          ev.type = PlatformEvent::kMove;
          return true;
        default:
          return false;
      }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      SDL_Scancode sc = e.key.keysym.scancode;
      bool down = e.type == SDL_KEYDOWN;
      if (down && sc >= 0 && sc < SDL_NUM_SCANCODES) keyTaps_[sc] = 1;
      // Alt+Enter is a control (full screen), not a typed line end.
      bool alt = (e.key.keysym.mod & KMOD_ALT) != 0;
      int ch = CharOfKey(sc);
      if (ch < 0 || alt) return false;
      ev.type = PlatformEvent::kChar;
      ev.code = static_cast<uint32_t>(ch);
      ev.keyData = KeyData(SdlScancodeToSet1(sc), !down);
      return true;
    }
    case SDL_TEXTINPUT: {
      std::string text = Utf8ToCp866(e.text.text);
      if (text.empty()) return false;
      for (size_t i = 1; i < text.size(); ++i)
        Queue(PlatformEvent::kChar, 0, static_cast<uint8_t>(text[i]), 1);
      ev.type = PlatformEvent::kChar;
      ev.code = static_cast<uint8_t>(text[0]);
      ev.keyData = 1;
      return true;
    }
    case SDL_MOUSEBUTTONDOWN:
      if (e.button.button >= 1 && e.button.button <= 32) buttonTaps_ |= SDL_BUTTON(e.button.button);
      return false;
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_CONTROLLERDEVICEREMOVED:
    case SDL_CONTROLLERBUTTONDOWN:
      pads_.OnEvent(e);
      return false;
    case SDL_MOUSEWHEEL: {
      int notches = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
      wheel_ += notches * 120;
      return false;
    }
    default:
      return false;
  }
}

bool SdlWindow::PollEvent(PlatformEvent& ev) {
  for (;;) {
    if (!pending_.empty()) {
      ev = pending_.front();
      pending_.pop_front();
      return true;
    }
    SDL_Event e;
    if (!SDL_PollEvent(&e)) return false;
    PlatformEvent mapped;
    // Text input may queue further characters behind the first.
    if (Translate(e, mapped)) pending_.push_front(mapped);
  }
}

void SdlWindow::WaitEvent() {
  if (pending_.empty()) SDL_WaitEvent(nullptr);
}

void SdlWindow::WaitEventUntil(uint32_t deadlineMs) {
  if (!pending_.empty()) return;
  int32_t left = static_cast<int32_t>(deadlineMs - SDL_GetTicks());
  // Wake a little early: the frame must not start late.
  if (left > 1) SDL_WaitEventTimeout(nullptr, left - 1);
}

void SdlWindow::PostQuit(int code) { Queue(PlatformEvent::kQuit, 0, static_cast<uint32_t>(code)); }

void SdlWindow::HideCursor() { SDL_ShowCursor(SDL_DISABLE); }

void SdlWindow::KeepAwake() { SDL_DisableScreenSaver(); }

void SdlWindow::MessageBox(const char* title, const char* text) {
  std::fprintf(stderr, "%s: %s\n", title, text);
  // A run on an invisible driver, asked for by name, has nobody to click OK.
  const char* chosen = std::getenv("SDL_VIDEODRIVER");
  if (chosen && (std::strcmp(chosen, "dummy") == 0 || std::strcmp(chosen, "offscreen") == 0)) return;
  // The words above are already out; say why the box is missing (an X server
  // without its core fonts cannot draw SDL's box).
  if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, title, text, window_) != 0)
    std::fprintf(stderr, "%s: the message box could not be shown: %s\n", title, SDL_GetError());
}

// The picture is scaled to whatever size the window has, so the window keeps
// the size chosen for the desktop.
void SdlWindow::PlaceWindow(int, int, int, int) {}

bool SdlWindow::PointerOnPicture(int32_t* x, int32_t* y) {
  if (!window_ || SDL_GetMouseFocus() != window_ || placed_.w <= 0 || placed_.h <= 0) return false;
  int mx = 0, my = 0, w = 0, h = 0;
  SDL_GetMouseState(&mx, &my);
  SDL_GetWindowSize(window_, &w, &h);
  if (w <= 0 || h <= 0) return false;
  // Window points to output pixels (more of them on a high-DPI desktop), then
  // onto the picture; outside it the pointer stops at the edge.
  const int64_t ox = static_cast<int64_t>(mx) * outputW_ / w - placed_.x;
  const int64_t oy = static_cast<int64_t>(my) * outputH_ / h - placed_.y;
  *x = static_cast<int32_t>(std::clamp<int64_t>(ox * pictureW_ / placed_.w, 0, pictureW_ - 1));
  *y = static_cast<int32_t>(std::clamp<int64_t>(oy * pictureH_ / placed_.h, 0, pictureH_ - 1));
  return true;
}

Rect SdlWindow::WindowRect() {
  Rect r = ClientRect();
  int top = 0, left = 0, bottom = 0, right = 0;
  if (window_ && SDL_GetWindowBordersSize(window_, &top, &left, &bottom, &right) == 0) {
    r.left -= left;
    r.top -= top;
    r.right += right;
    r.bottom += bottom;
  }
  return r;
}

Rect SdlWindow::ClientRect() {
  Rect r;
  if (!window_) return r;
  int x = 0, y = 0, w = 0, h = 0;
  SDL_GetWindowPosition(window_, &x, &y);
  SDL_GetWindowSize(window_, &w, &h);
  r.left = x;
  r.top = y;
  r.right = x + w;
  r.bottom = y + h;
  return r;
}

}  // namespace vx
