#include "game/particles.h"

#include <cmath>

#include "base/random.h"
#include "game/angles.h"
#include "game/game_state.h"

namespace vx {
namespace {

Particle* FreeParticle() {
  for (Particle& p : gGame.level.particles)
    if (p.life == 0) return &p;
  return nullptr;
}

}  // namespace

void SpawnBurst(float x, float y, int count, int kind, float speedDivisor) {
  int made = 0;
  for (Particle& p : gGame.level.particles) {
    if (made >= count) break;
    if (p.life != 0) continue;
    p.kind = kind;
    p.x = x;
    p.y = y;
    p.life = 120;
    p.drift = 0;
    p.frame = static_cast<uint16_t>(RandomRange(2, 5));
    float a = static_cast<float>(RandomRange(0, 360)) / 180.0f * kPi;
    float v = static_cast<float>(RandomRange(20, 40)) / 5.0f / speedDivisor;
    p.vx = v * std::cos(a);
    p.vy = v * std::sin(a);
    ++made;
  }
}

Particle* SpawnTrail(float x, float y, int kind, int frame) {
  Particle* p = FreeParticle();
  if (!p) return nullptr;
  p->kind = kind;
  p->x = x;
  p->y = y;
  p->life = 120;
  p->drift = 0;
  p->frame = static_cast<uint16_t>(frame);
  p->vx = 0;
  p->vy = -1;
  return p;
}

void UpdateParticles() {
  for (Particle& p : gGame.level.particles) {
    if (p.life == 0) continue;
    p.x += p.vx;
    p.y += p.vy;
    if (p.drift == 1) p.vy += 0.1f;
    if (p.drift == 2) p.vy -= 0.1f;
    --p.life;
  }
}

int LiveParticles() {
  int n = 0;
  for (const Particle& p : gGame.level.particles) n += p.life != 0;
  return n;
}

}  // namespace vx
