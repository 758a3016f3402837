// The game's global record: the player, the campaign table, the item
// catalogue as read from "Items.txt" and the level in play. Alive for the whole
// run, beside the shell's record g (base/game_record.h).
#pragma once

#include <cstdint>

#include "game/game_types.h"

namespace vx {

struct GameState {
  PlayerRecord player;
  MapNode campaign[kLevelCount];
  ItemInfo items[kItemCount];
  LevelState level;
  int32_t hiscoreNewScore = 0;  // set before the high-score screen is entered
};

extern GameState gGame;

}  // namespace vx
