// The module mixer: output formats, loops, pans and loud passages.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "s3m_writer.h"
#include "sound/s3m_module.h"

namespace vx {
namespace {

using test::Fx;
using test::Note;
using test::S3mWriter;

std::unique_ptr<S3mModule> Load(const S3mWriter& w, int rate = 44100, bool is16 = true, bool stereo = true,
                                 bool interp = true) {
  std::vector<uint8_t> image = w.Build();
  return LoadS3m(image.data(), static_cast<uint32_t>(image.size()), rate, is16, stereo, interp);
}

S3mWriter ToneWriter(int level, bool loop, int channel = 0) {
  S3mWriter w;
  w.samples.push_back(test::ConstantSample(5000, static_cast<uint8_t>(0x80 + level), loop));
  w.patterns[0].push_back({0, channel, Note(4, 0), 1, -1, 0, 0});
  return w;
}

TEST(S3mMixer, LoopWrapsKeepingTheFraction) {
  S3mWriter w;
  test::S3mSample s = test::ConstantSample(100, 0xC0, true);
  s.loopStart = 50;
  s.loopEnd = 100;
  w.samples.push_back(s);
  w.patterns[0].push_back({0, 0, Note(4, 0), 1, -1, 0, 0});
  auto m = Load(w);
  std::vector<int16_t> out(2 * 10);
  MixModule(m.get(), out.data(), 4);  // one frame: the first tick has run
  S3mChannel& ch = m->channels[0];
  ch.position = (99u << 10) + 300;
  ch.step = 1024 + 100;
  MixModule(m.get(), out.data(), 4);
  EXPECT_EQ(ch.position, (50u << 10) + 400);
  EXPECT_EQ(ch.end, 100u << 10);
  // Whatever the step, the position stays inside the loop.
  ch.step = 77777;
  MixModule(m.get(), out.data(), static_cast<int>(out.size() * 2));
  EXPECT_GE(ch.position, 50u << 10);
  EXPECT_LT(ch.position, 100u << 10);
}

TEST(S3mMixer, SampleWithoutLoopPlaysOnceAndStops) {
  S3mWriter w;
  w.samples.push_back(test::ConstantSample(100, 0xC0, false));
  w.patterns[0].push_back({0, 0, Note(6, 0), 1, -1, 0, 0});
  auto m = Load(w);
  std::vector<int16_t> out(2 * 2000);
  MixModule(m.get(), out.data(), static_cast<int>(out.size() * 2));
  EXPECT_GT(out[0], 0);
  EXPECT_EQ(m->channels[0].end, 0u);
  EXPECT_EQ(out[2 * 1999], 0);
  EXPECT_EQ(out[2 * 1999 + 1], 0);
}

TEST(S3mMixer, OutputFormatsAndTheirLevels) {
  const S3mWriter w = ToneWriter(64, true);
  // Volume 256, global 64, divisor 42: output volume 390; pan 3 for the left channel.
  const int outVol = 64 * 256 / 42;
  {
    auto m = Load(w);
    int16_t out[8];
    EXPECT_EQ(MixModule(m.get(), out, sizeof out), 4);
    EXPECT_EQ(out[0], ((15 - 3) * outVol * 64) >> 6);
    EXPECT_EQ(out[1], (3 * outVol * 64) >> 6);
  }
  {
    auto m = Load(w, 44100, true, false);
    int16_t out[4];
    EXPECT_EQ(MixModule(m.get(), out, sizeof out), 4);
    EXPECT_EQ(out[0], (outVol * 64) >> 3);
  }
  {
    auto m = Load(w, 44100, false, true);
    uint8_t out[8];
    EXPECT_EQ(MixModule(m.get(), out, sizeof out), 4);
    EXPECT_EQ(out[0], 0x80 + (((15 - 3) * outVol * 64) >> 14));
    EXPECT_EQ(out[1], 0x80 + ((3 * outVol * 64) >> 14));
  }
  {
    auto m = Load(w, 22050, false, false);
    uint8_t out[6];
    EXPECT_EQ(MixModule(m.get(), out, sizeof out), 6);
    EXPECT_EQ(out[0], 0x80 + ((outVol * 64) >> 11));
  }
}

TEST(S3mMixer, RightChannelsSoundRight) {
  auto m = Load(ToneWriter(64, true, 1));  // channel setting 8: right
  int16_t out[2];
  MixModule(m.get(), out, sizeof out);
  EXPECT_GT(out[1], out[0]);
}

TEST(S3mMixer, InterpolationBlendsNeighbours) {
  S3mWriter w;
  test::S3mSample s;
  for (int i = 0; i < 1000; ++i) s.data.push_back(i % 2 ? 0xFF : 0x01);
  s.loop = true;
  s.loopEnd = 1000;
  w.samples.push_back(s);
  w.patterns[0].push_back({0, 0, Note(4, 0), 1, -1, 0, 0});
  auto on = Load(w, 44100, true, false, true);
  auto off = Load(w, 44100, true, false, false);
  std::vector<int16_t> a(500), b(500);
  MixModule(on.get(), a.data(), 1000);
  MixModule(off.get(), b.data(), 1000);
  int between = 0;
  for (int i = 0; i < 500; ++i) {
    EXPECT_TRUE(b[i] == (390 * 127) >> 3 || b[i] == (390 * -127) >> 3) << i;  // raw values only
    if (std::abs(a[i]) < 3000) ++between;
  }
  EXPECT_GT(between, 100);  // blended values fall between them
}

TEST(S3mMixer, LoudPassagesClipInsteadOfWrapping) {
  S3mWriter w;
  w.globalVolume = 255;
  for (int c = 0; c < 8; ++c) w.channelSettings[c] = static_cast<uint8_t>(c);  // all left
  w.samples.push_back(test::ConstantSample(5000, 0xFF, true));
  for (int c = 0; c < 8; ++c) w.patterns[0].push_back({0, c, Note(4, 0), 1, -1, 0, 0});
  auto m = Load(w);
  int16_t out[200];
  MixModule(m.get(), out, sizeof out);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(out[2 * i], 32767);
}

TEST(S3mMixer, SixteenBitSamplesPlayTheirHighBytes) {
  S3mWriter w;
  test::S3mSample s;
  s.is16 = true;
  for (int i = 0; i < 400; ++i) {
    s.data.push_back(0x34);
    s.data.push_back(i < 200 ? 0xC0 : 0x40);  // unsigned: +64 then -64
  }
  w.samples.push_back(s);
  w.patterns[0].push_back({0, 0, Note(4, 0), 1, -1, 0, 0});
  auto m = Load(w);
  EXPECT_EQ(m->instruments[1].length, 800u);  // 400 values, two bytes each
  std::vector<int16_t> out(2 * 3000);
  MixModule(m.get(), out.data(), static_cast<int>(out.size() * 2));
  EXPECT_GT(out[0], 0);
  EXPECT_LT(out[2 * 1500], 0);  // the second half is reached: the whole sample plays
  EXPECT_EQ(out[2 * 2999], 0);
}

TEST(S3mMixer, SongThatBreaksPastItsEndKeepsPlaying) {
  S3mWriter w = ToneWriter(64, true);
  w.speed = 1;
  w.patterns[0].push_back({3, 1, -1, 0, -1, Fx('C'), 0x05});
  auto m = Load(w);
  std::vector<int16_t> out(2 * 44100);
  EXPECT_EQ(MixModule(m.get(), out.data(), static_cast<int>(out.size() * 2)), 44100);
  EXPECT_GT(out[2 * 44000], 0);
}

TEST(S3mMixer, NothingToMixGivesSilence) {
  EXPECT_EQ(MixModule(nullptr, nullptr, 100), 0);
  int16_t out[4] = {1, 2, 3, 4};
  EXPECT_EQ(MixModule(nullptr, out, sizeof out), 0);
  for (int16_t v : out) EXPECT_EQ(v, 0);
}

}  // namespace
}  // namespace vx

namespace vx {
namespace {

// Eight frames at a time or one by one, the mixer must write the same bytes:
// noisy 8- and 16-bit samples, looped and not, sample ends that fall inside a
// group of eight, pitches from slow to fast, slides and pans.
TEST(S3mMixer, VectorMixingWritesTheSameBytes) {
  S3mWriter w;
  uint32_t seed = 5;
  auto noise = [&seed](size_t n, bool is16) {
    std::vector<uint8_t> d(n * (is16 ? 2 : 1));
    for (uint8_t& b : d) b = static_cast<uint8_t>((seed = seed * 1103515245u + 12345u) >> 23);
    return d;
  };
  for (int i = 0; i < 4; ++i) {
    test::S3mSample s;
    s.is16 = i % 2 == 1;
    s.data = noise(997 + 211 * i, s.is16);
    s.loop = i >= 2;
    s.loopStart = 101;
    s.loopEnd = 997;
    s.c2spd = 8363 + 3001 * i;
    w.samples.push_back(s);
  }
  w.channelSettings = {0, 8, 1, 9, 2, 10, 3, 11};
  w.channelSettings.resize(32, 255);
  for (int row = 0; row < 64; row += 4)
    for (int ch = 0; ch < 8; ++ch)
      w.patterns[0].push_back({row, ch, Note(2 + (row + ch) % 5, (row * 7 + ch) % 12), 1 + ch % 4,
                               20 + (row + ch * 5) % 45, ch == 3 ? Fx('E') : ch == 5 ? Fx('H') : 0,
                               ch == 3 ? 0x04 : 0x37});
  std::vector<uint8_t> image = w.Build();
  auto render = [&](bool vector) {
    UseVectorMixing(vector);
    auto m = LoadS3m(image.data(), static_cast<uint32_t>(image.size()), 44100, true, true, true);
    std::vector<int16_t> out(44100 * 2 * 3);
    // Odd block sizes, so groups of eight straddle the blocks too.
    for (size_t done = 0; done < out.size();) {
      const size_t frames = std::min<size_t>(1237, (out.size() - done) / 2);
      MixModule(m.get(), out.data() + done, static_cast<int>(frames * 4));
      done += frames * 2;
    }
    return out;
  };
  const std::vector<int16_t> plain = render(false);
  const bool vectorAvailable = UseVectorMixing(true);
  const std::vector<int16_t> vector = render(true);
  if (!vectorAvailable) GTEST_SKIP() << "this processor mixes one frame at a time only";
  EXPECT_TRUE(plain == vector);
  EXPECT_NE(std::count(plain.begin(), plain.end(), 0), static_cast<long>(plain.size()));
}


// The same over the game's own six modules, ten seconds each.
TEST(S3mMixer, VectorMixingMatchesOnTheGamesModules) {
  if (!UseVectorMixing(true)) GTEST_SKIP() << "this processor mixes one frame at a time only";
  int found = 0;
  for (const char* name : {"fl1", "fl2", "fl3", "fl4", "qel3", "qel_z"}) {
    std::ifstream in(std::string(VX_BINARY_DIR "/data-set/DATA/") + name + ".s3m", std::ios::binary);
    std::vector<uint8_t> image((std::istreambuf_iterator<char>(in)), {});
    if (image.empty()) continue;
    ++found;
    std::vector<int16_t> out[2];
    for (int way = 0; way < 2; ++way) {
      UseVectorMixing(way == 1);
      auto m = LoadS3m(image.data(), static_cast<uint32_t>(image.size()), 44100, true, true, true);
      ASSERT_NE(m, nullptr) << name;
      out[way].resize(44100 * 2 * 10);
      MixModule(m.get(), out[way].data(), static_cast<int>(out[way].size() * 2));
    }
    UseVectorMixing(true);
    EXPECT_TRUE(out[0] == out[1]) << name;
  }
  if (!found) GTEST_SKIP() << "the data set is not built";
}

}  // namespace
}  // namespace vx
