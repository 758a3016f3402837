// LoadScreen: loading a saved campaign.
#pragma once

#include "app/screen.h"

namespace vx {

class LoadScreen : public Screen {
 public:
  const char* GetName() override { return "LoadScreen"; }
  int InitSurfaces() override;
  int ReleaseSurfaces() override;
  int OnDisplay(Screen* previous, int argument) override;
  int OnFrame() override;
};

}  // namespace vx
