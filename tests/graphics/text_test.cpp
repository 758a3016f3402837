#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "graphics/fake_platform.h"
#include "graphics/font_fixture.h"
#include "graphics/graphics.h"
#include "graphics/test_images.h"
#include "graphics/text_font.h"

namespace vx {
namespace {

std::u16string Fmt(const char16_t* format, std::initializer_list<FormatArg> args) {
  char16_t buf[256];
  std::vector<FormatArg> list(args);
  FormatWide(buf, 256, format, list.data(), list.size());
  return buf;
}

TEST(FormatWide, Conversions) {
  EXPECT_EQ(Fmt(u"%d|%5d|%-4d|%04d|%+d|%i", {-7, 42, 3, -5, 9, 0}), u"-7|   42|3   |-005|+9|0");
  EXPECT_EQ(Fmt(u"%u %x %X %08x", {3000000000u, 255, 0xABCu, 0x1F}), u"3000000000 ff ABC 0000001f");
  EXPECT_EQ(Fmt(u"%u", {-1}), u"4294967295");
  EXPECT_EQ(Fmt(u"%c%c|%3c", {u'\u0416', 'A', 'z'}), u"\u0416A|  z");
  EXPECT_EQ(Fmt(u"%s-%6s-%-4s-%.2s", {u"ab", u"cd", u"e", u"xyz"}), u"ab-    cd-e   -xy");
  EXPECT_EQ(Fmt(u"%s %s", {"narrow", static_cast<const char16_t*>(nullptr)}), u"narrow (null)");
  EXPECT_EQ(Fmt(u"%f %.2f %8.3f %.0f", {1.5, 3.14159, -2.5f, 2.5}), u"1.500000 3.14   -2.500 2");
  EXPECT_EQ(Fmt(u"%*d|%.*f", {4, 7, 1, 0.25}), u"   7|0.2");
  EXPECT_EQ(Fmt(u"100%% %ld", {5L}), u"100% 5");
}

TEST(FormatWide, TextsWithoutArgumentsStayAsWritten) {
  // Converted 8-bit texts are passed as formats: their conversions have no arguments.
  EXPECT_EQ(Fmt(u"Save 50%d now %s", {}), u"Save 50%d now %s");
  EXPECT_EQ(Fmt(u"%d and %d", {1}), u"1 and %d");
  EXPECT_EQ(Fmt(u"10% off %q 5%", {}), u"10% off %q 5%");
  EXPECT_EQ(Fmt(u"%%", {}), u"%");
  char16_t small[5];
  FormatArg a(123456);
  EXPECT_EQ(FormatWide(small, 5, u"%d", &a, 1), 4u);
  EXPECT_EQ(std::u16string(small), u"1234");
}

struct TextTest : test::FontFixture {
  Surface* Back() { return Graphics::BackBuffer(); }
  uint16_t At(int x, int y) { return Back()->Row(y)[x]; }
  void Target(int size, int mode = TEXT_SOLID) {
    font.SetTarget(Back()->pixels.data(), Back()->pitch * 2, Back()->width, Back()->height);
    font.SetClip(Rect{0, 0, 640, 480});
    font.SetMode(mode, 0);
    font.SetSize(size);
  }
  // Colours found in columns [x0, x1) of the back buffer.
  std::vector<uint16_t> ColoursIn(int x0, int x1) {
    std::vector<uint16_t> found;
    for (int y = 0; y < 480; ++y)
      for (int x = x0; x < x1; ++x) {
        uint16_t p = At(x, y);
        if (p && std::find(found.begin(), found.end(), p) == found.end()) found.push_back(p);
      }
    return found;
  }
  int Inked() {
    int n = 0;
    for (int y = 0; y < 480; ++y)
      for (int x = 0; x < 640; ++x) n += At(x, y) != 0;
    return n;
  }
};

TEST_F(TextTest, ColourTagsChangeColourAndTakeNoWidth) {
  Target(16);
  const int plain = font.MeasureText(u"7 Points");
  EXPECT_GT(plain, 0);
  EXPECT_EQ(font.MeasureText(u"<0xffffff>%d <0x00ffff>%s", 7, u"Points"), plain);
  const int head = font.MeasureText(u"7 ");
  font.DrawText(100, 100, 0, u"<0xffffff>%d <0x00ffff>%s", 7, u"Points");
  EXPECT_EQ(ColoursIn(100, 100 + head), std::vector<uint16_t>{0xFFFF});
  EXPECT_EQ(ColoursIn(100 + head, 640), std::vector<uint16_t>{0x07FF});
  EXPECT_EQ(font.PenX(), 100 + plain);
}

TEST_F(TextTest, BrokenTagsAndLoneBrackets) {
  Target(16);
  // "<0x" without digits: colour 0, and the next character is swallowed.
  font.DrawText(10, 50, 0xFFFF, u"<0xZab");
  EXPECT_EQ(font.Color(), 0u);
  EXPECT_EQ(font.PenX(), 10 + font.MeasureText(u"ab"));
  // A tag at the very end stops at the terminator.
  font.DrawText(10, 50, 0xFFFF, u"a<0x12");
  EXPECT_EQ(font.PenX(), 10 + font.MeasureText(u"a"));
  EXPECT_EQ(font.MeasureText(u"<a"), font.MeasureText(u"<") + font.MeasureText(u"a"));
  EXPECT_GT(font.MeasureText(u"<"), 0);
}

TEST_F(TextTest, LineFeedsAndClipping) {
  Target(16);
  font.DrawText(40, 60, 0xFFFF, u"AB\r\nC");
  EXPECT_EQ(font.PenY(), 60 + 16 + 2);
  EXPECT_EQ(font.PenX(), 40 + font.MeasureText(u"C"));
  // Below the clip bottom nothing is drawn and a measure then gives 0.
  Graphics::Fill(nullptr, Rect{0, 0, 640, 480}, 0);
  font.SetClip(Rect{0, 0, 640, 200});
  font.DrawText(10, 201, 0xFFFF, u"Hidden");
  EXPECT_EQ(Inked(), 0);
  EXPECT_EQ(font.MeasureText(u"Hidden"), 0);
  // Far above the clip top, characters are skipped without moving the pen.
  font.SetClip(Rect{0, 100, 640, 480});
  font.DrawText(10, 50, 0xFFFF, u"Hidden");
  EXPECT_EQ(Inked(), 0);
  EXPECT_EQ(font.PenX(), 10);
  // Text hanging off the target's edges is cut, not written outside.
  font.SetClip(Rect{0, 0, 640, 480});
  font.SetSize(40);
  font.DrawText(620, 478, 0xFFFF, u"WWWW\ngjpq");
  font.DrawText(-30, 10, 0xFFFF, u"WWWW");
}

TEST_F(TextTest, BlendModes) {
  Graphics::SetPixelLayout(0x07E0);
  const uint16_t white = 0xFFFF;
  EXPECT_EQ(TextBlendPixel(TEXT_BLEND_DST, 100, white, 0, 0, 0, 0), Graphics::Pack5(11, 11, 11));
  EXPECT_EQ(TextBlendPixel(TEXT_BLEND_DST, 0, white, 0x1234, 0, 0, 0), 0x1234);
  EXPECT_EQ(TextBlendPixel(TEXT_BLEND_DST, 224, 0x1234, 0, 0, 0, 0), 0x1234);
  EXPECT_EQ(TextBlendPixel(TEXT_BLEND_BG, 100, white, 0x1234, 31, 0, 0),
            Graphics::Pack5((31 * 19 + 31 * 12) / 32, 11, 11));
  EXPECT_EQ(TextBlendPixel(TEXT_SOLID, 65, white, 7, 0, 0, 0), white);
  EXPECT_EQ(TextBlendPixel(TEXT_SOLID, 64, white, 7, 0, 0, 0), 7);
  // The background colour is taken from 0xRRGGBB's top five bits of each byte.
  Target(20, TEXT_BLEND_BG);
  font.SetMode(TEXT_BLEND_BG, 0xFF0000);
  Graphics::Fill(nullptr, Rect{0, 0, 640, 480}, 0x0001);
  font.DrawText(10, 40, 0x001F, u"O");
  bool sawMix = false;
  for (uint16_t c : ColoursIn(0, 640))
    if (c != 0x0001 && c != 0x001F) sawMix |= (c >> 11) > 0;
  EXPECT_TRUE(sawMix);
}

TEST_F(TextTest, GlyphCacheDrawsTheSamePixels) {
  auto drawAll = [&](bool cached) {
    font.SetCacheEnabled(cached);
    Graphics::Fill(nullptr, Rect{0, 0, 640, 480}, 0x4208);
    const int modes[] = {TEXT_SOLID, TEXT_BLEND_BG, TEXT_BLEND_DST};
    int y = 20;
    std::vector<int> widths;
    for (int size : {9, 11, 16, 20, 32})
      for (int mode : modes) {
        Target(size, mode);
        font.SetMode(mode, 0x3080F0);
        font.DrawText(5 + size, y, 0xFFE0, u"<0xff8040>Score %d: %s\x0416\x0436!", size * 37, u"Level");
        widths.push_back(font.MeasureText(u"Lives %d %s", size, u"<0x00ff00>ok\nnext"));
        y += size + 4;
      }
    return std::make_pair(Back()->pixels, widths);
  };
  auto uncached = drawAll(false);
  auto cached = drawAll(true);
  auto cachedAgain = drawAll(true);
  EXPECT_TRUE(uncached.first == cached.first);
  EXPECT_TRUE(uncached.first == cachedAgain.first);
  EXPECT_EQ(uncached.second, cachedAgain.second);
}

// The cached glyphs are blended row by row with the clipping worked out per
// glyph; the plain way blends pixel by pixel. Both must leave the same pixels
// over a busy background, in both layouts, on every edge and on a target
// narrower than its pitch.
TEST_F(TextTest, RowBlendingMatchesThePlainWayAtEveryEdge) {
  for (uint32_t greenMask : {0x07E0u, 0x03E0u}) {
    Graphics::SetPixelLayout(greenMask);
    auto drawAll = [&](bool cached) {
      font.SetCacheEnabled(cached);
      Surface* b = Back();
      // Every bit pattern, the top bit of the 555 layout included.
      for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) b->Row(y)[x] = static_cast<uint16_t>(x * 131 + y * 977);
      const int modes[] = {TEXT_SOLID, TEXT_BLEND_BG, TEXT_BLEND_DST, 7};
      const int spots[][2] = {{-9, 20}, {600, 40}, {300, 6}, {200, 478}, {-30, -4}, {625, 490}};
      for (int mode : modes)
        for (const auto& at : spots) {
          Target(20 + mode, mode);
          font.SetMode(mode, 0x80C0F8);
          font.DrawText(at[0], at[1], 0xFFFFFF, u"Wg<0x4080ff>Q@%d", mode);
        }
      // A target 100 pixels wide inside the back buffer's rows.
      font.SetTarget(b->Row(100) + 50, b->pitch * 2, 100, 50);
      font.SetMode(TEXT_BLEND_DST, 0);
      font.DrawText(80, 30, 0xF81F, u"Wide text here");
      return b->pixels;
    };
    const std::vector<uint16_t> plain = drawAll(false);
    EXPECT_TRUE(plain == drawAll(true)) << "layout " << greenMask;
  }
}

TEST_F(TextTest, BracketLocksTheBackBufferOnce) {
  TextFont other;
  BeginText(font, 18);
  EXPECT_TRUE(TextBracketOpen());
  EXPECT_EQ(CurrentFont, &font);
  EXPECT_EQ(Back()->lockCount, 1);
  BeginText(other, 11);
  EXPECT_EQ(CurrentFont, &font);
  EXPECT_EQ(font.Size(), 18);
  EXPECT_EQ(Back()->lockCount, 1);
  EXPECT_EQ(font.Mode(), TEXT_BLEND_DST);
  font.DrawText(10, 30, 0xFFFFFF, u"Loading");
  EndText();
  EXPECT_FALSE(TextBracketOpen());
  EXPECT_EQ(Back()->lockCount, 0);
  EXPECT_GT(Inked(), 0);
  EndText();
  EXPECT_EQ(Back()->lockCount, 0);
}

TEST_F(TextTest, LongTextIsCutToTheBuffer) {
  Target(11);
  std::u16string longText(3000, u'x');
  std::u16string cut(2047, u'x');
  EXPECT_EQ(font.MeasureText(longText.c_str()), font.MeasureText(cut.c_str()));
}

TEST_F(TextTest, MissingOrBrokenFontsDrawNothing) {
  TextFont missing;
  EXPECT_EQ(missing.Load("Nothing.ttf"), 0);
  test::WriteText("Junk.ttf", std::string(5000, '\x17'));
  TextFont junk;
  EXPECT_EQ(junk.Load("Junk.ttf"), 0);
  std::string ttf = test::ReadText("LCDN.ttf");
  test::WriteText("Cut.ttf", ttf.substr(0, ttf.size() / 3));
  TextFont cut;
  if (cut.Load("Cut.ttf")) {
    cut.SetTarget(Back()->pixels.data(), Back()->pitch * 2, 640, 480);
    cut.SetSize(16);
    cut.DrawText(10, 40, 0xFFFF, u"Tolerates a truncated face");
  }
  for (TextFont* f : {&missing, &junk}) {
    f->SetTarget(Back()->pixels.data(), Back()->pitch * 2, 640, 480);
    f->DrawText(10, 40, 0xFFFF, u"Nothing");
    EXPECT_EQ(f->MeasureText(u"Nothing"), 0);
  }
  EXPECT_EQ(Inked(), 0);
}

}  // namespace
}  // namespace vx
