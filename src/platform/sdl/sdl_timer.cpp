#include <cstdint>
#include <map>
#include <memory>
#include <mutex>

#include "platform/sdl/sdl_devices.h"

namespace vx {

namespace {

// What one running timer needs on the timer thread. SDL may still call back
// once after SDL_RemoveTimer returns, so the callback finds its state through
// a registry by number instead of a pointer that could be gone by then.
struct TimerState {
  std::mutex running;  // held while the callback runs
  bool active = true;
  PeriodicTimer::Callback cb = nullptr;
  void* user = nullptr;
};

std::mutex gRegistryMutex;
std::map<uintptr_t, std::shared_ptr<TimerState>> gRegistry;
uintptr_t gNextId = 1;

Uint32 Tick(Uint32 interval, void* param) {
  std::shared_ptr<TimerState> state;
  {
    std::lock_guard<std::mutex> hold(gRegistryMutex);
    auto it = gRegistry.find(reinterpret_cast<uintptr_t>(param));
    if (it == gRegistry.end()) return 0;
    state = it->second;
  }
  std::lock_guard<std::mutex> hold(state->running);
  if (!state->active) return 0;
  state->cb(state->user);
  return interval;
}

class SdlTimer : public PeriodicTimer {
 public:
  ~SdlTimer() override { Stop(); }

  bool Start(uint32_t periodMs, Callback cb, void* user) override {
    Stop();
    if (periodMs == 0 || !cb) return false;
    if (!SDL_WasInit(SDL_INIT_TIMER) && SDL_InitSubSystem(SDL_INIT_TIMER) != 0) return false;
    auto state = std::make_shared<TimerState>();
    state->cb = cb;
    state->user = user;
    {
      std::lock_guard<std::mutex> hold(gRegistryMutex);
      key_ = gNextId++;
      gRegistry[key_] = state;
    }
    state_ = state;
    sdlId_ = SDL_AddTimer(periodMs, Tick, reinterpret_cast<void*>(key_));
    if (!sdlId_) {
      Stop();
      return false;
    }
    return true;
  }

  void Stop() override {
    if (!state_) return;
    if (sdlId_) SDL_RemoveTimer(sdlId_);
    sdlId_ = 0;
    {
      // Waits for a callback that is running now.
      std::lock_guard<std::mutex> hold(state_->running);
      state_->active = false;
    }
    std::lock_guard<std::mutex> hold(gRegistryMutex);
    gRegistry.erase(key_);
    state_.reset();
  }

 private:
  std::shared_ptr<TimerState> state_;
  uintptr_t key_ = 0;
  SDL_TimerID sdlId_ = 0;
};

}  // namespace

PeriodicTimer* NewSdlTimer() { return new SdlTimer; }

}  // namespace vx
