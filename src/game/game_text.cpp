#include "game/game_text.h"

#include <algorithm>

#include "resources/text_file.h"

namespace vx {

void DrawCentredText8(int size, int x, int y, uint32_t color, const char* text, const Rect& box) {
  BeginText(FontB, size);
  FontB.SetSize(size);
  // The converted text is the format itself; it takes no arguments.
  const char16_t* wide = ToWide(text, 866);
  int width = FontB.MeasureText(wide);
  const Rect screen = FontB.Clip();
  FontB.SetClip(box);
  FontB.DrawText(x - width / 2, y, color, wide);
  FontB.SetClip(screen);
  EndText();
}

void DrawHelpLines(const char16_t* const* lines, int count) {
  constexpr int kMargin = 6;
  BeginText(FontB, kDebugLineSize);
  FontB.SetSize(kDebugLineSize);
  int widest = 0;
  for (int i = 0; i < count; ++i) widest = std::max(widest, FontB.MeasureText(lines[i]));
  EndText();
  ShadeRect(Rect{0, 0, widest + 2 * kMargin, 20 * count + kMargin}, 2);
  BeginText(FontB, kDebugLineSize);
  FontB.SetSize(kDebugLineSize);
  FontB.SetOutline(Graphics::MakePixelRGB(kTextEdgeRGB));
  // The lines' tops are 20 pixels apart; a line's baseline lies one size lower.
  for (int i = 0; i < count; ++i)
    FontB.DrawText(kMargin, kMargin / 2 + 20 * i + kDebugLineSize, kTextWhite, lines[i]);
  EndText();
}

}  // namespace vx
