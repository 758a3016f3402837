// A simple player for the autoplay command: the paddle runs to where the lowest
// falling ball will come down, a waiting ball is launched at once, and now and
// then an inventory item is switched on. It plays through the headless input
// devices, so the game sees nothing but mouse motion and keys.
#pragma once

#include <cstdint>

namespace vx {
class HeadlessInput;
}

namespace vx::tool {

class AutoplayBot {
 public:
  // seed drives the bot's own choices; the game's generator is never touched.
  explicit AutoplayBot(uint32_t seed, int maxSpeed = 24) : state_(seed), maxSpeed_(maxSpeed) {}
  // Sets the input for the next frame of the level in play.
  void Step(HeadlessInput& input);

 private:
  int Next(int n);  // 0 .. n-1
  float TargetX();

  uint32_t state_;
  int maxSpeed_;
  int frame_ = 0;
  int trackedBall_ = -1;
  bool wasFalling_ = false;
  int offset_ = 0;  // where on the paddle the ball should land, from its centre
  int nextItemSlot_ = 0;
};

}  // namespace vx::tool
