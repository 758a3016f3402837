// Writes small image files for tests.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace vx::test {

// An uncompressed 24-bit TGA; color(x, y) gives 0xRRGGBB for the top-down pixel.
inline void WriteTga(const std::string& path, int w, int h,
                     const std::function<uint32_t(int, int)>& color) {
  std::vector<uint8_t> b(18, 0);
  b[2] = 2;
  b[12] = w & 255;
  b[13] = w >> 8;
  b[14] = h & 255;
  b[15] = h >> 8;
  b[16] = 24;
  for (int y = h - 1; y >= 0; --y)
    for (int x = 0; x < w; ++x) {
      uint32_t c = color(x, y);
      b.push_back(c & 255);
      b.push_back((c >> 8) & 255);
      b.push_back((c >> 16) & 255);
    }
  FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(b.data(), 1, b.size(), f);
  std::fclose(f);
}

inline void WriteText(const std::string& path, const std::string& text) {
  FILE* f = std::fopen(path.c_str(), "wb");
  std::fwrite(text.data(), 1, text.size(), f);
  std::fclose(f);
}

}  // namespace vx::test
