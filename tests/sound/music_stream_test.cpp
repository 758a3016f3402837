// Music streaming through the voice mixer, with the timer stepped by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "s3m_writer.h"
#include "sound/music_stream.h"
#include "sound/s3m_module.h"
#include "sound/sound.h"
#include "sound_fakes.h"

namespace vx {
namespace {

using test::Note;
using test::S3mWriter;

std::vector<uint8_t> ToneModule() {
  S3mWriter w;
  w.samples.push_back(test::ConstantSample(2000, 0xC0, true));
  w.patterns[0].push_back({0, 0, Note(4, 0), 1, -1, 0, 0});
  return w.Build();
}

class MusicStream : public ::testing::Test {
 protected:
  void SetUp() override {
    CloseSoundDevice();
    SetMusicVolume(100);
    ASSERT_EQ(OpenSoundDevice(), 0);
    SetOutputFormat(44100, 1, 1, 1);
  }
  void TearDown() override { CloseSoundDevice(); }
  int Start(const std::vector<uint8_t>& image) {
    return StartModule(image.data(), static_cast<uint32_t>(image.size()));
  }
  double LeftLevel(int frames) {
    std::vector<int16_t> out = platform_.audio.Pull(frames);
    double sum = 0;
    for (int i = 0; i < frames; ++i) sum += out[2 * i];
    return sum / frames;
  }
  test::FakePlatform platform_;
};

TEST_F(MusicStream, StartStopAndTheirRefusals) {
  const std::vector<uint8_t> image = ToneModule();
  EXPECT_EQ(SetModuleDivisor(42), 2);
  EXPECT_STREQ(SoundLastError(), "Module not loaded");
  EXPECT_EQ(StopModule(), 2);
  EXPECT_STREQ(SoundLastError(), "Module already stopped");
  EXPECT_EQ(Start(image), 0);
  EXPECT_EQ(IsModulePlaying(), 1);
  EXPECT_EQ(platform_.clock.ms, 100u);  // the head start
  ASSERT_TRUE(test::FakePlatform::lastTimer);
  EXPECT_TRUE(test::FakePlatform::lastTimer->running);
  EXPECT_EQ(Start(image), 2);
  EXPECT_STREQ(SoundLastError(), "Module already playing");
  EXPECT_EQ(SetOutputFormat(22050, 1, 1, 1), 1);
  EXPECT_EQ(SetModuleDivisor(0), 0);
  EXPECT_EQ(PlayingModule()->divisor.load(), 42);
  EXPECT_EQ(SetModuleDivisor(21), 0);
  EXPECT_EQ(PlayingModule()->divisor.load(), 21);
  EXPECT_EQ(StopModule(), 0);
  EXPECT_EQ(IsModulePlaying(), 0);
  EXPECT_EQ(StopModule(), 2);
  EXPECT_EQ(Start(image), 0);  // music changes are stop, then start
  EXPECT_EQ(StopModule(), 0);
}

TEST_F(MusicStream, FailedStartsLeaveNothingBehind) {
  std::vector<uint8_t> garbage(500, 0x55);
  EXPECT_EQ(Start(garbage), 1);
  EXPECT_STREQ(SoundLastError(), "Error loading module");
  EXPECT_EQ(IsModulePlaying(), 0);
  test::FakePlatform::failTimer = true;
  EXPECT_EQ(Start(ToneModule()), 1);
  EXPECT_STREQ(SoundLastError(), "Error setting timer");
  test::FakePlatform::failTimer = false;
  EXPECT_EQ(platform_.audio.Pull(100)[0], 0);  // its voice is gone
  EXPECT_EQ(Start(ToneModule()), 0);
  EXPECT_EQ(StopModule(), 0);
}

TEST_F(MusicStream, StreamsTheModuleAtTheMusicVolume) {
  ASSERT_EQ(Start(ToneModule()), 0);
  // Channel 0: pan 3, output volume 390, sample value 64: (12 x 390 x 64) >> 6.
  const double full = 12 * 390;
  EXPECT_NEAR(LeftLevel(1000), full, 2);
  SetMusicVolume(50);
  EXPECT_NEAR(LeftLevel(1000), full * std::pow(10.0, -451 / 2000.0), 3);
  SetMusicVolume(0);
  EXPECT_EQ(LeftLevel(1000), 0);
  SetMusicVolume(100);
  // Keep playing past the four blocks written at the start: the timer refills.
  for (int i = 0; i < 30; ++i) {
    test::FakePlatform::lastTimer->Fire();
    EXPECT_NEAR(LeftLevel(4410), full, 2) << i;
  }
  EXPECT_EQ(StopModule(), 0);
  EXPECT_EQ(LeftLevel(100), 0);
}

TEST(MusicBlocks, CatchUpRule) {
  const uint32_t b = 1000;
  // After the start, blocks 1..4 are written (E = 4 b); playback near the start.
  EXPECT_EQ(ChooseMusicBlock(4, 1500, b), 0);
  EXPECT_EQ(ChooseMusicBlock(0, 2500, b), 1);  // E = 5 b = 0
  // Playback inside the block written last: two blocks are due.
  EXPECT_EQ(ChooseMusicBlock(4, 3500, b), -2);
  EXPECT_EQ(ChooseMusicBlock(0, 4999, b), -2);
  // Playback inside the block that starts at E: the whole voice is ahead.
  EXPECT_EQ(ChooseMusicBlock(4, 4200, b), -1);
  EXPECT_EQ(ChooseMusicBlock(0, 10, b), -1);
  EXPECT_EQ(ChooseMusicBlock(2, 3100, b), 3);
}

TEST_F(MusicStream, LateTimerCatchesUpWithFreshMusic) {
  S3mWriter w;
  w.speed = 1;
  w.samples.push_back(test::ConstantSample(2000, 0xC0, true));
  // The volume rises row by row, so stale audio would show as a step back.
  for (int r = 0; r < 64; ++r) w.patterns[0].push_back({r, 0, r ? -1 : Note(4, 0), r ? 0 : 1, r, 0, 0});
  ASSERT_EQ(Start(w.Build()), 0);
  double last = -1;
  for (int i = 0; i < 3; ++i) {
    // Late ticks: playback has reached the block written last.
    std::vector<int16_t> out = platform_.audio.Pull(4410 * 2);
    test::FakePlatform::lastTimer->Fire();
    for (size_t f = 0; f < out.size() / 2; f += 441) {
      EXPECT_GE(out[2 * f], last) << i << " " << f;
      last = out[2 * f];
    }
  }
  StopModule();
}

}  // namespace
}  // namespace vx
