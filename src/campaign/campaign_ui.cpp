#include "campaign/campaign_ui.h"

#include <algorithm>
#include <cstring>

#include "base/game_record.h"
#include "graphics/shared_art.h"
#include "resources/text_file.h"

namespace vx {

Rect FrameRectAt(const CSprite& sheet, const char* frame, int x, int y) {
  SpriteFrame f;
  if (!sheet.FindFrame(frame, &f)) return Rect{};
  const int w = f.rect.right - f.rect.left, h = f.rect.bottom - f.rect.top;
  int left = x + f.offsetX, top = y + f.offsetY;
  const uint32_t flags = sheet.Align();
  if (!(flags & ALIGN_TOP)) top -= (flags & ALIGN_BOTTOM) ? h : h / 2;
  if (!(flags & ALIGN_LEFT)) left -= (flags & ALIGN_RIGHT) ? w : w / 2;
  return Rect{left, top, left + w, top + h};
}

bool PointIn(const Rect& r, int x, int y) {
  return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

void DrawText8(TextFont& font, int x, int y, uint32_t color, const char* text, int codePage) {
  font.DrawText(x, y, color, ToWide(text, codePage));
}

void DrawEdgedText8(TextFont& font, int x, int y, uint32_t color, const char* text, int codePage) {
  font.SetOutline(Graphics::MakePixelRGB(kTextEdgeRGB));
  DrawText8(font, x, y, color, text, codePage);
  font.SetOutline(TextFont::kNoOutline);
}

int MeasureText8(TextFont& font, const char* text, int codePage) {
  return font.MeasureText(ToWide(text, codePage));
}

int WrapText8(TextFont& font, const char* text, int width, char (*lines)[256], int maxLines,
              int codePage) {
  int count = 0;
  const char* p = text;
  while (count < maxLines) {
    while (*p == ' ') ++p;
    if (!*p) break;
    char* line = lines[count];
    size_t length = 0;
    // Whole words while they fit; the first word always.
    for (const char* q = p;;) {
      const char* end = q;
      while (*end && *end != ' ') ++end;
      const size_t wordEnd = static_cast<size_t>(end - p);
      if (wordEnd >= 255) break;
      char trial[256];
      std::memcpy(trial, p, wordEnd);
      trial[wordEnd] = 0;
      if (length > 0 && MeasureText8(font, trial, codePage) > width) break;
      length = wordEnd;
      if (!*end) break;
      q = end + 1;
    }
    if (length == 0) length = std::min<size_t>(std::strlen(p), 255);
    std::memcpy(line, p, length);
    line[length] = 0;
    p += length;
    ++count;
  }
  return count;
}

void DrawTextPlate(const Rect& r) {
  ShadeRect(r, 3);
  const uint16_t rim = Graphics::MakePixelRGB(0x6a40c8);
  // Corners left out: the rim reads as rounded.
  Graphics::Fill(nullptr, Rect{r.left + 2, r.top, r.right - 2, r.top + 1}, rim);
  Graphics::Fill(nullptr, Rect{r.left + 2, r.bottom - 1, r.right - 2, r.bottom}, rim);
  Graphics::Fill(nullptr, Rect{r.left, r.top + 2, r.left + 1, r.bottom - 2}, rim);
  Graphics::Fill(nullptr, Rect{r.right - 1, r.top + 2, r.right, r.bottom - 2}, rim);
  Graphics::Fill(nullptr, Rect{r.left + 1, r.top + 1, r.left + 2, r.top + 2}, rim);
  Graphics::Fill(nullptr, Rect{r.right - 2, r.top + 1, r.right - 1, r.top + 2}, rim);
  Graphics::Fill(nullptr, Rect{r.left + 1, r.bottom - 2, r.left + 2, r.bottom - 1}, rim);
  Graphics::Fill(nullptr, Rect{r.right - 2, r.bottom - 2, r.right - 1, r.bottom - 1}, rim);
}

void DrawText8In(TextFont& font, const Rect& box, int x, int y, uint32_t color, const char* text,
                 int codePage) {
  const Rect before = font.Clip();
  if (x == kCentre) x = (box.left + box.right - MeasureText8(font, text, codePage)) / 2;
  font.SetClip(box);
  DrawText8(font, x, y, color, text, codePage);
  font.SetClip(before);
}

int FitTextSize(TextFont& font, const char* text, int width, int largest, int smallest,
                int codePage) {
  int size = largest;
  for (; size > smallest; --size) {
    font.SetSize(size);
    if (MeasureText8(font, text, codePage) <= width) return size;
  }
  font.SetSize(size);
  return size;
}

void CopySurface(Surface* dst, int x, int y, const Surface* src, bool keyed) {
  if (!src) return;
  if (!dst) dst = Graphics::BackBuffer();
  if (!dst) return;
  Rect r{0, 0, src->width, src->height};
  // Cut to the destination, which need not be the screen.
  if (x < 0) r.left -= x, x = 0;
  if (y < 0) r.top -= y, y = 0;
  r.right = std::min(r.right, r.left + (dst->width - x));
  r.bottom = std::min(r.bottom, r.top + (dst->height - y));
  if (r.right <= r.left || r.bottom <= r.top) return;
  Graphics::Blit(dst, x, y, src, r, keyed);
}

int LoadScreenImage(const char* fileName, Surface** out) {
  Graphics::ReleaseSurface(*out);
  return Graphics::LoadSurface(fileName, out, 0);
}

}  // namespace vx
