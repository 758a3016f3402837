// The three image decoders behind Bitmap::Decode. Each fills an empty bitmap
// from a whole file in memory, never reading past size, and returns 1, or 0
// after logging why (an unknown TGA type is refused without a word: the
// caller's message follows).
#pragma once

#include <cstdint>
#include <cstring>

#include "graphics/bitmap.h"

namespace vx::image {

int DecodeTga(Bitmap& bm, const uint8_t* data, uint32_t size, const char* name);
int DecodeBmp(Bitmap& bm, const uint8_t* data, uint32_t size, const char* name);
int DecodePcx(Bitmap& bm, const uint8_t* data, uint32_t size, const char* name);

// Logs "Bitmap::Load( name ) failed: why" and returns 0.
int Refuse(Bitmap& bm, const char* name, const char* why);

inline uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
inline uint32_t U32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}
inline void Put32(uint8_t* p, uint32_t v) { std::memcpy(p, &v, 4); }

}  // namespace vx::image
