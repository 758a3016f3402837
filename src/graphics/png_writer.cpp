// PNG output through libpng.
#include "graphics/png_writer.h"

#include <png.h>

#include <csetjmp>
#include <vector>

#include "base/user_file.h"
#include "graphics/graphics.h"

namespace vx {

namespace {
void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}
void FlushNothing(png_structp) {}
}  // namespace

bool WritePng(const char* path, const uint8_t* rgb, int width, int height) {
  if (!path || !rgb || width <= 0 || height <= 0) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!png || !info) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  std::vector<uint8_t> file;
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  png_set_write_fn(png, &file, AppendBytes, FlushNothing);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y)
    png_write_row(png, const_cast<png_bytep>(rgb + static_cast<size_t>(y) * width * 3));
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return WriteUserFile(path, file.data(), file.size()) == 1;
}

bool WriteBackBufferPng(const char* path) {
  const Surface* back = Graphics::BackBuffer();
  if (!back) return false;
  std::vector<uint8_t> rgb(static_cast<size_t>(back->width) * back->height * 3);
  uint8_t* out = rgb.data();
  for (int y = 0; y < back->height; ++y)
    for (int x = 0; x < back->width; ++x, out += 3) PixelToRgb(back->Row(y)[x], out, out + 1, out + 2);
  return WritePng(path, rgb.data(), back->width, back->height);
}

}  // namespace vx
