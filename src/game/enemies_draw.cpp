#include "game/enemies.h"
#include "game/game_state.h"
#include "graphics/shared_art.h"

namespace vx {

void DrawEnemies() {
  for (const Enemy& e : gGame.level.enemies) {
    if (e.kind < 1 || e.kind > 3 || e.state == ENEMY_DYING) continue;
    int i = e.kind - 1;
    gArt.enemies[i].RenderAnim(gArt.enemyAnims[i], static_cast<int>(e.x), static_cast<int>(e.y),
                               ALIGN_DEFAULT);
  }
}

void DrawBullets() {
  for (const Bullet& b : gGame.level.bullets)
    if (b.active && b.y > 0) gArt.misc.RenderFrame("Bullet", b.x, b.y, ALIGN_DEFAULT);
}

}  // namespace vx
