// Writing a user file without ever losing the old one.
#pragma once

#include <cstddef>

namespace vx {

// Writes size bytes to "<name>.tmp", flushes them to the disk and renames the
// file over name. On any failure the temporary file is removed, the old file
// is left as it was and 0 is returned; 1 on success.
int ReplaceFile(const char* name, const void* data, size_t size);

}  // namespace vx
