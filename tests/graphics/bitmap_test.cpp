#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "graphics/bitmap.h"
#include "graphics/fake_platform.h"
#include "graphics/graphics.h"

namespace vx {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

void Put16(Bytes& b, size_t at, uint32_t v) {
  b[at] = v & 255;
  b[at + 1] = (v >> 8) & 255;
}
void Put32(Bytes& b, size_t at, uint32_t v) {
  Put16(b, at, v & 0xFFFF);
  Put16(b, at + 2, v >> 16);
}

Bytes TgaHeader(int type, int w, int h, int bits, uint8_t descriptor = 0) {
  Bytes b(18, 0);
  b[2] = static_cast<uint8_t>(type);
  Put16(b, 12, w);
  Put16(b, 14, h);
  b[16] = static_cast<uint8_t>(bits);
  b[17] = descriptor;
  return b;
}

Bytes BmpFile(int w, int h, int bits, uint32_t colorsUsed = 0, int paletteEntries = 0) {
  Bytes b(54 + paletteEntries * 4, 0);
  b[0] = 'B';
  b[1] = 'M';
  Put32(b, 10, static_cast<uint32_t>(b.size()));
  Put32(b, 14, 40);
  Put32(b, 18, static_cast<uint32_t>(w));
  Put32(b, 22, static_cast<uint32_t>(h));
  Put16(b, 26, 1);
  Put16(b, 28, bits);
  Put32(b, 46, colorsUsed);
  return b;
}

Bytes PcxHeader(int w, int h, int planes, int bytesPerLine) {
  Bytes b(128, 0);
  b[0] = 10;
  b[1] = 5;
  b[2] = 1;
  b[3] = 8;
  Put16(b, 8, w - 1);
  Put16(b, 10, h - 1);
  b[65] = static_cast<uint8_t>(planes);
  Put16(b, 66, bytesPerLine);
  return b;
}

int Decode(Bitmap& bm, const Bytes& b) { return bm.Decode(b.data(), static_cast<uint32_t>(b.size()), "test"); }

// Decodes then converts to 0x00RRGGBB.
Bitmap To32(const Bitmap& src) {
  Bitmap out;
  EXPECT_EQ(out.Create(src.width, src.height, 32), 1);
  EXPECT_EQ(out.Convert(src), 1);
  return out;
}

struct BitmapTest : ::testing::Test {
  test::TempDir dir;  // the log goes here
  void TearDown() override { Graphics::SetPixelLayout(0x07E0); }
};

// Our decodes agree with ImageMagick's on files it wrote itself.
TEST_F(BitmapTest, AgreesWithImageMagick) {
  const char* files[] = {"rgb24.tga", "rgb24rle.tga", "rgb32.tga",  "pal8.tga",  "pal8rle.tga",
                         "runs24rle.tga", "rgb24.bmp", "rgb24v5.bmp", "rgb32.bmp", "pal8.bmp",
                         "pal8v5.bmp", "rgb24.pcx", "pal8.pcx", "runs24.pcx"};
  for (const char* f : files) {
    SCOPED_TRACE(f);
    std::string base = std::string(VX_SOURCE_DIR "/tests/graphics/data/") + f;
    Bytes file = ReadFile(base);
    std::string ext = base.substr(base.size() - 3);
    Bytes ppm = ReadFile(base.substr(0, base.size() - 4) + "_" + ext + ".ppm");
    ASSERT_FALSE(file.empty());
    ASSERT_FALSE(ppm.empty());
    int w, h, maxval, consumed = 0;
    ASSERT_EQ(std::sscanf(reinterpret_cast<const char*>(ppm.data()), "P6 %d %d %d%n", &w, &h,
                          &maxval, &consumed),
              3);
    const uint8_t* rgb = ppm.data() + consumed + 1;
    Bitmap bm;
    ASSERT_EQ(Decode(bm, file), 1);
    ASSERT_EQ(bm.width, static_cast<uint32_t>(w));
    ASSERT_EQ(bm.height, static_cast<uint32_t>(h));
    Bitmap out = To32(bm);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const uint8_t* p = rgb + 3 * (y * w + x);
        ASSERT_EQ(out.Pixel32(x, y), static_cast<uint32_t>(p[0] << 16 | p[1] << 8 | p[2]))
            << "at " << x << "," << y;
      }
  }
}

TEST_F(BitmapTest, FormatIsChosenByFirstBytes) {
  // A PCX body whatever the name; a TGA whose first byte is 10 would be PCX too.
  Bytes pcx = PcxHeader(2, 1, 3, 2);
  for (uint8_t v : {1, 2, 3, 4, 5, 6}) pcx.push_back(v);
  Bitmap bm;
  ASSERT_EQ(bm.Decode(pcx.data(), static_cast<uint32_t>(pcx.size()), "pic.tga"), 1);
  EXPECT_EQ(bm.bitsPerPixel, 32u);
  EXPECT_EQ(bm.Pixel32(0, 0), 0xFF010305u);
  EXPECT_EQ(bm.Pixel32(1, 0), 0xFF020406u);

  Bytes bmp = BmpFile(1, 1, 24);
  for (uint8_t v : {0x10, 0x20, 0x30, 0}) bmp.push_back(v);
  ASSERT_EQ(Decode(bm, bmp), 1);
  EXPECT_EQ(bm.Pixel32(0, 0), 0x302010u);
}

TEST_F(BitmapTest, TgaRowsAreAlwaysBottomUp) {
  for (uint8_t descriptor : {0x00, 0x20}) {
    Bytes t = TgaHeader(2, 2, 2, 24, descriptor);
    // File row 0 (bottom): red, green. File row 1: blue, white.
    for (uint8_t v : {0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255}) t.push_back(v);
    Bitmap bm;
    ASSERT_EQ(Decode(bm, t), 1);
    EXPECT_EQ(bm.Pixel32(0, 0), 0x0000FFu);
    EXPECT_EQ(bm.Pixel32(1, 0), 0xFFFFFFu);
    EXPECT_EQ(bm.Pixel32(0, 1), 0xFF0000u);
    EXPECT_EQ(bm.Pixel32(1, 1), 0x00FF00u);
  }
}

TEST_F(BitmapTest, TgaRunAndRawPackets) {
  Bytes t = TgaHeader(10, 8, 1, 24);
  for (uint8_t v : {0x83, 1, 2, 3}) t.push_back(v);
  t.push_back(0x03);
  for (int i = 0; i < 4; ++i)
    for (int c = 0; c < 3; ++c) t.push_back(static_cast<uint8_t>(10 * i + c));
  Bitmap bm;
  ASSERT_EQ(Decode(bm, t), 1);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(bm.Pixel32(x, 0), 0x030201u);
  for (int x = 0; x < 4; ++x) EXPECT_EQ(bm.Pixel32(4 + x, 0), static_cast<uint32_t>((10 * x + 2) << 16 | (10 * x + 1) << 8 | 10 * x));
}

TEST_F(BitmapTest, SixteenBitTgaInBothLayouts) {
  Bytes t = TgaHeader(10, 3, 1, 16);
  for (uint8_t v : {0x00, 0xFF, 0x7F, 0x80, 0x1F, 0x00, 0x00, 0x00, 0x7C}) t.push_back(v);
  Bitmap bm;
  ASSERT_EQ(Decode(bm, t), 1);
  ASSERT_EQ(bm.bitsPerPixel, 16u);
  const uint16_t want565[] = {0xFFDF, 0x001F, 0xF800};
  const uint16_t want555[] = {0x7FFF, 0x001F, 0x7C00};
  for (uint32_t mask : {0x07E0u, 0x03E0u}) {
    Graphics::SetPixelLayout(mask);
    Bitmap out;
    ASSERT_EQ(out.Create(3, 1, 16), 1);
    ASSERT_EQ(out.Convert(bm), 1);
    for (int x = 0; x < 3; ++x) EXPECT_EQ(out.Pixel16(x, 0), (mask == 0x07E0u ? want565 : want555)[x]);
  }
}

TEST_F(BitmapTest, TrueColourToBothLayouts) {
  Bytes t = TgaHeader(2, 1, 1, 24);
  for (uint8_t v : {0, 128, 255}) t.push_back(v);
  Bitmap bm;
  ASSERT_EQ(Decode(bm, t), 1);
  for (uint32_t mask : {0x07E0u, 0x03E0u}) {
    Graphics::SetPixelLayout(mask);
    Bitmap out;
    ASSERT_EQ(out.Create(1, 1, 16), 1);
    ASSERT_EQ(out.Convert(bm), 1);
    EXPECT_EQ(out.Pixel16(0, 0), mask == 0x07E0u ? 0xFC00 : 0x7E00);
  }
}

TEST_F(BitmapTest, PcxRunsAndSinglePlanePalette) {
  Bytes p = PcxHeader(6, 1, 1, 6);
  for (uint8_t v : {0xC5, 0x20, 0xC1, 0xC7}) p.push_back(v);
  Bytes pal(768, 0);
  pal[0x20 * 3] = 0x11;
  pal[0xC7 * 3 + 2] = 0x22;
  p.push_back(12);
  p.insert(p.end(), pal.begin(), pal.end());
  Bitmap bm;
  ASSERT_EQ(Decode(bm, p), 1);
  ASSERT_EQ(bm.bitsPerPixel, 8u);
  for (int x = 0; x < 5; ++x) EXPECT_EQ(bm.Pixel8(x, 0), 0x20);
  EXPECT_EQ(bm.Pixel8(5, 0), 0xC7);
  EXPECT_EQ(bm.palette[0x20], 0x110000u);
  EXPECT_EQ(bm.palette[0xC7], 0x000022u);
}

TEST_F(BitmapTest, PcxOddWidthUsesBytesPerLine) {
  // Width 3 written with even planes of 4 bytes, as PCX writers do.
  Bytes p = PcxHeader(3, 1, 3, 4);
  for (uint8_t v : {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0}) p.push_back(v);
  Bitmap bm;
  ASSERT_EQ(Decode(bm, p), 1);
  EXPECT_EQ(bm.Pixel32(0, 0), 0xFF010407u);
  EXPECT_EQ(bm.Pixel32(2, 0), 0xFF030609u);
}

TEST_F(BitmapTest, BmpPaddingAndPalette) {
  Bytes b = BmpFile(3, 2, 24);
  // Bottom row first: 9 pixel bytes and 3 padding bytes per row.
  for (int row = 0; row < 2; ++row) {
    for (int i = 0; i < 9; ++i) b.push_back(static_cast<uint8_t>(row * 100 + i));
    for (int i = 0; i < 3; ++i) b.push_back(0xEE);
  }
  Bitmap bm;
  ASSERT_EQ(Decode(bm, b), 1);
  EXPECT_EQ(bm.Pixel32(0, 1), 0x020100u);
  EXPECT_EQ(bm.Pixel32(2, 1), 0x080706u);
  EXPECT_EQ(bm.Pixel32(0, 0), 0x666564u);

  Bytes p = BmpFile(4, 1, 8, 16, 16);
  for (int i = 0; i < 16; ++i) Put32(p, 54 + 4 * i, 0x00010101u * (i + 1));
  for (uint8_t v : {0, 15, 16, 255}) p.push_back(v);
  ASSERT_EQ(Decode(bm, p), 1);
  EXPECT_EQ(bm.palette[15], 0x101010u);
  for (int i = 16; i < 256; ++i) EXPECT_EQ(bm.palette[i], 0u);
  EXPECT_EQ(bm.Pixel8(3, 0), 255);
}

TEST_F(BitmapTest, RefusesWhatItCannotRead) {
  Bitmap bm;
  // Unknown TGA type: refused without a message of its own.
  Bytes t = TgaHeader(3, 2, 2, 8);
  t.resize(100, 0);
  EXPECT_EQ(Decode(bm, t), 0);
  EXPECT_EQ(test::ReadText("Log.txt").find("test"), std::string::npos);

  EXPECT_EQ(Decode(bm, BmpFile(2, 2, 16)), 0);
  EXPECT_EQ(Decode(bm, ReadFile(VX_SOURCE_DIR "/tests/graphics/data/pal8rle.bmp")), 0);
  EXPECT_EQ(Decode(bm, BmpFile(2, 2, 4)), 0);
  EXPECT_EQ(Decode(bm, Bytes{}), 0);
  EXPECT_EQ(bm.width, 0u);
  EXPECT_TRUE(bm.pixels.empty());
  EXPECT_NE(test::ReadText("Log.txt").find("Bitmap::Load( test ) failed: unsupported BMP bit count\n"),
            std::string::npos);
}

TEST_F(BitmapTest, HostileHeadersAreRefused) {
  Bitmap bm;
  // Sizes whose pixel buffers would pass 64 MiB.
  Bytes big = TgaHeader(2, 65535, 65535, 32);
  big.resize(4096, 0);
  EXPECT_EQ(Decode(bm, big), 0);
  Bytes wide = BmpFile(0x7FFFFFFF, 1, 24);
  wide.resize(4096, 0);
  EXPECT_EQ(Decode(bm, wide), 0);
  Bytes huge = BmpFile(1, 0x7FFFFFFF, 8);
  huge.resize(4096, 0);
  EXPECT_EQ(Decode(bm, huge), 0);
  Bytes pcx = PcxHeader(1, 1, 3, 1);
  Put16(pcx, 4, 0x8000);  // xmin -32768
  Put16(pcx, 8, 0x7FFF);  // xmax 32767
  Put16(pcx, 10, 0x7FFF);
  pcx.resize(4096, 0);
  EXPECT_EQ(Decode(bm, pcx), 0);
  // Declared sizes larger than the data.
  Bytes shortTga = TgaHeader(2, 100, 100, 24);
  shortTga.resize(18 + 3000, 7);
  EXPECT_EQ(Decode(bm, shortTga), 0);
  Bytes shortMap = TgaHeader(1, 2, 2, 8);
  shortMap[1] = 1;
  Put16(shortMap, 5, 256);
  shortMap[7] = 24;
  EXPECT_EQ(Decode(bm, shortMap), 0);
  Bytes shortBmp = BmpFile(100, 100, 24);
  shortBmp.resize(shortBmp.size() + 1000, 1);
  EXPECT_EQ(Decode(bm, shortBmp), 0);
  Bytes farBmp = BmpFile(1, 1, 24);
  Put32(farBmp, 10, 0xFFFFFFF0u);
  farBmp.resize(100, 0);
  EXPECT_EQ(Decode(bm, farBmp), 0);
}

TEST_F(BitmapTest, RunsPastTheirRowAreRefused) {
  Bitmap bm;
  Bytes t = TgaHeader(10, 4, 2, 24);
  for (uint8_t v : {0x87, 1, 2, 3}) t.push_back(v);  // 8 pixels into a row of 4
  EXPECT_EQ(Decode(bm, t), 0);
  Bytes raw = TgaHeader(9, 2, 1, 8);
  raw[1] = 1;
  for (uint8_t v : {0x05, 1, 1, 1, 1, 1, 1}) raw.push_back(v);
  EXPECT_EQ(Decode(bm, raw), 0);
  Bytes p = PcxHeader(4, 2, 3, 4);
  for (uint8_t v : {0xFF, 0x10}) p.push_back(v);  // 63 bytes into a row of 12
  p.resize(p.size() + 100, 0);
  EXPECT_EQ(Decode(bm, p), 0);
  EXPECT_NE(test::ReadText("Log.txt").find("runs past the end of its row"), std::string::npos);
}

// Every cut of every sample file and random garbage decode or fail cleanly
// (run under the sanitizers this is the bounds check).
TEST_F(BitmapTest, TruncatedAndGarbageFilesFailCleanly) {
  const char* files[] = {"rgb24.tga", "rgb24rle.tga", "pal8rle.tga", "rgb32.bmp",
                         "pal8v5.bmp", "rgb24.pcx",   "pal8.pcx"};
  Bitmap bm;
  for (const char* f : files) {
    Bytes file = ReadFile(std::string(VX_SOURCE_DIR "/tests/graphics/data/") + f);
    for (size_t n = 0; n < file.size(); ++n) {
      Bytes cut(file.begin(), file.begin() + n);
      // Exact-size buffers so that a read past the end is caught.
      std::unique_ptr<uint8_t[]> exact(new uint8_t[n ? n : 1]);
      std::copy(cut.begin(), cut.end(), exact.get());
      if (bm.Decode(exact.get(), static_cast<uint32_t>(n), f)) {
        EXPECT_EQ(bm.pixels.size(), static_cast<size_t>(bm.dataSize));
      }
    }
  }
  std::mt19937 rng(1234);
  for (int i = 0; i < 3000; ++i) {
    Bytes junk(rng() % 2000);
    for (uint8_t& b : junk) b = static_cast<uint8_t>(rng());
    if (!junk.empty() && i % 3 == 0) junk[0] = 10;
    if (junk.size() > 1 && i % 3 == 1) junk[0] = 'B', junk[1] = 'M';
    std::unique_ptr<uint8_t[]> exact(new uint8_t[junk.size() + 1]);
    std::copy(junk.begin(), junk.end(), exact.get());
    if (bm.Decode(exact.get(), static_cast<uint32_t>(junk.size()), "junk")) {
      EXPECT_LE(bm.dataSize, kMaxBitmapBytes);
    }
  }
}

}  // namespace
}  // namespace vx
