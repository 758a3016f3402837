#include "platform/headless/headless_platform.h"

#include <algorithm>
#include <cstring>

namespace vx {

void HeadlessClock::SleepMs(uint32_t ms) { owner_->Advance(ms); }

// --- window ---------------------------------------------------------------

bool HeadlessWindow::Create(const char* t, int width, int height, bool fullScreen) {
  if (failCreate) return false;
  created = true;
  title = t ? t : "";
  if (activateOnCreate) {
    PlatformEvent ev;
    ev.type = PlatformEvent::kActivateApp;
    ev.active = 1;
    queue.push_back(ev);
  }
  return true;
}

bool HeadlessWindow::PollEvent(PlatformEvent& ev) {
  if (needStep_) {
    needStep_ = false;
    if (owner_->onFrameBoundary) owner_->onFrameBoundary();
  }
  if (!queue.empty()) {
    ev = queue.front();
    queue.pop_front();
    return true;
  }
  owner_->Advance(frameStepMs);
  needStep_ = true;
  return false;
}

void HeadlessWindow::WaitEvent() {
  // Time passes in frame steps while the game sleeps; the driver gets each step.
  for (int steps = 0; queue.empty(); ++steps) {
    if (steps >= maxIdleSteps) {
      PlatformEvent ev;
      ev.type = PlatformEvent::kTerminate;
      queue.push_back(ev);
      break;
    }
    if (!needStep_) owner_->Advance(frameStepMs);
    needStep_ = false;
    if (owner_->onFrameBoundary) owner_->onFrameBoundary();
  }
}

void HeadlessWindow::WaitEventUntil(uint32_t deadlineMs) {
  const int32_t left = static_cast<int32_t>(deadlineMs - owner_->clock.now);
  if (realTime && queue.empty() && left > 0) owner_->Advance(static_cast<uint32_t>(left));
}

void HeadlessWindow::PostQuit(int code) {
  PlatformEvent ev;
  ev.type = PlatformEvent::kQuit;
  ev.code = static_cast<uint32_t>(code);
  queue.push_back(ev);
}

void HeadlessWindow::MessageBox(const char* t, const char* text) {
  messageBoxes.push_back(std::string(t ? t : "") + ": " + (text ? text : ""));
}

void HeadlessWindow::PlaceWindow(int x, int y, int w, int h) {
  int clientW = clientRect.right - clientRect.left;
  int clientH = clientRect.bottom - clientRect.top;
  int dx = clientRect.left - windowRect.left, dy = clientRect.top - windowRect.top;
  windowRect = {x, y, x + w, y + h};
  clientRect = {x + dx, y + dy, x + dx + clientW, y + dy + clientH};
}

// --- display --------------------------------------------------------------

bool HeadlessDisplay::Open(int w, int h, bool fs, uint32_t* mask) {
  if (failOpen || w <= 0 || h <= 0) return false;
  open = true;
  fullScreen = fs;
  width = w;
  height = h;
  ++opens;
  frame.assign(static_cast<size_t>(w) * h, 0);
  if (mask) *mask = greenMask;
  return true;
}

int HeadlessDisplay::Present(const uint16_t* pixels, int pitchPixels, int w, int h,
                             bool waitRetrace) {
  ++presents;
  if (onPresent) onPresent();
  if (waitRetrace && retraceHz > 0 && waitRetrace_) waitRetrace_();
  if (presentResult != 0) return presentResult;
  if (!open || !pixels) return 0;
  int rows = std::min(h, height), cols = std::min(w, width);
  for (int y = 0; y < rows; ++y)
    std::memcpy(&frame[static_cast<size_t>(y) * width], pixels + static_cast<size_t>(y) * pitchPixels,
                static_cast<size_t>(cols) * 2);
  return 0;
}

bool HeadlessDisplay::VideoMemory(uint32_t* total, uint32_t* free) {
  if (total) *total = 0;
  if (free) *free = 0;
  return true;
}

// --- input ----------------------------------------------------------------

bool HeadlessInput::Open(bool exclusiveMouse) {
  if (failOpen) return false;
  open = true;
  exclusive = exclusiveMouse;
  mouseAcquired = true;
  return true;
}

bool HeadlessInput::ReadKeyboard(uint8_t state[256]) {
  if (!open || failKeyboard) return false;
  std::memcpy(state, keys, 256);
  return true;
}

InputDevices::MouseResult HeadlessInput::ReadMouse(MouseDeviceState& state) {
  if (!open) return kMouseFailed;
  if (mouseResult != kMouseOk) return mouseResult;
  if (!mouseAcquired) return kMouseLost;
  state.x = mouseDx;
  state.y = mouseDy;
  state.z = mouseDz;
  mouseDx = mouseDy = mouseDz = 0;
  std::memcpy(state.buttons, buttons, 4);
  state.hasPosition = pointerKnown && !pointerGrabbed;
  state.positionX = pointerX;
  state.positionY = pointerY;
  return kMouseOk;
}

bool HeadlessInput::ReadPad(PadDeviceState& state) {
  if (!open || !padAttached) return false;
  state = pad;
  return true;
}

bool HeadlessInput::AcquireMouse(bool acquire) {
  if (acquire && failAcquire) return false;
  mouseAcquired = acquire;
  return true;
}

// --- audio ----------------------------------------------------------------

bool HeadlessAudio::Open(int r, int ch, Callback cb, void* user) {
  if (failOpen || r <= 0 || ch <= 0 || !cb) return false;
  std::lock_guard<std::mutex> hold(mutex_);
  rate = r;
  channels = ch;
  cb_ = cb;
  user_ = user;
  open = true;
  pendingMicroFrames_ = 0;
  return true;
}

void HeadlessAudio::Close() {
  std::lock_guard<std::mutex> hold(mutex_);
  open = false;
  cb_ = nullptr;
  user_ = nullptr;
}

void HeadlessAudio::Pull(int16_t* out, int frames) {
  std::lock_guard<std::mutex> hold(mutex_);
  if (open && cb_)
    cb_(user_, out, frames);
  else
    std::memset(out, 0, static_cast<size_t>(frames) * std::max(channels, 1) * 2);
}

void HeadlessAudio::PassTime(uint32_t ms) {
  if (!followClock || !open) return;
  pendingMicroFrames_ += static_cast<uint64_t>(rate) * ms;
  int frames = static_cast<int>(pendingMicroFrames_ / 1000);
  pendingMicroFrames_ %= 1000;
  if (frames <= 0) return;
  std::vector<int16_t> buf(static_cast<size_t>(frames) * channels);
  Pull(buf.data(), frames);
  if (capture) captured.insert(captured.end(), buf.begin(), buf.end());
}

// --- timers ---------------------------------------------------------------

HeadlessTimer::HeadlessTimer(HeadlessPlatform* owner) : owner_(owner) {
  owner_->timers_.push_back(this);
}

HeadlessTimer::~HeadlessTimer() {
  if (!owner_) return;
  auto& list = owner_->timers_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

bool HeadlessTimer::Start(uint32_t period, Callback cb, void* user) {
  if (period == 0 || !cb) return false;
  periodMs = period;
  cb_ = cb;
  user_ = user;
  nextDue = owner_ ? owner_->clock.now + period : period;
  running = true;
  ++starts;
  return true;
}

// --- platform -------------------------------------------------------------

std::string HeadlessLockPath(const char* name) { return std::string(".") + name + ".lock"; }

HeadlessPlatform::HeadlessPlatform() : lock(HeadlessLockPath) {
  platform_.window = &window;
  platform_.clock = &clock;
  platform_.lock = &lock;
  platform_.display = &display;
  platform_.input = &input;
  platform_.audio = &audio;
  platform_.newTimer = [this]() -> PeriodicTimer* { return new HeadlessTimer(this); };
  platform_.directXVersion = [this]() { return directXVersion; };
  display.waitRetrace_ = [this] { WaitRetrace(); };
}

HeadlessPlatform::~HeadlessPlatform() {
  for (HeadlessTimer* t : timers_) t->owner_ = nullptr;
}

void HeadlessPlatform::Advance(uint32_t ms) {
  uint32_t target = clock.now + ms;
  if (timersFollowClock) {
    // Fire due timers in time order, with the clock at each one's due time.
    for (;;) {
      HeadlessTimer* next = nullptr;
      for (HeadlessTimer* t : timers_)
        if (t->running && static_cast<int32_t>(target - t->nextDue) >= 0 &&
            (!next || static_cast<int32_t>(next->nextDue - t->nextDue) > 0))
          next = t;
      if (!next) break;
      clock.now = next->nextDue;
      next->nextDue += next->periodMs;
      next->Tick();
    }
  }
  clock.now = target;
  audio.PassTime(ms);
}

void HeadlessPlatform::AdvanceMicros(uint64_t us) {
  subMillisecondUs_ += us;
  const uint64_t ms = subMillisecondUs_ / 1000;
  subMillisecondUs_ %= 1000;
  if (ms) Advance(static_cast<uint32_t>(ms));
}

void HeadlessPlatform::WaitRetrace() {
  const uint64_t hz = static_cast<uint64_t>(display.retraceHz);
  if (hz == 0) return;
  // Retrace k falls at k / hz seconds on the clock's own time line.
  const uint64_t nowUs = static_cast<uint64_t>(clock.now) * 1000 + subMillisecondUs_;
  const uint64_t next = nowUs * hz / 1000000 + 1;
  const uint64_t atUs = (next * 1000000 + hz - 1) / hz;
  AdvanceMicros(atUs - nowUs);
}

void HeadlessPlatform::TickTimers() {
  std::vector<HeadlessTimer*> copy = timers_;
  for (HeadlessTimer* t : copy) t->Tick();
}

void HeadlessPlatform::PushActivate(int active) {
  PlatformEvent ev;
  ev.type = PlatformEvent::kActivateApp;
  ev.active = active;
  window.Push(ev);
}

void HeadlessPlatform::PushClose() {
  PlatformEvent ev;
  ev.type = PlatformEvent::kClose;
  window.Push(ev);
}

void HeadlessPlatform::PushTerminate() {
  PlatformEvent ev;
  ev.type = PlatformEvent::kTerminate;
  window.Push(ev);
}

void HeadlessPlatform::PushChar(uint8_t code, uint32_t keyData) {
  PlatformEvent ev;
  ev.type = PlatformEvent::kChar;
  ev.code = code;
  ev.keyData = keyData;
  window.Push(ev);
}

}  // namespace vx
