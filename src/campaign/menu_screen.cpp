#include "campaign/menu_screen.h"

#include "app/app_main.h"
#include "base/game_record.h"
#include "base/log.h"
#include "campaign/campaign_start.h"
#include "campaign/campaign_ui.h"
#include "game/game_state.h"

namespace vx {

namespace {

// The sheet's frames are placed relative to this point.
constexpr int kSheetX = 316, kSheetY = 179;

struct MenuEntry {
  const char* up;
  const char* down;
};
// Command i + 1 is entry i.
constexpr MenuEntry kEntries[MenuScreen::kButtons] = {
    {"newgame_up", "newgame_down"},         {"loadgame_up", "loadgame_down"},
    {"hiscores_up", "hiscores_down"},       {"options_up", "options_down"},
    {"instruction_up", "instruction_down"}, {"quit_up", "quit_down"},
};

enum MenuCommand { kNewGame = 1, kLoadGame, kHiscores, kOptions, kHelp, kQuit };

}  // namespace

int MenuScreen::InitSurfaces() {
  Log("Call MenuScreen::InitSurfaces()\n");
  ReleaseSurfaces();
  if (!LoadScreenImage("Logo2.tga", &background)) {
    Log("Can't load logo.tga\n");
    return 0;
  }
  Surface* logo = nullptr;
  if (!LoadScreenImage("VelotrixQRN.tga", &logo)) return 0;
  CopySurface(background, 17, 7, logo);
  Graphics::ReleaseSurface(logo);
  sheet.Load("menu.tga", "menu.frm");
  for (int i = 0; i < kButtons; ++i)
    buttons[i].Create(FrameRectAt(sheet, kEntries[i].up, kSheetX, kSheetY), i + 1);
  return 1;
}

int MenuScreen::ReleaseSurfaces() {
  Graphics::ReleaseSurface(background);
  return 1;
}

int MenuScreen::OnDisplay(Screen* previous, int argument) {
  focusFirst = true;
  return 1;
}

int MenuScreen::OnFrame() {
  gCommandId = 0;
  MouseEvent event = ReadPointer();
  // "New game" is focused, so that Confirm (Enter, A) starts a game.
  if (focusFirst) SetFocus(buttons[0].Area());
  focusFirst = false;

  CopySurface(nullptr, 0, 0, background);
  for (int i = 0; i < kButtons; ++i) {
    Button& b = buttons[i];
    b.HandleEvent(&event, gCursor.x, gCursor.y);
    if (b.hover)
      sheet.RenderFrame(kEntries[i].down, kSheetX, kSheetY, ALIGN_DEFAULT);
    else if (b.IsEnabled())
      sheet.RenderFrame(kEntries[i].up, kSheetX, kSheetY, ALIGN_DEFAULT);
  }

  switch (gCommandId) {
    case kNewGame:
      StartCampaign(1);
      return 0;
    case kLoadGame:
      SwitchTo(g.screens.load, 0);
      return 0;
    case kHiscores:
      gGame.hiscoreNewScore = 0;
      SwitchTo(g.screens.hiscore, 0);
      return 0;
    case kOptions:
      SwitchTo(g.screens.options, 0);
      return 0;
    case kHelp:
      SwitchTo(g.screens.help, 0);
      return 0;
    case kQuit:
      QuitApplication();
      return 0;
    default:
      break;
  }

  BeginText(FontB, 16);
  const int width = MeasureText8(FontB, g.strings.Version);
  DrawText8(FontB, 635 - width, 460, 0xffffff, g.strings.Version);
  EndText();
  DrawCursor();
  return 1;
}

}  // namespace vx
