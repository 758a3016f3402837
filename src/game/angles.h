// Directions in degrees: 0 points right, 90 up, 180 left, 270 down (screen y
// grows downwards). All of it in single precision, as the ball state is.
#pragma once

namespace vx {

struct Vec2 {
  float x = 0, y = 0;
};

constexpr float kPi = 3.14159265359f;

// Unit vector of an angle in degrees, in screen coordinates.
Vec2 Dir(float degrees);
// Unit vector of v; a zero vector stays zero.
Vec2 Normalise(Vec2 v);
// Angle in degrees (0 .. 360) of a vector; AngleOf(Dir(a)) == a for 0 <= a < 360.
float AngleOf(Vec2 v);

// True when a ball flying at this angle moves downwards.
inline bool MovesDown(float angle) { return angle >= 180 && angle < 360; }

}  // namespace vx
