// Damaged and hostile module files: refused with a clear reason or cut to what the
// file holds; the player never reads outside the image.
#include <gtest/gtest.h>

#include <cstring>

#include "s3m_writer.h"
#include "sound/s3m_module.h"

namespace vx {
namespace {

using test::Fx;
using test::Note;
using test::S3mWriter;

S3mWriter RichWriter() {
  S3mWriter w;
  w.orders = {0, 1, 254, 0, 255};
  w.patterns.resize(2);
  w.samples.push_back(test::ConstantSample(300, 0xA0, true));
  test::S3mSample s16;
  s16.is16 = true;
  s16.data.assign(400, 0x90);
  s16.loop = true;
  s16.loopStart = 10;
  s16.loopEnd = 200;
  w.samples.push_back(s16);
  for (int r = 0; r < 64; r += 3) {
    w.patterns[0].push_back({r, r % 4, Note(3 + r % 4, r % 12), 1 + r % 2, r % 40, Fx('D'), 0x01});
    w.patterns[1].push_back({r, (r + 1) % 4, Note(5, r % 12), 2, -1, Fx('O'), 0x01});
  }
  return w;
}

// Loads the image and, when it loads, plays a quarter of a second of it.
bool LoadAndPlay(const std::vector<uint8_t>& image, uint32_t size) {
  // A copy of exactly `size` bytes, so a read past the end is caught by the sanitizers.
  std::vector<uint8_t> exact(image.begin(), image.begin() + size);
  auto m = LoadS3m(exact.empty() ? nullptr : exact.data(), size, 44100, true, true, true);
  if (!m) return false;
  std::vector<int16_t> out(2 * 11025);
  MixModule(m.get(), out.data(), static_cast<int>(out.size() * 2));
  return true;
}

TEST(S3mHostile, EveryTruncationIsSafe) {
  const std::vector<uint8_t> image = RichWriter().Build();
  ASSERT_TRUE(LoadAndPlay(image, static_cast<uint32_t>(image.size())));
  for (uint32_t n = 0; n < image.size(); n += (n < 0x200 ? 1 : 7)) {
    bool loaded = LoadAndPlay(image, n);
    if (n < 0x60 + 5 + 8) {
      EXPECT_FALSE(loaded) << n;  // header, orders and pointers are needed
    }
  }
}

TEST(S3mHostile, CountsBeyondThePlayerAreRefused) {
  S3mWriter w = RichWriter();
  std::vector<uint8_t> image = w.Build();
  auto refuse = [&](size_t at, uint16_t value) {
    std::vector<uint8_t> bad = image;
    bad[at] = value & 0xFF;
    bad[at + 1] = value >> 8;
    return !LoadS3m(bad.data(), static_cast<uint32_t>(bad.size()), 44100, true, true, true);
  };
  EXPECT_TRUE(refuse(0x20, 257));
  EXPECT_TRUE(refuse(0x22, 100));
  EXPECT_TRUE(refuse(0x24, 101));
  EXPECT_TRUE(refuse(0x20, 0xFFFF));
  std::vector<uint8_t> noMagic = image;
  noMagic[0x2C] = 'X';
  EXPECT_FALSE(LoadS3m(noMagic.data(), static_cast<uint32_t>(noMagic.size()), 44100, true, true, true));
  // Counts whose pointers the file cannot hold.
  image.resize(0x60 + w.orders.size() + 4);
  EXPECT_TRUE(refuse(0x22, 99));
}

TEST(S3mHostile, LargestCountsTheFileHoldsAreLoaded) {
  S3mWriter w;
  w.orders.assign(256, 0);
  w.orders.back() = 255;
  w.patterns.resize(100);
  for (int i = 0; i < 99; ++i) w.samples.push_back(test::ConstantSample(10, 0x90, false));
  std::vector<uint8_t> image = w.Build();
  auto m = LoadS3m(image.data(), static_cast<uint32_t>(image.size()), 44100, true, true, true);
  ASSERT_TRUE(m);
  EXPECT_EQ(m->orderCount, 256);
  EXPECT_EQ(m->instrumentCount, 99);
  EXPECT_EQ(m->patternCount, 100);
}

TEST(S3mHostile, PointersOutsideTheFileAreCut) {
  S3mWriter w = RichWriter();
  std::vector<uint8_t> image = w.Build();
  const uint32_t size = static_cast<uint32_t>(image.size());
  const uint32_t insPtrs = 0x60 + static_cast<uint32_t>(w.orders.size());
  auto put16 = [](std::vector<uint8_t>& v, size_t at, uint32_t x) {
    v[at] = x & 0xFF;
    v[at + 1] = (x >> 8) & 0xFF;
  };

  std::vector<uint8_t> bad = image;
  put16(bad, insPtrs, 0xFFFF);          // instrument 1 far outside
  put16(bad, insPtrs + 4, 0xFFFF);      // pattern 0 far outside
  const uint32_t h = w.instrumentOffsets[1];
  bad[h + 13] = 0xFF;                   // sample data of instrument 2 outside
  auto m = LoadS3m(bad.data(), size, 44100, true, true, true);
  ASSERT_TRUE(m);
  EXPECT_EQ(m->instruments[1].length, 0u);
  EXPECT_EQ(m->instruments[2].length, 0u);
  EXPECT_EQ(m->Cell(0, 0, 0)[0], 0);  // empty pattern
  std::vector<int16_t> out(2 * 4410);
  MixModule(m.get(), out.data(), static_cast<int>(out.size() * 2));

  // Lengths and loops beyond the data: cut to what the file holds.
  bad = image;
  const uint32_t h0 = w.instrumentOffsets[0];
  bad[h0 + 16] = 0xFF;
  bad[h0 + 17] = 0xFF;
  bad[h0 + 18] = 0xFF;  // 16 MB
  bad[h0 + 26] = 0x7F;  // loop end far out
  m = LoadS3m(bad.data(), size, 44100, true, true, true);
  ASSERT_TRUE(m);
  EXPECT_EQ(m->instruments[1].length, size - w.sampleOffsets[0]);
  EXPECT_LE(m->instruments[1].loopEnd, m->instruments[1].length);
  MixModule(m.get(), out.data(), static_cast<int>(out.size() * 2));
}

TEST(S3mHostile, DamagedPatternsAndOrders) {
  S3mWriter w = RichWriter();
  w.orders = {0, 7, 200, 1, 255};  // patterns 7 and 200 do not exist
  w.patterns[1].push_back({5, 31, Note(15, 15), 99, 255, 0xFF, 0xFF});
  std::vector<uint8_t> image = w.Build();
  // Cut pattern 1 in the middle of a cell.
  std::vector<uint8_t> cut(image.begin(), image.begin() + w.patternOffsets[1] + 9);
  EXPECT_TRUE(LoadAndPlay(cut, static_cast<uint32_t>(cut.size())));
  EXPECT_TRUE(LoadAndPlay(image, static_cast<uint32_t>(image.size())));
  auto m = LoadS3m(image.data(), static_cast<uint32_t>(image.size()), 44100, true, true, true);
  EXPECT_GT(ModuleSongLength(*m), 0.0);
}

TEST(S3mHostile, MutatedModulesNeverCrash) {
  const std::vector<uint8_t> image = RichWriter().Build();
  uint32_t state = 12345;
  auto next = [&] {
    state = state * 214013 + 2531011;
    return (state >> 16) & 0x7FFF;
  };
  for (int round = 0; round < 300; ++round) {
    std::vector<uint8_t> bad = image;
    const int flips = 1 + next() % 16;
    for (int i = 0; i < flips; ++i) bad[next() % bad.size()] = static_cast<uint8_t>(next());
    // Keep the magic so the damage reaches the parser.
    std::memcpy(&bad[0x2C], "SCRM", 4);
    LoadAndPlay(bad, static_cast<uint32_t>(bad.size()));
  }
  std::vector<uint8_t> noise(4096);
  for (auto& b : noise) b = static_cast<uint8_t>(next());
  std::memcpy(&noise[0x2C], "SCRM", 4);
  noise[0x20] = 16;
  noise[0x21] = noise[0x23] = noise[0x25] = 0;
  noise[0x22] = noise[0x24] = 8;
  LoadAndPlay(noise, static_cast<uint32_t>(noise.size()));
}

}  // namespace
}  // namespace vx
