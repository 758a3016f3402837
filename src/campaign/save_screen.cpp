#include "campaign/save_screen.h"

#include <cstdio>
#include <cstring>

#include "base/game_record.h"
#include "campaign/campaign_ui.h"
#include "campaign/slot_list.h"
#include "sound/sound.h"
#include "input/controls.h"

namespace vx {

int SaveScreen::OnDisplay(Screen* previous, int argument) {
  SlotScreen::OnDisplay(previous, argument);
  editedSlot = -1;
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

  const int pointed = DrawSlotScreen("Save", editedSlot, editBuffer);

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
