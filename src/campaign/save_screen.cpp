#include "campaign/save_screen.h"

#include <cstdio>
#include <cstring>

#include "base/game_record.h"
#include "campaign/campaign_ui.h"
#include "campaign/slot_list.h"
#include "graphics/shared_art.h"
#include "sound/sound.h"
#include "input/controls.h"

namespace vx {

namespace {
constexpr uint32_t kQuitCommand = 1;
}  // namespace

int SaveScreen::OnDisplay(Screen* previous, int argument) {
  done = 0;
  for (int i = 0; i < kSaveSlots; ++i) ReadSlot(i);
  editedSlot = -1;
  return 1;
}

int SaveScreen::InitSurfaces() {
  ReleaseSurfaces();
  if (!LoadScreenImage("Nodes\\Node.tga", &background)) return 0;
  quit.Create(FrameRectAt(gArt.headers, "quit", 0, 0), kQuitCommand);
  return 1;
}

int SaveScreen::ReleaseSurfaces() {
  Graphics::ReleaseSurface(background);
  return 1;
}

int SaveScreen::OnFrame() {
  if (done) {
    Return(this, 0);
    return 0;
  }
  MouseEvent event = ReadPointer();
  if (Controls::Pressed(ACTION_BACK)) {
    if (editedSlot == -1) {
      Return(this, 0);
      return 0;
    }
    editedSlot = -1;
  }
  gCommandId = 0;
  quit.HandleEvent(&event, gCursor.x, gCursor.y);
  if (gCommandId == kQuitCommand) {
    Return(this, 0);
    return 0;
  }

  DrawSlotScreenFrame(background, "Save", quit.hover);
  const int pointed = PointedSlot(gCursor.x, gCursor.y);
  DrawSlotList(pointed, editedSlot, editBuffer);

  if (event.type == MOUSE_LEFT_DOWN) {
    PlayClick();
    if (pointed != -1 && editedSlot == -1) {
      editedSlot = pointed;
      const char* name = SlotName(pointed);
      // An empty slot shows a label, which is no name to start from.
      const bool empty = !gSaveSlots[pointed].valid ||
                         (g.strings.EmptySlot[0] && std::strstr(name, g.strings.EmptySlot));
      std::snprintf(editBuffer, sizeof editBuffer, "%s", empty ? "" : name);
    }
  }
  DrawCursor();
  return 1;
}

void SaveScreen::OnChar(uint8_t ch) {
  const size_t length = std::strlen(editBuffer);
  if (ch == 13) {
    if (length > 0 && editedSlot != -1 && SaveGame(editedSlot, editBuffer)) {
      done = 1;
      editedSlot = -1;
    }
  } else if (ch == 8) {
    if (length > 0) editBuffer[length - 1] = 0;
  } else if (ch >= 32 && length < kSaveNameLength) {
    // Control characters (Escape, Tab) are keys, not part of a name.
    editBuffer[length] = static_cast<char>(ch);
    editBuffer[length + 1] = 0;
  }
}

}  // namespace vx
