// MenuScreen: the main menu, the bottom screen of the stack.
#pragma once

#include "app/screen.h"

namespace vx {

class MenuScreen : public Screen {
 public:
  const char* GetName() override { return "MenuScreen"; }
  int InitSurfaces() override;
  int ReleaseSurfaces() override;
  int OnDisplay(Screen* previous, int argument) override;
  int OnFrame() override;
};

}  // namespace vx
