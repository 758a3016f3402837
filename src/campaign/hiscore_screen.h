// HiscoreScreen: the high-score table and name entry.
#pragma once

#include "app/screen.h"

namespace vx {

class HiscoreScreen : public Screen {
 public:
  void OnChar(uint8_t ch) override;
  const char* GetName() override { return "HiscoreScreen"; }
  int InitSurfaces() override;
  int ReleaseSurfaces() override;
  int OnDisplay(Screen* previous, int argument) override;
  int OnFrame() override;
};

}  // namespace vx
