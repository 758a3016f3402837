// GameScreen: the playfield: one level in play.
#pragma once

#include "app/screen.h"

namespace vx {

class GameScreen : public Screen {
 public:
  void OnChar(uint8_t ch) override;
  const char* GetName() override { return "GameScreen"; }
  int InitSurfaces() override;
  int ReleaseSurfaces() override;
  int OnDisplay(Screen* previous, int argument) override;
  int OnFrame() override;
};

}  // namespace vx
