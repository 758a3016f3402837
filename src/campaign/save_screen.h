// SaveScreen: saving the campaign into one of ten slots.
#pragma once

#include "campaign/save_game.h"
#include "campaign/slot_list.h"

namespace vx {

class SaveScreen : public SlotScreen {
 public:
  void OnChar(uint8_t ch) override;
  // Confirm on the controller while a name is edited: saves it ("Game N" when
  // nothing was typed).
  void SaveWithPad();
  const char* GetName() override { return "SaveScreen"; }
  int OnDisplay(Screen* previous, int argument) override;
  int OnFrame() override;

  int editedSlot = -1;  // -1: none
  char editBuffer[kSaveNameLength + 1] = {};
  // The word on the last save, shown for messageFrames more frames; after a
  // success the screen closes when it is gone.
  const char* message = nullptr;
  int messageFrames = 0;
  bool saveFailed = false;
};

}  // namespace vx
