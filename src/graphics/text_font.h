// Text drawn from "LCDN.ttf" through FreeType into a locked 16-bit target.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "graphics/graphics.h"

namespace vx {

enum TextMode { TEXT_SOLID = 0, TEXT_BLEND_BG = 1, TEXT_BLEND_DST = 2 };

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
  struct Impl;
  Impl* impl_;
};

// One target pixel under a glyph pixel of coverage a (0..255) in mode; the
// background components (5 bits each) are used by TEXT_BLEND_BG.
uint16_t TextBlendPixel(int mode, int a, uint16_t color, uint16_t under, int bgRed, int bgGreen,
                        int bgBlue);

extern TextFont FontA;
extern TextFont FontB;
extern TextFont* CurrentFont;

// Opens a text bracket on the locked back buffer; a second call before EndText
// changes nothing.
void BeginText(TextFont& font, int size);
void EndText();
bool TextBracketOpen();

}  // namespace vx
