// The measure of how well text reads: luminance and contrast as WCAG defines
// them, the ink the text renderer records, and the edge drawn round text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graphics/fake_platform.h"
#include "graphics/font_fixture.h"
#include "graphics/graphics.h"
#include "graphics/test_images.h"
#include "graphics/text_contrast.h"
#include "graphics/text_font.h"
#include "support/text_ink.h"

namespace vx {
namespace {

TEST(TextContrast, LuminanceAndRatioFollowWcag) {
  EXPECT_DOUBLE_EQ(RelativeLuminance(255, 255, 255), 1.0);
  EXPECT_DOUBLE_EQ(RelativeLuminance(0, 0, 0), 0.0);
  EXPECT_NEAR(ContrastRatio(1.0, 0.0), 21.0, 1e-9);
  EXPECT_NEAR(ContrastRatio(0.0, 1.0), 21.0, 1e-9) << "the order does not matter";
  // #777777 on white is the classic case just short of 4.5 : 1.
  EXPECT_NEAR(ContrastRatio(RelativeLuminance(0x77, 0x77, 0x77), 1.0), 4.48, 0.01);
  EXPECT_NEAR(ContrastRatio(RelativeLuminance(0, 0, 255), 0.0), 2.44, 0.01);
}

struct InkTest : test::FontFixture {
  test::InkRecorder ink;

  void Paint(uint32_t rgb) {
    Graphics::Fill(nullptr, Rect{0, 0, 640, 480}, Graphics::MakePixelRGB(rgb));
  }
  void Draw(int x, int y, uint32_t rgb, const char16_t* text, uint32_t edge = TextFont::kNoOutline) {
    BeginText(font, 16);
    if (edge != TextFont::kNoOutline) font.SetOutline(Graphics::MakePixelRGB(edge));
    font.DrawText(x, y, Graphics::MakePixelRGB(rgb), text);
    EndText();
  }
  std::vector<uint16_t> Frame() {
    const Surface* back = Graphics::BackBuffer();
    std::vector<uint16_t> frame;
    for (int y = 0; y < back->height; ++y)
      frame.insert(frame.end(), back->Row(y), back->Row(y) + back->width);
    return frame;
  }
  std::vector<TextContrast> Measure() { return ink.Measure(Frame(), 640, 480); }
};

TEST_F(InkTest, BlueOnDarkTealFailsWhereWhiteOnBlackReads) {
  Paint(0x0a2a36);
  Draw(100, 100, 0x001cff, u"empty slot");
  Graphics::Fill(nullptr, Rect{0, 300, 640, 480}, 0);
  Draw(100, 400, 0xffffff, u"Load");
  const std::vector<TextContrast> words = Measure();
  ASSERT_EQ(words.size(), 3u);
  EXPECT_EQ(words[0].text, u"empty");
  EXPECT_EQ(words[1].text, u"slot");
  for (int i = 0; i < 2; ++i) EXPECT_LT(words[i].ratio, 2.5) << DescribeContrast(words[i]);
  EXPECT_EQ(words[2].text, u"Load");
  EXPECT_GT(words[2].ratio, 20.0);
  EXPECT_EQ(words[2].x, 100 + 1) << "the ink starts after the glyph's bearing";
}

TEST_F(InkTest, TheDarkEdgeIsBackgroundAndMakesTextReadOnWhite) {
  Paint(0xffffff);
  Draw(50, 100, 0xffffff, u"Pale");
  Draw(50, 200, 0xffffff, u"Pale", kTextEdgeRGB);
  const std::vector<TextContrast> words = Measure();
  ASSERT_EQ(words.size(), 2u) << "the edge is no text of its own";
  EXPECT_LT(words[0].ratio, 1.1);
  EXPECT_GE(words[1].ratio, 4.5);
  // The same ink, edge or not.
  size_t inks[2] = {};
  for (const TextInk& i : ink.log.ink) ++inks[i.run];
  EXPECT_EQ(inks[0], inks[1]);
  // And the edge is there, round the glyphs: dark pixels on the white.
  int dark = 0;
  const std::vector<uint16_t> frame = Frame();
  for (int y = 170; y < 210; ++y)
    for (int x = 40; x < 120; ++x) {
      uint8_t r, g, b;
      PixelToRgb(frame[y * 640 + x], &r, &g, &b);
      dark += r + g + b < 120;
    }
  EXPECT_GT(dark, 60);
}

TEST_F(InkTest, RunsAreWordsOfOneColourAndLines) {
  Paint(0);
  BeginText(font, 16);
  font.DrawText(10, 50, 0xFFFF, u"<0xffffff>%d <0x00ffff>%s", 7, u"cr");
  font.DrawText(10, 100, 0xFFFF, u"two words\nnext<0xff0000>red");
  EndText();
  ASSERT_EQ(ink.log.runs.size(), 6u);
  const char16_t* texts[] = {u"7", u"cr", u"two", u"words", u"next", u"red"};
  for (size_t i = 0; i < 6; ++i) EXPECT_EQ(ink.log.runs[i].text, texts[i]) << i;
  EXPECT_EQ(ink.log.runs[1].color, Graphics::MakePixelRGB(0x00ffff));
  EXPECT_EQ(ink.log.runs[5].color, Graphics::MakePixelRGB(0xff0000));
  for (const TextContrast& c : Measure()) EXPECT_GT(c.ratio, 4.5) << DescribeContrast(c);
}

TEST_F(InkTest, TextDrawnOverAfterwardsIsHiddenNotJudged) {
  Paint(0);
  Draw(200, 200, 0xffffff, u"Covered");
  Draw(200, 300, 0xffffff, u"Seen");
  Graphics::Fill(nullptr, Rect{190, 180, 400, 210}, Graphics::MakePixelRGB(0x808080));
  const std::vector<TextContrast> words = Measure();
  ASSERT_EQ(words.size(), 2u);
  EXPECT_TRUE(words[0].hidden);
  EXPECT_FALSE(words[1].hidden);
  EXPECT_NE(DescribeContrast(words[0]).find("mostly covered"), std::string::npos);
}

TEST_F(InkTest, OnlyTextOnTheScreenIsRecorded) {
  Surface* other = Graphics::CreateSurface(100, 40, 0);
  ASSERT_NE(other, nullptr);
  font.SetTarget(other->pixels.data(), other->pitch * 2, other->width, other->height);
  font.SetSize(16);
  font.DrawText(2, 20, 0xFFFF, u"Composed");
  Graphics::ReleaseSurface(other);
  EXPECT_TRUE(ink.log.runs.empty());
  EXPECT_TRUE(ink.log.ink.empty());
  gTextInkLog = nullptr;
  Draw(10, 30, 0xffffff, u"Unwatched");
  EXPECT_TRUE(ink.log.runs.empty()) << "nothing is recorded without a log";
}

TEST_F(InkTest, ShadeRectDarkensInsideItsRectangleOnly) {
  Paint(0xf0f0f0);
  ShadeRect(Rect{-10, -10, 20, 20}, 2);
  uint8_t r, g, b;
  PixelToRgb(Graphics::BackBuffer()->Row(5)[5], &r, &g, &b);
  EXPECT_NEAR(r, 0xf0 / 4, 8);
  EXPECT_NEAR(g, 0xf0 / 4, 8);
  PixelToRgb(Graphics::BackBuffer()->Row(5)[20], &r, &g, &b);
  EXPECT_GT(r, 0xe0) << "the right edge is exclusive";
}

}  // namespace
}  // namespace vx
