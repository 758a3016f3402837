// The nine generated sound effects, read back the way the game's loader reads
// a WAV file: fixed offsets, the "data" chunk right after "fmt ", bits from the
// block alignment.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "audio/sound_effects.h"
#include "audio/wav_writer.h"

namespace vx::mkdata {
namespace {

struct LoaderView {
  bool ok = false;
  int channels = 0, rate = 0, bits = 0;
  std::vector<int16_t> samples;
};

// What the loader accepts, byte for byte.
LoaderView ReadLikeLoader(const std::vector<uint8_t>& w) {
  LoaderView v;
  auto u16 = [&](size_t at) { return static_cast<uint32_t>(w[at] | w[at + 1] << 8); };
  auto u32 = [&](size_t at) { return u16(at) | u16(at + 2) << 16; };
  if (w.size() < 36 || std::memcmp(&w[0], "RIFF", 4) || std::memcmp(&w[8], "WAVE", 4) ||
      std::memcmp(&w[12], "fmt ", 4))
    return v;
  uint32_t f = u32(16);
  if (w.size() < 28 + f || std::memcmp(&w[20 + f], "data", 4)) return v;
  uint32_t d = u32(24 + f);
  if (w.size() < 28 + f + d) return v;
  v.channels = static_cast<int>(u16(22));
  v.rate = static_cast<int>(u32(24));
  v.bits = v.channels ? static_cast<int>(u16(32) * 8 / v.channels) : 0;
  if (v.bits == 16)
    for (uint32_t i = 0; i + 1 < d; i += 2)
      v.samples.push_back(static_cast<int16_t>(u16(28 + f + i)));
  v.ok = true;
  return v;
}

TEST(SoundEffectsTest, NineEffectsInHandleOrder) {
  std::vector<SoundEffect> fx = MakeSoundEffects();
  std::vector<std::string> names;
  for (const auto& e : fx) names.push_back(e.name);
  EXPECT_EQ(names, (std::vector<std::string>{"HitBlock.wav", "HitSolid.wav", "Spring.wav", "Fire.wav",
                                             "Activate.wav", "LifeLoss.wav", "KillEnemy.wav",
                                             "Explosion.wav", "barrier.wav"}));
}

TEST(SoundEffectsTest, EachReadsAsMono16BitWithPeakNearMinus3dBAndQuietEdges) {
  for (const SoundEffect& e : MakeSoundEffects()) {
    SCOPED_TRACE(e.name);
    LoaderView v = ReadLikeLoader(EncodeWav16Mono(e.samples, kEffectRate));
    ASSERT_TRUE(v.ok);
    EXPECT_EQ(v.channels, 1);
    EXPECT_EQ(v.bits, 16);
    EXPECT_EQ(v.rate, kEffectRate);
    ASSERT_EQ(v.samples.size(), e.samples.size());
    double seconds = static_cast<double>(v.samples.size()) / v.rate;
    EXPECT_GT(seconds, 0.03);
    EXPECT_LT(seconds, 1.5);
    int peak = 0;
    for (int16_t s : v.samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
    double db = 20.0 * std::log10(peak / 32768.0);
    EXPECT_NEAR(db, -3.0, 0.5);
    // No click: the first and last samples sit at silence and the first
    // millisecond rises gently.
    EXPECT_LE(std::abs(v.samples.front()), 16);
    EXPECT_LE(std::abs(v.samples.back()), 16);
    int firstMs = 0;
    for (size_t i = 0; i < 20; ++i) firstMs = std::max(firstMs, std::abs(static_cast<int>(v.samples[i])));
    EXPECT_LT(firstMs, peak / 4);
  }
}

TEST(SoundEffectsTest, ShortOnesStayShort) {
  for (const SoundEffect& e : MakeSoundEffects()) {
    double seconds = static_cast<double>(e.samples.size()) / kEffectRate;
    if (e.name == "HitBlock.wav") {
      EXPECT_LT(seconds, 0.1);
    }
    if (e.name == "Explosion.wav") {
      EXPECT_LT(seconds, 1.5);
    }
  }
}

TEST(SoundEffectsTest, GenerationIsDeterministic) {
  std::vector<SoundEffect> a = MakeSoundEffects(), b = MakeSoundEffects();
  ASSERT_EQ(a.size(), b.size());
  for (size_t i = 0; i < a.size(); ++i)
    EXPECT_EQ(EncodeWav16Mono(a[i].samples, kEffectRate), EncodeWav16Mono(b[i].samples, kEffectRate));
}

TEST(WavWriterTest, HeaderIsTheMinimalLayoutAndValuesClamp) {
  std::vector<uint8_t> w = EncodeWav16Mono({0.0f, 1.0f, -1.0f, 2.5f, -7.0f}, 22050);
  ASSERT_EQ(w.size(), 44u + 10u);
  EXPECT_EQ(std::string(w.begin(), w.begin() + 4), "RIFF");
  EXPECT_EQ(w[4] | w[5] << 8, 36 + 10);
  EXPECT_EQ(std::string(w.begin() + 36, w.begin() + 40), "data");
  LoaderView v = ReadLikeLoader(w);
  ASSERT_TRUE(v.ok);
  EXPECT_EQ(v.rate, 22050);
  EXPECT_EQ(v.samples, (std::vector<int16_t>{0, 32767, -32767, 32767, -32767}));
}

}  // namespace
}  // namespace vx::mkdata
