#include "campaign/slot_list.h"

#include <algorithm>
#include <cstdio>

#include "campaign/campaign_ui.h"
#include "campaign/save_game.h"
#include "graphics/shared_art.h"

namespace vx {

namespace {
constexpr int kLeft = 240, kRight = 340, kTop = 170, kRowHeight = 16;
constexpr int kBottom = kTop + kRowHeight * kSaveSlots;

// Numbers white, names a light blue (pure blue is too dark on the sea); the
// pointed row in cyan. Every text gets the dark edge: the sea's grid lines
// run behind the list.
constexpr uint32_t kNumber = 0xffffff, kName = 0x9cc4ff, kLit = 0x00ffff, kEdited = 0xffffff;
uint32_t Pixel(uint32_t rgb) { return Graphics::MakePixelRGB(rgb); }
}  // namespace

int PointedSlot(int x, int y) {
  if (x < kLeft || x >= kRight || y < kTop || y >= kBottom) return -1;
  return (y - kTop) / kRowHeight;
}

void AddSlotTargets() {
  for (int i = 0; i < kSaveSlots; ++i)
    AddFocusTarget(Rect{kLeft, kTop + kRowHeight * i, kRight, kTop + kRowHeight * (i + 1)});
}

void DrawSlotList(int pointed, int edited, const char* editText) {
  // The plate under the list is as wide as its longest line.
  BeginText(FontB, 16);
  int widest = MeasureText8(FontB, editText) + 10;
  for (int i = 0; i < kSaveSlots; ++i) widest = std::max(widest, MeasureText8(FontB, SlotName(i)));
  EndText();
  DrawTextPlate(Rect{kLeft - 14, kTop - 4, std::max(kLeft + 30 + widest + 14, kRight + 16),
                     kBottom + 6});
  BeginText(FontB, 16);
  FontB.SetOutline(Graphics::MakePixelRGB(kTextEdgeRGB));
  for (int i = 0; i < kSaveSlots; ++i) {
    const int y = kTop + kRowHeight * i + 14;
    char number[16];
    std::snprintf(number, sizeof number, "%d.", i + 1);
    const bool lit = i == pointed || i == edited;
    DrawText8(FontB, kLeft, y, Pixel(lit ? kLit : kNumber), number);
    if (i == edited) {
      char line[kSaveNameLength + 2];
      std::snprintf(line, sizeof line, "%s_", editText);
      DrawText8(FontB, kLeft + 30, y, Pixel(kEdited), line);
    } else {
      DrawText8(FontB, kLeft + 30, y, Pixel(i == pointed ? kLit : kName), SlotName(i));
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

int SlotScreen::InitSurfaces() {
  ReleaseSurfaces();
  if (!LoadScreenImage("Nodes\\Node.tga", &background)) return 0;
  quit.Create(FrameRectAt(gArt.headers, "quit", 0, 0), kQuitCommand);
  return 1;
}

int SlotScreen::ReleaseSurfaces() {
  Graphics::ReleaseSurface(background);
  return 1;
}

int SlotScreen::DrawSlotScreen(const char* title, int edited, const char* editText) {
  AddSlotTargets();
  DrawSlotScreenFrame(background, title, quit.hover);
  const int pointed = PointedSlot(gCursor.x, gCursor.y);
  DrawSlotList(pointed, edited, editText);
  return pointed;
}

int SlotScreen::OnDisplay(Screen* previous, int argument) {
  done = 0;
  for (int i = 0; i < kSaveSlots; ++i) ReadSlot(i);
  return 1;
}

}  // namespace vx
