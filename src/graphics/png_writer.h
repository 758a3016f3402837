// PNG output for the developer's tool (the game itself never writes PNG).
#pragma once

#include <cstdint>

namespace vx {

// rgb: width x height pixels of 3 bytes, rows top to bottom. true on success.
bool WritePng(const char* path, const uint8_t* rgb, int width, int height);
// Writes the back buffer as an 8-bit RGB PNG. true on success.
bool WriteBackBufferPng(const char* path);

}  // namespace vx
