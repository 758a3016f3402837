// BMP: uncompressed 8, 24 and 32 bits per pixel.
#include "graphics/image_decoders.h"

namespace vx::image {

int DecodeBmp(Bitmap& bm, const uint8_t* data, uint32_t size, const char* name) {
  if (size < 54) return Refuse(bm, name, "BMP header cut short");
  const uint32_t offset = GetU32(data + 10);
  const uint32_t infoSize = GetU32(data + 14);
  const int32_t width = static_cast<int32_t>(GetU32(data + 18));
  const int32_t rawHeight = static_cast<int32_t>(GetU32(data + 22));
  const uint32_t bits = GetU16(data + 28);
  const uint32_t compression = GetU32(data + 30);
  if (infoSize < 40) return Refuse(bm, name, "unsupported BMP header");
  if (bits != 8 && bits != 24 && bits != 32) return Refuse(bm, name, "unsupported BMP bit count");
  // 3 is the bit-field form that 32-bit files carry; its masks are the usual ones.
  if (compression != 0 && !(compression == 3 && bits == 32))
    return Refuse(bm, name, "compressed BMP");
  // A negative height marks rows stored top-down.
  const bool topDown = rawHeight < 0;
  const int64_t height = topDown ? -static_cast<int64_t>(rawHeight) : rawHeight;
  if (width <= 0 || height <= 0 || height > 0xFFFFFFFFll) return Refuse(bm, name, "empty image");
  if (!bm.Create(static_cast<uint32_t>(width), static_cast<uint32_t>(height), bits == 8 ? 8 : 32))
    return Refuse(bm, name, "image too large");

  const uint32_t bytesIn = bits / 8;
  const uint64_t rowBytes = static_cast<uint64_t>(width) * bytesIn;
  const uint64_t stride = (rowBytes + 3) & ~3ull;
  // The last row's padding may be missing; its pixels may not.
  if (offset > size || stride * (height - 1) + rowBytes > size - offset)
    return Refuse(bm, name, "BMP pixel data cut short");

  if (bits == 8) {
    uint32_t colors = GetU32(data + 46);
    if (colors == 0 || colors > 256) colors = 256;
    // The colour table follows the information header, whatever its size.
    const uint64_t table = 14ull + infoSize;
    for (uint32_t i = 0; i < colors; ++i) {
      const uint64_t at = table + 4ull * i;
      if (at + 3 > size) break;
      bm.palette[i] = static_cast<uint32_t>(data[at + 2]) << 16 | data[at + 1] << 8 | data[at];
    }
  }

  const uint32_t outBytes = bm.bitsPerPixel / 8;
  for (int64_t fileRow = 0; fileRow < height; ++fileRow) {
    const uint8_t* src = data + offset + fileRow * stride;
    const int64_t y = topDown ? fileRow : height - 1 - fileRow;
    uint8_t* dst = bm.pixels.data() + static_cast<size_t>(y) * width * outBytes;
    if (bits == 8) {
      std::memcpy(dst, src, static_cast<size_t>(width));
      continue;
    }
    for (int32_t x = 0; x < width; ++x, src += bytesIn)
      Put32(dst + x * 4, static_cast<uint32_t>(src[2]) << 16 | src[1] << 8 | src[0]);
  }
  return 1;
}

}  // namespace vx::image
