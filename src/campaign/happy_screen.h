// HappyScreen: the ending text.
#pragma once

#include "app/screen.h"

namespace vx {

class HappyScreen : public Screen {
 public:
  const char* GetName() override { return "HappyScreen"; }
  int InitSurfaces() override;
  int ReleaseSurfaces() override;
  int OnDisplay(Screen* previous, int argument) override;
  int OnFrame() override;
};

}  // namespace vx
