// Text drawn from "LCDN.ttf" through FreeType into a locked 16-bit target.
#pragma once

#include <cstdint>

#include "graphics/graphics.h"
#include "resources/file_system.h"

namespace vx {

enum TextMode { TEXT_SOLID = 0, TEXT_BLEND_BG = 1, TEXT_BLEND_DST = 2 };

class TextFont {
 public:
  TextFont();
  ~TextFont();
  TextFont(const TextFont&) = delete;
  TextFont& operator=(const TextFont&) = delete;

  int Load(const char* fileName);
  bool IsLoaded() const;
  void SetTarget(uint16_t* pixels, int pitchInBytes);
  void SetSize(int size);
  void SetMode(int mode, uint32_t backgroundRGB);
  void SetClip(const RECT& clip);
  // Formats a UTF-16 printf-style format (%d, %s with UTF-16 strings, %c,
  // %x, %f and %%) and draws it with the pen's baseline at y.
  void DrawText(int x, int y, uint32_t color, const char16_t* format, ...);
  int MeasureText(const char16_t* format, ...);
  // Turns the glyph cache on or off (drawn pixels are the same either way).
  void SetCacheEnabled(bool on);

 private:
  struct Impl;
  Impl* impl_;
};

extern TextFont FontA;
extern TextFont FontB;
extern TextFont* CurrentFont;

void BeginText(TextFont& font, int size);
void EndText();

}  // namespace vx
