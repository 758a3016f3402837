#include "campaign/shop_rules.h"

#include <utility>

#include "base/game_record.h"
#include "game/game_state.h"
#include "game/items.h"
#include "game/status_panel.h"
#include "sound/sound.h"

namespace vx {

namespace {
bool ValidSlot(int slot) { return slot >= 0 && slot < kInventorySlots; }
}  // namespace

int ShelfItem(int place) { return SoldItem(place); }

Rect ShelfCell(int place) {
  const int x = 40 + (place % 7) * 85, y = 80 + (place / 7) * 60;
  return Rect{x, y, x + kShelfCellSize, y + kShelfCellSize};
}

bool IsOffered(int item) {
  return IsSold(item) && gGame.items[item].available;
}

bool CanAfford(int item, int price) {
  return price <= (item == ITEM_CREDIT1 ? gGame.player.score : gGame.player.credits);
}

bool BuyItem(int item, int price) {
  if (!IsOffered(item) || !CanAfford(item, price)) return false;
  PlayerRecord& p = gGame.player;
  if (item == ITEM_BALL) {
    AddClamped(p.lives, 1);
    AddClamped(p.credits, -static_cast<int64_t>(price));
  } else if (item == ITEM_CREDIT1) {
    AddClamped(p.credits, 1);
    AddClamped(p.score, -static_cast<int64_t>(price));
  } else {
    if (!AddToInventory(item)) return false;
    AddClamped(p.credits, -static_cast<int64_t>(price));
  }
  return true;
}

Rect InventoryBox(int slot) {
  // The sockets of "panel.tga" sit 42 pixels apart; boxes as wide as that
  // never overlap, so a click picks exactly the slot under it.
  const int cx = 197 + 42 * slot, cy = g.screenHeight - kPanelHeight + 47;
  return Rect{cx - 21, cy - 21, cx + 21, cy + 21};
}

bool SellUnit(int slot, int sellPrice) {
  if (!ValidSlot(slot)) return false;
  ItemSlot& s = gGame.player.inventory[slot];
  if (s.id == 0 || s.count == 0) return false;
  // The unit goes with the use sound but is not switched on: its effect would
  // act on the level that has just ended.
  PlaySample(g.sounds.activate, 100, 50);
  --s.count;
  AddClamped(gGame.player.credits, sellPrice);
  if (s.count == 0) s = ItemSlot();
  return true;
}

void SwapSlots(int a, int b) {
  if (!ValidSlot(a) || !ValidSlot(b)) return;
  std::swap(gGame.player.inventory[a], gGame.player.inventory[b]);
}

void DropEmptySlots() {
  for (ItemSlot& s : gGame.player.inventory)
    if (s.count == 0) s = ItemSlot();
}

}  // namespace vx
