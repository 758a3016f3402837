#include "game/game_state.h"
#include "game/particles.h"
#include "graphics/shared_art.h"

namespace vx {

void DrawParticles() {
  // Row of each particle kind in "Particles.tga".
  static const int kRow[6] = {5, 2, 1, 3, 4, 6};
  for (const Particle& p : gGame.level.particles) {
    if (p.life == 0 || p.kind < 0 || p.kind > 5) continue;
    Rect r;
    r.left = 5 * p.frame;
    r.top = 5 * kRow[p.kind];
    r.right = r.left + 5;
    r.bottom = r.top + 5;
    gArt.particles.Render(r, static_cast<int>(p.x), static_cast<int>(p.y), ALIGN_TOP | ALIGN_LEFT);
  }
}

void UpdateAndDrawParticles(bool moving) {
  if (moving) UpdateParticles();
  DrawParticles();
}

}  // namespace vx
