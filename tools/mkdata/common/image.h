// Images as the data set stores them: 0x00RRGGBB pixels, top row first, and
// the writers for the TGA and BMP variants the game reads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vx::mkdata {

struct Image {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> px;  // 0x00RRGGBB, row after row, top row first

  Image() = default;
  Image(int w, int h, uint32_t fill = 0) : width(w), height(h), px(size_t(w) * h, fill) {}
  uint32_t& At(int x, int y) { return px[size_t(y) * width + x]; }
  uint32_t At(int x, int y) const { return px[size_t(y) * width + x]; }
  // Copies a w x h block of src at (sx, sy) to (dx, dy); parts outside either image are skipped.
  void Blit(const Image& src, int sx, int sy, int w, int h, int dx, int dy);
  Image Crop(int x, int y, int w, int h) const;
};

// Every variant of the game's TGA decoder: true colour (type 2) at 16, 24 and
// 32 bits, run-length true colour (type 10), colour-mapped (type 1) and
// run-length colour-mapped (type 9). Rows are always stored bottom-up.
enum class TgaFormat { kRgb16, kRgb24, kRgb32, kRle16, kRle24, kRle32, kMapped, kMappedRle };

std::vector<uint8_t> EncodeTga(const Image& img, TgaFormat format);
// 24-bit BMP with a 40-byte information header, rows bottom-up padded to 4 bytes.
std::vector<uint8_t> EncodeBmp24(const Image& img);

// Reduces img to at most maxColors colours (median cut; deterministic). Pure
// black stays pure black and gets index 0 so keyed sprites keep their key.
// Fills palette (0x00RRGGBB) and returns one index per pixel.
std::vector<uint8_t> Quantize(const Image& img, int maxColors, std::vector<uint32_t>* palette);

}  // namespace vx::mkdata
