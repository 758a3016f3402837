// HelpScreen: the help pages.
#pragma once

#include "app/screen.h"

namespace vx {

class HelpScreen : public Screen {
 public:
  const char* GetName() override { return "HelpScreen"; }
  int InitSurfaces() override;
  int ReleaseSurfaces() override;
  int OnDisplay(Screen* previous, int argument) override;
  int OnFrame() override;
};

}  // namespace vx
