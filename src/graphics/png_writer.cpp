#include "graphics/png_writer.h"

namespace vx {

bool WritePng(const char*, const uint8_t*, int, int) { return false; }
bool WriteBackBufferPng(const char*) { return false; }

}  // namespace vx
