// Writing the few files the game itself produces below its working directory
// (level files from the editor, the coordinates dump).
#pragma once

#include <cstddef>

namespace vx {

// Writes data to a game path ("Episode1\Levels\Level07"; backslashes or
// slashes) relative to the working directory. Each directory component reuses an
// existing one of any letter case or is created, and an existing file of any
// case is replaced. The data goes to a temporary file first and is renamed over
// the target, so a failed write never leaves a half-written file behind.
// Returns true when the file was written; failures are logged.
bool WriteHostFile(const char* path, const void* data, size_t size);

}  // namespace vx
