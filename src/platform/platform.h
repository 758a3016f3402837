// The platform boundary. Everything outside src/platform/ talks to the machine
// only through these small interfaces; src/platform/sdl/ implements them for the
// game and src/platform/headless/ for tests, benchmarks and tools.
#pragma once

#include <cstdint>
#include <functional>

#include "base/rect.h"

namespace vx {

// Our own event type; SDL events never cross this boundary.
struct PlatformEvent {
  enum Type : uint32_t {
    kNone = 0,
    kActivateApp,   // active: 1 gained the foreground, 0 lost it
    kClose,         // the user closed the window (the game may ask first)
    kMove,          // the window moved or was resized
    kChar,          // code: 8-bit character (code page 866), keyData: bit 31 = release
    kQuit,          // a posted quit request; code is the exit code
    kTerminate,     // the system asks the program to end (SIGTERM): no questions
  };
  Type type = kNone;
  int32_t active = 0;
  uint32_t code = 0;
  uint32_t keyData = 0;
};

// Window, message pump and the small services of the shell.
class Window {
 public:
  virtual ~Window() = default;
  // Creates the game window with a client area of width x height.
  virtual bool Create(const char* title, int width, int height, bool fullScreen) = 0;
  virtual void Destroy() = 0;
  // Non-blocking: returns true and fills ev when an event is waiting.
  virtual bool PollEvent(PlatformEvent& ev) = 0;
  // Blocks until an event is waiting (the inactive application sleeps here).
  virtual void WaitEvent() = 0;
  // Waits until an event is waiting or the clock reaches deadlineMs, whichever
  // comes first, so the frame loop need not spin between frames. Back ends
  // whose time is not real return at once.
  virtual void WaitEventUntil(uint32_t deadlineMs) {}
  // Queues a kQuit event carrying the exit code.
  virtual void PostQuit(int code) = 0;
  virtual void HideCursor() = 0;
  virtual void KeepAwake() = 0;
  virtual void MessageBox(const char* title, const char* text) = 0;
  // Places the window (x, y) with outer size w x h; a back end that scales the
  // picture may keep its own size.
  virtual void PlaceWindow(int x, int y, int w, int h) {}
  // Switches between full screen and a window; false when the switch failed.
  virtual bool SetFullScreen(bool on) { return false; }
  virtual Rect WindowRect() = 0;
  virtual Rect ClientRect() = 0;
};

// The 32-bit millisecond clock; it wraps.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual uint32_t Milliseconds() = 0;
  // Asks for 1 ms timer resolution; a no-op where the platform has none.
  virtual void SetHighResolution(bool on) = 0;
  virtual void SleepMs(uint32_t ms) = 0;
  // Calendar time in seconds (the random seed); the headless clock gives a fixed
  // time so that runs repeat.
  virtual uint32_t CalendarSeconds();
};

// Single-instance lock, held for the life of the process.
class InstanceLock {
 public:
  virtual ~InstanceLock() = default;
  // Returns true when this process now owns the lock, false when another holds it.
  virtual bool Acquire(const char* name) = 0;
};

// A periodic timer whose callback runs on its own thread.
class PeriodicTimer {
 public:
  using Callback = void (*)(void* user);
  virtual ~PeriodicTimer() = default;
  virtual bool Start(uint32_t periodMs, Callback cb, void* user) = 0;
  // Stops the timer and waits until a running callback has returned.
  virtual void Stop() = 0;
};

// Presents a 16-bit back buffer. The pixels are ours; the back end only shows them.
class Display {
 public:
  virtual ~Display() = default;
  // Opens the display; *greenMask receives the green mask of its 16-bit layout
  // (0x07E0 for 565, 0x03E0 for 555).
  virtual bool Open(int width, int height, bool fullScreen, uint32_t* greenMask) = 0;
  virtual void Close() = 0;
  // Returns 0 on success, otherwise an error code (see DXErrorName's codes).
  virtual int Present(const uint16_t* pixels, int pitchPixels, int width, int height,
                      bool waitRetrace) = 0;
  virtual void RestoreDesktopMode() = 0;
  virtual bool VideoMemory(uint32_t* total, uint32_t* free) = 0;
};

// Keyboard, mouse and controllers, read once per frame by Input::Poll.
struct MouseDeviceState {
  int32_t x = 0, y = 0, z = 0;  // relative motion since the last read; z in 120ths of a notch
  uint8_t buttons[4] = {0, 0, 0, 0};  // bit 7 = held: 0 left, 1 right, 2 middle
  // Where the free (not grabbed) system pointer is over the picture, in
  // picture pixels, when the back end knows.
  bool hasPosition = false;
  int32_t positionX = 0, positionY = 0;
};

// The game controllers attached, read together: a button is down when it is
// down on any of them; each axis is the one farthest from rest.
struct PadDeviceState {
  uint32_t buttons = 0;  // bit n: button n in SDL's order (a, b, x, y, back, ...)
  int16_t axes[6] = {};  // leftx, lefty, rightx, righty, lefttrigger, righttrigger
};

class InputDevices {
 public:
  virtual ~InputDevices() = default;
  virtual bool Open(bool exclusiveMouse) = 0;
  virtual void Close() = 0;
  // 256 bytes indexed by set-1 scan code (extended keys at 0x80 + code); bit 7 = held.
  virtual bool ReadKeyboard(uint8_t state[256]) = 0;
  enum MouseResult { kMouseOk = 0, kMouseLost = 1, kMouseFailed = 2 };
  virtual MouseResult ReadMouse(MouseDeviceState& state) = 0;
  virtual bool AcquireMouse(bool acquire) = 0;
  // False when no controller is attached (the state is then at rest).
  virtual bool ReadPad(PadDeviceState& state) { return false; }
  // Keeps the system pointer in the window and reads it relatively (play), or
  // lets it go (menus, pause, another window in front).
  virtual void SetPointerGrab(bool on) {}
};

// Audio output: interleaved 16-bit stereo pulled by a callback.
class AudioOutput {
 public:
  using Callback = void (*)(void* user, int16_t* out, int frames);
  virtual ~AudioOutput() = default;
  virtual bool Open(int rate, int channels, Callback cb, void* user) = 0;
  virtual void Close() = 0;
};

struct Platform {
  Window* window = nullptr;
  Clock* clock = nullptr;
  InstanceLock* lock = nullptr;
  std::function<PeriodicTimer*()> newTimer;  // each caller owns (deletes) its timer
  Display* display = nullptr;
  InputDevices* input = nullptr;
  AudioOutput* audio = nullptr;
  // Installed DirectX-compatible version: 0x700 when display and input exist.
  std::function<int()> directXVersion;
};

// The platform the program runs on; set before AppMain.
extern Platform* gPlatform;

// The platform clock's calendar time in seconds (the random seed; fixed on the
// headless platform, so that runs repeat), or the system's before a platform
// is set.
uint32_t CalendarSecondsNow();

}  // namespace vx
