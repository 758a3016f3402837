// velotrix-tool decode IMAGE OUT: decodes IMAGE with the game's own decoders
// (through the 32-bit conversion) and writes OUT as 8-bit RGB, binary PPM for
// ".ppm" and PNG for ".png".
#include <cstdio>
#include <strings.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/user_file.h"
#include "command.h"
#include "graphics/bitmap.h"
#include "graphics/png_writer.h"
#include "resources/file_system.h"

namespace vx::tool {

namespace {

// No image comes near this; a larger file is no image.
constexpr uint64_t kMaxImageFile = 256u << 20;

bool EndsWith(const char* s, const char* suffix) {
  const size_t n = std::strlen(s), m = std::strlen(suffix);
  return n >= m && strcasecmp(s + n - m, suffix) == 0;
}

int CmdDecode(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: velotrix-tool decode IMAGE OUT(.ppm|.png)\n");
    return 2;
  }
  const char* in = argv[1];
  const char* out = argv[2];
  const bool png = EndsWith(out, ".png");
  if (!png && !EndsWith(out, ".ppm")) {
    std::fprintf(stderr, "decode: OUT must end in .ppm or .png\n");
    return 2;
  }
  std::vector<uint8_t> data;
  std::string why;
  if (!ReadHostFile(in, kMaxImageFile, &data, &why)) {
    std::fprintf(stderr, "decode: cannot read %s: it %s\n", in, why.c_str());
    return 1;
  }
  Bitmap image, rgb32;
  if (!image.Decode(data.data(), static_cast<uint32_t>(data.size()), in) ||
      !rgb32.Create(image.width, image.height, 32) || !rgb32.Convert(image)) {
    std::fprintf(stderr, "decode: %s is not an image the game can read\n", in);
    return 1;
  }
  std::vector<uint8_t> rgb(static_cast<size_t>(image.width) * image.height * 3);
  for (uint32_t y = 0; y < image.height; ++y)
    for (uint32_t x = 0; x < image.width; ++x) {
      const uint32_t c = rgb32.Pixel32(x, y);
      uint8_t* p = &rgb[(static_cast<size_t>(y) * image.width + x) * 3];
      p[0] = c >> 16 & 255;
      p[1] = c >> 8 & 255;
      p[2] = c & 255;
    }
  if (png) {
    if (!WritePng(out, rgb.data(), static_cast<int>(image.width), static_cast<int>(image.height))) {
      std::fprintf(stderr, "decode: cannot write %s\n", out);
      return 1;
    }
    return 0;
  }
  std::string ppm = "P6\n" + std::to_string(image.width) + " " + std::to_string(image.height) + "\n255\n";
  ppm.append(rgb.begin(), rgb.end());
  if (!WriteUserFile(out, ppm.data(), ppm.size())) {
    std::fprintf(stderr, "decode: cannot write %s\n", out);
    return 1;
  }
  return 0;
}

}  // namespace

VX_TOOL_COMMAND(decode, "decode IMAGE OUT   decode a TGA/BMP/PCX into OUT (.ppm or .png)", CmdDecode);

}  // namespace vx::tool
