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
#include "input/controls.h"
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
  // The width only grows with the characters kept: the cut is searched by
  // halves, not a character at a time (a long description, every frame).
  auto fits = [&](size_t from, size_t to) {
    const char16_t kept = shown[to];
    shown[to] = 0;
    const bool ok = FontB.MeasureText(u"%s", shown + from) + dots <= width;
    shown[to] = kept;
    return ok;
  };
  if (tail) {
    size_t lo = 0, hi = n;  // the first character shown: hi fits (nothing is shown)
    while (lo < hi) {
      const size_t mid = (lo + hi) / 2;
      if (fits(mid, n)) hi = mid;
      else lo = mid + 1;
    }
    shown += lo;
    shown -= 3;
    shown[0] = shown[1] = shown[2] = u'.';
    return shown;
  }
  size_t lo = 0, hi = n;  // how many characters are kept: lo fits
  while (lo < hi) {
    const size_t mid = (lo + hi + 1) / 2;
    if (fits(0, mid)) lo = mid;
    else hi = mid - 1;
  }
  n = lo;
  shown[n] = shown[n + 1] = shown[n + 2] = u'.';
  shown[n + 3] = 0;
  return shown;
}

// The editor's words in the current language, as UTF-16 (valid until the
// next conversion).
const char16_t* Words(EditorText text) { return ToWide(g.strings.Editor[text], 866); }

void DrawLabel(int x, int y, uint32_t rgb, int field) {
  static const EditorText kLabels[] = {EDITOR_NAME,   EDITOR_DESCRIPTION, EDITOR_HEIGHT,
                                       EDITOR_SCROLL, EDITOR_TILES,       EDITOR_TYPES};
  if (field < FIELD_FIRST_TYPE) {
    FontB.DrawText(x, y, Color(rgb), u"%s", Words(kLabels[field]));
    return;
  }
  const int type = (field - FIELD_FIRST_TYPE) / 2 + 1;
  const bool score = (field - FIELD_FIRST_TYPE) % 2 == 1;
  FontB.DrawText(x, y, Color(rgb), Words(score ? EDITOR_TYPE_SCORE : EDITOR_TYPE_HITS), type);
}

void Text(int x, int y, uint32_t rgb, const char16_t* text) {
  FontB.DrawText(x, y, Color(rgb), u"%s", text);
}

// Words with one %s for the key bound to action.
void TextWithKey(int x, int y, uint32_t rgb, EditorText words, int action) {
  char16_t key[32];
  KeyNameInto(action, key, sizeof key / sizeof key[0]);
  FontB.DrawText(x, y, Color(rgb), Words(words), key);
}

}  // namespace

void WidenInto(const char* text, char16_t* out, size_t units) {
  if (units == 0) return;
  const char16_t* wide = ToWide(text, 866);
  size_t n = 0;
  for (; wide[n] && n + 1 < units; ++n) out[n] = wide[n];
  out[n] = 0;
}

void KeyNameInto(int action, char16_t* out, size_t units) {
  if (units == 0) return;
  const std::string name = Controls::KeyName(Controls::Key(action));
  size_t n = 0;
  for (; n < name.size() && n + 1 < units; ++n) out[n] = static_cast<unsigned char>(name[n]);
  out[n] = 0;
}

void HelpLineInto(int action, const char* words, char16_t* out, size_t units) {
  KeyNameInto(action, out, units);
  size_t n = 0;
  while (out[n]) ++n;
  for (const char16_t* dash = u" - "; *dash && n + 1 < units; ++dash) out[n++] = *dash;
  if (n < units) WidenInto(words, out + n, units - n);
}

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
  Text(x, y, kHintRGB, Words(EDITOR_HEADER));
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
    FontB.DrawText(x, y, Color(kQuestionRGB), Words(EDITOR_SHRINK), rows);
  } else {
    Text(x, y, kHintRGB, Words(EDITOR_HINT_FIELDS));
    TextWithKey(x, y + kPanelRow, kHintRGB, EDITOR_HINT_KEYS, ACTION_EDITOR_HEADER);
  }
  EndText();
}

void DrawEditorTestBanner() {
  char16_t key[32], line[128];
  KeyNameInto(ACTION_EDITOR_RESUME, key, sizeof key / sizeof key[0]);
  // The banner's words hold one %s for the key.
  FormatArg arg(static_cast<const char16_t*>(key));
  FormatWide(line, sizeof line / sizeof line[0], Words(EDITOR_TEST_BANNER), &arg, 1);
  const char16_t* lines[] = {line};
  DrawHelpLines(lines, 1);
}

}  // namespace vx
