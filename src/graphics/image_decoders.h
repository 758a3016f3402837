// The three image decoders behind Bitmap::Decode. Each fills an empty bitmap
// from a whole file in memory, never reading past size, and returns 1, or 0
// after logging why (an unknown TGA type is refused without a word: the
// caller's message follows).
#pragma once

#include <cstdint>
#include <cstring>

#include "graphics/bitmap.h"
#include "resources/byte_order.h"

namespace vx::image {

int DecodeTga(Bitmap& bm, const uint8_t* data, uint32_t size, const char* name);
int DecodeBmp(Bitmap& bm, const uint8_t* data, uint32_t size, const char* name);
int DecodePcx(Bitmap& bm, const uint8_t* data, uint32_t size, const char* name);

// Logs "Bitmap::Load( name ) failed: why" and returns 0.
int Refuse(Bitmap& bm, const char* name, const char* why);

inline void Put32(uint8_t* p, uint32_t v) { std::memcpy(p, &v, 4); }

}  // namespace vx::image
