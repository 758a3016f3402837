// ShopScreen: the item shop between levels.
#pragma once

#include "app/screen.h"

namespace vx {

class ShopScreen : public Screen {
 public:
  const char* GetName() override { return "ShopScreen"; }
  int InitSurfaces() override;
  int ReleaseSurfaces() override;
  int OnDisplay(Screen* previous, int argument) override;
  int OnFrame() override;
};

}  // namespace vx
