#include "base/game_record.h"
#include "base/random.h"
#include "game/angles.h"
#include "game/ball.h"
#include "game/game_state.h"
#include "game/items.h"
#include "game/particles.h"
#include "graphics/shared_art.h"

namespace vx {
namespace {

// One puff behind a moving paddle; away is the horizontal direction it drifts.
void Exhaust(int x, int y, int away) {
  int ox = RandomRange(0, 10) - 5;
  int oy = RandomRange(0, 10) - 5;
  int frame = RandomRange(2, 5);
  int vy = RandomRange(-10, 10) / 10;
  if (Particle* p = SpawnTrail(static_cast<float>(x + ox), static_cast<float>(y + oy), 3, frame)) {
    p->life = 12;
    p->vx = static_cast<float>(away);
    p->vy = static_cast<float>(vy);
  }
}

void Line(float x1, float y1, float x2, float y2, int color) {
  Graphics::DrawLine(static_cast<int>(x1), static_cast<int>(y1), static_cast<int>(x2),
                     static_cast<int>(y2), StandardColors[color]);
}

}  // namespace

void DrawPaddle() {
  LevelState& L = gGame.level;
  const Paddle& P = L.paddle;
  int jitter = P.freeze > 0 ? RandomSpread(4) : 0;
  bool shadow = IsActive(ITEM_SHADOW);
  gArt.ship.RenderAnim(gArt.shipAnim, P.x, P.y + jitter, ALIGN_DEFAULT);
  if (shadow) gArt.ship.RenderAnim(gArt.shipAnim, 640 - P.x, P.y + jitter, ALIGN_DEFAULT);
  if (P.x != L.paddleDrawnX) {
    int travel = P.x > L.paddleDrawnX ? 1 : -1;
    int reach = IsActive(ITEM_WIDE_BUSTER) ? 60 : 40;
    const Rect& frame = gArt.shipAnim.CurrentRect();
    int y = P.y + (frame.bottom - frame.top) / 2;
    Exhaust(P.x - travel * reach, y, -travel);
    // The shadow paddle moves the other way, so its trail is on its other side.
    if (shadow) Exhaust(640 - P.x + travel * reach, y, travel);
  }
  L.paddleDrawnX = P.x;
}

void DrawBalls() {
  const LevelState& L = gGame.level;
  const Paddle& P = L.paddle;
  float px = static_cast<float>(P.x), py = static_cast<float>(P.y);
  if (L.ballWaiting) {
    gArt.ball.RenderAnim(gArt.ballAnim, P.x, P.y - 5, ALIGN_DEFAULT);
    Vec2 d = Dir(L.aimAngle);
    bool sniper = IsActive(ITEM_SNIPER);
    if (sniper) Line(px, py, px + 400 * d.x, py + 400 * d.y, 2);
    // Whenever the launch is aimed the player sees where: the short blue line
    // stands in when the sniper's red one is not there.
    if ((IsActive(ITEM_TIMEBOMB) && IsActive(ITEM_RUBBER)) || (LaunchIsAimed() && !sniper))
      Line(px, py, px + 200 * d.x, py + 200 * d.y, 6);
  }
  bool rubber = IsActive(ITEM_RUBBER);
  for (const Ball& b : L.balls) {
    if (!b.active) continue;
    gArt.ball.RenderAnim(gArt.ballAnim, static_cast<int>(b.x), static_cast<int>(b.y),
                         ALIGN_DEFAULT);
    if (rubber) Line(px, py, b.x, b.y, 6);
  }
}

void DrawShield() {
  if (!IsActive(ITEM_SHIELD)) return;
  // The red lines run right and the blue ones left, the outer pair at half speed.
  int slow = static_cast<int>((g.frameCounter / 2) % 64);
  int fast = static_cast<int>(g.frameCounter % 64);
  for (int k = -1; k <= 11; ++k) {
    int x = 64 * k + slow;
    Graphics::DrawLine(x, kShieldLine + 4, x + 62, kShieldLine + 4, StandardColors[2]);
    x = 64 * k - slow;
    Graphics::DrawLine(x, kShieldLine + 6, x + 62, kShieldLine + 6, StandardColors[6]);
    x = 64 * k + fast;
    Graphics::DrawLine(x, kShieldLine, x + 62, kShieldLine, StandardColors[2]);
    x = 64 * k - fast;
    Graphics::DrawLine(x, kShieldLine + 2, x + 62, kShieldLine + 2, StandardColors[6]);
  }
}

}  // namespace vx
