// The six generated modules, built from the song texts in data/music and read
// back with an independent reader: the layout and the subset of effects the
// game's player implements, the length, the loop and the mix headroom.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "audio/music.h"
#include "audio/s3m_writer.h"
#include "data/s3m_test_reader.h"

namespace vx::mkdata {
namespace {

class ModuleTest : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    // Built once per module for all the checks below.
    struct Built {
      bool ok;
      std::vector<uint8_t> bytes;
      ComposeReport report;
      std::string error;
    };
    static std::map<std::string, Built> cache;
    auto it = cache.find(GetParam());
    if (it == cache.end()) {
      Built b;
      b.ok = BuildModule(MusicSourceDir() + "/" + GetParam() + ".song", &b.bytes, &b.report, &b.error);
      it = cache.emplace(GetParam(), b).first;
    }
    ASSERT_TRUE(it->second.ok) << it->second.error;
    bytes_ = it->second.bytes;
    report_ = it->second.report;
    std::string why;
    ASSERT_TRUE(test::ReadS3m(bytes_, &m_, &why)) << why;
  }
  std::vector<uint8_t> bytes_;
  ComposeReport report_;
  std::string error_;
  test::ReadModule m_;
};

TEST_P(ModuleTest, HeaderChannelsAndOrderListSuitThePlayer) {
  EXPECT_FALSE(m_.title.empty());
  EXPECT_EQ(m_.format, 2);  // unsigned samples: the loader flips every byte
  EXPECT_GE(m_.channels, 4);
  EXPECT_LE(m_.channels, 8);
  for (int ch = 0; ch < 32; ++ch) EXPECT_EQ(m_.channelSettings[ch] < 16, ch < m_.channels);
  EXPECT_EQ(m_.defaultPan, 252);
  for (int ch = 0; ch < m_.channels; ++ch) EXPECT_TRUE(m_.pans[ch] & 0x20);
  EXPECT_LE(m_.patternCount, 100);
  EXPECT_LE(m_.sampleCount, 99);
  // The song ends with 255 and so loops to its start.
  size_t end = 0;
  while (end < m_.orders.size() && m_.orders[end] != 255) {
    EXPECT_LT(m_.orders[end], m_.patternCount);
    ++end;
  }
  ASSERT_LT(end, m_.orders.size());
  EXPECT_GT(end, 4u);
}

TEST_P(ModuleTest, SamplesAreEightBitAndLoopsInsideThem) {
  for (const auto& s : m_.samples) {
    EXPECT_EQ(s.type, 1);
    EXPECT_TRUE(s.scrs);
    EXPECT_EQ(s.flags & ~1, 0);  // 8-bit mono
    EXPECT_GT(s.length, 0u);
    EXPECT_LE(s.volume, 64);
    EXPECT_GT(s.c2spd, 1000u);
    EXPECT_LT(s.c2spd, 65536u);
    if (s.flags & 1) {
      EXPECT_LT(s.loopStart, s.loopEnd);
      EXPECT_LE(s.loopEnd, s.length);
      // A seamless loop: the wrap is no bigger a jump than the sound makes.
      int wrap = std::abs(int(s.data[s.loopEnd - 1]) - int(s.data[s.loopStart]));
      int biggest = 0;
      for (size_t i = s.loopStart + 1; i < s.loopEnd; ++i)
        biggest = std::max(biggest, std::abs(int(s.data[i]) - int(s.data[i - 1])));
      EXPECT_LE(wrap, biggest);
    }
  }
}

TEST_P(ModuleTest, UsesOnlyEffectsThePlayerImplements) {
  const std::set<char> allowed = {'A', 'C', 'D', 'E', 'F', 'G', 'H', 'J', 'K', 'S', 'T'};
  for (const auto& p : m_.patterns) {
    for (const auto& c : p) {
      if (c.note != 255 && c.note != 254) {
        EXPECT_LT(c.note & 15, 12);
        EXPECT_LE(c.note >> 4, 7);
        if (c.command != S3mCommand('G')) {
          EXPECT_GE(c.instrument, 1);  // only a glide keeps the sounding instrument
        }
      }
      EXPECT_LE(c.instrument, m_.sampleCount);
      if (c.volume != 255) {
        EXPECT_LE(c.volume, 64);
      }
      if (!c.command) continue;
      char letter = static_cast<char>('A' - 1 + c.command);
      EXPECT_TRUE(allowed.count(letter)) << letter;
      // A zero would borrow the channel's last parameter in the game's loader.
      EXPECT_EQ(c.info == 0, letter == 'C') << letter;
      if (letter == 'A') {
        EXPECT_LT(c.info, 32);  // 32 and up would set the tempo in the game's player
      }
      if (letter == 'T') {
        EXPECT_GE(c.info, 32);
      }
      if (letter == 'S') {
        EXPECT_EQ(c.info >> 4, 0xC);
        EXPECT_GT(c.info & 15, 0);
      }
    }
  }
}

TEST_P(ModuleTest, LastsOneToTwoAndAHalfMinutesAndStaysWithinTheMix) {
  double seconds = test::SongSeconds(m_);
  EXPECT_GE(seconds, 60.0);
  EXPECT_LE(seconds, 150.0);
  EXPECT_NEAR(seconds, report_.seconds, 0.01);
  EXPECT_LE(report_.mixBound, kMixLimit);
  EXPECT_GT(report_.mixBound, kMixLimit / 2);  // and not needlessly quiet
}

TEST_P(ModuleTest, BuildsTheSameBytesEveryTime) {
  std::vector<uint8_t> again;
  ComposeReport r;
  ASSERT_TRUE(BuildModule(MusicSourceDir() + "/" + GetParam() + ".song", &again, &r, &error_));
  EXPECT_EQ(again, bytes_);
}

INSTANTIATE_TEST_SUITE_P(AllSix, ModuleTest, ::testing::ValuesIn(ModuleNames()),
                         [](const ::testing::TestParamInfo<std::string>& i) { return i.param; });

TEST(ModuleNamesTest, TheSixTheGamePlays) {
  EXPECT_EQ(ModuleNames(), (std::vector<std::string>{"fl1", "fl2", "fl3", "fl4", "qel_z", "qel3"}));
}

TEST(S3mWriterTest, RefusesWhatCannotBeWritten) {
  S3mModule m;
  m.orders = {0};
  EXPECT_TRUE(WriteS3m(m).empty());  // no channels
  m.pans.assign(17, 8);
  m.patterns.emplace_back(17);
  EXPECT_TRUE(WriteS3m(m).empty());  // too many channels
  m.pans.assign(4, 8);
  m.patterns.assign(1, S3mPattern(4));
  S3mSample s;
  s.data.assign(100, 0);
  s.loop = true;
  s.loopStart = 50;
  s.loopEnd = 101;
  m.samples.push_back(s);
  EXPECT_TRUE(WriteS3m(m).empty());  // loop past the data
  m.samples[0].loopEnd = 100;
  EXPECT_FALSE(WriteS3m(m).empty());
}

TEST(S3mWriterTest, CellsAndSampleBytesRoundTrip) {
  S3mModule m;
  m.title = "Round trip";
  m.pans = {3, 12, 7, 8};
  m.orders = {0, 0};
  S3mSample s;
  s.name = "saw";
  for (int i = -128; i < 128; ++i) s.data.push_back(static_cast<int8_t>(i));
  m.samples.push_back(s);
  S3mPattern p(4);
  p.At(0, 0) = {S3mNote(4, 0), 1, 32, S3mCommand('H'), 0x44};
  p.At(63, 3) = {kS3mNoteCut, 0, kS3mNoVolume, 0, 0};
  p.At(10, 2) = {kS3mNoNote, 0, 12, S3mCommand('D'), 0x0f};
  m.patterns.push_back(p);
  test::ReadModule r;
  std::string why;
  ASSERT_TRUE(test::ReadS3m(WriteS3m(m), &r, &why)) << why;
  EXPECT_EQ(r.title, "Round trip");
  EXPECT_EQ(r.orders.size() % 16, 0u);
  EXPECT_EQ(r.orders[2], 255);
  EXPECT_EQ(r.pans[0], 0x23);
  EXPECT_EQ(r.pans[1], 0x2c);
  const auto& cells = r.patterns[0];
  EXPECT_EQ(cells[0].note, S3mNote(4, 0));
  EXPECT_EQ(cells[0].info, 0x44);
  EXPECT_EQ(cells[63 * 4 + 3].note, kS3mNoteCut);
  EXPECT_EQ(cells[10 * 4 + 2].volume, 12);
  ASSERT_EQ(r.samples[0].data.size(), 256u);
  for (int i = 0; i < 256; ++i) EXPECT_EQ(r.samples[0].data[i], i);  // -128 stored as 0x00
}

}  // namespace
}  // namespace vx::mkdata
