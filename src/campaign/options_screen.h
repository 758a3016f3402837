// OptionsScreen: sound volumes, the playfield options, the language and the
// way to the controls page.
#pragma once

#include "app/screen.h"
#include "campaign/button.h"
#include "graphics/sprite.h"

namespace vx {

class OptionsScreen : public Screen {
 public:
  const char* GetName() override { return "OptionsScreen"; }
  int InitSurfaces() override;
  int ReleaseSurfaces() override;
  int OnDisplay(Screen* previous, int argument) override;
  int OnFrame() override;

  static constexpr int kButtons = 14;
  Surface* background = nullptr;
  CSprite sheet;  // "OptionsHL.tga" with "OptionsHL.frm"
  Button buttons[kButtons];
  Button controlsButton;  // opens the controls page

 private:
  void Draw(int music, int sound);
  void DrawBar(const char* frame, int percent);
  void DrawLanguageName();
};

}  // namespace vx
