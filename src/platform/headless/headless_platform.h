// The headless back end: every device of the platform in memory, driven by the
// caller. Time is virtual and moves only when the caller (or the message pump,
// 13 ms per idle poll) advances it; input is injected; presented frames and
// audio are captured; timers tick when the caller says so. With it the whole
// game runs deterministically in tests and in `velotrix-tool play`.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/file_lock.h"
#include "platform/platform.h"

namespace vx {

class HeadlessPlatform;

class HeadlessClock : public Clock {
 public:
  explicit HeadlessClock(HeadlessPlatform* owner) : owner_(owner) {}
  uint32_t Milliseconds() override { return now; }
  void SetHighResolution(bool on) override { highResolution = on; }
  // Sleeping is time passing.
  void SleepMs(uint32_t ms) override;
  uint32_t CalendarSeconds() override { return calendarBase + now / 1000; }

  // Starts well past zero, as a machine's uptime does, so that "long ago"
  // (time 0) is never mistaken for a moment ago.
  uint32_t now = 100000;
  uint32_t calendarBase = 1700000000;  // a fixed "current time"
  bool highResolution = false;

 private:
  HeadlessPlatform* owner_;
};

class HeadlessWindow : public Window {
 public:
  explicit HeadlessWindow(HeadlessPlatform* owner) : owner_(owner) {}
  bool Create(const char* title, int width, int height, bool fullScreen) override;
  void Destroy() override { created = false; }
  // An empty queue at a frame boundary asks the driver for the next frame's
  // input, then lets frameStepMs of virtual time pass.
  bool PollEvent(PlatformEvent& ev) override;
  void WaitEvent() override;
  // With realTime, waiting is time passing: the clock moves to the deadline.
  void WaitEventUntil(uint32_t deadlineMs) override;
  void PostQuit(int code) override;
  void HideCursor() override { cursorHidden = true; }
  void KeepAwake() override { keptAwake = true; }
  void MessageBox(const char* title, const char* text) override;
  void PlaceWindow(int x, int y, int w, int h) override;
  bool SetFullScreen(bool on) override {
    if (failFullScreen) return false;
    inFullScreen = on;
    return true;
  }
  Rect WindowRect() override { return windowRect; }
  Rect ClientRect() override { return clientRect; }

  void Push(const PlatformEvent& ev) { queue.push_back(ev); }

  bool created = false;
  bool failCreate = false;
  bool activateOnCreate = true;  // a new window gets the foreground
  bool cursorHidden = false;
  bool inFullScreen = false;
  bool failFullScreen = false;
  bool keptAwake = false;
  std::string title;
  Rect windowRect{0, 0, 646, 505};
  Rect clientRect{3, 22, 643, 502};
  std::vector<std::string> messageBoxes;  // "title: text"
  std::deque<PlatformEvent> queue;
  uint32_t frameStepMs = 13;
  // Time passes only as the game waits (for an event or a retrace), as on a
  // real machine; set frameStepMs to 0 with it.
  bool realTime = false;
  // WaitEvent gives up after this many idle steps without an event and posts a
  // termination, so a test can never hang on an inactive game.
  int maxIdleSteps = 100000;

 private:
  HeadlessPlatform* owner_;
  bool needStep_ = true;
};

class HeadlessDisplay : public Display {
 public:
  bool Open(int width, int height, bool fullScreen, uint32_t* greenMask) override;
  void Close() override { open = false; ++closes; }
  int Present(const uint16_t* pixels, int pitchPixels, int width, int height,
              bool waitRetrace) override;
  void RestoreDesktopMode() override { ++restores; }
  bool VideoMemory(uint32_t* total, uint32_t* free) override;

  uint32_t greenMask = 0x07E0;  // 0x07E0 for 565, 0x03E0 for 555
  bool failOpen = false;
  int presentResult = 0;  // returned by Present (an error code to simulate)
  bool open = false;
  bool fullScreen = false;
  int width = 0, height = 0;
  int opens = 0, closes = 0, presents = 0, restores = 0;
  std::vector<uint16_t> frame;  // the last presented picture, width x height
  // A simulated display refresh: presenting with the wait flag lets time pass
  // until the next retrace (0: presenting takes no time).
  int retraceHz = 0;
  std::function<void()> onPresent;  // called by every presentation, before its wait

 private:
  friend class HeadlessPlatform;
  std::function<void()> waitRetrace_;
};

class HeadlessInput : public InputDevices {
 public:
  bool Open(bool exclusiveMouse) override;
  void Close() override { open = false; }
  bool ReadKeyboard(uint8_t state[256]) override;
  MouseResult ReadMouse(MouseDeviceState& state) override;
  bool AcquireMouse(bool acquire) override;
  bool ReadPad(PadDeviceState& state) override;
  void SetPointerGrab(bool on) override { pointerGrabbed = on; }

  // Injection. Motion accumulates until the game reads the mouse.
  void SetKey(int code, bool down) { keys[code & 0xFF] = down ? 0x80 : 0; }
  void MoveMouse(int dx, int dy) { mouseDx += dx, mouseDy += dy; }
  void TurnWheel(int dz) { mouseDz += dz; }
  void SetButton(int button, bool down) { buttons[button & 3] = down ? 0x80 : 0; }
  // An absolute pointer (a tablet, a virtual machine's mouse) over the picture.
  void SetPointerPosition(int x, int y) {
    pointerKnown = true;
    pointerX = x;
    pointerY = y;
  }
  // The virtual controller: attached by the first button or axis it is given.
  void SetPadButton(int button, bool down) {
    padAttached = true;
    const uint32_t bit = 1u << (button & 31);
    pad.buttons = down ? pad.buttons | bit : pad.buttons & ~bit;
  }
  void SetPadAxis(int axis, int16_t value) {
    padAttached = true;
    pad.axes[axis % 6] = value;
  }

  uint8_t keys[256] = {};
  uint8_t buttons[4] = {};
  int32_t mouseDx = 0, mouseDy = 0, mouseDz = 0;
  bool failOpen = false;
  bool failKeyboard = false;
  bool failAcquire = false;
  MouseResult mouseResult = kMouseOk;  // forced answer of ReadMouse
  bool open = false;
  bool exclusive = false;
  bool mouseAcquired = false;
  bool pointerGrabbed = false;
  bool pointerKnown = false;
  int32_t pointerX = 0, pointerY = 0;
  PadDeviceState pad;
  bool padAttached = false;
};

class HeadlessAudio : public AudioOutput {
 public:
  bool Open(int rate, int channels, Callback cb, void* user) override;
  void Close() override;
  // Runs the callback for frames frames into out (silence when closed).
  void Pull(int16_t* out, int frames);

  bool failOpen = false;
  bool open = false;
  int rate = 44100, channels = 2;
  // Pull the callback as virtual time passes, appending to captured when
  // capture is on.
  bool followClock = false;
  bool capture = false;
  std::vector<int16_t> captured;

 private:
  friend class HeadlessPlatform;
  void PassTime(uint32_t ms);
  std::mutex mutex_;
  Callback cb_ = nullptr;
  void* user_ = nullptr;
  uint64_t pendingMicroFrames_ = 0;  // frames x 1000 not yet pulled
};

class HeadlessTimer : public PeriodicTimer {
 public:
  explicit HeadlessTimer(HeadlessPlatform* owner);
  ~HeadlessTimer() override;
  bool Start(uint32_t periodMs, Callback cb, void* user) override;
  void Stop() override { running = false; }
  void Tick() {
    if (running && cb_) cb_(user_);
  }

  bool running = false;
  uint32_t periodMs = 0;
  uint32_t nextDue = 0;
  int starts = 0;

 private:
  friend class HeadlessPlatform;
  HeadlessPlatform* owner_;
  Callback cb_ = nullptr;
  void* user_ = nullptr;
};

// The headless instance lock's file: hidden, in the working directory.
std::string HeadlessLockPath(const char* name);

class HeadlessPlatform {
 public:
  HeadlessPlatform();
  ~HeadlessPlatform();
  HeadlessPlatform(const HeadlessPlatform&) = delete;
  HeadlessPlatform& operator=(const HeadlessPlatform&) = delete;

  // The interface table to hand to the game (gPlatform = hp.platform()).
  Platform* platform() { return &platform_; }

  // Lets ms of virtual time pass: the clock moves, due timers fire when
  // timersFollowClock is set, audio is pulled when it follows the clock.
  void Advance(uint32_t ms);
  // Lets us microseconds pass; the clock shows the whole milliseconds.
  void AdvanceMicros(uint64_t us);
  // Lets time pass until the next retrace of the display's retraceHz.
  void WaitRetrace();
  // Fires every running timer once.
  void TickTimers();
  const std::vector<HeadlessTimer*>& timers() const { return timers_; }

  // Injection helpers.
  void PushActivate(int active);
  void PushClose();
  void PushTerminate();
  void PushChar(uint8_t code, uint32_t keyData = 0);

  // Called once per frame boundary of the message pump, before the frame's
  // time passes: the driver injects the next frame's input here.
  std::function<void()> onFrameBoundary;
  bool timersFollowClock = false;
  int directXVersion = 0x700;

  HeadlessClock clock{this};
  HeadlessWindow window{this};
  HeadlessDisplay display;
  HeadlessInput input;
  HeadlessAudio audio;
  // Scoped to the working directory, so games in different folders run side by side.
  FileInstanceLock lock;

 private:
  friend class HeadlessTimer;
  Platform platform_;
  std::vector<HeadlessTimer*> timers_;
  uint64_t subMillisecondUs_ = 0;  // time passed beyond the clock's milliseconds
};

}  // namespace vx
