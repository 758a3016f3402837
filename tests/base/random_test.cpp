#include <gtest/gtest.h>

#include "base/game_record.h"
#include "base/random.h"

namespace vx {
namespace {

TEST(Random, FollowsTheLinearCongruentialSequence) {
  SeedRandom(0);
  // state = 2531011 -> value (2531011 >> 16) & 0x7fff = 38
  EXPECT_EQ(NextRandom(), 38);
  uint32_t state = 2531011u * 214013u + 2531011u;
  EXPECT_EQ(NextRandom(), static_cast<int>((state >> 16) & 0x7fff));
}

TEST(Random, RangesAndZeroDivisor) {
  SeedRandom(1234);
  for (int i = 0; i < 1000; ++i) {
    int r = RandomRange(4, 22);
    EXPECT_GE(r, 4);
    EXPECT_LT(r, 22);
    int s = RandomSpread(3);
    EXPECT_GE(s, -3);
    EXPECT_LT(s, 3);
  }
  EXPECT_EQ(Random(0), 0);
}

TEST(Triangle, CountsDownThenUp) {
  g.frameCounter = 0;
  EXPECT_EQ(Triangle(10), 10);
  g.frameCounter = 3;
  EXPECT_EQ(Triangle(10), 7);
  g.frameCounter = 13;
  EXPECT_EQ(Triangle(10), 3);
  g.frameCounter = 20;
  EXPECT_EQ(Triangle(10), 10);
}

}  // namespace
}  // namespace vx
