#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "graphics/bitmap.h"
#include "graphics/fake_platform.h"
#include "graphics/graphics.h"
#include "graphics/pcx_writer.h"
#include "graphics/test_images.h"
#include "support/user_file_faults.h"

namespace vx {
namespace {

struct ScreenshotTest : ::testing::Test {
  test::TempDir dir;
  test::FakePlatform fake;
  void SetUp() override {
    ResetScreenshotCounter();
    ASSERT_EQ(Graphics::Init(640, 480, 0), 1);
  }
  void TearDown() override {
    Graphics::Release();
    Graphics::SetPixelLayout(0x07E0);
  }
  Surface* Back() { return Graphics::BackBuffer(); }
  // The encoded bytes of row y (after the 128-byte header).
  std::string Row(const std::string& file, int y) {
    std::string data = file.substr(128);
    size_t pos = 0;
    for (int row = 0; row <= y; ++row) {
      size_t start = pos;
      for (int plane = 0; plane < 3; ++plane)
        for (int n = 0; n < 640; pos += 2) n += static_cast<uint8_t>(data[pos]) - 192;
      if (row == y) return data.substr(start, pos - start);
    }
    return {};
  }
};

TEST_F(ScreenshotTest, NamesTakeTheNextFreeNumberAndNeverOverwrite) {
  // The pictures of an earlier run, and a link someone planted.
  test::WriteText("screen00.pcx", "old");
  test::WriteText("victim", "precious");
  ASSERT_EQ(symlink("victim", "screen01.pcx"), 0);
  Graphics::Screenshot();
  Graphics::Screenshot();
  EXPECT_EQ(test::ReadText("screen00.pcx"), "old");
  EXPECT_EQ(test::ReadText("victim"), "precious");
  const std::string log = test::ReadText("Log.txt");
  EXPECT_NE(log.find("Screenshot 'screen02.pcx'\n"), std::string::npos) << log;
  EXPECT_NE(log.find("Screenshot 'screen03.pcx'\n"), std::string::npos) << log;
  std::string first = test::ReadText("screen02.pcx");
  ASSERT_GT(first.size(), 128u);
  EXPECT_EQ(first[0], 10);
  EXPECT_EQ(first[65], 3);
  EXPECT_EQ(static_cast<uint8_t>(first[8]) | static_cast<uint8_t>(first[9]) << 8, 639);
  EXPECT_EQ(static_cast<uint8_t>(first[66]) | static_cast<uint8_t>(first[67]) << 8, 640);
  EXPECT_EQ(test::ReadText("screen03.pcx"), first);
  EXPECT_NE(test::ReadText("Log.txt").find("Surface has been created (640x480x16bit) == 614400 bytes [system]\n"),
            std::string::npos);
}

TEST_F(ScreenshotTest, RunEncoding) {
  // Row 0 all white, row 1 alternating white and black, the rest black.
  Graphics::Fill(nullptr, Rect{0, 0, 640, 1}, 0xFFFF);
  for (int x = 0; x < 640; ++x) Back()->Row(1)[x] = x & 1 ? 0x0000 : 0xFFFF;
  Graphics::Screenshot();
  std::string file = test::ReadText("screen00.pcx");
  std::string white;
  for (int plane = 0; plane < 3; ++plane) {
    for (int i = 0; i < 10; ++i) white += "\xFF\xFF";
    white += "\xCA\xFF";
  }
  EXPECT_EQ(Row(file, 0), white);
  std::string mixed = Row(file, 1);
  ASSERT_EQ(mixed.size(), 3u * 640 * 2);
  for (int plane = 0; plane < 3; ++plane)
    EXPECT_EQ(mixed.substr(plane * 640 * 2, 4), "\xC1\xFF\xC1\x07");
  for (size_t i = 0; i < mixed.size(); i += 2) EXPECT_EQ(static_cast<uint8_t>(mixed[i]), 193);
  std::string black = Row(file, 2);
  EXPECT_EQ(black.substr(black.size() - 2), "\xCA\x07");
}

TEST_F(ScreenshotTest, BothLayoutsGiveTheSameBytes) {
  std::string files[2];
  for (int i = 0; i < 2; ++i) {
    Graphics::SetPixelLayout(i ? 0x03E0 : 0x07E0);
    Graphics::Fill(nullptr, Rect{0, 0, 640, 480}, Graphics::MakePixel(255, 128, 8));
    Graphics::Fill(nullptr, Rect{0, 0, 320, 240}, Graphics::MakePixel(16, 200, 255));
    WritePcx("layout.pcx", *Back());
    files[i] = test::ReadText("layout.pcx");
  }
  EXPECT_EQ(files[0], files[1]);
}

TEST_F(ScreenshotTest, ReadersSeeTheRightColours) {
  for (int x = 0; x < 640; ++x)
    for (int y = 0; y < 480; ++y) Back()->Row(y)[x] = Graphics::Pack5(x % 32, y % 32, (x + y) % 32);
  Graphics::Screenshot();
  std::string file = test::ReadText("screen00.pcx");
  Bitmap bm;
  ASSERT_EQ(bm.Decode(reinterpret_cast<const uint8_t*>(file.data()), static_cast<uint32_t>(file.size()), "shot"), 1);
  EXPECT_EQ(bm.Pixel32(37, 5) & 0xFFFFFF, static_cast<uint32_t>((5 * 8 + 7) << 16 | (5 * 8 + 7) << 8 | (10 * 8 + 7)));
  if (std::system("command -v convert >/dev/null 2>&1") != 0) GTEST_SKIP() << "ImageMagick not installed";
  ASSERT_EQ(std::system("convert screen00.pcx -depth 8 shot.ppm 2>/dev/null"), 0);
  std::string ppm = test::ReadText("shot.ppm");
  const size_t header = std::string("P6\n640 480\n255\n").size();
  ASSERT_EQ(ppm.size(), header + 640 * 480 * 3);
  for (int y : {0, 5, 479})
    for (int x : {0, 37, 639}) {
      const uint8_t* p = reinterpret_cast<const uint8_t*>(ppm.data()) + header + 3 * (y * 640 + x);
      EXPECT_EQ(p[0], (x % 32) * 8 + 7);
      EXPECT_EQ(p[1], (y % 32) * 8 + 7);
      EXPECT_EQ(p[2], ((x + y) % 32) * 8 + 7);
    }
}

TEST_F(ScreenshotTest, TakenNamesAreSkippedAndAFullDiskWritesNothing) {
  ASSERT_EQ(std::system("mkdir screen00.pcx && mkfifo screen01.pcx"), 0);  // in the files' way
  Graphics::Screenshot();
  EXPECT_FALSE(test::ReadText("screen02.pcx").empty());
  std::remove("Log.txt");  // room for the one log line
  {
    test::FileSizeLimit diskFull(200);
    Graphics::Screenshot();
  }
  EXPECT_NE(test::ReadText("Log.txt").find("Can't write screenshot 'screen03.pcx'\n"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists("screen03.pcx"));
}

}  // namespace
}  // namespace vx
