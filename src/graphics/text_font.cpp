#include "graphics/text_font.h"

namespace vx {

struct TextFont::Impl {
  int penX = 0, penY = 0, size = 0, mode = 0;
  uint32_t color = 0;
};

TextFont FontA;
TextFont FontB;
TextFont* CurrentFont = nullptr;

TextFont::TextFont() : impl_(new Impl) {}
TextFont::~TextFont() { delete impl_; }
int TextFont::Load(const char*) { return 0; }
int TextFont::LoadFromMemory(const uint8_t*, uint32_t) { return 0; }
bool TextFont::IsLoaded() const { return false; }
void TextFont::SetTarget(uint16_t*, int, int, int) {}
void TextFont::SetSize(int size) { impl_->size = size; }
void TextFont::SetMode(int mode, uint32_t) { impl_->mode = mode; }
void TextFont::SetClip(const RECT&) {}
void TextFont::DrawTextArgs(int, int, uint32_t, const char16_t*, const FormatArg*, size_t) {}
int TextFont::MeasureTextArgs(const char16_t*, const FormatArg*, size_t) { return 0; }
void TextFont::SetCacheEnabled(bool) {}
int TextFont::PenX() const { return impl_->penX; }
int TextFont::PenY() const { return impl_->penY; }
uint32_t TextFont::Color() const { return impl_->color; }
int TextFont::Size() const { return impl_->size; }
int TextFont::Mode() const { return impl_->mode; }

size_t FormatWide(char16_t* out, size_t cap, const char16_t*, const FormatArg*, size_t) {
  if (cap) out[0] = 0;
  return 0;
}

namespace {
bool gBracketOpen = false;
}
void BeginText(TextFont& font, int size) {
  if (gBracketOpen) return;
  gBracketOpen = true;
  CurrentFont = &font;
  font.SetSize(size);
}
void EndText() { gBracketOpen = false; }
bool TextBracketOpen() { return gBracketOpen; }

}  // namespace vx
