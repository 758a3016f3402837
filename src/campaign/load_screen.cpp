#include "campaign/load_screen.h"

#include "base/log.h"
#include "campaign/campaign_start.h"
#include "campaign/campaign_ui.h"
#include "campaign/save_game.h"
#include "campaign/slot_list.h"
#include "graphics/shared_art.h"
#include "sound/sound.h"
#include "input/controls.h"

namespace vx {

namespace {
constexpr uint32_t kQuitCommand = 1;
}  // namespace

int LoadScreen::OnDisplay(Screen* previous, int argument) {
  done = 0;
  for (int i = 0; i < kSaveSlots; ++i) ReadSlot(i);
  return 1;
}

int LoadScreen::InitSurfaces() {
  Log("Call LoadScreen::InitSurfaces()\n");
  ReleaseSurfaces();
  if (!LoadScreenImage("Nodes\\Node.tga", &background)) return 0;
  quit.Create(FrameRectAt(gArt.headers, "quit", 0, 0), kQuitCommand);
  return 1;
}

int LoadScreen::ReleaseSurfaces() {
  Graphics::ReleaseSurface(background);
  return 1;
}

int LoadScreen::OnFrame() {
  MouseEvent event = ReadPointer();
  gCommandId = 0;
  quit.HandleEvent(&event, gCursor.x, gCursor.y);
  if (gCommandId == kQuitCommand || Controls::Pressed(ACTION_BACK)) {
    Return(this, 0);
    return 0;
  }

  DrawSlotScreenFrame(background, "Load", quit.hover);
  const int pointed = PointedSlot(gCursor.x, gCursor.y);
  DrawSlotList(pointed, -1, "");

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
