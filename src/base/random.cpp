#include "base/random.h"

#include "base/game_record.h"

namespace vx {

uint32_t gRandomState = 1;

void SeedRandom(uint32_t seed) { gRandomState = seed; }

int NextRandom() {
  gRandomState = gRandomState * 214013u + 2531011u;
  return static_cast<int>((gRandomState >> 16) & 0x7fff);
}

int Random(int n) {
  int v = NextRandom();
  return n > 0 ? v % n : 0;
}

int RandomRange(int lo, int hi) { return lo + Random(hi - lo); }

int RandomSpread(int n) { return Random(2 * n) - n; }

int Triangle(int n) {
  if (n <= 0) return 0;
  uint32_t f = g.frameCounter;
  uint32_t un = static_cast<uint32_t>(n);
  return (f / un) % 2 == 0 ? n - static_cast<int>(f % un) : static_cast<int>(f % un);
}

}  // namespace vx
