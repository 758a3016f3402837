// BossScreen: the boss fight at the end of the campaign.
#pragma once

#include "app/screen.h"

namespace vx {

class BossScreen : public Screen {
 public:
  const char* GetName() override { return "BossScreen"; }
  int InitSurfaces() override;
  int ReleaseSurfaces() override;
  int OnDisplay(Screen* previous, int argument) override;
  int OnFrame() override;
};

}  // namespace vx
