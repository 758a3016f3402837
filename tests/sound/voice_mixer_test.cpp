// The software sound device: resampling, loops, positions and shared data.
#include <gtest/gtest.h>

#include "sound/voice_mixer.h"

namespace vx {
namespace {

void Fill(VoiceMixer& mixer, Voice* v, const std::vector<uint8_t>& bytes) {
  ASSERT_TRUE(mixer.Write(v, 0, bytes.data(), static_cast<uint32_t>(bytes.size())));
}

TEST(VoiceMixer, ResamplesAnyFormatToTheOutput) {
  VoiceMixer mixer;
  ASSERT_TRUE(mixer.Open(nullptr));
  PcmFormat f{22050, 8, 1};
  Voice* v = mixer.CreateVoice(f, 1000);  // 1000 frames at half the output rate
  ASSERT_TRUE(v);
  Fill(mixer, v, std::vector<uint8_t>(1000, 0x80 + 64));
  mixer.Play(v, false);
  std::vector<int16_t> out(2 * 2100);
  mixer.Mix(out.data(), 2100);
  EXPECT_EQ(out[0], 64 << 8);
  EXPECT_EQ(out[1], 64 << 8);
  EXPECT_EQ(out[2 * 1990], 64 << 8);
  EXPECT_EQ(out[2 * 2010], 0);  // done after about 2000 output frames
  EXPECT_FALSE(mixer.IsPlaying(v));
  EXPECT_EQ(mixer.PlayPosition(v), 0u);  // a finished voice starts from the top again
  mixer.Release(v);

  PcmFormat stereo{44100, 16, 2};
  Voice* s = mixer.CreateVoice(stereo, 400);
  Fill(mixer, s, {0x10, 0x27, 0xF0, 0xD8});  // +10000, -10000
  mixer.Play(s, true);
  int16_t two[4];
  mixer.Mix(two, 2);
  EXPECT_EQ(two[0], 10000);
  EXPECT_EQ(two[1], -10000);
  EXPECT_EQ(two[2], 0);
  mixer.Release(s);
}

TEST(VoiceMixer, LoopingVoiceAndPlayPosition) {
  VoiceMixer mixer;
  ASSERT_TRUE(mixer.Open(nullptr));
  Voice* v = mixer.CreateVoice({44100, 16, 2}, 4 * 100);
  mixer.Play(v, true);
  std::vector<int16_t> out(2 * 250);
  mixer.Mix(out.data(), 250);
  EXPECT_TRUE(mixer.IsPlaying(v));
  EXPECT_EQ(mixer.PlayPosition(v), 4u * 50);
  mixer.SetPosition(v, 4 * 10 + 3);
  EXPECT_EQ(mixer.PlayPosition(v), 4u * 10);
  mixer.Stop(v);
  EXPECT_FALSE(mixer.IsPlaying(v));
  EXPECT_EQ(mixer.PlayingCount(), 0);
  mixer.Release(v);
}

TEST(VoiceMixer, DuplicatesShareTheData) {
  VoiceMixer mixer;
  ASSERT_TRUE(mixer.Open(nullptr));
  Voice* v = mixer.CreateVoice({44100, 16, 1}, 200);
  Voice* d = mixer.Duplicate(v);
  ASSERT_TRUE(d);
  std::vector<uint8_t> bytes;
  for (int i = 0; i < 100; ++i) bytes.insert(bytes.end(), {0xE8, 0x03});  // 1000
  Fill(mixer, v, bytes);
  mixer.Release(v);  // the duplicate keeps the data alive
  mixer.SetVolume(d, -600);
  mixer.Play(d, false);
  int16_t out[2];
  mixer.Mix(out, 1);
  EXPECT_NEAR(out[0], 1000 * 0.501, 1);  // -6 dB
  mixer.Release(d);
}

TEST(VoiceMixer, RejectsBadRangesAndFormats) {
  VoiceMixer mixer;
  ASSERT_TRUE(mixer.Open(nullptr));
  Voice* v = mixer.CreateVoice({44100, 8, 1}, 100);
  const uint8_t bytes[20] = {};
  EXPECT_TRUE(mixer.Write(v, 80, bytes, 20));
  EXPECT_FALSE(mixer.Write(v, 90, bytes, 20));
  EXPECT_FALSE(mixer.Write(v, 0xFFFFFFF0u, bytes, 20));
  EXPECT_FALSE(mixer.CreateVoice({44100, 24, 1}, 100));
  EXPECT_FALSE(mixer.CreateVoice({44100, 16, 2}, 3));
  mixer.Release(v);
}

TEST(VoiceMixer, ManyLoudVoicesClip) {
  VoiceMixer mixer;
  ASSERT_TRUE(mixer.Open(nullptr));
  std::vector<Voice*> voices;
  for (int i = 0; i < 5; ++i) {
    Voice* v = mixer.CreateVoice({44100, 16, 1}, 20);
    Fill(mixer, v, std::vector<uint8_t>(20, 0x60));  // 0x6060 = 24672
    mixer.Play(v, true);
    voices.push_back(v);
  }
  int16_t out[2];
  mixer.Mix(out, 1);
  EXPECT_EQ(out[0], 32767);
  for (Voice* v : voices) mixer.Release(v);
}

}  // namespace
}  // namespace vx
