// A fixture with the game's font loaded from Debian's Play face and a
// 640 x 480 display on the fake platform, for the text tests.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "graphics/fake_platform.h"
#include "graphics/graphics.h"
#include "graphics/test_images.h"
#include "graphics/text_font.h"

namespace vx::test {

struct FontFixture : ::testing::Test {
  TempDir dir;
  FakePlatform fake;
  TextFont font;
  void SetUp() override {
    std::string ttf = ReadText("/usr/share/fonts/truetype/play/Play-Regular.ttf");
    ASSERT_FALSE(ttf.empty());
    WriteText("LCDN.ttf", ttf);
    ASSERT_EQ(font.Load("LCDN.ttf"), 1);
    ASSERT_EQ(Graphics::Init(640, 480, 0), 1);
  }
  void TearDown() override {
    EndText();
    Graphics::Release();
    Graphics::SetPixelLayout(0x07E0);
  }
};

}  // namespace vx::test
