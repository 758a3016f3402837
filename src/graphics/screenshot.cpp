// Print Screen: the back buffer as a 24-bit run-length encoded PCX file.
#include <cstdio>
#include <vector>

#include "base/log.h"
#include "base/user_file.h"
#include "graphics/graphics.h"
#include "graphics/pcx_writer.h"
#include "resources/byte_order.h"

namespace vx {

namespace {
uint32_t gScreenshotCounter = 0;
// Names tried past the taken ones before giving up.
constexpr uint32_t kMaxScreenshots = 10000;
}

std::vector<uint8_t> EncodePcx(const Surface& s) {
  std::vector<uint8_t> file(128, 0);
  uint8_t* header = file.data();
  header[0] = 10;
  header[1] = 5;
  header[2] = 1;
  header[3] = 8;
  PutU16(header + 8, static_cast<uint32_t>(s.width - 1));
  PutU16(header + 10, static_cast<uint32_t>(s.height - 1));
  header[65] = 3;
  PutU16(header + 66, static_cast<uint32_t>(s.width));
  auto emit = [&file](int count, int value) {
    file.push_back(static_cast<uint8_t>(count));
    file.push_back(static_cast<uint8_t>(value));
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
  return file;
}

int WritePcx(const char* path, const Surface& s) {
  const std::vector<uint8_t> file = EncodePcx(s);
  return WriteUserFile(path, file.data(), file.size());
}

namespace {

// Writes the picture under the next free number: a picture of an earlier run
// (or anything else at that name) is never overwritten.
void SaveScreenshot(const std::vector<uint8_t>& file) {
  for (uint32_t tries = 0; tries < kMaxScreenshots; ++tries) {
    char name[32];
    std::snprintf(name, sizeof name, "screen%02u.pcx", gScreenshotCounter++);
    switch (CreateUserFile(name, file.data(), file.size())) {
      case CreateResult::kCreated:
        Log("Screenshot '%s'\n", name);
        return;
      case CreateResult::kExists:
        continue;
      case CreateResult::kFailed:
        Log("Can't write screenshot '%s'\n", name);
        return;
    }
  }
  Log("Can't write screenshot: no free name\n");
}

}  // namespace

void Graphics::Screenshot() {
  Surface* back = BackBuffer();
  if (!back) return;
  Surface* copy = CreateSurface(back->width, back->height, kSurfaceSystem);
  if (!copy) return;
  Blit(copy, 0, 0, back, Rect{0, 0, back->width, back->height}, false);
  int32_t pitch;
  uint16_t* pixels;
  if (LockSurface(copy, &pitch, &pixels)) {
    SaveScreenshot(EncodePcx(*copy));
    UnlockSurface(copy);
  }
  ReleaseSurface(copy);
}

void ResetScreenshotCounter() { gScreenshotCounter = 0; }

}  // namespace vx
