// GameScreen: the playfield: one level in play, or the level editor over it.
#pragma once

#include "app/screen.h"
#include "graphics/graphics.h"

namespace vx {

// Chooses this frame's sequences of the play animations (paddle, balls, coins,
// enemies, background objects, container, inventory icons) and steps them; the
// boss fight plays with the same art.
void StepPlayAnimations();
// Loads "panel.tga", the picture under the status panel, keyed on magenta;
// 0 when it cannot be loaded.
int LoadPlayPanel(Surface** panel);
// Draws that picture at the bottom of the screen (nothing for nullptr).
void DrawPanelSurface(Surface* panel);
// Draws a frame of play, background first and message panel last, over the
// panel picture (nullptr: none). Background objects and particles move as they
// are drawn, unless the game stands still. The game screen, its tests and its
// benchmark share this order.
void DrawPlayLayers(Surface* panel);

class GameScreen : public Screen {
 public:
  ~GameScreen() override;
  void OnChar(uint8_t ch) override;
  const char* GetName() override { return "GameScreen"; }
  int InitSurfaces() override;
  int ReleaseSurfaces() override;
  int OnDisplay(Screen* previous, int argument) override;
  int OnFrame() override;
  bool GrabsPointer() override;

 private:
  void DrawPlay();
  void DrawEditor();
  void DrawFrameRate();

  Surface* panel_ = nullptr;  // "panel.tga", below the play window
};

}  // namespace vx
