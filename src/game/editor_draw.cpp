// Drawing of the editor's header panel and the line over a test play. Light
// text on a dark plate reads over any playfield.
#include <algorithm>
#include <cstdio>
#include <string>

#include "base/game_record.h"
#include "game/editor.h"
#include "game/editor_draw.h"
#include "game/editor_session.h"
#include "game/game_state.h"
#include "game/game_text.h"
#include "graphics/graphics.h"
#include "resources/text_file.h"

namespace vx {

namespace {

constexpr uint32_t kPlateRGB = 0x0c1018;
constexpr uint32_t kChosenRGB = 0x1c3c78;
constexpr uint32_t kLabelRGB = 0xc8d2dc;
constexpr uint32_t kValueRGB = 0xffffff;
constexpr uint32_t kEditedRGB = 0xffe080;
constexpr uint32_t kHintRGB = 0xc8e4ff;
constexpr uint32_t kQuestionRGB = 0xffc060;

constexpr int kPanelLeft = 296, kPanelRight = 636, kPanelTop = 4;
constexpr int kPanelSize = 14, kPanelRow = 17, kValueColumn = 132;

uint32_t Color(uint32_t rgb) { return Graphics::MakePixelRGB(rgb); }

// 8-bit text (code page 866) as UTF-16 in out, whole or cut to width with
// dots: its end when tail is set (where typing goes on), else its start.
// Returns where the shown text begins inside out.
const char16_t* Fitted(const char* text, int width, bool tail, char16_t* out, size_t capacity) {
  const char16_t* wide = ToWide(text, 866);
  size_t n = 0;
  // Three places stay free for the dots.
  for (; wide[n] && n + 4 < capacity; ++n) out[n + 3] = wide[n];
  out[n + 3] = 0;
  char16_t* shown = out + 3;
  if (FontB.MeasureText(u"%s", shown) <= width) return shown;
  const int dots = FontB.MeasureText(u"...");
  if (tail) {
    while (*shown && FontB.MeasureText(u"%s", shown) + dots > width) ++shown;
    shown -= 3;
    shown[0] = shown[1] = shown[2] = u'.';
    return shown;
  }
  while (n > 0 && FontB.MeasureText(u"%s", shown) + dots > width) shown[--n] = 0;
  shown[n] = shown[n + 1] = shown[n + 2] = u'.';
  shown[n + 3] = 0;
  return shown;
}

void DrawLabel(int x, int y, uint32_t rgb, int field) {
  static const char16_t* const kLabels[] = {u"Name", u"Description", u"Height (rows)",
                                            u"Scroll speed", u"Background tiles",
                                            u"Block types"};
  if (field < FIELD_FIRST_TYPE) {
    FontB.DrawText(x, y, Color(rgb), u"%s", kLabels[field]);
    return;
  }
  const int type = (field - FIELD_FIRST_TYPE) / 2 + 1;
  const bool score = (field - FIELD_FIRST_TYPE) % 2 == 1;
  FontB.DrawText(x, y, Color(rgb), score ? u"Type %d score" : u"Type %d hits", type);
}

void Text(int x, int y, uint32_t rgb, const char16_t* text) {
  FontB.DrawText(x, y, Color(rgb), u"%s", text);
}

}  // namespace

void DrawPlate(int left, int top, int right, int bottom, uint32_t rgb) {
  left = std::max(left, 0);
  top = std::max(top, 0);
  right = std::min(right, g.screenWidth);
  bottom = std::min(bottom, g.screenHeight);
  if (right > left && bottom > top) Graphics::Fill(nullptr, Rect{left, top, right, bottom}, Color(rgb));
}

void DrawHeaderPanel(const HeaderPanel& panel) {
  const int count = HeaderFieldCount();
  const int hintRows = 2;
  const int bottom = kPanelTop + kPanelRow * (count + 1 + hintRows) + 8;
  DrawPlate(kPanelLeft, kPanelTop, kPanelRight, bottom, kPlateRGB);
  const int chosenTop = kPanelTop + 4 + kPanelRow * (panel.field + 1);
  DrawPlate(kPanelLeft + 2, chosenTop, kPanelRight - 2, chosenTop + kPanelRow, kChosenRGB);

  BeginText(FontB, kPanelSize);
  FontB.SetSize(kPanelSize);
  const int x = kPanelLeft + 8, valueX = kPanelLeft + kValueColumn;
  const int valueWidth = kPanelRight - 8 - valueX;
  int y = kPanelTop + 4 + kPanelSize;
  Text(x, y, kHintRGB, u"Level header");
  for (int field = 0; field < count; ++field) {
    y += kPanelRow;
    const bool chosen = field == panel.field;
    DrawLabel(x, y, kLabelRGB, field);
    char value[sizeof(LevelHeader::text)];
    if (chosen)
      std::snprintf(value, sizeof value, "%s", panel.typed.c_str());
    else
      FormatHeaderField(field, value, sizeof value);
    char16_t wide[sizeof value + 8];
    const char16_t* shown = Fitted(value, valueWidth - 10, chosen, wide,
                                          sizeof wide / sizeof wide[0]);
    FontB.DrawText(valueX, y, Color(chosen && panel.edited ? kEditedRGB : kValueRGB),
                   chosen ? u"%s_" : u"%s", shown);
  }
  y += kPanelRow;
  if (panel.askHeight > 0) {
    const int rows = gGame.level.header.height - panel.askHeight;
    FontB.DrawText(x, y, Color(kQuestionRGB), u"Remove the top %d rows? Y / N", rows);
  } else {
    Text(x, y, kHintRGB, u"Up, Down: field   Left, Right: step");
    Text(x, y + kPanelRow, kHintRGB, u"Enter: set   Esc: take back   F6: close");
  }
  EndText();
}

void DrawEditorTestBanner() {
  static const char16_t* const kLine[] = {u"Test play - F9: back to editing"};
  DrawHelpLines(kLine, 1);
}

}  // namespace vx
