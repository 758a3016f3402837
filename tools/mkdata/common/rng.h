// A small seeded generator for the data set: the same numbers on every
// machine and every build (the standard distributions are not portable).
#pragma once

#include <cstdint>

namespace vx::mkdata {

class Rng {
 public:
  explicit Rng(uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}
  uint32_t Next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return uint32_t((z ^ (z >> 31)) >> 32);
  }
  // 0 .. n-1
  int Below(int n) { return n <= 0 ? 0 : int(Next() % uint32_t(n)); }
  // [0, 1)
  double Unit() { return (Next() >> 8) * (1.0 / 16777216.0); }
  double Range(double lo, double hi) { return lo + (hi - lo) * Unit(); }

 private:
  uint64_t state_;
};

}  // namespace vx::mkdata
