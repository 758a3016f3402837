// The item texts and prices, the inventory and the effects that items switch on.
// The fixed facts of each item are in base/item_catalogue.h.
#pragma once

#include "game/game_types.h"

namespace vx {

// Reads "Items.txt" into the catalogue; false when the file cannot be read (the
// catalogue then keeps what it had).
bool LoadItems();
// True when id is not 0 and a slot of the inventory or the word effects holds it
// switched on.
bool IsActive(int id);
// Switches id off in every slot of both lists.
void Deactivate(int id);
// One more unit of id in the inventory; false when no slot is left.
bool AddToInventory(int id);
// Switches on one unit of inventory slot i; an item that could do nothing now
// (no ball in play to act on) is not used up.
void UseSlot(int i);
// Switches an item on for a typed cheat word; a word already in the list does
// nothing.
void ActivateByWord(int id);
// What an item does at the moment it is switched on.
void ApplyInstant(int id);
// Once per game frame: runs down the timers and empties spent slots.
void TickItems();

}  // namespace vx
