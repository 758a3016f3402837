#include <cmath>

#include "base/game_record.h"
#include "game/game_state.h"
#include "game/items.h"
#include "game/playfield.h"
#include "graphics/shared_art.h"

namespace vx {

void DrawBackground() {
  const LevelState& L = gGame.level;
  if (L.tileSet < 0 || L.tileSet >= kMaxTileSets) return;
  const TileSet& set = gArt.tileSets[L.tileSet];
  if (!set.image) return;
  // The tiles scroll at half the speed of the field.
  int s = L.scroll / 2;
  int row = s / 80;
  for (int y = -(s % 80); y < g.screenHeight; y += 80, ++row) {
    if (row < 0) continue;
    for (int k = 0; k < 8; ++k) {
      size_t i = static_cast<size_t>(row) * 8 + k;
      if (i >= L.backTiles.size()) return;
      int tile = L.backTiles[i] & 31;
      Rect rect = set.rects[tile];
      int x = 80 * k, ty = y;
      ClipToScreen(&x, &ty, &rect);
      if (rect.right > rect.left && rect.bottom > rect.top)
        Graphics::Blit(nullptr, x, ty, set.image, rect, false);
    }
  }
}

void DrawBlocks() {
  const LevelState& L = gGame.level;
  if (IsActive(ITEM_INVISIBLE)) return;
  int first = L.scroll / kCellHeight;
  for (int i = 0; i < 27; ++i) {
    int r = first + i;
    if (r >= L.header.height) break;
    if (r < 0) continue;
    for (int c = 0; c < kGridColumns; ++c) {
      const BlockCell* cell = GridCell(c, r);
      if (!HoldsBlock(cell)) continue;
      int n = BlockImage(*cell);
      Rect rect;
      rect.left = (n / 16) * 32;
      rect.top = (n % 16) * 16;
      rect.right = rect.left + 32;
      rect.bottom = rect.top + 16;
      float wave = 2.5f * std::sin(static_cast<float>(kCellWidth * c) +
                                   static_cast<float>(g.frameCounter) * 3.14f / 50.0f);
      float y = static_cast<float>(kCellHeight * i - L.scroll % kCellHeight) + wave;
      gArt.blocks.Render(rect, kCellWidth * c, static_cast<int>(y), ALIGN_TOP | ALIGN_LEFT);
    }
  }
}

}  // namespace vx
