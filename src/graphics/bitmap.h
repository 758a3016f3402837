// Decoded images (TGA, BMP, PCX) on their way into surfaces.
#pragma once

#include <cstdint>
#include <vector>

namespace vx {

// No image may need more pixel memory than this; larger claims are refused.
constexpr uint64_t kMaxBitmapBytes = 64ull << 20;

class Bitmap {
 public:
  uint32_t width = 0;
  uint32_t height = 0;
  uint32_t bitsPerPixel = 0;      // 8, 16 or 32
  std::vector<uint32_t> palette;  // 256 entries 0x00RRGGBB for 8 bits, else empty
  std::vector<uint8_t> pixels;    // rows top to bottom, no padding
  uint32_t dataSize = 0;

  // Reads fileName through the file layer and decodes it. 1 on success.
  int Load(const char* fileName);
  // Decodes a whole file already in memory; name is used in log lines only.
  int Decode(const uint8_t* data, uint32_t size, const char* name);
  // Allocates an empty bitmap (a zeroed palette for depth 8). 1 on success.
  int Create(uint32_t w, uint32_t h, uint32_t bpp);
  // Fills this bitmap, already made at depth 16 (display layout) or 32
  // (0x00RRGGBB) and at src's size, from src. 1 on success.
  int Convert(const Bitmap& src);
  void Clear();

  // Pixel accessors for conversions and tests; no bounds checks.
  uint16_t Pixel16(uint32_t x, uint32_t y) const;
  uint32_t Pixel32(uint32_t x, uint32_t y) const;
  uint8_t Pixel8(uint32_t x, uint32_t y) const { return pixels[y * width + x]; }
};

}  // namespace vx
