#include "game/game_state_text.h"

#include <cstdio>

#include "base/game_record.h"
#include "game/game_state.h"

namespace vx {

namespace {

const char* StateName() {
  const LevelState& L = gGame.level;
  if (L.levelEnded) return L.levelFailed ? "lost" : "won";
  if (L.paused) return "paused";
  if (L.quitRequest) return "quit";
  if (L.ballWaiting) return "waiting";
  return "playing";
}

}  // namespace

int BlocksLeft() {
  int n = 0;
  for (const BlockCell& c : gGame.level.grid) n += c.type != 0;
  return n;
}

std::string GameStateLine() {
  const LevelState& L = gGame.level;
  const PlayerRecord& P = gGame.player;
  char buf[192];
  int balls = 0, enemies = 0;
  for (const Ball& b : L.balls) balls += b.active ? 1 : 0;
  for (const Enemy& e : L.enemies) enemies += e.kind != 0 ? 1 : 0;
  std::snprintf(buf, sizeof buf,
                "frame %u scroll %d score %d credits %d lives %d blocks %d enemies %d %s paddle "
                "%d,%d balls %d",
                g.frameCounter, L.scroll, P.score, P.credits, P.lives, BlocksLeft(), enemies,
                StateName(), L.paddle.x, L.paddle.y, balls);
  std::string line = buf;
  for (const Ball& b : L.balls) {
    if (!b.active) continue;
    // Four decimals show a drift long before it changes the game visibly.
    std::snprintf(buf, sizeof buf, " [%.4f %.4f %.4f %.4f]", b.x, b.y, b.angle, b.speed);
    line += buf;
  }
  return line + "\n";
}

}  // namespace vx
