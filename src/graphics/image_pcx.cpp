// PCX: run-length encoded, one 8-bit plane with a palette at the end of the
// file, or three planes (red, green, blue) per row.
#include <vector>

#include "graphics/image_decoders.h"

namespace vx::image {

int DecodePcx(Bitmap& bm, const uint8_t* data, uint32_t size, const char* name) {
  if (size < 128) return Refuse(bm, name, "PCX header cut short");
  const int32_t xmin = static_cast<int16_t>(GetU16(data + 4));
  const int32_t ymin = static_cast<int16_t>(GetU16(data + 6));
  const int32_t xmax = static_cast<int16_t>(GetU16(data + 8));
  const int32_t ymax = static_cast<int16_t>(GetU16(data + 10));
  const uint32_t bitsPerPlane = data[3];
  const uint32_t planes = data[65];
  const uint32_t bytesPerLine = GetU16(data + 66);
  const int32_t width = xmax - xmin + 1;
  const int32_t height = ymax - ymin + 1;
  if (width <= 0 || height <= 0) return Refuse(bm, name, "empty image");
  if (bitsPerPlane != 8) return Refuse(bm, name, "unsupported PCX bit depth");
  if (planes != 1 && planes != 3 && planes != 4) return Refuse(bm, name, "unsupported PCX plane count");
  uint32_t end = size;
  if (planes == 1) {
    if (size < 128 + 768) return Refuse(bm, name, "PCX palette missing");
    end = size - 768;
  }
  if (!bm.Create(static_cast<uint32_t>(width), static_cast<uint32_t>(height), planes == 1 ? 8 : 32))
    return Refuse(bm, name, "image too large");
  if (planes == 1) {
    const uint8_t* pal = data + size - 768;
    for (int i = 0; i < 256; ++i)
      bm.palette[i] = static_cast<uint32_t>(pal[3 * i]) << 16 | pal[3 * i + 1] << 8 | pal[3 * i + 2];
  }

  // Each plane of a row is bytes-per-line long; writers pad odd widths to an
  // even count, so the field (not the width) tells where the next plane starts.
  const uint32_t planeBytes = bytesPerLine >= static_cast<uint32_t>(width) ? bytesPerLine : width;
  std::vector<uint8_t> row(static_cast<size_t>(planeBytes) * planes);
  uint32_t pos = 128;
  for (int32_t y = 0; y < height; ++y) {
    size_t filled = 0;
    while (filled < row.size()) {
      if (pos >= end) return Refuse(bm, name, "PCX pixel data cut short");
      const uint8_t b = data[pos++];
      if (b < 192) {
        row[filled++] = b;
        continue;
      }
      const uint32_t count = b & 63;
      if (pos >= end) return Refuse(bm, name, "PCX pixel data cut short");
      if (count > row.size() - filled) return Refuse(bm, name, "PCX run runs past the end of its row");
      std::memset(&row[filled], data[pos++], count);
      filled += count;
    }
    if (planes == 1) {
      std::memcpy(bm.pixels.data() + static_cast<size_t>(y) * width, row.data(), static_cast<size_t>(width));
      continue;
    }
    uint8_t* dst = bm.pixels.data() + static_cast<size_t>(y) * width * 4;
    for (int32_t x = 0; x < width; ++x)
      Put32(dst + x * 4, 0xFF000000u | static_cast<uint32_t>(row[x]) << 16 |
                             row[planeBytes + x] << 8 | row[2 * planeBytes + x]);
  }
  return 1;
}

}  // namespace vx::image
