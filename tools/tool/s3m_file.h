// Reading a module file for the S3M commands.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "resources/file_system.h"

namespace vx::tool {

// No module comes near this; a larger file is no module.
constexpr uint64_t kMaxModuleFile = 64u << 20;

// Reads the module at path; false after telling stderr why, as "COMMAND: ...".
inline bool ReadModuleFile(const char* command, const char* path, std::vector<uint8_t>* bytes) {
  std::string why;
  if (ReadHostFile(path, kMaxModuleFile, bytes, &why)) return true;
  std::fprintf(stderr, "velotrix-tool %s: cannot read '%s': it %s\n", command, path, why.c_str());
  return false;
}

}  // namespace vx::tool
