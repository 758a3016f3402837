// The list of the ten save slots, as the save and load screens show it.
#pragma once

#include <cstdint>

namespace vx {

struct Surface;

// The row (0..9) under the point, or -1 outside the list.
int PointedSlot(int x, int y);

struct SlotListColors {
  uint32_t number, pointedNumber;
  uint32_t name, pointedName;
};

// Draws the ten rows: "n." and each slot's name. The edited row (-1: none)
// shows editText with a cursor instead of its name. Opens its own text bracket.
void DrawSlotList(int pointed, int edited, const char* editText, const SlotListColors& colors);

// Background, title and quit button of both screens; title is the headers
// frame "Save" or "Load".
void DrawSlotScreenFrame(Surface* background, const char* title, bool quitPointed);

}  // namespace vx
