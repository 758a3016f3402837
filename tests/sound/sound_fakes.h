// Stand-ins for the platform's audio output, timer and clock, so tests can pull
// audio and step the music timer by hand.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/platform.h"

namespace vx::test {

class FakeAudioOutput : public AudioOutput {
 public:
  bool Open(int rate, int channels, Callback cb, void* user) override;
  void Close() override;
  // Pulls `frames` stereo frames through the callback.
  std::vector<int16_t> Pull(int frames);
  bool failOpen = false;
  int rate = 0, channels = 0;

 private:
  Callback cb_ = nullptr;
  void* user_ = nullptr;
};

// A timer the test fires by hand.
class ManualTimer : public PeriodicTimer {
 public:
  bool Start(uint32_t periodMs, Callback cb, void* user) override;
  void Stop() override;
  void Fire();
  bool running = false;

 private:
  Callback cb_ = nullptr;
  void* user_ = nullptr;
};

// A real timer thread that fires every `periodMs` (the requested period is ignored).
class ThreadTimer : public PeriodicTimer {
 public:
  explicit ThreadTimer(int periodMs) : periodMs_(periodMs) {}
  ~ThreadTimer() override { Stop(); }
  bool Start(uint32_t, Callback cb, void* user) override;
  void Stop() override;

 private:
  int periodMs_;
  std::thread thread_;
  std::mutex mu_;
  std::condition_variable cv_;
  bool stop_ = false;
};

class FakeClock : public Clock {
 public:
  uint32_t Milliseconds() override { return ms; }
  void SetHighResolution(bool) override {}
  void SleepMs(uint32_t m) override { ms += m; }
  uint32_t ms = 0;
};

// Installs a platform of fakes as gPlatform for the life of the object.
struct FakePlatform {
  FakePlatform();
  ~FakePlatform();
  Platform platform;
  FakeAudioOutput audio;
  FakeClock clock;
  static ManualTimer* lastTimer;  // the timer handed out last by newTimer
  static bool failTimer;
  static int threadTimerMs;  // > 0: newTimer hands out ThreadTimers
};

// Moves the process into a fresh temporary directory (the log is written there).
void EnterTempDir();

// A WAV file image in the layout the engine reads.
std::vector<uint8_t> MakeWav(int channels, int rate, int bits, const std::vector<uint8_t>& sound,
                             uint32_t fmtSize = 16);
// 16-bit mono WAV of n frames at a constant value.
std::vector<uint8_t> ConstantWav16(int frames, int16_t value, int rate = 44100);

}  // namespace vx::test
