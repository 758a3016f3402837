// Music streaming through the voice mixer, with the timer stepped by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "platform/headless/headless_platform.h"
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
  int out[2];
  auto plan = [&](int last, uint32_t pos, uint32_t busy) {
    std::vector<int> v;
    const int n = ChooseMusicBlocks(last, pos, busy, b, out);
    v.assign(out, out + n);
    return v;
  };
  using V = std::vector<int>;
  // After the start, blocks 1..4 are written (they end at 4 b); playback near the start.
  EXPECT_EQ(plan(4, 1500, 10), V{0});
  EXPECT_EQ(plan(0, 2500, 10), V{1});  // block 0 ends at 5 b = 0
  EXPECT_EQ(plan(2, 3100, 10), V{3});
  // Playback inside the block written last: the next two are due...
  EXPECT_EQ(plan(4, 3500, 10), (V{0, 1}));
  EXPECT_EQ(plan(0, 4100, 10), (V{1, 2}));
  // ...but one the output is about to read is left alone.
  EXPECT_EQ(plan(4, 3995, 10), V{1});
  EXPECT_EQ(plan(0, 4999, 10), V{2});
  // Playback inside the next block: the whole voice is written ahead already.
  EXPECT_EQ(plan(4, 4200, 10), V{});
  EXPECT_EQ(plan(0, 10, 10), V{});
  EXPECT_EQ(plan(4, 2995, 10), V{0});  // the read-ahead stays clear of block 0
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

namespace vx {
namespace {

// The platform's headless back end in virtual time: the timer fires every 100 ms
// and the output pulls audio as time passes, as a sound card would.
TEST(MusicStreamHeadless, PlaysInOrderWithoutGaps) {
  CloseSoundDevice();
  HeadlessPlatform hp;
  gPlatform = hp.platform();
  hp.audio.followClock = true;
  hp.audio.capture = true;
  hp.timersFollowClock = true;
  SetMusicVolume(100);
  ASSERT_EQ(OpenSoundDevice(), 0);
  S3mWriter w;
  w.speed = 1;  // a row every 20 ms
  w.samples.push_back(test::ConstantSample(2000, 0xC0, true));
  for (int r = 0; r < 64; ++r) w.patterns[0].push_back({r, 0, r ? -1 : Note(4, 0), r ? 0 : 1, r + 1, 0, 0});
  const std::vector<uint8_t> image = w.Build();
  ASSERT_EQ(StartModule(image.data(), static_cast<uint32_t>(image.size())), 0);
  for (int i = 0; i < 120; ++i) hp.Advance(10);
  ASSERT_EQ(StopModule(), 0);
  CloseSoundDevice();
  gPlatform = nullptr;

  // The volume column rises row by row and the song repeats every 1.28 s: the
  // left output must rise steadily and fall only at each repeat.
  const std::vector<int16_t>& out = hp.audio.captured;
  ASSERT_GE(out.size(), 2u * 44100);
  int falls = 0;
  for (size_t f = 441; f < 44100; f += 441) {
    const int16_t now = out[2 * f], before = out[2 * (f - 441)];
    EXPECT_GT(now, 0) << f;
    if (now < before) ++falls;
  }
  EXPECT_EQ(falls, 0);
}

}  // namespace
}  // namespace vx
