// The rules of the item shop: what the shelves offer and where, what the
// player can afford, buying, selling and rearranging the inventory.
#pragma once

#include "base/item_catalogue.h"
#include "graphics/graphics.h"

namespace vx {

// One place for each item the catalogue marks as sold, in id order.
constexpr int kShelfPlaces = kSoldItemCount;
// Seven places to a row; a fourth row would run into the description below.
static_assert(kShelfPlaces <= 21, "the shop's shelves hold three rows of seven items");
constexpr int kShelfCellSize = 50;

// The item on shelf place 0 .. kShelfPlaces - 1; ITEM_NONE out of range.
int ShelfItem(int place);
// The 50 x 50 cell of a place: 7 to a row.
Rect ShelfCell(int place);
// Items whose required levels are not all completed stay off the shelves.
bool IsOffered(int item);

// Points pay for the exchange (item 1), credits for everything else.
bool CanAfford(int item, int price);
// Buys one unit: an extra life (item 3), one credit for points (item 1), or an
// item into the inventory. Nothing happens, and nothing is paid, when the
// price is not covered or the inventory has no room. True when bought.
bool BuyItem(int item, int price);

// The box in which the pointer picks inventory slot 0..9: the socket of the
// status panel that shows the slot.
Rect InventoryBox(int slot);
// Sells one unit of a slot for sellPrice credits; the slot empties with its
// last unit. True when a unit was sold.
bool SellUnit(int slot, int sellPrice);
// Exchanges the whole contents of two slots.
void SwapSlots(int a, int b);
// Empties the slots that hold no units.
void DropEmptySlots();

}  // namespace vx
