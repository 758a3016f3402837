#include "campaign/slot_list.h"

#include <cstdio>

#include "campaign/campaign_ui.h"
#include "campaign/save_game.h"
#include "graphics/shared_art.h"

namespace vx {

namespace {
constexpr int kLeft = 240, kRight = 340, kTop = 170, kRowHeight = 16;
constexpr int kBottom = kTop + kRowHeight * kSaveSlots;
}  // namespace

int PointedSlot(int x, int y) {
  if (x < kLeft || x >= kRight || y < kTop || y >= kBottom) return -1;
  return (y - kTop) / kRowHeight;
}

void DrawSlotList(int pointed, int edited, const char* editText, const SlotListColors& colors) {
  BeginText(FontB, 16);
  for (int i = 0; i < kSaveSlots; ++i) {
    const int y = kTop + kRowHeight * i + 14;
    char number[16];
    std::snprintf(number, sizeof number, "%d.", i + 1);
    const bool lit = i == pointed || i == edited;
    DrawText8(FontB, kLeft, y, lit ? colors.pointedNumber : colors.number, number);
    if (i == edited) {
      char line[kSaveNameLength + 2];
      std::snprintf(line, sizeof line, "%s_", editText);
      DrawText8(FontB, kLeft + 30, y, 0xffffff, line);
    } else {
      DrawText8(FontB, kLeft + 30, y, i == pointed ? colors.pointedName : colors.name, SlotName(i));
    }
  }
  EndText();
}

void DrawSlotScreenFrame(Surface* background, const char* title, bool quitPointed) {
  CopySurface(nullptr, 0, 0, background);
  gArt.headers.RenderFrame("Velotrix", 0, 0, ALIGN_DEFAULT);
  gArt.headers.RenderFrame(title, 0, 0, ALIGN_DEFAULT);
  gArt.headers.RenderFrame(quitPointed ? "quits" : "quit", 0, 0, ALIGN_DEFAULT);
}

}  // namespace vx
