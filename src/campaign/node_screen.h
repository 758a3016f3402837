// NodeScreen: the world map of the campaign.
#pragma once

#include "app/screen.h"

namespace vx {

class NodeScreen : public Screen {
 public:
  const char* GetName() override { return "NodeScreen"; }
  int InitSurfaces() override;
  int ReleaseSurfaces() override;
  int OnDisplay(Screen* previous, int argument) override;
  int OnFrame() override;
};

}  // namespace vx
