#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "sound/sound.h"
#include "sound/sound_engine.h"
#include "sound_fakes.h"

namespace vx {
namespace {

using test::ConstantWav16;
using test::MakeWav;

class SampleEngine : public ::testing::Test {
 protected:
  void SetUp() override {
    CloseSoundDevice();
    SetSampleVolume(100);
    SetMusicVolume(100);
    SetReverseStereo(0);
    ASSERT_EQ(OpenSoundDevice(), 0);
  }
  void TearDown() override { CloseSoundDevice(); }

  // Mean of the left and right output over `frames` pulled frames.
  void MeanLevels(int frames, double* left, double* right) {
    std::vector<int16_t> out = platform_.audio.Pull(frames);
    double l = 0, r = 0;
    for (int i = 0; i < frames; ++i) {
      l += out[2 * i];
      r += out[2 * i + 1];
    }
    *left = l / frames;
    *right = r / frames;
  }

  test::FakePlatform platform_;
};

TEST(VolumeLaw, AttenuationValues) {
  EXPECT_EQ(VolumeToAttenuation(0), -10000);
  EXPECT_EQ(VolumeToAttenuation(1), -3000);
  EXPECT_EQ(VolumeToAttenuation(10), -1500);
  EXPECT_EQ(VolumeToAttenuation(50), -451);
  EXPECT_EQ(VolumeToAttenuation(70), -231);
  EXPECT_EQ(VolumeToAttenuation(100), 0);
  EXPECT_EQ(VolumeToAttenuation(-5), -10000);
  EXPECT_EQ(VolumeToAttenuation(250), 0);
  for (int x = 1; x < 100; ++x) EXPECT_LE(VolumeToAttenuation(x), VolumeToAttenuation(x + 1));
}

TEST_F(SampleEngine, WavLayoutChecks) {
  std::vector<uint8_t> good = ConstantWav16(100, 1000);
  EXPECT_EQ(CreateSample(good.data(), static_cast<uint32_t>(good.size()), 0), 0);

  // Any chunk between the format and the data chunk is refused.
  std::vector<uint8_t> withList = good;
  const uint8_t list[] = {'L', 'I', 'S', 'T', 4, 0, 0, 0, 'I', 'N', 'F', 'O'};
  withList.insert(withList.begin() + 36, std::begin(list), std::end(list));
  EXPECT_EQ(CreateSample(withList.data(), static_cast<uint32_t>(withList.size()), 0), -1);
  EXPECT_STREQ(SoundLastError(), "Not a WAV file");

  for (size_t at : {0u, 8u, 12u, 36u}) {
    std::vector<uint8_t> bad = good;
    bad[at] ^= 0x20;
    EXPECT_EQ(CreateSample(bad.data(), static_cast<uint32_t>(bad.size()), 0), -1) << at;
    EXPECT_STREQ(SoundLastError(), "Not a WAV file");
  }
  // A longer format chunk moves the data chunk with it.
  std::vector<uint8_t> longFmt = MakeWav(1, 22050, 8, std::vector<uint8_t>(50, 0x80), 18);
  EXPECT_EQ(CreateSample(longFmt.data(), static_cast<uint32_t>(longFmt.size()), 0), 1);
}

TEST_F(SampleEngine, HostileWavFilesAreRefusedSafely) {
  std::vector<uint8_t> good = ConstantWav16(64, 1000);
  // Every truncation either loads (a cut data chunk) or is refused; none crashes.
  for (size_t n = 0; n < good.size(); ++n) {
    CloseSoundDevice();
    ASSERT_EQ(OpenSoundDevice(), 0);
    int h = CreateSample(good.data(), static_cast<uint32_t>(n), 0);
    if (n < 44) {
      EXPECT_EQ(h, -1) << n;
    } else {
      EXPECT_EQ(h, 0) << n;
    }
  }
  // A data size far beyond the file is cut to what is there.
  std::vector<uint8_t> huge = good;
  huge[40] = huge[41] = huge[42] = 0xFF;
  huge[43] = 0x7F;
  EXPECT_GE(CreateSample(huge.data(), static_cast<uint32_t>(huge.size()), 0), 0);
  // A format chunk size that points past the end.
  std::vector<uint8_t> farFmt = good;
  farFmt[16] = farFmt[17] = farFmt[18] = farFmt[19] = 0xFF;
  EXPECT_EQ(CreateSample(farFmt.data(), static_cast<uint32_t>(farFmt.size()), 0), -1);
  // Formats no voice can hold.
  for (auto wav : {MakeWav(0, 44100, 16, {0, 0}), MakeWav(3, 44100, 16, {0, 0, 0, 0, 0, 0}),
                   MakeWav(1, 0, 16, {0, 0}), MakeWav(1, 44100, 24, {0, 0, 0})}) {
    EXPECT_EQ(CreateSample(wav.data(), static_cast<uint32_t>(wav.size()), 0), -1);
    EXPECT_STREQ(SoundLastError(), "Error create sound buffer");
  }
  // Garbage and nothing at all.
  std::vector<uint8_t> garbage(300);
  for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<uint8_t>(i * 37 + 11);
  EXPECT_EQ(CreateSample(garbage.data(), static_cast<uint32_t>(garbage.size()), 0), -1);
  EXPECT_EQ(CreateSample(nullptr, 0, 0), -1);
}

TEST_F(SampleEngine, HandlesAndTheClick) {
  std::vector<uint8_t> wav = ConstantWav16(2000, 8000);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(CreateSample(wav.data(), static_cast<uint32_t>(wav.size()), 0), i);
  EXPECT_EQ(PlaySample(9, 100, 50), 4);
  EXPECT_STREQ(SoundLastError(), "Invalid handle");
  EXPECT_EQ(PlaySample(-1, 100, 50), 4);

  // The click plays handle 0 at the centre.
  PlayClick();
  double l, r;
  MeanLevels(500, &l, &r);
  EXPECT_NEAR(l, 8000, 40);
  EXPECT_NEAR(r, 8000, 40);
}

TEST_F(SampleEngine, HundredSamplesAtMost) {
  std::vector<uint8_t> wav = ConstantWav16(10, 0);
  for (int i = 0; i < 100; ++i) ASSERT_EQ(CreateSample(wav.data(), static_cast<uint32_t>(wav.size()), 0), i);
  EXPECT_EQ(CreateSample(wav.data(), static_cast<uint32_t>(wav.size()), 0), -1);
  EXPECT_STREQ(SoundLastError(), "Not enougth handles for sample");
}

TEST_F(SampleEngine, DuplicatesSoundTogetherAndAreCleanedUp) {
  std::vector<uint8_t> spring = ConstantWav16(4410, 2000);  // 0.1 s
  const int h = CreateSample(spring.data(), static_cast<uint32_t>(spring.size()), 0);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(PlaySample(h, 100, 50), 0);
    platform_.audio.Pull(10);
  }
  EXPECT_EQ(SampleDuplicatesInUse(h), 3);
  double l, r;
  MeanLevels(100, &l, &r);
  EXPECT_NEAR(l, 4 * 2000, 40);  // four voices at once

  platform_.audio.Pull(5000);  // all finished
  EXPECT_EQ(PlaySample(h, 100, 50), 0);  // voice 0 is free again; the duplicates go
  EXPECT_EQ(SampleDuplicatesInUse(h), 0);
  MeanLevels(100, &l, &r);
  EXPECT_NEAR(l, 2000, 20);
}

TEST_F(SampleEngine, VoiceLimitPerSampleIsSafe) {
  std::vector<uint8_t> wav = ConstantWav16(44100, 10);
  const int h = CreateSample(wav.data(), static_cast<uint32_t>(wav.size()), 0);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(PlaySample(h, 100, 50), 0) << i;
  EXPECT_EQ(SampleDuplicatesInUse(h), 99);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(PlaySample(h, 100, 50), 1);
    EXPECT_STREQ(SoundLastError(), "Not enougth handles to play sample");
  }
  EXPECT_EQ(SampleDuplicatesInUse(h), 99);
  platform_.audio.Pull(44200);
  EXPECT_EQ(PlaySample(h, 100, 50), 0);
  EXPECT_EQ(SampleDuplicatesInUse(h), 0);
}

TEST_F(SampleEngine, NoDuplicatesFlagKeepsOneVoice) {
  std::vector<uint8_t> wav = ConstantWav16(44100, 10);
  const int h = CreateSample(wav.data(), static_cast<uint32_t>(wav.size()), 1);
  EXPECT_EQ(PlaySample(h, 100, 50), 0);
  EXPECT_EQ(PlaySample(h, 100, 50), 0);
  EXPECT_EQ(SampleDuplicatesInUse(h), 0);
}

TEST_F(SampleEngine, PanLawAndReverseStereo) {
  std::vector<uint8_t> wav = ConstantWav16(20000, 10000);
  const int h = CreateSample(wav.data(), static_cast<uint32_t>(wav.size()), 0);
  double l, r;
  PlaySample(h, 100, 0);
  MeanLevels(100, &l, &r);
  EXPECT_NEAR(l, 10000, 10);
  EXPECT_NEAR(r, 0, 1);
  CloseSoundDevice();
  ASSERT_EQ(OpenSoundDevice(), 0);
  CreateSample(wav.data(), static_cast<uint32_t>(wav.size()), 0);
  PlaySample(h, 100, 75);  // p = 5000: the left side 50 dB down
  MeanLevels(100, &l, &r);
  EXPECT_NEAR(r, 10000, 10);
  EXPECT_NEAR(l, 10000 * std::pow(10.0, -5000 / 2000.0), 2);

  CloseSoundDevice();
  ASSERT_EQ(OpenSoundDevice(), 0);
  SetReverseStereo(1);
  CreateSample(wav.data(), static_cast<uint32_t>(wav.size()), 0);
  PlaySample(h, 100, 0);  // comes out on the right
  MeanLevels(100, &l, &r);
  EXPECT_NEAR(l, 0, 1);
  EXPECT_NEAR(r, 10000, 10);
}

TEST_F(SampleEngine, SampleVolumeScalesEveryEffect) {
  std::vector<uint8_t> wav = ConstantWav16(20000, 10000);
  const int h = CreateSample(wav.data(), static_cast<uint32_t>(wav.size()), 0);
  SetSampleVolume(70);
  EXPECT_EQ(GetSampleVolume(), 70);
  PlaySample(h, 100, 50);
  double l, r;
  MeanLevels(100, &l, &r);
  EXPECT_NEAR(l, 10000 * std::pow(10.0, -231 / 2000.0), 5);  // -231 hundredths of a dB

  platform_.audio.Pull(20000);
  SetSampleVolume(0);
  PlaySample(h, 100, 50);
  MeanLevels(100, &l, &r);
  EXPECT_EQ(l, 0);
  EXPECT_EQ(r, 0);
}

TEST(SampleEngineClosed, EverythingReturnsAtOnce) {
  test::FakePlatform platform;
  CloseSoundDevice();
  std::vector<uint8_t> wav = ConstantWav16(10, 0);
  EXPECT_EQ(CreateSample(wav.data(), static_cast<uint32_t>(wav.size()), 0), 1);
  EXPECT_EQ(CreateSample(nullptr, 0, 0), 2);  // counted, never parsed
  EXPECT_EQ(PlaySample(0, 100, 50), 0);
  EXPECT_EQ(PlaySample(57, 100, 50), 0);
  EXPECT_EQ(StartModule(nullptr, 0), 0);
  EXPECT_EQ(StopModule(), 0);
  EXPECT_EQ(SetModuleDivisor(42), 0);
  CloseSoundDevice();
}

TEST(SampleEngineClosed, DeviceFailureIsReported) {
  test::FakePlatform platform;
  CloseSoundDevice();
  platform.audio.failOpen = true;
  EXPECT_EQ(OpenSoundDevice(), 1);
  EXPECT_EQ(IsSoundDeviceActive(), 0);
  EXPECT_STRNE(SoundLastError(), "");
  gPlatform = nullptr;
  EXPECT_EQ(OpenSoundDevice(), 1);
  EXPECT_STREQ(SoundLastError(), "Error creating Directsound");
}

}  // namespace
}  // namespace vx
