#include "game/game_text.h"

#include "resources/text_file.h"

namespace vx {

void DrawCentredText8(int size, int x, int y, uint32_t color, const char* text) {
  BeginText(FontB, size);
  FontB.SetSize(size);
  // The converted text is the format itself; it takes no arguments.
  const char16_t* wide = ToWide(text, 866);
  int width = FontB.MeasureText(wide);
  FontB.DrawText(x - width / 2, y, color, wide);
  EndText();
}

}  // namespace vx
