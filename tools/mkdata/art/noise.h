// Smooth value noise for textures; the periodic form tiles seamlessly.
#pragma once

#include <cstdint>

namespace vx::mkdata::art {

class Noise {
 public:
  explicit Noise(uint32_t seed) : seed_(seed) {}
  // Value noise in [0, 1] on a lattice of unit cells; period 0 = none, else
  // the noise repeats every period cells in x and y.
  double Value(double x, double y, int period = 0) const;
  // Sum of octaves, each twice as fine and gain times as strong; in [0, 1].
  double Fbm(double x, double y, int octaves, double gain = 0.5, int period = 0) const;

 private:
  double Lattice(int x, int y, int period) const;
  uint32_t seed_;
};

}  // namespace vx::mkdata::art
