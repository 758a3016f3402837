#include "game/ball.h"

#include <cmath>
#include <utility>

#include "base/game_record.h"
#include "base/log.h"
#include "base/random.h"
#include "game/angles.h"
#include "game/enemies.h"
#include "game/game_state.h"
#include "game/items.h"
#include "game/particles.h"
#include "game/playfield.h"
#include "sound/sound.h"

namespace vx {
namespace {

int Pan640(float x) { return static_cast<int>(100 * x / 640); }

// The paddle's movement bends a ball it touches, unless the paddle moves down.
void BendByPaddle(Ball& b) {
  const Paddle& P = gGame.level.paddle;
  if (P.dy > 0) return;
  Vec2 d = Dir(b.angle);
  Vec2 v = {d.x * b.speed + P.dx / 16, d.y * b.speed + P.dy / 16};
  b.angle = AngleOf(v);
}

bool InBand(float paddleX, float px, float py) {
  const Paddle& P = gGame.level.paddle;
  float above = static_cast<float>(P.y) - py;
  return std::fabs(paddleX - px) < static_cast<float>(P.w / 2) && above >= 0 &&
         above < static_cast<float>(P.h);
}

// Narrows [*from, *to] to the part of it in which a - s m lies within lo .. hi.
bool Narrow(float a, float m, float lo, float hi, float* from, float* to) {
  if (m == 0) return a >= lo && a <= hi;
  float s1 = (a - lo) / m, s2 = (a - hi) / m;
  if (s1 > s2) std::swap(s1, s2);
  if (s1 > *from) *from = s1;
  if (s2 < *to) *to = s2;
  return *from <= *to;
}

// Whether the paddle now at paddleX, which moved by (mdx, mdy) in this frame,
// has the point (px, py) in its band; *contactX is where it stood when it first
// did. Where it stands now is tested first. A flying paddle is followed back
// along its whole movement, which may be longer than its band is high, so that
// a ball does not pass through a paddle flying up to meet it.
bool PaddleTouches(float paddleX, float mdx, float mdy, float px, float py, float* contactX,
                   bool* swept) {
  const Paddle& P = gGame.level.paddle;
  *contactX = paddleX;
  *swept = false;
  if (InBand(paddleX, px, py)) return true;
  if (!P.mayFly) return false;
  // s is how far back along the movement the paddle stood: 0 now, 1 at the start.
  float from = 0, to = 1;
  float half = static_cast<float>(P.w / 2);
  if (!Narrow(paddleX - px, mdx, -half, half, &from, &to)) return false;
  if (!Narrow(static_cast<float>(P.y) - py, mdy, 0, static_cast<float>(P.h), &from, &to))
    return false;
  *contactX = paddleX - to * mdx;
  *swept = true;
  return true;
}

// A ball the paddle reached on its way up and left behind it is put on the
// paddle line, as if the paddle had pushed it along.
void KeepOnPaddle(Ball& b) {
  float line = static_cast<float>(gGame.level.paddle.y);
  if (b.y <= line) return;
  b.prevY -= b.y - line;
  b.y = line;
  CellRef before = CellAt(b.prevX, b.prevY);
  b.lastCol = before.c;
  b.lastRow = before.r;
}

void HitEnemies(Ball& b) {
  for (Enemy& e : gGame.level.enemies) {
    if (e.kind == 0 || e.state != ENEMY_NORMAL) continue;
    if (e.x - 15 <= b.x && b.x <= e.x + 15 && e.y - 15 <= b.y && b.y < e.y + 15) {
      KillEnemy(e);
      b.speed += 0.1f;
      if (b.speed > 5) b.speed = 5;
      Bounce(b, BOUNCE_RANDOM, 30);
    }
  }
}

// One one-pixel step of a ball.
void StepBall(Ball& b) {
  LevelState& L = gGame.level;
  const Paddle& P = L.paddle;
  Vec2 d = Dir(b.angle);
  Vec2 n = {b.x + d.x, b.y + d.y};
  if (IsActive(ITEM_BALL_ATTRACTOR)) {
    Vec2 t = Normalise({static_cast<float>(P.x) - b.x, static_cast<float>(P.y) - b.y});
    n = {b.x + t.x, b.y + t.y};
    b.angle = AngleOf(t);
  }
  if (IsActive(ITEM_RUBBER) && b.angle >= 180 && b.angle <= 359) {
    Vec2 toPaddle = Normalise({static_cast<float>(P.x) - b.x, static_cast<float>(P.y) - b.y});
    Vec2 cur = Dir(b.angle);
    Vec2 t = Normalise({toPaddle.x * 0.02f + cur.x, toPaddle.y * 0.02f + cur.y});
    n = {b.x + t.x, b.y + t.y};
    b.angle = AngleOf(t);
  }
  if (g.frameCounter % 4 == 0) {
    int rx = RandomSpread(3);
    int ry = RandomSpread(3);
    int frame = RandomRange(2, 5);
    if (Particle* p = SpawnTrail(b.x + static_cast<float>(rx), b.y + static_cast<float>(ry), 3,
                                 frame)) {
      Vec2 back = Dir(b.angle);
      p->life = 20;
      p->vx = -back.x;
      p->vy = -back.y;
    }
  }

  float width = static_cast<float>(g.screenWidth);
  if (n.x > width - 10) {
    n.x = width - 11;
    Bounce(b, BOUNCE_SIDE, 30);
    PlaySample(g.sounds.spring, 100, 100);
  }
  if (n.x < 10) {
    n.x = 11;
    Bounce(b, BOUNCE_SIDE, 30);
    PlaySample(g.sounds.spring, 100, 0);
  }
  if (IsActive(ITEM_SHIELD)) {
    if (n.y >= kShieldLine && MovesDown(b.angle)) {
      Bounce(b, BOUNCE_FLOOR, 30);
      PlaySample(g.sounds.barrier, 100, Pan640(n.x));
    }
  } else if (n.y >= kFieldBottom) {
    n.y = kFieldBottom;
    b.active = 0;
    PlaySample(g.sounds.lifeLoss, 100, 50);
  }
  if (n.y < 5) {
    n.y = 5;
    Bounce(b, BOUNCE_FLOOR, 30);
    PlaySample(g.sounds.spring, 100, Pan640(n.x));
  }

  b.prevX = b.x;
  b.prevY = b.y;
  CellRef here = CellAt(b.x, b.y);
  if (here.valid && here.cell->type != 0) {
    // Stuck inside a block (the field scrolled onto it): push it out downwards.
    b.y += 8;
    b.prevX = b.x;
    b.prevY = b.y;
    here = CellAt(b.x, b.y);
  }
  CellRef next = CellAt(n.x, n.y);
  if (!next.valid || next.cell->type == 0) {
    b.x = n.x;
    b.y = n.y;
  } else {
    HitBlock(*next.cell, next.c, next.r, b, next.c - b.lastCol, next.r - b.lastRow);
    if (IsActive(ITEM_BOMB)) {
      PlaySample(g.sounds.explosion, 100, Pan640(n.x));
      ExplodeAround(b.x, b.y, 2500);
      Deactivate(ITEM_BOMB);
    }
  }
  b.lastCol = here.c;
  b.lastRow = here.r;
  HitEnemies(b);
}

}  // namespace

void MovePaddleBy(int dx, int dy) {
  Paddle& P = gGame.level.paddle;
  P.w = IsActive(ITEM_WIDE_BUSTER) ? 120 : 80;
  if (P.freeze > 0) {
    dx = dy = 0;
    --P.freeze;
  }
  P.prevX = P.x;
  P.prevY = P.y;
  int half = P.w / 2;
  P.x += dx;
  if (P.x - half < 0) P.x = half;
  if (P.x + half + 2 > g.screenWidth) P.x = g.screenWidth - half - 2;
  P.mayFly = IsActive(ITEM_FREE_FLY) ? 1 : 0;
  int top = P.mayFly ? g.screenHeight * 2 / 4 : kPaddleLine;
  int halfH = P.h / 2;
  P.y += dy;
  if (P.y - halfH < top) P.y = top + halfH;
  if (P.y + halfH > kPaddleLine) P.y = kPaddleLine - halfH;
  P.dx = static_cast<float>(P.x - P.prevX);
  P.dy = static_cast<float>(P.y - P.prevY);
}

void LaunchBall() {
  LevelState& L = gGame.level;
  if (!L.ballWaiting) return;
  float angle = 45;
  if (LaunchIsAimed()) angle = static_cast<float>(static_cast<int>(L.aimAngle));
  L.ballWaiting = 0;
  AddBall(static_cast<float>(L.paddle.x), static_cast<float>(L.paddle.y), angle, 3.0f);
}

bool LaunchIsAimed() {
  return IsActive(ITEM_SNIPER) || IsActive(ITEM_RUBBER) || IsActive(ITEM_TIMEBOMB);
}

void UpdateAim() { gGame.level.aimAngle = static_cast<float>(Triangle(180) / 2 + 45); }

void AddBall(float x, float y, float angle, float speed) {
  for (Ball& b : gGame.level.balls) {
    if (b.active) continue;
    b.active = 1;
    b.x = b.prevX = x;
    b.y = b.prevY = y;
    b.angle = angle;
    b.speed = speed;
    // Start from the ball's own cell so the first block it meets bounces it by
    // its real entry direction, not by a lost ball's.
    CellRef c = CellAt(x, y);
    b.lastCol = c.c;
    b.lastRow = c.r;
    Log("Ball added\n");
    return;
  }
}

void PaddleCollide(Ball& b) {
  LevelState& L = gGame.level;
  const Paddle& P = L.paddle;
  float half = static_cast<float>(P.w / 2);
  float dx = b.x - b.prevX, dy = b.y - b.prevY;
  for (int i = 0; i < 3; ++i) {
    float px = b.prevX + dx * static_cast<float>(i) / 3.0f;
    float py = b.prevY + dy * static_cast<float>(i) / 3.0f;
    float paddleX, shadowX;
    bool swept;
    if (PaddleTouches(static_cast<float>(P.x), P.dx, P.dy, px, py, &paddleX, &swept)) {
      if (MovesDown(b.angle)) {
        if (IsActive(ITEM_BALL_ATTRACTOR)) {
          b.active = 0;
          L.ballWaiting = 1;
          Deactivate(ITEM_BALL_ATTRACTOR);
        } else {
          b.angle = 90 - (px - paddleX) * 60 / half;
          PlaySample(g.sounds.spring, 100, Pan640(px));
        }
      }
      if (swept && b.active) KeepOnPaddle(b);
      BendByPaddle(b);
      return;
    }
    // The shadow paddle mirrors the paddle's movement across the field.
    if (IsActive(ITEM_SHADOW) &&
        PaddleTouches(static_cast<float>(640 - P.x), -P.dx, P.dy, px, py, &shadowX, &swept)) {
      if (MovesDown(b.angle)) {
        b.angle = 90 - (px - shadowX) * 60 / half;
        PlaySample(g.sounds.spring, 100, Pan640(px));
      }
      if (swept) KeepOnPaddle(b);
      BendByPaddle(b);
      return;
    }
  }
}

int MoveBalls() {
  int upper = 0;
  for (Ball& b : gGame.level.balls) {
    if (!b.active) continue;
    if (b.y < 200) ++upper;
    for (int step = 0; step < static_cast<int>(b.speed); ++step) {
      StepBall(b);
      if (!b.active) break;  // lost at the bottom: this was its last step
    }
  }
  return upper;
}

void Bounce(Ball& b, int mode, int chance) {
  float a = b.angle;
  switch (mode) {
    case BOUNCE_SIDE:
      a = a < 180 ? 180 - a : 540 - a;
      break;
    case BOUNCE_FLOOR:
      a = 360 - a;
      break;
    case BOUNCE_REVERSE:
      a = static_cast<float>(static_cast<int>(a + 180 + static_cast<float>(RandomSpread(10))) %
                             360);
      break;
    default:
      a = static_cast<float>(Random(360));
      break;
  }
  b.angle = a;
  if (mode != BOUNCE_SIDE && mode != BOUNCE_FLOOR) return;
  if (Random(100) >= chance) return;
  // A small nudge keeps balls from settling into endless flat paths.
  float s = a < 180 ? -1.0f : 1.0f;
  Vec2 d = Dir(a);
  Vec2 v = {d.x * b.speed, d.y * b.speed};
  if (mode == BOUNCE_SIDE)
    v.y += s;
  else
    v.x += s;
  b.angle = AngleOf(v);
}

void BounceOffBlock(Ball& b, int c1, int r1, int dc, int dr) {
  int mode;
  if (dc != 0 && dr != 0) {
    bool v = HoldsBlock(GridCell(c1, r1 - dr));
    bool h = HoldsBlock(GridCell(c1 - dc, r1));
    if (v && !h)
      mode = BOUNCE_SIDE;
    else if (!v && h)
      mode = BOUNCE_FLOOR;
    else
      mode = BOUNCE_REVERSE;
  } else {
    mode = dr == 0 ? BOUNCE_SIDE : BOUNCE_FLOOR;
  }
  Bounce(b, mode, 30);
}

void AddSpeed(float delta) {
  for (Ball& b : gGame.level.balls) {
    if (!b.active) continue;
    b.speed += delta;
    if (b.speed >= kMaxBallSpeed) b.speed = kMaxBallSpeed;
    if (b.speed < kMinBallSpeed) b.speed = kMinBallSpeed;
  }
}

int CheckBallLost() {
  LevelState& L = gGame.level;
  L.anyBallInPlay = 0;
  for (const Ball& b : L.balls) L.anyBallInPlay |= b.active ? 1 : 0;
  if (L.anyBallInPlay || L.ballWaiting) return 0;
  if (gGame.player.lives > 0) {
    --gGame.player.lives;
    L.ballWaiting = 1;
    return 0;
  }
  return 1;
}

}  // namespace vx
