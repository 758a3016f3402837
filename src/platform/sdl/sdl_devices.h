// The SDL back end's device classes; only src/platform/sdl/ sees them.
#pragma once

#include <SDL.h>

#include <atomic>
#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace vx {

// The game controllers, opened and closed as they come and go.
class SdlPads {
 public:
  ~SdlPads() { Stop(); }
  bool Start();
  void Stop();
  // Opens, closes and notes the presses of controllers from their events.
  void OnEvent(const SDL_Event& e);
  bool Read(PadDeviceState& state);
  size_t Count() const { return open_.size(); }

 private:
  std::vector<SDL_GameController*> open_;
  uint32_t taps_ = 0;  // buttons pressed since the last read
  bool started_ = false;
};

class SdlWindow : public Window {
 public:
  ~SdlWindow() override { Destroy(); }
  bool Create(const char* title, int width, int height, bool fullScreen) override;
  void Destroy() override;
  bool PollEvent(PlatformEvent& ev) override;
  void WaitEvent() override;
  void WaitEventUntil(uint32_t deadlineMs) override;
  void PostQuit(int code) override;
  void HideCursor() override;
  void KeepAwake() override;
  void MessageBox(const char* title, const char* text) override;
  void PlaceWindow(int x, int y, int w, int h) override;
  Rect WindowRect() override;
  Rect ClientRect() override;

  bool SetFullScreen(bool on) override;
  SDL_Window* handle() const { return window_; }
  bool fullScreen() const { return fullScreen_; }
  // Wheel motion gathered from the events, in 120ths of a notch.
  int32_t TakeWheel() { return wheel_.exchange(0); }
  // Keys and buttons that went down since the last take. Input is sampled once
  // a frame, so a tap shorter than a frame would otherwise never be seen.
  bool TakeKeyTap(int scancode) {
    bool tapped = keyTaps_[scancode] != 0;
    keyTaps_[scancode] = 0;
    return tapped;
  }
  uint32_t TakeButtonTaps() { return std::exchange(buttonTaps_, 0u); }
  SdlPads& pads() { return pads_; }
  // Where the display put its width x height picture, in the renderer's
  // output pixels, so that the pointer can be found on it.
  void SetPicturePlacement(const SDL_Rect& placed, int width, int height, int outputW,
                           int outputH) {
    placed_ = placed;
    pictureW_ = width;
    pictureH_ = height;
    outputW_ = outputW;
    outputH_ = outputH;
  }
  // The pointer's place in picture pixels; false when it is not over the window.
  bool PointerOnPicture(int32_t* x, int32_t* y);

 private:
  // The largest whole multiple of width x height that fits the usable desktop.
  static int ScaleForDesktop(int width, int height);
  // Maps one SDL event onto ours; false when it means nothing to the game.
  bool Translate(const SDL_Event& e, PlatformEvent& ev);
  void Queue(PlatformEvent::Type type, int32_t active = 0, uint32_t code = 0, uint32_t keyData = 0);

  SDL_Window* window_ = nullptr;
  bool fullScreen_ = false;
  std::deque<PlatformEvent> pending_;
  std::atomic<int32_t> wheel_{0};
  uint8_t keyTaps_[SDL_NUM_SCANCODES] = {};
  uint32_t buttonTaps_ = 0;
  SdlPads pads_;
  SDL_Rect placed_{0, 0, 0, 0};
  int pictureW_ = 0, pictureH_ = 0;
  int outputW_ = 0, outputH_ = 0;
};

class SdlDisplay : public Display {
 public:
  explicit SdlDisplay(SdlWindow* window) : window_(window) {}
  ~SdlDisplay() override;
  bool Open(int width, int height, bool fullScreen, uint32_t* greenMask) override;
  void Close() override;
  int Present(const uint16_t* pixels, int pitchPixels, int width, int height,
              bool waitRetrace) override;
  void RestoreDesktopMode() override {}
  bool VideoMemory(uint32_t* total, uint32_t* free) override;

 private:
  SdlWindow* window_;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  int width_ = 0, height_ = 0;
};

class SdlInput : public InputDevices {
 public:
  explicit SdlInput(SdlWindow* window) : window_(window) {}
  bool Open(bool exclusiveMouse) override;
  void Close() override;
  bool ReadKeyboard(uint8_t state[256]) override;
  MouseResult ReadMouse(MouseDeviceState& state) override;
  bool AcquireMouse(bool acquire) override;
  bool ReadPad(PadDeviceState& state) override { return open_ && window_->pads().Read(state); }
  void SetPointerGrab(bool on) override;

 private:
  SdlWindow* window_;
  bool open_ = false;
  bool exclusive_ = false;
  bool grabbed_ = false;
};

class SdlAudio : public AudioOutput {
 public:
  ~SdlAudio() override { Close(); }
  bool Open(int rate, int channels, Callback cb, void* user) override;
  void Close() override;

 private:
  static void Fill(void* self, Uint8* stream, int len);
  SDL_AudioDeviceID device_ = 0;
  int channels_ = 2;
  Callback cb_ = nullptr;
  void* user_ = nullptr;
};

class SdlClock : public Clock {
 public:
  uint32_t Milliseconds() override { return SDL_GetTicks(); }
  void SetHighResolution(bool) override {}
  void SleepMs(uint32_t ms) override { SDL_Delay(ms); }
};

PeriodicTimer* NewSdlTimer();

}  // namespace vx
