// LoadScreen: loading a saved campaign.
#pragma once

#include "app/screen.h"
#include "campaign/button.h"

namespace vx {

class LoadScreen : public Screen {
 public:
  const char* GetName() override { return "LoadScreen"; }
  int InitSurfaces() override;
  int ReleaseSurfaces() override;
  int OnDisplay(Screen* previous, int argument) override;
  int OnFrame() override;

  Surface* background = nullptr;
  Button quit;
  int done = 0;
};

}  // namespace vx
