#include <cmath>

#include "base/game_record.h"
#include "base/random.h"
#include "game/enemies.h"
#include "game/falling_items.h"
#include "game/game_state.h"
#include "game/particles.h"
#include "game/playfield.h"
#include "sound/sound.h"

namespace vx {
namespace {

void Fire(int x, int y) {
  for (Bullet& b : gGame.level.bullets) {
    if (b.active) continue;
    b.active = 1;
    b.x = x;
    b.y = y;
    PlaySample(g.sounds.fire, 100, 50);
    return;
  }
}

// A bullet wears a block down by one hit; an indestructible one just stops it.
void HitBlockWithBullet(BlockCell& cell, int c, int r) {
  if (cell.hits == 0) return;
  if (--cell.hits != 0) return;
  int top = kCellHeight * r - gGame.level.scroll;
  SpawnBurst(static_cast<float>(kCellWidth * c + 16), static_cast<float>(top + 8), 5, 3, 3.0f);
  if (cell.content != 0) DropItem(kCellWidth * c, top, cell.content, 0);
  if (cell.type >= 1 && cell.type <= 8)
    AddClamped(gGame.player.score, gGame.level.types[cell.type - 1].score);
  cell.type = 0;
}

}  // namespace

void FireCannon() {
  const Paddle& P = gGame.level.paddle;
  // The muzzles swing between 10 and 30 pixels from the centre.
  Fire(P.x - 10 - Triangle(20), P.y - 15);
  Fire(P.x + Triangle(20) + 10, P.y - 15);
}

void UpdateBullets() {
  LevelState& L = gGame.level;
  for (Bullet& b : L.bullets) {
    if (!b.active) continue;
    b.y -= 5;
    if (b.y < 0) {
      b.active = 0;
      continue;
    }
    if (g.frameCounter % 4 == 0) {
      int rx = RandomSpread(3);
      int frame = RandomRange(2, 5);
      SpawnTrail(static_cast<float>(b.x + rx), static_cast<float>(b.y), 3, frame);
    }
    // A bullet that kills still counts for the other enemies and the blocks
    // in this frame.
    for (Enemy& e : L.enemies) {
      if (e.kind == 0) continue;
      if (std::fabs(e.x - static_cast<float>(b.x)) < 10 &&
          std::fabs(e.y - static_cast<float>(b.y)) < 10) {
        KillEnemy(e);
        b.active = 0;
      }
    }
    int c = b.x / kCellWidth;
    int r = (b.y + L.scroll) / kCellHeight;
    if (r < 0 || r >= L.header.height - 1) continue;
    BlockCell* cell = GridCell(c, r);
    if (!HoldsBlock(cell)) continue;
    b.active = 0;
    HitBlockWithBullet(*cell, c, r);
  }
}

}  // namespace vx
