// Music started, changed and stopped over and over while a timer thread fills
// blocks and an audio thread pulls the output. Meant for the ThreadSanitizer
// build (-DVX_TSAN=ON); in a plain build it still checks nothing deadlocks.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "s3m_writer.h"
#include "sound/sound.h"
#include "sound_fakes.h"

namespace vx {
namespace {

using test::Fx;
using test::Note;

TEST(MusicThreads, StartChangeStopUnderLoad) {
  CloseSoundDevice();
  test::FakePlatform platform;
  test::FakePlatform::threadTimerMs = 1;  // fill far more often than 100 ms
  ASSERT_EQ(OpenSoundDevice(), 0);

  test::S3mWriter w;
  w.speed = 1;
  w.samples.push_back(test::ConstantSample(3000, 0xD0, true));
  w.samples.push_back(test::ConstantSample(500, 0x30, false));
  for (int r = 0; r < 64; ++r) {
    w.patterns[0].push_back({r, r % 4, Note(3 + r % 3, r % 12), 1 + r % 2, -1, Fx('D'), 0x01});
  }
  const std::vector<uint8_t> image = w.Build();
  const std::vector<uint8_t> wav = test::ConstantWav16(2000, 3000);
  const int effect = CreateSample(wav.data(), static_cast<uint32_t>(wav.size()), 0);

  std::atomic<bool> done{false};
  std::thread audio([&] {
    while (!done.load()) {
      platform.audio.Pull(256);
      std::this_thread::yield();
    }
  });

  for (int round = 0; round < 30; ++round) {
    SetOutputFormat(round % 3 ? 44100 : 22050, round % 2, round % 4 != 1, round % 5 != 2);
    ASSERT_EQ(StartModule(image.data(), static_cast<uint32_t>(image.size())), 0);
    for (int i = 0; i < 10; ++i) {
      SetMusicVolume(static_cast<uint8_t>((round * 7 + i * 13) % 101));
      SetModuleDivisor(20 + i);
      PlaySample(effect, 100, i * 10);
      std::this_thread::sleep_for(std::chrono::microseconds(300));
    }
    ASSERT_EQ(StopModule(), 0);
  }
  done = true;
  audio.join();
  CloseSoundDevice();
}

}  // namespace
}  // namespace vx
