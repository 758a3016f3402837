// The scrolling field of blocks: geometry, hits, explosions, scrolling, the
// level-top rule and the background.
#pragma once

#include "game/game_types.h"

namespace vx {

constexpr int kCellWidth = 32;
constexpr int kCellHeight = 16;

struct CellRef {
  int c = 0, r = 0;
  bool valid = false;          // inside the grid and above its last row
  BlockCell* cell = nullptr;   // set when valid
};

// The grid cell under a screen point. Only rows 0 .. Height - 2 take part in
// collisions.
CellRef CellAt(float x, float y);
// The cell (c, r) when it lies inside the grid, else nullptr.
BlockCell* GridCell(int c, int r);
inline bool HoldsBlock(const BlockCell* cell) { return cell && cell->type != 0; }

// A ball entered the occupied cell (c, r) coming from direction (dc, dr).
void HitBlock(BlockCell& cell, int c, int r, Ball& ball, int dc, int dr);
// Removes a block and pays out its score and content.
void DestroyBlock(BlockCell& cell, int c, int r, int particleKind);
// Destroys the blocks whose centres lie within the radius of (x, y).
void ExplodeAround(float x, float y, float radiusSquared);
// Destroys every block in the rows shown in the window.
void Detonate();

// Scrolls the field when balls are in the upper half; balls ride along.
void ScrollStep(int ballsInUpperHalf);
// Stops the field at its top and reports a ball reaching the top of a fully
// scrolled field (when checkWin is set and the level has not ended). Returns 1
// when the level is won.
int CheckLevelTop(bool checkWin);
// Empties the row just below the middle of the window (the "Vanishing" setting).
void VanishRow();
// How far the field has been played, 0 .. 100, as shown on the panel.
int LevelProgress();
// Image number of a block as it looks now.
int BlockImage(const BlockCell& cell);

// Background objects: spawn, move, draw and let the smashing ones break blocks;
// when the game stands still (moving false) they are only drawn where they are.
void UpdateBackObjects(bool moving);
// Starts a background object when one is due (objectsInSet: how many objects
// the chosen tile set has).
void SpawnBackObject(int objectsInSet);
// Moves an object one frame; frees it when it has left the screen.
void MoveBackObject(BackObject& obj);
// Breaks the blocks under a smashing object whose frame is w x h pixels.
void SmashUnder(const BackObject& obj, int w, int h);
int LiveBackObjects();
void DrawBackground();
void DrawBlocks();

}  // namespace vx
