// The list of the ten save slots, as the save and load screens show it, and
// the part of those screens that is the same in both.
#pragma once

#include <cstdint>

#include "app/screen.h"
#include "campaign/button.h"

namespace vx {

struct Surface;

// The row (0..9) under the point, or -1 outside the list.
int PointedSlot(int x, int y);
// Makes the ten rows targets of the focus (the arrows move between them).
void AddSlotTargets();

// Draws the ten rows on a darkened plate: "n." and each slot's name, the
// pointed row lit. The edited row (-1: none) shows editText with a cursor
// instead of its name. Opens its own text bracket.
void DrawSlotList(int pointed, int edited, const char* editText);

// Background, title and quit button of both screens; title is the headers
// frame "Save" or "Load".
void DrawSlotScreenFrame(Surface* background, const char* title, bool quitPointed);

// The save and load screens: the background "Nodes\Node.tga", the quit button
// and the ten slots, read again on every entry.
class SlotScreen : public Screen {
 public:
  int InitSurfaces() override;
  int ReleaseSurfaces() override;
  // done = 0; reads the ten slots.
  int OnDisplay(Screen* previous, int argument) override;

  Surface* background = nullptr;
  Button quit;
  int done = 0;

 protected:
  static constexpr uint32_t kQuitCommand = 1;
  // Draws the frame with its title ("Save" or "Load") and the list, the
  // edited row (-1: none) showing editText. Returns the row under the cursor,
  // -1 for none.
  int DrawSlotScreen(const char* title, int edited, const char* editText);
};

}  // namespace vx
