#include "game/falling_items.h"
#include "game/game_state.h"
#include "graphics/shared_art.h"

namespace vx {

void DrawFallingItems() {
  for (const FallingItem& f : gGame.level.items) {
    if (f.kind == ITEM_CREDIT1 || f.kind == ITEM_CREDIT2) {
      int i = f.kind - 1;
      gArt.credits[i].RenderAnim(gArt.creditAnims[i], f.x, f.y, ALIGN_DEFAULT);
    } else if (f.kind == ITEM_TIMEBOMB && f.timer != 0) {
      gArt.items[ITEM_TIMEBOMB].RenderAnim(gArt.itemAnims[ITEM_TIMEBOMB], f.x, f.y, ALIGN_DEFAULT);
    } else if (f.kind != 0) {
      gArt.container.RenderAnim(gArt.containerAnim, f.x, f.y, ALIGN_DEFAULT);
    }
  }
}

}  // namespace vx
