// Per-pixel solids: lumpy rocks and textured spheres, lit from the upper left.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "art/cells.h"
#include "art/noise.h"

namespace vx::mkdata::art {

struct RockStyle {
  double radius;
  uint32_t light, dark;
  uint32_t seed;
  double lumpiness = 0.22;
  uint32_t glow = 0;  // glowing cracks (lava), 0 = none
};

// A rock turned by angle (radians) in the picture plane; (x, y) from its centre.
Rgba RockPixel(const RockStyle& style, double x, double y, double angle);

// Surface colour of a sphere at longitude lon (radians, wraps) and latitude lat.
using SurfaceFn = std::function<uint32_t(double lon, double lat)>;

struct SphereStyle {
  double radius;
  double spin;          // added to the longitude: turns the globe
  double tilt = 0.0;    // axis tilt in the picture plane (radians)
  uint32_t atmosphere = 0;  // rim glow colour, 0 = none
  double ambient = 0.18;
};

Rgba SpherePixel(const SphereStyle& style, const SurfaceFn& surface, double x, double y);

// Periodic noise on the globe: longitude wraps, period cells around.
double GlobeNoise(const Noise& n, double lon, double lat, int period, int octaves, double gain = 0.5);

}  // namespace vx::mkdata::art
