// Level headers and block maps: loading a level into the level state, writing
// it back for the editor, and the map-coordinates dump.
#pragma once

#include <cstddef>

namespace vx {

constexpr int kMinLevelHeight = 1;
constexpr int kMaxLevelHeight = 10000;
// A field that scrolls by 0 never reaches its top: the level could not be won.
constexpr int kMinScrollSpeed = 1;
constexpr int kMaxScrollSpeed = 1000;
constexpr int kMaxBlockScore = 1000000;
constexpr int kMaxBlockHits = 65535;  // cells hold their hits in 16 bits

// Header name of a level: levels up to 50 in episode 1 by their number, the
// later ones in episode 2 counted from 51 ("Episode2\Levels\Level01" is level
// 51). The block map is the same name followed by ".map".
void LevelFileName(int level, char* out, size_t capacity);

// Reads header and block map of the level and resets everything that lives for
// one level. Returns 1 when the header was found (the level is set up from
// defaults otherwise).
int LoadLevel(int level);
// Play from the bottom end of the field: the scroll, the paddle, a ball waiting
// on it, and nothing left of earlier play (balls, items, enemies, bullets,
// effects). The last steps of LoadLevel; the editor's test starts with them.
void StartFromBottom();
// Gives the level height rows (kept within the loader's bounds): rows are
// added empty, or removed, at the top end, the background grid follows, and
// the same blocks stay in view.
void SetLevelHeight(int height);
// Draws the background from tile set (kept within the sets there are) and
// keeps it in the header.
void UseTileSet(int set);
// Writes the current level to its files, or to "Level" and "Level.map" when
// asScratch is set. Returns 1 when both files were written.
int SaveLevel(bool asScratch);
// Writes the map positions of all levels to "Data\Levels\xy".
int WriteCoordinates();

// Number of rows of the background tile grid for a field of height rows.
inline int BackRowsFor(int height) { return height * 16 / 64 + 1; }

}  // namespace vx
