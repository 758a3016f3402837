#include "game/falling_items.h"

#include <cstdlib>

#include "base/game_record.h"
#include "base/random.h"
#include "game/game_state.h"
#include "game/items.h"
#include "game/playfield.h"

namespace vx {

void DropItem(int x, int y, int kind, int timer) {
  for (FallingItem& f : gGame.level.items) {
    if (f.kind != 0) continue;
    f.kind = static_cast<uint16_t>(kind);
    f.timer = timer;
    f.x = x;
    f.y = y;
    // It jumps up and sideways out of the block.
    f.vx = RandomSpread(2);
    f.vy = -RandomRange(2, 5);
    return;
  }
}

void Catch(int kind) {
  PlayerRecord& p = gGame.player;
  bool twice = IsActive(ITEM_INVISIBLE);
  if (IsCoin(kind))
    AddClamped(p.credits, CoinValue(kind) * (twice ? 2 : 1));
  else
    AddToInventory(kind);
}

void UpdateFallingItems() {
  LevelState& L = gGame.level;
  const Paddle& P = L.paddle;
  bool attract = IsActive(ITEM_CREDITS_ATTRACTOR);
  for (FallingItem& f : L.items) {
    if (f.kind == 0) continue;
    --f.timer;
    if (f.timer == 0 && f.kind == ITEM_TIMEBOMB) {
      ExplodeAround(static_cast<float>(f.x), static_cast<float>(f.y), 22500);
      f = FallingItem();
      continue;
    }
    if (g.frameCounter % 16 == 0) ++f.vy;
    f.y += f.vy;
    if (attract && f.vy >= 1) {
      if (f.x < P.x) ++f.vx;
      if (f.x > P.x) --f.vx;
      if (f.vx < -4) f.vx = -4;
      if (f.vx > 4) f.vx = 4;
    }
    f.x += f.vx;
    if (std::abs(P.x - (f.x + 20)) < P.w / 2 && std::abs(P.y - (f.y + 10)) < P.h / 2) {
      int kind = f.kind;
      f = FallingItem();
      Catch(kind);
    } else if (f.y > g.screenHeight) {
      f = FallingItem();
    }
  }
}

}  // namespace vx
