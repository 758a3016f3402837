// The hand-written sources of the data set (data/...), built into the generator.
#pragma once

#include <cstddef>
#include <string>

namespace vx::mkdata {

struct SourceFile {
  const char* path;  // relative to data/, with '/'
  const unsigned char* data;
  size_t size;
};

// Terminated by an entry with a null path.
extern const SourceFile kSourceFiles[];

// Copies the source at PATH (relative to data/) into TEXT. False when absent.
bool FindSource(const std::string& path, std::string* text);

}  // namespace vx::mkdata
