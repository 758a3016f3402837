// The developer tool's decode command and the PNG writer, run for real.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "graphics/fake_platform.h"
#include "graphics/graphics.h"
#include "graphics/png_writer.h"
#include "graphics/test_images.h"

namespace vx {
namespace {

const std::string kTool = VX_BINARY_DIR "/velotrix-tool";
const std::string kData = VX_SOURCE_DIR "/tests/graphics/data/";

int RunTool(const std::string& args) { return std::system((kTool + " " + args + " 2>/dev/null").c_str()); }

bool HaveImageMagick() { return std::system("command -v convert >/dev/null 2>&1") == 0; }

TEST(DecodeTool, WritesTheSamePixelsAsImageMagick) {
  test::TempDir dir;
  for (const char* f : {"rgb24rle.tga", "pal8v5.bmp", "rgb24.pcx"}) {
    std::string name(f);
    std::string ref = kData + name.substr(0, name.size() - 4) + "_" + name.substr(name.size() - 3) + ".ppm";
    ASSERT_EQ(RunTool("decode " + kData + name + " out.ppm"), 0) << f;
    EXPECT_EQ(test::ReadText("out.ppm"), test::ReadText(ref)) << f;
    if (!HaveImageMagick()) continue;
    ASSERT_EQ(RunTool("decode " + kData + name + " out.png"), 0) << f;
    ASSERT_EQ(std::system("convert out.png -depth 8 back.ppm"), 0);
    EXPECT_EQ(test::ReadText("back.ppm"), test::ReadText(ref)) << f;
  }
}

TEST(DecodeTool, RefusesBadArgumentsAndFiles) {
  test::TempDir dir;
  test::WriteText("junk.tga", std::string(40, '\x05'));
  EXPECT_NE(RunTool("decode"), 0);
  EXPECT_NE(RunTool("decode " + kData + "rgb24.tga out.gif"), 0);
  EXPECT_NE(RunTool("decode missing.tga out.ppm"), 0);
  EXPECT_NE(RunTool("decode junk.tga out.ppm"), 0);
  EXPECT_TRUE(test::ReadText("out.ppm").empty());
}

TEST(PngWriter, BackBufferInEitherLayout) {
  if (!HaveImageMagick()) GTEST_SKIP() << "ImageMagick not installed";
  test::TempDir dir;
  for (uint32_t mask : {0x07E0u, 0x03E0u}) {
    test::FakePlatform fake;
    fake.display.greenMask = mask;
    ASSERT_EQ(Graphics::Init(640, 480, 0), 1);
    Graphics::Fill(nullptr, Rect{0, 0, 640, 480}, Graphics::MakePixel(255, 0, 255));
    Graphics::Fill(nullptr, Rect{0, 0, 1, 1}, Graphics::MakePixel(255, 255, 255));
    ASSERT_TRUE(WriteBackBufferPng("shot.png"));
    Graphics::Release();
    ASSERT_EQ(std::system("convert shot.png -crop 2x1+0+0 -depth 8 rgb:pixels.raw"), 0);
    EXPECT_EQ(test::ReadText("pixels.raw"), std::string("\xFF\xFF\xFF\xFF\x00\xFF", 6));
  }
  Graphics::SetPixelLayout(0x07E0);
  EXPECT_FALSE(WritePng("/nonexistent/dir/x.png", reinterpret_cast<const uint8_t*>("abc"), 1, 1));
}

}  // namespace
}  // namespace vx
