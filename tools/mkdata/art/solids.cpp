#include "art/solids.h"

#include <algorithm>
#include <cmath>

#include "art/canvas.h"
#include "common/rng.h"

namespace vx::mkdata::art {

namespace {
const double kLx = -0.55, kLy = -0.6, kLz = 0.58;  // towards the light, normalised below
double Lit(double nx, double ny, double nz) {
  double l = std::sqrt(kLx * kLx + kLy * kLy + kLz * kLz);
  return std::max(0.0, (nx * kLx + ny * kLy + nz * kLz) / l);
}
}  // namespace

Rgba RockPixel(const RockStyle& s, double x, double y, double angle) {
  Noise n(s.seed);
  double ca = std::cos(-angle), sa = std::sin(-angle);
  double u = x * ca - y * sa, v = x * sa + y * ca;
  double d = std::hypot(x, y);
  double th = std::atan2(v, u);
  double R = s.radius * (1 - s.lumpiness + s.lumpiness * 2 * n.Fbm(std::cos(th) * 1.4 + 10, std::sin(th) * 1.4 + 10, 3));
  double cover = std::clamp(R - d + 0.5, 0.0, 1.0);
  if (cover <= 0) return {};
  double q = std::min(1.0, d / R);
  double nz = std::sqrt(std::max(0.0, 1 - q * q));
  double tex = n.Fbm(u / 5.0 + 30, v / 5.0 + 30, 4, 0.55);
  // Craters: fixed on the rock, so they turn with it.
  Rng rng(s.seed);
  double crater = 0;
  int count = 3 + int(s.radius / 10);
  for (int i = 0; i < count; ++i) {
    double cx = rng.Range(-0.6, 0.6) * s.radius, cy = rng.Range(-0.6, 0.6) * s.radius;
    double cr = rng.Range(0.12, 0.28) * s.radius;
    double dd = std::hypot(u - cx, v - cy) / cr;
    if (dd < 1) crater -= 0.35 * (1 - dd);
    else if (dd < 1.3) crater += 0.25 * (1.3 - dd) / 0.3;
  }
  double lit = 0.22 + 0.95 * Lit(x / R * 0.9, y / R * 0.9, nz + 0.1);
  uint32_t col = Mix(s.dark, s.light, std::clamp(tex + crater * 0.5, 0.0, 1.0));
  col = Scale(col, std::clamp(lit + crater * 0.6, 0.05, 1.4));
  if (s.glow) {
    double g = std::pow(std::clamp(1 - std::fabs(n.Fbm(u / 7.0 + 50, v / 7.0, 3) - 0.5) * 9, 0.0, 1.0), 2);
    col = Mix(col, s.glow, g * 0.9);
  }
  return {col, cover};
}

double GlobeNoise(const Noise& n, double lon, double lat, int period, int octaves, double gain) {
  double x = lon / (2 * M_PI) * period;
  x -= std::floor(x / period) * period;
  double y = (lat / M_PI + 0.5) * period * 0.5;
  return n.Fbm(x, y, octaves, gain, period);
}

Rgba SpherePixel(const SphereStyle& s, const SurfaceFn& surface, double x, double y) {
  double d = std::hypot(x, y);
  double rim = s.atmosphere ? s.radius * 0.12 : 0;
  if (d > s.radius + rim + 1) return {};
  if (d > s.radius) {
    // Atmosphere halo outside the disc.
    double t = 1 - (d - s.radius) / (rim + 1);
    double lit = 0.35 + 0.65 * Lit(x / d, y / d, 0.2);
    return {Scale(s.atmosphere, lit), t * t * 0.85};
  }
  double cover = std::clamp(s.radius - d + 0.5, 0.0, 1.0);
  double nx = x / s.radius, ny = y / s.radius;
  double nz = std::sqrt(std::max(0.0, 1 - nx * nx - ny * ny));
  // Undo the axis tilt, then read the surface.
  double ct = std::cos(-s.tilt), st = std::sin(-s.tilt);
  double ax = nx * ct - ny * st, ay = nx * st + ny * ct;
  double lat = std::asin(std::clamp(ay, -1.0, 1.0));
  double lon = std::atan2(ax, nz) + s.spin;
  uint32_t col = surface(lon, lat);
  double lit = s.ambient + (1 - s.ambient) * Lit(nx, ny, nz);
  col = Scale(col, lit * 1.1);
  if (s.atmosphere) {
    double edge = std::pow(1 - nz, 2.5);
    col = Mix(col, s.atmosphere, edge * 0.7 * (0.3 + 0.7 * Lit(nx, ny, nz)));
  }
  return {col, cover};
}

}  // namespace vx::mkdata::art
