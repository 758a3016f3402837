// The display the graphics fuzz targets draw into: the headless platform, a
// 640 x 480 back buffer, and a small sprite sheet image in the scratch folder.
#pragma once

#include <cstdint>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "graphics/graphics.h"
#include "platform/headless/headless_platform.h"
#include "platform/platform.h"

namespace vx::fuzz {

// A 64 x 48 true-colour TGA with black (the colour key) in its corners.
inline void WriteSheetImage(const char* path) {
  const int w = 64, h = 48;
  std::vector<uint8_t> tga(18, 0);
  tga[2] = 2;
  tga[12] = w, tga[14] = h, tga[16] = 24;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const bool corner = (x < 4 || x >= w - 4) && (y < 4 || y >= h - 4);
      tga.push_back(corner ? 0 : static_cast<uint8_t>(x * 4));
      tga.push_back(corner ? 0 : static_cast<uint8_t>(y * 5));
      tga.push_back(corner ? 0 : 200);
    }
  WriteWholeFile(path, tga.data(), tga.size());
}

// Once per process: scratch folder, platform, display and "sheet.tga".
inline void OpenDisplay() {
  static HeadlessPlatform* platform = nullptr;
  if (platform) return;
  EnterScratchDir();
  platform = new HeadlessPlatform;
  gPlatform = platform->platform();
  if (!Graphics::Init(640, 480, 0)) __builtin_trap();
  WriteSheetImage("sheet.tga");
}

}  // namespace vx::fuzz
