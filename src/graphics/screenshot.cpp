// Print Screen: the back buffer as a 24-bit run-length encoded PCX file.
#include <cstdio>
#include <cstring>

#include "graphics/graphics.h"
#include "graphics/pcx_writer.h"

namespace vx {

namespace {
uint32_t gScreenshotCounter = 0;
}

int WritePcx(const char* path, const Surface& s) {
  FILE* f = std::fopen(path, "wb");
  if (!f) return 0;
  uint8_t header[128] = {};
  header[0] = 10;
  header[1] = 5;
  header[2] = 1;
  header[3] = 8;
  header[8] = (s.width - 1) & 255;
  header[9] = (s.width - 1) >> 8;
  header[10] = (s.height - 1) & 255;
  header[11] = (s.height - 1) >> 8;
  header[65] = 3;
  header[66] = s.width & 255;
  header[67] = s.width >> 8;
  bool ok = std::fwrite(header, 1, sizeof header, f) == sizeof header;

  constexpr int kBufferSize = 8000;
  uint8_t buffer[kBufferSize];
  int fill = 0;
  auto emit = [&](int count, int value) {
    buffer[fill++] = static_cast<uint8_t>(count);
    buffer[fill++] = static_cast<uint8_t>(value);
    if (fill + 2 >= kBufferSize) {
      ok &= std::fwrite(buffer, 1, fill, f) == static_cast<size_t>(fill);
      fill = 0;
    }
  };
  const int shifts[3] = {RedShift, GreenShift, 0};
  for (int y = 0; y < s.height; ++y) {
    const uint16_t* row = s.Row(y);
    for (int shift : shifts) {
      // Every run, even of one pixel, is a count byte and a value byte; a
      // 5-bit component c is written as c * 8 + 7.
      int previous = row[0] >> shift & 31;
      int run = 1;
      for (int x = 1; x < s.width; ++x) {
        const int c = row[x] >> shift & 31;
        if (c == previous) {
          if (++run > 63) {
            emit(255, previous * 8 + 7);
            run = 1;
          }
        } else {
          emit(192 + run, previous * 8 + 7);
          previous = c;
          run = 1;
        }
      }
      emit(192 + run, previous * 8 + 7);
    }
  }
  if (fill) ok &= std::fwrite(buffer, 1, fill, f) == static_cast<size_t>(fill);
  ok &= std::fclose(f) == 0;
  return ok ? 1 : 0;
}

void Graphics::Screenshot() {
  char name[32];
  std::snprintf(name, sizeof name, "screen%02u.pcx", gScreenshotCounter++);
  Surface* back = BackBuffer();
  if (!back) return;
  Surface* copy = CreateSurface(back->width, back->height, kSurfaceSystem);
  if (!copy) return;
  Blit(copy, 0, 0, back, Rect{0, 0, back->width, back->height}, false);
  int32_t pitch;
  uint16_t* pixels;
  if (LockSurface(copy, &pitch, &pixels)) {
    WritePcx(name, *copy);
    UnlockSurface(copy);
  }
  ReleaseSurface(copy);
}

void ResetScreenshotCounter() { gScreenshotCounter = 0; }

}  // namespace vx
