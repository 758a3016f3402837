#include "art/noise.h"

#include <cmath>

namespace vx::mkdata::art {

double Noise::Lattice(int x, int y, int period) const {
  if (period > 0) {
    x = ((x % period) + period) % period;
    y = ((y % period) + period) % period;
  }
  uint32_t h = seed_ * 0x27d4eb2du ^ uint32_t(x) * 0x85ebca6bu ^ uint32_t(y) * 0xc2b2ae35u;
  h ^= h >> 15;
  h *= 0x2c1b3c6du;
  h ^= h >> 12;
  h *= 0x297a2d39u;
  h ^= h >> 15;
  return (h & 0xffffff) / double(0xffffff);
}

double Noise::Value(double x, double y, int period) const {
  double fx = std::floor(x), fy = std::floor(y);
  int ix = int(fx), iy = int(fy);
  double tx = x - fx, ty = y - fy;
  tx = tx * tx * (3 - 2 * tx);
  ty = ty * ty * (3 - 2 * ty);
  double a = Lattice(ix, iy, period), b = Lattice(ix + 1, iy, period);
  double c = Lattice(ix, iy + 1, period), d = Lattice(ix + 1, iy + 1, period);
  return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

double Noise::Fbm(double x, double y, int octaves, double gain, int period) const {
  double sum = 0, amp = 1, norm = 0;
  for (int o = 0; o < octaves; ++o) {
    sum += Value(x, y, period) * amp;
    norm += amp;
    amp *= gain;
    x *= 2;
    y *= 2;
    if (period) period *= 2;
  }
  return sum / norm;
}

}  // namespace vx::mkdata::art
