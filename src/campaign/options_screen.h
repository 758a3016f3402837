// OptionsScreen: sound volumes and the playfield options.
#pragma once

#include "app/screen.h"

namespace vx {

class OptionsScreen : public Screen {
 public:
  const char* GetName() override { return "OptionsScreen"; }
  int InitSurfaces() override;
  int ReleaseSurfaces() override;
  int OnDisplay(Screen* previous, int argument) override;
  int OnFrame() override;
};

}  // namespace vx
