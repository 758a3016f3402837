// Reading a module file for the S3M commands.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

namespace vx::tool {

inline bool ReadModuleFile(const char* path, std::vector<uint8_t>* bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

}  // namespace vx::tool
