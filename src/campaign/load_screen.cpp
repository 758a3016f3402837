#include "campaign/load_screen.h"

#include "base/log.h"
#include "campaign/campaign_start.h"
#include "campaign/campaign_ui.h"
#include "campaign/save_game.h"
#include "campaign/slot_list.h"
#include "graphics/shared_art.h"
#include "input/controls.h"
#include "sound/sound.h"

namespace vx {

int LoadScreen::InitSurfaces() {
  Log("Call LoadScreen::InitSurfaces()\n");
  return SlotScreen::InitSurfaces();
}

int LoadScreen::OnFrame() {
  MouseEvent event = ReadPointer();
  gCommandId = 0;
  quit.HandleEvent(&event, gCursor.x, gCursor.y);
  if (gCommandId == kQuitCommand || Controls::Pressed(ACTION_BACK)) {
    Return(this, 0);
    return 0;
  }

  const int pointed = DrawSlotScreen("Load", -1, "");

  if (event.type == MOUSE_LEFT_DOWN) {
    PlayClick();
    if (pointed != -1 && LoadGame(pointed)) {
      done = 1;
      Return(this, 0);
      StartCampaign(0);
      return 0;
    }
  }
  DrawCursor();
  return 1;
}

}  // namespace vx
