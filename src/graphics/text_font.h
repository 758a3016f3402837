// Text drawn from "LCDN.ttf" through FreeType into a locked 16-bit target.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include "graphics/graphics.h"

namespace vx {

enum TextMode { TEXT_SOLID = 0, TEXT_BLEND_BG = 1, TEXT_BLEND_DST = 2 };

// The dark edge (0xRRGGBB) that texts over busy pictures share.
constexpr uint32_t kTextEdgeRGB = 0x040a18;

// One argument of a UTF-16 printf-style format. The formatter knows how many
// arguments there are and what they hold, so a text that happens to contain a
// conversion never reads an argument that was not passed.
struct FormatArg {
  enum Kind : uint8_t { kNone, kInt, kUInt, kDouble, kWide, kNarrow };
  Kind kind = kNone;
  union {
    int64_t i;
    uint64_t u;
    double d;
    const char16_t* ws;
    const char* s;
  };
  FormatArg() : i(0) {}
  template <typename T, std::enable_if_t<std::is_integral_v<T> && std::is_signed_v<T> &&
                                             !std::is_same_v<T, char>, int> = 0>
  FormatArg(T v) : kind(kInt), i(v) {}
  template <typename T, std::enable_if_t<std::is_integral_v<T> && !std::is_signed_v<T>, int> = 0>
  FormatArg(T v) : kind(kUInt), u(v) {}
  template <typename T, std::enable_if_t<std::is_enum_v<T>, int> = 0>
  FormatArg(T v) : kind(kInt), i(static_cast<int64_t>(v)) {}
  FormatArg(char v) : kind(kInt), i(static_cast<unsigned char>(v)) {}
  FormatArg(float v) : kind(kDouble), d(v) {}
  FormatArg(double v) : kind(kDouble), d(v) {}
  FormatArg(const char16_t* v) : kind(kWide), ws(v) {}
  FormatArg(const char* v) : kind(kNarrow), s(v) {}
  FormatArg(std::nullptr_t) : kind(kWide), ws(nullptr) {}
};

// printf for UTF-16: %d %i %u %x %X %c %s (UTF-16; 8-bit strings are widened)
// %f with flags (- + space 0), width, precision and *, and %%. A conversion
// without an argument left is copied as written. Writes at most cap - 1 units
// and a terminating zero; returns the number of units written.
size_t FormatWide(char16_t* out, size_t cap, const char16_t* format, const FormatArg* args,
                  size_t argCount);

// One line of text as it was drawn, for checks that every text keeps to its
// place: the pixels its glyphs cover, the box it was drawn into (the font's
// clip rectangle) and the target's size. Valid during the observer's call.
struct DrawnText {
  const char16_t* text = nullptr;  // the line, formatted, without colour tags
  Rect ink;                        // left >= right when no glyph has pixels
  Rect box;
  int targetWidth = 0, targetHeight = 0;
  int size = 0;
  bool clipped = false;  // characters were dropped at the clip's top or bottom
};
using TextObserver = void (*)(const DrawnText& line, void* context);
// Reports every line drawn from now on (null: none, the default).
void SetTextObserver(TextObserver observer, void* context);

class TextFont {
 public:
  TextFont();
  ~TextFont();
  TextFont(const TextFont&) = delete;
  TextFont& operator=(const TextFont&) = delete;

  int Load(const char* fileName);
  // Opens the face from a copy of data (tools and tests without a file layer).
  int LoadFromMemory(const uint8_t* data, uint32_t size);
  bool IsLoaded() const;
  // pixels: first pixel of a locked 16-bit target of width x height pixels.
  void SetTarget(uint16_t* pixels, int pitchInBytes, int width, int height);
  void SetSize(int size);
  void SetMode(int mode, uint32_t backgroundRGB);
  void SetClip(const Rect& clip);
  // An edge of one pixel all round every glyph in colour (a display pixel),
  // drawn under the text so it reads on a busy or light background;
  // kNoOutline turns it off. Every text bracket starts without one.
  static constexpr uint32_t kNoOutline = 0xFFFFFFFFu;
  void SetOutline(uint32_t color);
  Rect Clip() const;

  // Formats and draws with the pen's baseline at y.
  template <typename... A>
  void DrawText(int x, int y, uint32_t color, const char16_t* format, A... args) {
    const FormatArg list[] = {FormatArg(args)..., FormatArg()};
    DrawTextArgs(x, y, color, format, list, sizeof...(A));
  }
  // Width in pixels of the formatted text.
  template <typename... A>
  int MeasureText(const char16_t* format, A... args) {
    const FormatArg list[] = {FormatArg(args)..., FormatArg()};
    return MeasureTextArgs(format, list, sizeof...(A));
  }
  void DrawTextArgs(int x, int y, uint32_t color, const char16_t* format, const FormatArg* args,
                    size_t argCount);
  int MeasureTextArgs(const char16_t* format, const FormatArg* args, size_t argCount);

  // Turns the glyph cache on or off (drawn pixels are the same either way).
  void SetCacheEnabled(bool on);

  int PenX() const;
  int PenY() const;
  uint32_t Color() const;
  int Size() const;
  int Mode() const;

 private:
  friend void BeginText(TextFont& font, int size);
  // One pass over the formatted text: the text itself, or (text false) its
  // edge in one colour, tags ignored.
  void DrawPass(int x, int y, uint32_t color, bool text);
  struct Impl;
  Impl* impl_;
};

// One target pixel under a glyph pixel of coverage a (0..255) in mode; the
// background components (5 bits each) are used by TEXT_BLEND_BG.
uint16_t TextBlendPixel(int mode, int a, uint16_t color, uint16_t under, int bgRed, int bgGreen,
                        int bgBlue);

// Where readable text lands on the back buffer and what lay behind it, for
// the check that measures how well it stands out. Recorded only while
// gTextInkLog is set (the tool's contrast check and tests); the game never
// sets it. A run is one word of one colour; an edge drawn round text is not
// text: it is recorded as what lies behind the text.
struct TextInk {
  int16_t x = 0, y = 0;
  uint8_t coverage = 0;  // 1..255
  uint16_t under = 0;    // the display pixel before the text was drawn
  uint32_t run = 0;
};
struct TextRun {
  uint16_t color = 0;  // display pixel
  std::u16string text;
};
struct TextInkLog {
  std::vector<TextInk> ink;
  std::vector<TextRun> runs;
  void Clear() {
    ink.clear();
    runs.clear();
  }
};
extern TextInkLog* gTextInkLog;

extern TextFont FontA;
extern TextFont FontB;
extern TextFont* CurrentFont;

// Opens a text bracket on the locked back buffer; a second call before EndText
// changes nothing.
void BeginText(TextFont& font, int size);
void EndText();
bool TextBracketOpen();

}  // namespace vx
