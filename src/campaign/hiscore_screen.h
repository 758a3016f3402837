// HiscoreScreen: the high-score table and name entry.
#pragma once

#include "app/screen.h"
#include "graphics/graphics.h"

namespace vx {

class HiscoreScreen : public Screen {
 public:
  void OnChar(uint8_t ch) override;
  const char* GetName() override { return "HiscoreScreen"; }
  int InitSurfaces() override;
  int ReleaseSurfaces() override;
  int OnDisplay(Screen* previous, int argument) override;
  int OnFrame() override;

  // Whether the player's score is offered to the table on the next entry
  // (after the ending) or the table is only shown (from the menu).
  static void SetNewScore(int on);

  Surface* background = nullptr;
  int nameEntry = 0;      // a name is being typed
  int namedPosition = 0;  // 1-based row being named; 0 = none
};

}  // namespace vx
