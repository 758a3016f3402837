// HappyScreen: the ending text.
#pragma once

#include "app/screen.h"
#include "graphics/graphics.h"

namespace vx {

class HappyScreen : public Screen {
 public:
  const char* GetName() override { return "HappyScreen"; }
  int InitSurfaces() override;
  int ReleaseSurfaces() override;
  int OnDisplay(Screen* previous, int argument) override;
  int OnFrame() override;

  static constexpr int kTextSize = 1024;
  Surface* background = nullptr;
  char text[kTextSize + 1] = {};  // always terminated
  int32_t textTop = 480;
};

}  // namespace vx
