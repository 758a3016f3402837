// Little-endian integers in the game's files (archives, images, sounds,
// modules, saves, high scores): the one reader and writer of their bytes.
#pragma once

#include <cstdint>

namespace vx {

inline uint16_t GetU16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}

inline uint32_t GetU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

inline int16_t GetI16(const uint8_t* p) { return static_cast<int16_t>(GetU16(p)); }
inline int32_t GetI32(const uint8_t* p) { return static_cast<int32_t>(GetU32(p)); }

inline void PutU16(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}

inline void PutU32(uint8_t* p, uint64_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace vx
