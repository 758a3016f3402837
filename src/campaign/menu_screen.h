// MenuScreen: the main menu, the bottom screen of the stack.
#pragma once

#include "app/screen.h"
#include "campaign/button.h"
#include "graphics/sprite.h"

namespace vx {

class MenuScreen : public Screen {
 public:
  const char* GetName() override { return "MenuScreen"; }
  int InitSurfaces() override;
  int ReleaseSurfaces() override;
  int OnDisplay(Screen* previous, int argument) override;
  int OnFrame() override;

  static constexpr int kButtons = 6;
  Surface* background = nullptr;
  CSprite sheet;  // "menu.tga" with "menu.frm"
  Button buttons[kButtons];
  bool focusFirst = true;  // put the focus on "New game" in the next frame
};

}  // namespace vx
