// The screenshot file format: 24-bit PCX, three run-length encoded planes.
#pragma once

#include <cstdint>
#include <vector>

#include "graphics/graphics.h"

namespace vx {

// The file's bytes for s (display pixels in the current layout).
std::vector<uint8_t> EncodePcx(const Surface& s);
// Writes s (display pixels in the current layout) to path; 1 on success.
int WritePcx(const char* path, const Surface& s);
// The next screenshot is "screen00.pcx" again (a new run of the program).
void ResetScreenshotCounter();

}  // namespace vx
