#include "autoplay_bot.h"

#include <cmath>

#include "game/angles.h"
#include "game/game_state.h"
#include "input/input.h"
#include "platform/headless/headless_platform.h"

namespace vx::tool {

namespace {

constexpr int kItemInterval = 600;  // frames between two items switched on
constexpr float kLeftWall = 11, kRightWall = 629;

// Where a ball at (x, y) flying along (dx, dy) (dy > 0) crosses line y = to,
// with the side walls folded in.
float CrossingX(float x, float y, float dx, float dy, float to) {
  float t = (to - y) / dy;
  float span = kRightWall - kLeftWall;
  float u = std::fmod(x + dx * t - kLeftWall, 2 * span);
  if (u < 0) u += 2 * span;
  return kLeftWall + (u > span ? 2 * span - u : u);
}

}  // namespace

int AutoplayBot::Next(int n) {
  state_ = state_ * 1103515245u + 12345u;
  return n > 0 ? static_cast<int>((state_ >> 16) % static_cast<uint32_t>(n)) : 0;
}

float AutoplayBot::TargetX() {
  const LevelState& L = gGame.level;
  const Paddle& P = L.paddle;
  // The lowest falling ball; with none falling, the lowest ball.
  int pick = -1;
  bool falling = false;
  for (int i = 0; i < kMaxBalls; ++i) {
    const Ball& b = L.balls[i];
    if (!b.active) continue;
    bool down = MovesDown(b.angle);
    if (pick < 0 || (down && !falling) || (down == falling && b.y > L.balls[pick].y)) {
      pick = i;
      falling = down;
    }
  }
  if (pick < 0) return static_cast<float>(P.x);
  const Ball& b = L.balls[pick];
  // A new descent: pick another spot on the paddle, so the ball leaves at
  // another angle and the field is worked from side to side.
  if (falling && (!wasFalling_ || pick != trackedBall_)) offset_ = Next(P.w / 2 + 1) - P.w / 4;
  trackedBall_ = pick;
  wasFalling_ = falling;
  if (!falling) return b.x;
  Vec2 d = Dir(b.angle);
  float x = d.y > 0.05f ? CrossingX(b.x, b.y, d.x, d.y, static_cast<float>(P.y)) : b.x;
  return x - static_cast<float>(offset_);
}

void AutoplayBot::Step(HeadlessInput& input) {
  const LevelState& L = gGame.level;
  ++frame_;
  // Keys are tapped: down for one frame, up for the next.
  bool spaceWasDown = input.keys[KEY_SPACE] != 0;
  input.SetKey(KEY_SPACE, false);
  for (int k = KEY_1; k <= KEY_0; ++k) input.SetKey(k, false);
  if (L.levelEnded) return;

  if (L.ballWaiting && !spaceWasDown) input.SetKey(KEY_SPACE, true);
  int dx = static_cast<int>(std::lround(TargetX())) - L.paddle.x;
  if (dx > maxSpeed_) dx = maxSpeed_;
  if (dx < -maxSpeed_) dx = -maxSpeed_;
  input.MoveMouse(dx, 0);

  if (frame_ % kItemInterval == 0 && !L.ballWaiting) {
    for (int i = 0; i < kInventorySlots; ++i) {
      int slot = (nextItemSlot_ + i) % kInventorySlots;
      if (gGame.player.inventory[slot].id != 0 && gGame.player.inventory[slot].count > 0) {
        input.SetKey(KEY_1 + slot, true);
        nextItemSlot_ = slot + 1;
        break;
      }
    }
  }
}

}  // namespace vx::tool
