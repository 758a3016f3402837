// SaveScreen: saving the campaign into one of ten slots.
#pragma once

#include "app/screen.h"
#include "campaign/button.h"
#include "campaign/save_game.h"

namespace vx {

class SaveScreen : public Screen {
 public:
  void OnChar(uint8_t ch) override;
  const char* GetName() override { return "SaveScreen"; }
  int InitSurfaces() override;
  int ReleaseSurfaces() override;
  int OnDisplay(Screen* previous, int argument) override;
  int OnFrame() override;

  Surface* background = nullptr;
  Button quit;
  int done = 0;
  int editedSlot = -1;  // -1: none
  char editBuffer[kSaveNameLength + 1] = {};
};

}  // namespace vx
