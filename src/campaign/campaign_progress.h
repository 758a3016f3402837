// The campaign's progress model: which levels are open, completed or about to
// appear, the player's state saved at a level's start, and where the map's view
// starts.
#pragma once

#include <cstdint>

#include "game/game_types.h"
#include "game/level_names.h"

namespace vx {

// What a lost or abandoned level gives back: the player as the level found him.
struct LevelStartSnapshot {
  int32_t score = 0;
  int32_t credits = 0;
  int32_t lives = 0;
  ItemSlot inventory[kInventorySlots];
};

void TakeSnapshot(LevelStartSnapshot* snapshot);
void RestoreSnapshot(const LevelStartSnapshot& snapshot);

// Reads a level's "Requires" text into its node (level index 0..99) and decides
// whether the level is open. Numbers in the headers of levels 52..100 count
// within episode 2.
void ApplyRequirements(int index, const char* requires);

// Refreshes every node from its level header (a header that cannot be read
// leaves its node as it was) and returns the number of completed levels.
int RefreshNodes();

// A level's name and line of description as the map shows them (code page
// 866), in the language in use (game/level_names.h, the one place they come
// from). The map calls LoadLevelTitles on each entry.
void LoadLevelTitles();
// Level index 0..99 (anything else gives an empty title).
const LevelTitle& LevelTitleOf(int index);

// Where the map's view starts: at the nearest open, uncompleted level, which
// becomes the selection. With no such level scroll is 10000 and selected -1,
// and minScroll stays as it was.
void PlaceView(int32_t* scroll, int32_t* minScroll, int32_t* selected);

}  // namespace vx
