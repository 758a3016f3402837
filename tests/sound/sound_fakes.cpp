#include "sound_fakes.h"

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>

namespace vx::test {

bool FakeAudioOutput::Open(int r, int c, Callback cb, void* user) {
  if (failOpen) return false;
  rate = r;
  channels = c;
  cb_ = cb;
  user_ = user;
  return true;
}

void FakeAudioOutput::Close() { cb_ = nullptr; }

std::vector<int16_t> FakeAudioOutput::Pull(int frames) {
  std::vector<int16_t> out(static_cast<size_t>(frames) * 2, 0);
  if (cb_) cb_(user_, out.data(), frames);
  return out;
}

bool ManualTimer::Start(uint32_t, Callback cb, void* user) {
  cb_ = cb;
  user_ = user;
  running = true;
  return true;
}

void ManualTimer::Stop() { running = false; }

void ManualTimer::Fire() {
  if (running && cb_) cb_(user_);
}

bool ThreadTimer::Start(uint32_t, Callback cb, void* user) {
  stop_ = false;
  thread_ = std::thread([this, cb, user] {
    std::unique_lock<std::mutex> lock(mu_);
    while (!stop_) {
      lock.unlock();
      cb(user);
      lock.lock();
      cv_.wait_for(lock, std::chrono::milliseconds(periodMs_), [this] { return stop_; });
    }
  });
  return true;
}

void ThreadTimer::Stop() {
  {
    std::lock_guard<std::mutex> lock(mu_);
    stop_ = true;
  }
  cv_.notify_all();
  if (thread_.joinable()) thread_.join();
}

ManualTimer* FakePlatform::lastTimer = nullptr;
bool FakePlatform::failTimer = false;
int FakePlatform::threadTimerMs = 0;

namespace {

class FailingTimer : public PeriodicTimer {
 public:
  bool Start(uint32_t, Callback, void*) override { return false; }
  void Stop() override {}
};

PeriodicTimer* NewTimer() {
  if (FakePlatform::failTimer) return new FailingTimer;
  if (FakePlatform::threadTimerMs > 0) return new ThreadTimer(FakePlatform::threadTimerMs);
  FakePlatform::lastTimer = new ManualTimer;
  return FakePlatform::lastTimer;
}

}  // namespace

FakePlatform::FakePlatform() {
  platform.audio = &audio;
  platform.clock = &clock;
  platform.newTimer = &NewTimer;
  lastTimer = nullptr;
  failTimer = false;
  threadTimerMs = 0;
  gPlatform = &platform;
}

FakePlatform::~FakePlatform() { gPlatform = nullptr; }

void EnterTempDir() {
  char dir[] = "/tmp/vx_sound_XXXXXX";
  if (mkdtemp(dir) && chdir(dir) == 0) return;
  std::abort();
}

namespace {
void Put16(std::vector<uint8_t>& v, uint32_t x) {
  v.push_back(x & 0xFF);
  v.push_back((x >> 8) & 0xFF);
}
void Put32(std::vector<uint8_t>& v, uint32_t x) {
  Put16(v, x & 0xFFFF);
  Put16(v, x >> 16);
}
}  // namespace

std::vector<uint8_t> MakeWav(int channels, int rate, int bits, const std::vector<uint8_t>& sound,
                             uint32_t fmtSize) {
  std::vector<uint8_t> w;
  const int align = channels * bits / 8;
  w.insert(w.end(), {'R', 'I', 'F', 'F'});
  Put32(w, 0);
  w.insert(w.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  Put32(w, fmtSize);
  const size_t fmtStart = w.size();
  Put16(w, 1);
  Put16(w, channels);
  Put32(w, rate);
  Put32(w, rate * align);
  Put16(w, align);
  Put16(w, bits);
  w.resize(fmtStart + fmtSize, 0);
  w.insert(w.end(), {'d', 'a', 't', 'a'});
  Put32(w, static_cast<uint32_t>(sound.size()));
  w.insert(w.end(), sound.begin(), sound.end());
  return w;
}

std::vector<uint8_t> ConstantWav16(int frames, int16_t value, int rate) {
  std::vector<uint8_t> sound;
  for (int i = 0; i < frames; ++i) {
    sound.push_back(static_cast<uint8_t>(value & 0xFF));
    sound.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
  }
  return MakeWav(1, rate, 16, sound);
}

}  // namespace vx::test

#include <gtest/gtest.h>

namespace vx::test {
namespace {
class TempDirEnvironment : public ::testing::Environment {
 public:
  void SetUp() override { EnterTempDir(); }
};
[[maybe_unused]] ::testing::Environment* const gTempDir =
    ::testing::AddGlobalTestEnvironment(new TempDirEnvironment);
}  // namespace
}  // namespace vx::test
