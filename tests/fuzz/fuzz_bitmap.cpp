// The image decoders (TGA, BMP, PCX, chosen by the first bytes): the input is
// an image file. It is decoded from memory, converted to both display layouts
// and to 32 bits, and loaded into a surface through the file layer.
#include <cstdint>

#include "fuzz/fuzz_graphics.h"
#include "graphics/bitmap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vx;
  fuzz::OpenDisplay();
  Bitmap image;
  if (image.Decode(data, static_cast<uint32_t>(size), "fuzz.img")) {
    const uint64_t expected = uint64_t{image.width} * image.height * (image.bitsPerPixel / 8);
    if (image.pixels.size() != expected || image.dataSize != expected) __builtin_trap();
    if (image.bitsPerPixel == 8 && image.palette.size() != 256) __builtin_trap();
    Bitmap converted;
    for (uint32_t depth : {16u, 32u}) {
      if (!converted.Create(image.width, image.height, depth) || !converted.Convert(image))
        __builtin_trap();
    }
  }
  if (!fuzz::WriteWholeFile("fuzz.img", data, size)) return 0;
  Surface* surface = nullptr;
  if (Graphics::LoadSurface("fuzz.img", &surface, 0)) {
    if (!surface || surface->width <= 0 || surface->height <= 0) __builtin_trap();
    Graphics::Blit(nullptr, 0, 0, surface, Rect{0, 0, surface->width < 640 ? surface->width : 640,
                                                surface->height < 480 ? surface->height : 480},
                   false);
  }
  Graphics::ReleaseSurface(surface);
  return 0;
}
