// Bitmap storage and conversion to the display layout.
#include "graphics/bitmap.h"

#include <cstring>

#include "base/log.h"
#include "graphics/graphics.h"
#include "graphics/image_decoders.h"
#include "resources/file_system.h"

namespace vx {

void Bitmap::Clear() {
  width = height = bitsPerPixel = dataSize = 0;
  palette.clear();
  palette.shrink_to_fit();
  pixels.clear();
  pixels.shrink_to_fit();
}

int Bitmap::Create(uint32_t w, uint32_t h, uint32_t bpp) {
  Clear();
  if (w == 0 || h == 0 || (bpp != 8 && bpp != 16 && bpp != 32)) return 0;
  const uint64_t bytes = static_cast<uint64_t>(w) * h * (bpp / 8);
  if (bytes > kMaxBitmapBytes) return 0;
  width = w;
  height = h;
  bitsPerPixel = bpp;
  dataSize = static_cast<uint32_t>(bytes);
  pixels.assign(dataSize, 0);
  if (bpp == 8) palette.assign(256, 0);
  return 1;
}

uint16_t Bitmap::Pixel16(uint32_t x, uint32_t y) const {
  uint16_t v;
  std::memcpy(&v, pixels.data() + (static_cast<size_t>(y) * width + x) * 2, 2);
  return v;
}

uint32_t Bitmap::Pixel32(uint32_t x, uint32_t y) const {
  uint32_t v;
  std::memcpy(&v, pixels.data() + (static_cast<size_t>(y) * width + x) * 4, 4);
  return v;
}

int Bitmap::Convert(const Bitmap& src) {
  // Only same-size conversions exist in the game.
  if (src.width != width || src.height != height || src.pixels.empty() || pixels.empty())
    return 0;
  if (bitsPerPixel != 16 && bitsPerPixel != 32) return 0;
  if (src.bitsPerPixel == 8 && src.palette.size() < 256) return 0;
  const size_t count = static_cast<size_t>(width) * height;
  for (size_t i = 0; i < count; ++i) {
    uint32_t r, g, b;
    if (src.bitsPerPixel == 8) {
      const uint32_t c = src.palette[src.pixels[i]];
      r = (c >> 16) & 255, g = (c >> 8) & 255, b = c & 255;
    } else if (src.bitsPerPixel == 16) {
      uint16_t v;
      std::memcpy(&v, src.pixels.data() + i * 2, 2);
      r = ((v >> 10) & 31) * 8, g = ((v >> 5) & 31) * 8, b = (v & 31) * 8;
    } else {
      uint32_t c;
      std::memcpy(&c, src.pixels.data() + i * 4, 4);
      r = (c >> 16) & 255, g = (c >> 8) & 255, b = c & 255;
    }
    if (bitsPerPixel == 16) {
      const uint16_t v = PixelIs555
                             ? static_cast<uint16_t>((r >> 3) << 10 | (g >> 3) << 5 | (b >> 3))
                             : static_cast<uint16_t>((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3));
      std::memcpy(pixels.data() + i * 2, &v, 2);
    } else {
      const uint32_t v = r << 16 | g << 8 | b;
      std::memcpy(pixels.data() + i * 4, &v, 4);
    }
  }
  return 1;
}

int Bitmap::Load(const char* fileName) {
  Clear();
  FileBuffer file = ReadWholeFile(fileName);
  if (!file) {
    Log("Bitmap::Load( %s ) is absent\n", fileName);
    return 0;
  }
  return Decode(file.get(), LastFileSize(), fileName);
}

int Bitmap::Decode(const uint8_t* data, uint32_t size, const char* name) {
  Clear();
  if (!data || size == 0) return image::Refuse(*this, name, "empty file");
  if (data[0] == 10) return image::DecodePcx(*this, data, size, name);
  if (size >= 2 && data[0] == 'B' && data[1] == 'M') return image::DecodeBmp(*this, data, size, name);
  return image::DecodeTga(*this, data, size, name);
}

namespace image {
int Refuse(Bitmap& bm, const char* name, const char* why) {
  Log("Bitmap::Load( %s ) failed: %s\n", name, why);
  bm.Clear();
  return 0;
}
}  // namespace image

}  // namespace vx
