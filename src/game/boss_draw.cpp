// What the boss screen draws of its own: the sea, the panel surface, the
// hit-point bar and the missiles.
#include <algorithm>

#include "base/game_record.h"
#include "game/boss_screen.h"
#include "game/game_state.h"
#include "game/status_panel.h"
#include "graphics/shared_art.h"

namespace vx {

void BossScreen::DrawSea() {
  const int set = gGame.level.tileSet;
  if (set < 0 || set >= kMaxTileSets) return;
  const TileSet& tiles = gArt.tileSets[set];
  if (!tiles.image) return;
  // Floored division: the counter may in principle run below zero.
  const int size = kBossSeaTileSize;
  int offset = scroll % size;
  int row = scroll / size;
  if (offset < 0) {
    offset += size;
    --row;
  }
  row %= kBossSeaRows;
  if (row < 0) row += kBossSeaRows;
  for (int top = -offset; top < g.screenHeight; top += size, row = (row + 1) % kBossSeaRows) {
    for (int k = 0; k < kBossSeaColumns; ++k) {
      const int tile = gBossSea[row * kBossSeaColumns + k];
      if (tile >= 32) continue;
      Rect rect = tiles.rects[tile];
      int tx = size * k, ty = top;
      ClipToScreen(&tx, &ty, &rect);
      if (rect.right > rect.left && rect.bottom > rect.top)
        Graphics::Blit(nullptr, tx, ty, tiles.image, rect, false);
    }
  }
}

void BossScreen::DrawHitPointBar() {
  const int width = HitPointBarWidth(hitPoints);
  SpriteFrame fill;
  if (hitPointBar.IsLoaded() && hitPointBar.FindFrame("fill", &fill)) {
    // The steel casing, then the shaded fill cut to the hit points left.
    hitPointBar.RenderFrame("casing", 0, 0, ALIGN_DEFAULT);
    Rect cut = fill.rect;
    cut.right = std::min(cut.right, cut.left + width);
    if (cut.right > cut.left) hitPointBar.Render(cut, fill.offsetX, fill.offsetY, ALIGN_DEFAULT);
    return;
  }
  D3DStrip(229, 69, 202, 12, StandardColors[0]);
  D3DStrip(230, 70, 200, 10, StandardColors[1]);
  D3DStrip(230, 70, width, 10, Graphics::MakePixelRGB(0x0000ff));
}

void BossScreen::DrawMissiles() {
  missileAnim.Play("BallBoss", 0);
  for (const BossMissile& m : missiles)
    if (m.active)
      gArt.ball.RenderAnim(missileAnim, static_cast<int>(m.x), static_cast<int>(m.y),
                           ALIGN_DEFAULT);
}

}  // namespace vx
