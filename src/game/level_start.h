// Entering a level without the world map: the same steps the map takes when it
// starts a level (load it, read the item catalogue, start a level tune, enter
// the game screen), for tools, tests and the level-playing aid. When the level
// ends, the game screen returns to whichever screen was current before.
#pragma once

namespace vx {

// Returns 0 (and logs) when level is not one of 1 .. 100 or there is no game
// screen; the level is then not started.
int StartLevelDirect(int level);

}  // namespace vx
