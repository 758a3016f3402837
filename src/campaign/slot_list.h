// The list of the ten save slots, as the save and load screens show it.
#pragma once

#include <cstdint>

namespace vx {

struct Surface;

// The row (0..9) under the point, or -1 outside the list.
int PointedSlot(int x, int y);

// Draws the ten rows on a darkened plate: "n." and each slot's name, the
// pointed row lit. The edited row (-1: none) shows editText with a cursor
// instead of its name. Opens its own text bracket.
void DrawSlotList(int pointed, int edited, const char* editText);

// Background, title and quit button of both screens; title is the headers
// frame "Save" or "Load".
void DrawSlotScreenFrame(Surface* background, const char* title, bool quitPointed);

}  // namespace vx
