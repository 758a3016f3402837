#include "campaign/save_screen.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "base/game_record.h"
#include "campaign/campaign_ui.h"
#include "campaign/slot_list.h"
#include "input/controls.h"
#include "sound/sound.h"

namespace vx {

namespace {
// About one second for the good news, three for the bad.
constexpr int kSavedFrames = 77;
constexpr int kFailedFrames = 231;

// The word on the last save, centred below the slot list on a plate of its
// own, in the list's font and edge; white for success, a light red for failure.
void DrawSaveMessage(const char* text, bool failed) {
  BeginText(FontB, 16);
  const int width = MeasureText8(FontB, text);
  EndText();
  DrawTextPlate(Rect{320 - width / 2 - 14, 343, 320 + width / 2 + 14, 367});
  BeginText(FontB, 16);
  DrawEdgedText8(FontB, 320 - width / 2, 360, Graphics::MakePixelRGB(failed ? 0xff7070 : 0xffffff), text);
  EndText();
}
}  // namespace

int SaveScreen::OnDisplay(Screen* previous, int argument) {
  SlotScreen::OnDisplay(previous, argument);
  editedSlot = -1;
  message = nullptr;
  messageFrames = 0;
  return 1;
}

int SaveScreen::OnFrame() {
  if (messageFrames > 0) --messageFrames;
  if (done && messageFrames == 0) {
    Return(this, 0);
    return 0;
  }
  // While a name is typed, Enter is the typed line's end, not a click.
  PointerOptions options;
  options.confirmClicks = editedSlot == -1;
  options.arrowsMoveFocus = editedSlot == -1;
  MouseEvent event = ReadPointer(nullptr, options);
  if (editedSlot != -1 && Controls::PressedOnPad(ACTION_CONFIRM)) SaveWithPad();
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
  if (messageFrames > 0 && message) DrawSaveMessage(message, saveFailed);

  if (event.type == MOUSE_LEFT_DOWN) {
    PlayClick();
    if (pointed != -1 && editedSlot == -1 && !done) {
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

void SaveScreen::SaveWithPad() {
  // A controller cannot type: an empty name becomes "Game N".
  if (!editBuffer[0]) {
    const std::string name = std::string(g.strings.SaveName) + " " + std::to_string(editedSlot + 1);
    std::snprintf(editBuffer, sizeof editBuffer, "%.*s", kSaveNameLength, name.c_str());
  }
  OnChar(13);  // as Enter ends a typed name
}

void SaveScreen::OnChar(uint8_t ch) {
  const size_t length = std::strlen(editBuffer);
  if (ch == 13) {
    if (length == 0 || editedSlot == -1 || done) return;
    saveFailed = !SaveGame(editedSlot, editBuffer);
    message = saveFailed ? g.strings.SaveFailed : g.strings.Saved;
    messageFrames = saveFailed ? kFailedFrames : kSavedFrames;
    if (!saveFailed) {
      done = 1;
      editedSlot = -1;
    }
  } else if (ch == 8) {
    if (length > 0) editBuffer[length - 1] = 0;
  } else if (IsNameCharacter(ch) && length < kSaveNameLength) {
    editBuffer[length] = static_cast<char>(ch);
    editBuffer[length + 1] = 0;
  }
}

}  // namespace vx
