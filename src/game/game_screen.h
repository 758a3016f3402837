// GameScreen: the playfield: one level in play, or the level editor over it.
#pragma once

#include "app/screen.h"
#include "graphics/graphics.h"

namespace vx {

// Chooses this frame's sequences of the play animations (paddle, balls, coins,
// enemies, background objects, container, inventory icons) and steps them; the
// boss fight plays with the same art.
void StepPlayAnimations();

class GameScreen : public Screen {
 public:
  ~GameScreen() override;
  void OnChar(uint8_t ch) override;
  const char* GetName() override { return "GameScreen"; }
  int InitSurfaces() override;
  int ReleaseSurfaces() override;
  int OnDisplay(Screen* previous, int argument) override;
  int OnFrame() override;

 private:
  void DrawPlay();
  void DrawEditor();
  void DrawPanelSurface();
  void DrawFrameRate();

  Surface* panel_ = nullptr;  // "panel.tga", below the play window
};

}  // namespace vx
