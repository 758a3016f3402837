// HelpScreen: the help pages.
#pragma once

#include "app/screen.h"
#include "campaign/button.h"
#include "graphics/sprite.h"

namespace vx {

class HelpScreen : public Screen {
 public:
  const char* GetName() override { return "HelpScreen"; }
  int InitSurfaces() override;
  int ReleaseSurfaces() override;
  int OnDisplay(Screen* previous, int argument) override;
  int OnFrame() override;

  static constexpr int kPages = 4;
  static constexpr int kPageSize = 1024;
  // Shows page n (kept to 0..3) from "help\help%d.txt".
  void LoadPage(int n);
  // The places of the pictures the page shows beside its text; the text keeps
  // clear of them. At most kMaxPictures; returns how many.
  static constexpr int kMaxPictures = 3;
  int PicturePlaces(int n, Rect* places) const;

  Surface* background = nullptr;
  Surface* minPanel = nullptr;  // "help\MinPanel.tga", on the third page
  Surface* items = nullptr;     // "help\Items.tga", on the second page
  CSprite sheet;                // "HelpBtn.tga" with "HelpBtn.frm"
  Button previous, next;
  int page = 0;
  char text[kPageSize + 1] = {};  // always terminated
};

}  // namespace vx
