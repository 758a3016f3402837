#include <gtest/gtest.h>

#include "graphics/fake_platform.h"
#include "graphics/graphics.h"

namespace vx {
namespace {

TEST(PixelLayout, GreenMaskChoosesLayout) {
  Graphics::SetPixelLayout(0x07E0);
  EXPECT_EQ(PixelIs555, 0);
  EXPECT_EQ(RedShift, 11);
  EXPECT_EQ(GreenShift, 6);
  EXPECT_EQ(Graphics::MakePixel(255, 255, 255), 0xFFFF);
  EXPECT_EQ(Graphics::Pack5(31, 31, 31), 0xFFDF);  // green's low bit stays 0
  EXPECT_EQ(Graphics::MakePixel(255, 128, 0), 0xFC00);
  EXPECT_EQ(StandardColors[0], 0xFFDF);
  EXPECT_EQ(StandardColors[2], 0xF800);

  for (uint32_t mask : {0x03E0u, 0x07C0u, 0u}) {
    Graphics::SetPixelLayout(mask);
    EXPECT_EQ(PixelIs555, 1);
    EXPECT_EQ(Graphics::MakePixel(255, 255, 255), 0x7FFF);
    EXPECT_EQ(Graphics::Pack5(31, 31, 31), 0x7FFF);
    EXPECT_EQ(Graphics::MakePixel(255, 128, 0), 0x7E00);
    EXPECT_EQ(StandardColors[8], 0x7FE0);  // yellow
  }
  Graphics::SetPixelLayout(0x07E0);
}

TEST(PixelLayout, MakePixelRgbTakesBytesInOrder) {
  Graphics::SetPixelLayout(0x07E0);
  EXPECT_EQ(Graphics::MakePixelRGB(0xFF00FF), 0xF81F);
  EXPECT_EQ(Graphics::MakePixelRGB(0x0000FF), 0x001F);
  EXPECT_EQ(Graphics::MakePixelRGB(0x00FF00), 0x07E0);
  EXPECT_EQ(StandardColors[18], Graphics::Pack5(18, 28, 16));
}

TEST(DxErrorName, KnownUnknownAndZero) {
  EXPECT_EQ(DXErrorName(0), nullptr);
  EXPECT_STREQ(DXErrorName(DDERR_SURFACELOST), "DDERR_SURFACELOST");
  EXPECT_STREQ(DXErrorName(E_HANDLE), "E_HANDLE");
  EXPECT_STREQ(DXErrorName(12345), "Not defined error");
}

}  // namespace
}  // namespace vx
