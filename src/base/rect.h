// The one rectangle type of the program: left and top lie inside, right and
// bottom just outside, so the width is right - left.
#pragma once

#include <cstdint>

namespace vx {

struct Rect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};

}  // namespace vx
