// Music started, changed and stopped over and over while a timer thread fills
// blocks and an audio thread pulls the output. Meant for the ThreadSanitizer
// build (-DVX_TSAN=ON); in a plain build it still checks nothing deadlocks.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

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

// Music changed thousands of times, as the screens change it (stop, then
// start), while a timer thread fills blocks every millisecond, an audio thread
// pulls the output and the main thread turns the volume and the divisor.
TEST(MusicThreads, ThousandsOfStartsChangesAndStops) {
  CloseSoundDevice();
  test::FakePlatform platform;
  test::FakePlatform::threadTimerMs = 1;
  ASSERT_EQ(OpenSoundDevice(), 0);

  std::vector<uint8_t> songs[2];
  for (int k = 0; k < 2; ++k) {
    test::S3mWriter w;
    w.speed = 1 + k;
    w.samples.push_back(test::ConstantSample(700 + 300 * k, k ? 0x30 : 0xD0, true));
    for (int r = 0; r < 64; r += 2)
      w.patterns[0].push_back({r, r % 4, Note(4, (r + k) % 12), 1, -1, Fx('H'), 0x44});
    songs[k] = w.Build();
  }

  std::atomic<bool> done{false};
  std::atomic<bool> heard{false};
  std::thread audio([&] {
    while (!done.load()) {
      for (int16_t v : platform.audio.Pull(128))
        if (v != 0) heard = true;
      std::this_thread::yield();
    }
  });

  constexpr int kRounds = 3000;
  for (int round = 0; round < kRounds; ++round) {
    // Low rates keep the start's four blocks cheap; now and then the real one.
    if (round % 10 == 0) SetOutputFormat(round % 100 ? 8000 : 44100, round % 20 == 0, round % 30 != 0, 1);
    const std::vector<uint8_t>& song = songs[round % 2];
    ASSERT_EQ(StartModule(song.data(), static_cast<uint32_t>(song.size())), 0) << round;
    for (int i = 0; i < 3; ++i) {
      SetMusicVolume(static_cast<uint8_t>((round + i * 37) % 101));
      SetModuleDivisor(30 + (round + i) % 20);
      std::this_thread::yield();
    }
    // Every few rounds the timer certainly gets to fill while the volume moves.
    if (round % 25 == 0) {
      for (int i = 0; i < 4; ++i) {
        SetMusicVolume(static_cast<uint8_t>(i * 30));
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
    }
    ASSERT_EQ(StopModule(), 0) << round;
  }
  EXPECT_EQ(IsModulePlaying(), 0);
  EXPECT_EQ(StopModule(), 2) << "stopped already";
  done = true;
  audio.join();
  EXPECT_TRUE(heard.load()) << "the music reached the output";
  CloseSoundDevice();
}

}  // namespace
}  // namespace vx
