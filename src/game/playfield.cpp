#include "game/playfield.h"

#include <cmath>

#include "base/game_record.h"
#include "base/random.h"
#include "game/ball.h"
#include "game/falling_items.h"
#include "game/game_state.h"
#include "game/items.h"
#include "game/particles.h"
#include "sound/sound.h"

namespace vx {
namespace {

int BallPan(float x) { return static_cast<int>(100 * x / g.screenWidth); }

// Screen y of the top of row r.
int RowTop(int r) { return kCellHeight * r - gGame.level.scroll; }

}  // namespace

BlockCell* GridCell(int c, int r) {
  LevelState& L = gGame.level;
  if (c < 0 || c >= kGridColumns || r < 0 || r >= L.header.height) return nullptr;
  size_t i = static_cast<size_t>(r) * kGridColumns + c;
  return i < L.grid.size() ? &L.grid[i] : nullptr;
}

CellRef CellAt(float x, float y) {
  CellRef ref;
  ref.c = static_cast<int>(x / kCellWidth);
  ref.r = static_cast<int>((static_cast<float>(gGame.level.scroll) + y) / kCellHeight);
  if (ref.r >= 0 && ref.r < gGame.level.header.height - 1) {
    ref.cell = GridCell(ref.c, ref.r);
    ref.valid = ref.cell != nullptr;
  }
  return ref;
}

void DestroyBlock(BlockCell& cell, int c, int r, int particleKind) {
  LevelState& L = gGame.level;
  SpawnBurst(static_cast<float>(kCellWidth * c + 16), static_cast<float>(RowTop(r) + 8), 6,
             particleKind, 4.0f);
  if (cell.type >= 1 && cell.type <= 8)
    AddClamped(gGame.player.score, L.types[cell.type - 1].score);
  cell.type = 0;
  if (cell.content != 0) DropItem(kCellWidth * c, RowTop(r), cell.content, 0);
}

void HitBlock(BlockCell& cell, int c, int r, Ball& ball, int dc, int dr) {
  bool piercing = IsActive(ITEM_PIERCING);
  if (IsActive(ITEM_TIMEBOMB)) {
    DropItem(kCellWidth * c, RowTop(r), ITEM_TIMEBOMB, 40);
    Deactivate(ITEM_TIMEBOMB);
  }
  int pan = BallPan(ball.x);
  bool destroyed = false;
  if (cell.hits == 0 && !IsActive(ITEM_BOMB)) {
    PlaySample(g.sounds.hitSolid, 100, pan);
  } else {
    // A solid block hit by the bomb counts as one with hits left and is left to
    // the explosion that follows; it stays solid should the explosion miss it.
    bool solid = cell.hits == 0;
    if (!solid) --cell.hits;
    if ((!solid && cell.hits == 0) || piercing) {
      PlaySample(IsActive(ITEM_BOMB) ? g.sounds.killEnemy : g.sounds.hitBlock, 100, pan);
      DestroyBlock(cell, c, r, RandomRange(0, 5));
      if (!piercing)
        SpawnBurst(static_cast<float>(kCellWidth * c + 16), static_cast<float>(RowTop(r) + 8), 10,
                   3, 4.0f);
      destroyed = true;
    } else {
      PlaySample(g.sounds.hitBlock, 100, pan);
    }
  }
  if (!(destroyed && piercing)) BounceOffBlock(ball, c, r, dc, dr);
}

void ExplodeAround(float x, float y, float radiusSquared) {
  int top = gGame.level.scroll / kCellHeight;
  for (int c = 0; c < kGridColumns; ++c) {
    for (int d = -25; d <= 24; ++d) {
      BlockCell* cell = GridCell(c, top + d);
      if (!cell) continue;
      float dx = x - static_cast<float>(kCellWidth * c + 16);
      float dy = y - static_cast<float>(kCellHeight * d + 8);
      if (dx * dx + dy * dy < radiusSquared && cell->type != 0)
        DestroyBlock(*cell, c, top + d, RandomRange(0, 5));
    }
  }
}

void Detonate() {
  PlaySample(g.sounds.explosion, 100, 50);
  int top = gGame.level.scroll / kCellHeight;
  for (int c = 10; c >= 0; --c) {
    for (int r = top; r < top + 25; ++r) {
      BlockCell* left = GridCell(c, r);
      if (HoldsBlock(left)) DestroyBlock(*left, c, r, RandomRange(0, 5));
      BlockCell* right = GridCell(19 - c, r);
      if (HoldsBlock(right)) DestroyBlock(*right, 19 - c, r, RandomRange(0, 5));
    }
  }
}

void ScrollStep(int ballsInUpperHalf) {
  LevelState& L = gGame.level;
  if (IsActive(ITEM_TIMEZIP)) ballsInUpperHalf = 0;
  if (ballsInUpperHalf == 0 || L.scroll == 0) return;
  if ((g.frameCounter & 1) && g.settings.scrollSpeed == 0) return;
  int step = L.header.scrollSpeed;
  L.scroll -= step;
  for (Ball& b : L.balls)
    if (b.active) b.y += static_cast<float>(step);
}

int CheckLevelTop(bool checkWin) {
  LevelState& L = gGame.level;
  if (L.scroll < 1) L.scroll = 0;
  // Only a ball at the top of the fully scrolled field wins; the top wall of
  // the window is reached long before that.
  if (!checkWin || L.levelEnded || L.scroll != 0) return 0;
  for (const Ball& b : L.balls)
    if (b.active && b.y < 15) return 1;
  return 0;
}

void VanishRow() {
  int r = gGame.level.scroll / kCellHeight + 20;
  for (int c = 0; c < kGridColumns; ++c)
    if (BlockCell* cell = GridCell(c, r)) cell->type = 0;
}

int LevelProgress() {
  const LevelState& L = gGame.level;
  int span = L.header.height - 25;
  if (span <= 0) return 100;
  int p = ((span - L.scroll / kCellHeight) * 100) / span;
  if (p < 0) p = 0;
  if (p > 99) p = 99;
  return p == 99 ? 100 : p;
}

int BlockImage(const BlockCell& cell) {
  if (cell.type < 1 || cell.type > 8) return 0;
  return gGame.level.types[cell.type - 1].image[cell.hits < 4 ? cell.hits : 4];
}

void SmashUnder(const BackObject& obj, int w, int h) {
  int c0 = static_cast<int>(obj.x / kCellWidth) - 1;
  int r0 = static_cast<int>((static_cast<float>(gGame.level.scroll) + obj.y) / kCellHeight) - 1;
  int cols = w / kCellWidth + 1, rows = h / kCellHeight + 1;
  for (int r = r0; r < r0 + rows; ++r) {
    for (int c = c0; c < c0 + cols; ++c) {
      BlockCell* cell = GridCell(c, r);
      if (!HoldsBlock(cell)) continue;
      PlaySample(g.sounds.hitBlock, 100, c * 100 / 20);
      DestroyBlock(*cell, c, r, 3);
    }
  }
}

int LiveBackObjects() {
  int n = 0;
  for (const BackObject& o : gGame.level.backObjects) n += o.active;
  return n;
}

}  // namespace vx
