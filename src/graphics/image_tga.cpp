// TGA: colour-mapped and true-colour images, plain or run-length encoded.
// Rows are always taken as stored bottom-up, whatever the descriptor says.
#include "graphics/image_decoders.h"

namespace vx::image {

namespace {

// Stores one file pixel of bytesIn bytes as the bitmap's pixel at out.
inline void StorePixel(uint8_t* out, const uint8_t* in, uint32_t bytesIn) {
  switch (bytesIn) {
    case 1:
      out[0] = in[0];
      break;
    case 2:
      out[0] = in[0];
      out[1] = in[1];
      break;
    case 3:
      Put32(out, static_cast<uint32_t>(in[2]) << 16 | in[1] << 8 | in[0]);
      break;
    default:
      Put32(out, static_cast<uint32_t>(in[3]) << 24 | static_cast<uint32_t>(in[2]) << 16 |
                     in[1] << 8 | in[0]);
      break;
  }
}

}  // namespace

int DecodeTga(Bitmap& bm, const uint8_t* data, uint32_t size, const char* name) {
  if (size < 18) return Refuse(bm, name, "TGA header cut short");
  const uint32_t idLength = data[0];
  const uint32_t type = data[2];
  const uint32_t mapLength = GetU16(data + 5);
  const uint32_t mapEntryBits = data[7];
  const uint32_t width = GetU16(data + 12);
  const uint32_t height = GetU16(data + 14);
  const uint32_t pixelBits = data[16];
  if (type != 1 && type != 2 && type != 9 && type != 10) return 0;
  const bool mapped = type == 1 || type == 9;
  const bool rle = type == 9 || type == 10;

  uint32_t bytesIn;
  uint32_t depth;
  if (mapped) {
    if (pixelBits != 8) return Refuse(bm, name, "colour-mapped TGA must have 8-bit pixels");
    bytesIn = 1;
    depth = 8;
  } else {
    if (pixelBits != 15 && pixelBits != 16 && pixelBits != 24 && pixelBits != 32)
      return Refuse(bm, name, "unsupported TGA pixel depth");
    bytesIn = (pixelBits + 7) / 8;
    depth = pixelBits <= 16 ? 16 : 32;
  }
  if (width == 0 || height == 0) return Refuse(bm, name, "empty image");
  if (!bm.Create(width, height, depth)) return Refuse(bm, name, "image too large");

  const uint64_t mapStart = 18ull + idLength;
  const uint64_t start = mapStart + static_cast<uint64_t>(mapLength) * mapEntryBits / 8;
  if (start > size) return Refuse(bm, name, "TGA colour map cut short");

  if (mapped) {
    // Entries past the map's own length stay 0 rather than being read from
    // whatever follows it.
    const uint32_t entries = mapLength < 256 ? mapLength : 256;
    for (uint32_t i = 0; i < entries; ++i) {
      const uint64_t at = mapStart + static_cast<uint64_t>(mapEntryBits) * i / 8;
      if (mapEntryBits == 15 || mapEntryBits == 16) {
        if (at + 2 > size) break;
        const uint32_t v = GetU16(data + at);
        bm.palette[i] = ((v >> 10) & 31) * 8 << 16 | ((v >> 5) & 31) * 8 << 8 | (v & 31) * 8;
      } else {
        if (at + 3 > size) break;
        bm.palette[i] = static_cast<uint32_t>(data[at + 2]) << 16 | data[at + 1] << 8 | data[at];
      }
    }
  }

  const uint32_t bytesOut = depth / 8;
  const uint32_t rowBytes = width * bytesOut;
  const uint8_t* p = data + start;
  const uint8_t* end = data + size;
  for (uint32_t fileRow = 0; fileRow < height; ++fileRow) {
    uint8_t* row = bm.pixels.data() + static_cast<size_t>(height - 1 - fileRow) * rowBytes;
    if (!rle) {
      if (static_cast<uint64_t>(end - p) < static_cast<uint64_t>(width) * bytesIn)
        return Refuse(bm, name, "TGA pixel data cut short");
      for (uint32_t x = 0; x < width; ++x, p += bytesIn) StorePixel(row + x * bytesOut, p, bytesIn);
      continue;
    }
    uint32_t x = 0;
    while (x < width) {
      if (p >= end) return Refuse(bm, name, "TGA pixel data cut short");
      const uint32_t header = *p++;
      const uint32_t count = (header & 127) + 1;
      if (count > width - x) return Refuse(bm, name, "TGA packet runs past the end of its row");
      if (header >= 128) {
        if (static_cast<uint32_t>(end - p) < bytesIn) return Refuse(bm, name, "TGA pixel data cut short");
        for (uint32_t i = 0; i < count; ++i) StorePixel(row + (x + i) * bytesOut, p, bytesIn);
        p += bytesIn;
      } else {
        if (static_cast<uint64_t>(end - p) < static_cast<uint64_t>(count) * bytesIn)
          return Refuse(bm, name, "TGA pixel data cut short");
        for (uint32_t i = 0; i < count; ++i, p += bytesIn)
          StorePixel(row + (x + i) * bytesOut, p, bytesIn);
      }
      x += count;
    }
  }
  return 1;
}

}  // namespace vx::image
