// Generator "font": "LCDN.ttf", the one face of every text on screen. Play
// (Debian fonts-play) covers Latin and Cyrillic and stays legible from 9 to 32
// pixels.
#include <cstdio>
#include <vector>

#include "mkdata.h"

namespace vx::mkdata {

namespace {

const char kFontSource[] = "/usr/share/fonts/truetype/play/Play-Regular.ttf";

bool GenerateFont(const std::string& outDir) {
  FILE* f = std::fopen(kFontSource, "rb");
  if (!f) {
    std::fprintf(stderr, "font: %s is missing (install fonts-play)\n", kFontSource);
    return false;
  }
  std::vector<char> bytes;
  char buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.insert(bytes.end(), buf, buf + n);
  std::fclose(f);
  if (bytes.size() < 12) {
    std::fprintf(stderr, "font: %s is not a font\n", kFontSource);
    return false;
  }
  return WriteFile(outDir, "DATA/LCDN.ttf", bytes.data(), bytes.size());
}

}  // namespace

VX_MKDATA_GENERATOR(font, GenerateFont);

}  // namespace vx::mkdata
