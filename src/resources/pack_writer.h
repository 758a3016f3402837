// Builds pack archives (for the developer tool and tests; the game only reads).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vx {

struct PackSource {
  std::string name;  // entry name with its root prefix and backslashes
  std::vector<uint8_t> data;
};

// Writes ENTRIES in the given order, each compressed at zlib level 9, with every
// byte the reader ignores set to zero, so equal input gives equal bytes. The file
// replaces PATH only when complete (WriteUserFile). On failure returns false
// and describes why in *error.
bool WritePackArchive(const char* path, const std::vector<PackSource>& entries, std::string* error);

}  // namespace vx
