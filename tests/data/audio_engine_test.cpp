// The generated effects and modules played by the game's own sound engine and
// module player over the headless platform.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "audio/music.h"
#include "audio/sound_effects.h"
#include "audio/wav_writer.h"
#include "data/s3m_test_reader.h"
#include "platform/headless/headless_platform.h"
#include "platform/platform.h"
#include "sound/s3m_module.h"
#include "sound/sound.h"
#include "sound/wav_data.h"

namespace vx {
namespace {

// The engine logs into the working directory: give each test its own.
void EnterTempDir() {
  char dir[] = "/tmp/vx_audio_data_XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  ASSERT_EQ(chdir(dir), 0);
}

class EffectsInEngine : public ::testing::Test {
 protected:
  void SetUp() override {
    EnterTempDir();
    saved_ = gPlatform;
    gPlatform = hp_.platform();
    SetSampleVolume(100);
    SetReverseStereo(0);
    ASSERT_EQ(OpenSoundDevice(), 0);
    ASSERT_EQ(SetOutputFormat(44100, 1, 1, 1), 0);
  }
  void TearDown() override {
    CloseSoundDevice();
    gPlatform = saved_;
  }
  HeadlessPlatform hp_;
  Platform* saved_ = nullptr;
};

TEST_F(EffectsInEngine, EachLoadsInHandleOrderAndPlaysAtItsLengthAndLevel) {
  std::vector<std::vector<uint8_t>> files;
  for (const mkdata::SoundEffect& e : mkdata::MakeSoundEffects())
    files.push_back(mkdata::EncodeWav16Mono(e.samples, mkdata::kEffectRate));
  for (size_t i = 0; i < files.size(); ++i) {
    SCOPED_TRACE(i);
    WavData wav;
    ASSERT_EQ(ParseWav(files[i].data(), static_cast<uint32_t>(files[i].size()), &wav), WavResult::kOk);
    EXPECT_EQ(wav.format.channels, 1);
    EXPECT_EQ(wav.format.bits, 16);
    EXPECT_EQ(wav.format.rate, 44100);
    EXPECT_EQ(wav.size, files[i].size() - 44);
    EXPECT_EQ(CreateSample(files[i].data(), static_cast<uint32_t>(files[i].size()), 0), static_cast<int>(i));
  }
  for (size_t i = 0; i < files.size(); ++i) {
    SCOPED_TRACE(i);
    const int frames = static_cast<int>(files[i].size() - 44) / 2;
    ASSERT_EQ(PlaySample(static_cast<int>(i), 100, 50), 0);
    std::vector<int16_t> out((frames + 4410) * 2);
    hp_.audio.Pull(out.data(), frames + 4410);
    int peak = 0, last = -1;
    for (int f = 0; f < frames + 4410; ++f) {
      int v = std::max(std::abs(static_cast<int>(out[2 * f])), std::abs(static_cast<int>(out[2 * f + 1])));
      peak = std::max(peak, v);
      if (v > 64) last = f;
    }
    // Centre pan and full volumes: the effect comes out as it was made.
    EXPECT_NEAR(20.0 * std::log10(peak / 32768.0), -3.0, 0.6);
    EXPECT_LE(last, frames);
    EXPECT_GT(last, frames / 4);
  }
}

// Every module loads in the game's player, lasts what our own reading of
// the file says, and mixes without the wrap-around of an overfull sum.
TEST(ModulesInPlayer, LoadPlayAndStayInsideSixteenBits) {
  for (const std::string& name : mkdata::ModuleNames()) {
    SCOPED_TRACE(name);
    std::vector<uint8_t> bytes;
    mkdata::ComposeReport report;
    std::string error;
    ASSERT_TRUE(mkdata::BuildModule(mkdata::MusicSourceDir() + "/" + name + ".song", &bytes, &report, &error))
        << error;
    std::unique_ptr<S3mModule> m = LoadS3m(bytes.data(), static_cast<uint32_t>(bytes.size()), 44100, true, true, true);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->channelCount, report.channels);
    std::unique_ptr<S3mModule> probe = LoadS3m(bytes.data(), static_cast<uint32_t>(bytes.size()), 44100, true, true, true);
    EXPECT_NEAR(ModuleSongLength(*probe), report.seconds, report.seconds * 0.01);

    const int block = 4410;
    std::vector<int16_t> out(block * 2);
    int prevL = 0, prevR = 0, biggestJump = 0;
    double sum = 0;
    long frames = 0;
    const long total = static_cast<long>(report.seconds * 44100);
    while (frames < total) {
      int got = MixModule(m.get(), out.data(), block * 4);
      ASSERT_GT(got, 0);
      for (int f = 0; f < got; ++f) {
        int l = out[2 * f], r = out[2 * f + 1];
        biggestJump = std::max({biggestJump, std::abs(l - prevL), std::abs(r - prevR)});
        prevL = l;
        prevR = r;
        sum += static_cast<double>(l) * l + static_cast<double>(r) * r;
      }
      frames += got;
    }
    // A wrapped sum jumps by tens of thousands between neighbouring samples.
    EXPECT_LT(biggestJump, 24000);
    double rmsDb = 20.0 * std::log10(std::sqrt(sum / (2.0 * frames)) / 32768.0);
    EXPECT_GT(rmsDb, -30.0);
    EXPECT_LT(rmsDb, -12.0);
  }
}

}  // namespace
}  // namespace vx
