// Loose-file stand-in for the file layer, used only until the real one is built.
#include <cstdio>
#include <cstring>
#include <string>

#include "resources/file_system.h"

namespace vx {

namespace {
uint32_t gLastSize = 0;
}

FileBuffer ReadWholeFile(const char* path) {
  std::string p(path);
  for (char& c : p)
    if (c == '\\') c = '/';
  FILE* f = std::fopen(p.c_str(), "rb");
  if (!f) return nullptr;
  std::fseek(f, 0, SEEK_END);
  long n = std::ftell(f);
  std::fseek(f, 0, SEEK_SET);
  FileBuffer buf(new uint8_t[n + 2]());
  size_t got = std::fread(buf.get(), 1, static_cast<size_t>(n), f);
  std::fclose(f);
  gLastSize = static_cast<uint32_t>(got);
  return buf;
}

uint32_t LastFileSize() { return gLastSize; }

}  // namespace vx
