// The data generator's writers against the game's own readers: every TGA
// variant and the BMP decode to the pixels written, and the sprite-sheet and
// animation texts read back as written.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "common/image.h"
#include "common/sprite_text.h"
#include "graphics/bitmap.h"
#include "graphics/sprite.h"
#include "resources/text_file.h"

namespace vx {
namespace {

using mkdata::Image;
using mkdata::TgaFormat;

// Rows of one colour wider than a run packet, a lone pixel, noise and black:
// runs must split at 128 pixels and at every row's end.
Image Pattern(int w, int h, int colors) {
  Image img(w, h);
  uint32_t seed = 7;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      seed = seed * 1103515245u + 12345u;
      uint32_t c;
      if (y % 4 == 0) c = 0x3060C0;
      else if (y % 4 == 1) c = x == w / 2 ? 0xFFFFFF : 0;
      else c = ((seed >> 8) % uint32_t(colors)) * 0x010305 + 0x101010;
      img.At(x, y) = c & 0xFFFFFF;
    }
  return img;
}

Bitmap Decode(const std::vector<uint8_t>& bytes) {
  Bitmap b;
  EXPECT_EQ(b.Decode(bytes.data(), uint32_t(bytes.size()), "test"), 1);
  return b;
}

uint32_t Rgb(const Bitmap& b, int x, int y) {
  if (b.bitsPerPixel == 8) return b.palette[b.Pixel8(x, y)] & 0xFFFFFF;
  if (b.bitsPerPixel == 32) return b.Pixel32(x, y) & 0xFFFFFF;
  uint16_t p = b.Pixel16(x, y);
  return uint32_t((p >> 10) & 31) << 19 | uint32_t((p >> 5) & 31) << 11 | uint32_t(p & 31) << 3;
}

TEST(MkdataWritersTest, EveryTgaVariantDecodesToWhatWasWritten) {
  const Image img = Pattern(300, 9, 40);
  for (TgaFormat f : {TgaFormat::kRgb24, TgaFormat::kRgb32, TgaFormat::kRle24, TgaFormat::kRle32, TgaFormat::kRgb16,
                      TgaFormat::kRle16, TgaFormat::kMapped, TgaFormat::kMappedRle}) {
    Bitmap b = Decode(mkdata::EncodeTga(img, f));
    ASSERT_EQ(b.width, 300u);
    ASSERT_EQ(b.height, 9u);
    bool sixteen = f == TgaFormat::kRgb16 || f == TgaFormat::kRle16;
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 300; ++x) {
        uint32_t want = img.At(x, y);
        if (sixteen) want &= 0xF8F8F8;  // five bits a channel
        ASSERT_EQ(Rgb(b, x, y), want) << "format " << int(f) << " at " << x << "," << y;
      }
  }
}

TEST(MkdataWritersTest, ColourMappingKeepsTheKeyAndAvoidsIt) {
  // More colours than a palette holds, near-black ones among them.
  Image img(64, 64);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) img.At(x, y) = (x + y) % 9 == 0 ? 0 : uint32_t(x * 4) << 16 | uint32_t(y * 4) << 8 | 3;
  std::vector<uint32_t> palette;
  std::vector<uint8_t> idx = mkdata::Quantize(img, 256, &palette);
  ASSERT_LE(palette.size(), 256u);
  EXPECT_EQ(palette[0], 0u);
  std::set<uint32_t> used;
  for (size_t i = 0; i < idx.size(); ++i) {
    bool key = img.px[i] == 0;
    EXPECT_EQ(idx[i] == 0, key) << i;
    if (!key) {
      uint32_t c = palette[idx[i]];
      // Never a colour the 16-bit display would turn into the key.
      EXPECT_FALSE(((c >> 19) & 31) == 0 && ((c >> 11) & 31) == 0 && ((c >> 3) & 31) == 0) << i;
    }
    used.insert(idx[i]);
  }
  EXPECT_GT(used.size(), 200u);
  Bitmap b = Decode(mkdata::EncodeTga(img, TgaFormat::kMappedRle));
  EXPECT_EQ(b.bitsPerPixel, 8u);
  EXPECT_EQ(Rgb(b, 0, 0), 0u);
}

TEST(MkdataWritersTest, BmpRowsArePaddedForEveryWidth) {
  for (int w : {1, 2, 3, 5, 8}) {
    Image img = Pattern(w, 5, 200);
    std::vector<uint8_t> bytes = mkdata::EncodeBmp24(img);
    EXPECT_EQ(bytes.size(), 54u + 5u * ((w * 3u + 3u) & ~3u)) << w;
    Bitmap b = Decode(bytes);
    ASSERT_EQ(b.width, uint32_t(w));
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < w; ++x) EXPECT_EQ(Rgb(b, x, y), img.At(x, y)) << w << ": " << x << "," << y;
  }
}

TEST(MkdataWritersTest, SheetSectionsAreFoundByTheirOwnNumber) {
  // "Sprite 1" is also the start of "[Sprite 10]": the order keeps them apart.
  mkdata::FrmWriter frm;
  for (int i = 1; i <= 12; ++i) frm.Add("f" + std::to_string(i), i, 2 * i, 10, 20, -i, i);
  std::string text = frm.Text();
  TextFile file;
  ASSERT_TRUE(file.OpenFromMemory(text.c_str(), uint32_t(text.size())));
  for (int i = 1; i <= 12; ++i) {
    std::string section = "Sprite " + std::to_string(i);
    char value[64];
    ASSERT_TRUE(file.SelectSection(section.c_str()));
    file.GetString(nullptr, "name", nullptr, value, sizeof value);
    EXPECT_EQ(std::string(value), "f" + std::to_string(i));
    file.GetString(nullptr, "rectsx", nullptr, value, sizeof value);
    EXPECT_EQ(std::string(value), std::to_string(i) + ", " + std::to_string(2 * i) + ", 10, 20");
    file.GetString(nullptr, "offsxy", nullptr, value, sizeof value);
    EXPECT_EQ(std::string(value), std::to_string(-i) + ", " + std::to_string(i));
  }
}

TEST(MkdataWritersTest, AnimationsStepAsWritten) {
  mkdata::AnmWriter anm;
  anm.Frame("a", 0, 0, 8, 8);
  anm.Frame("b", 8, 0, 8, 8);
  anm.BeginSequence("Once");
  anm.Show("a", 2, -4, -6);  // 4 steps, centred on an 8 x 12 box
  anm.Show("b", 0);          // one step, never a PAUSE 0
  anm.BeginSequence("Spin");
  anm.Show("a");
  anm.Show("b", 1);
  anm.Loop();
  std::string text = anm.Text();
  AnimationSet set;
  ASSERT_EQ(set.Parse(text.c_str(), uint32_t(text.size())), 1);
  ASSERT_EQ(set.FrameCount(), 2);
  ASSERT_EQ(set.Play("Once", 1), 1);
  EXPECT_EQ(set.OffsetX(), -4);
  EXPECT_EQ(set.OffsetY(), -6);
  std::vector<int> shown = {set.CurrentFrame()};
  while (!set.IsFinished() && shown.size() < 50) {
    set.Play("Once", 0);
    shown.push_back(set.CurrentFrame());
  }
  // a for 4 steps, b for 1, then the finishing step still shows b.
  EXPECT_EQ(shown, (std::vector<int>{0, 0, 0, 0, 1, 1}));
  ASSERT_EQ(set.Play("Spin", 1), 1);
  int flips = 0, last = set.CurrentFrame();
  for (int i = 0; i < 40; ++i) {
    set.Play("Spin", 0);
    ASSERT_FALSE(set.IsFinished());
    flips += set.CurrentFrame() != last;
    last = set.CurrentFrame();
  }
  EXPECT_GT(flips, 10);
}

}  // namespace
}  // namespace vx
