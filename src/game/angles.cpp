#include "game/angles.h"

#include <cmath>

namespace vx {

Vec2 Dir(float degrees) {
  float r = degrees / 180.0f * kPi;
  return {std::cos(r), -std::sin(r)};
}

Vec2 Normalise(Vec2 v) {
  float len = std::sqrt(v.x * v.x + v.y * v.y);
  if (len == 0) return v;
  return {v.x / len, v.y / len};
}

float AngleOf(Vec2 v) {
  Vec2 n = Normalise(v);
  // Rounding can push a unit component a hair past 1, where acos has no answer.
  float c = n.x > 1.0f ? 1.0f : (n.x < -1.0f ? -1.0f : n.x);
  float a = std::acos(c) * 180.0f / kPi;
  if (n.y > 0) a = 360.0f - a;
  return a;
}

}  // namespace vx
