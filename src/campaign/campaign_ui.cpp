#include "campaign/campaign_ui.h"

#include <algorithm>

#include "base/game_record.h"
#include "graphics/shared_art.h"
#include "resources/text_file.h"

namespace vx {

CampaignCursor gCursor;

MouseEvent ReadPointer(int32_t* wheel) {
  int32_t dx = 0, dy = 0, dz = 0;
  Input::ReadMouse(&dx, &dy, &dz);
  // Motion is added in 64 bits: a wild device value must not wrap the cursor.
  int64_t x = static_cast<int64_t>(gCursor.x) + dx;
  int64_t y = static_cast<int64_t>(gCursor.y) + dy;
  gCursor.x = static_cast<int32_t>(std::clamp<int64_t>(x, 0, g.screenWidth - 1));
  gCursor.y = static_cast<int32_t>(std::clamp<int64_t>(y, 0, g.screenHeight - 1));
  if (wheel) *wheel = dz;
  MouseEvent event;
  Input::PopMouseEvent(&event);
  return event;
}

void DrawCursor(int dx, int dy) {
  gArt.cursorAnim.Play("Cursor", 0);
  gArt.cursor.RenderAnim(gArt.cursorAnim, gCursor.x + dx, gCursor.y + dy, ALIGN_DEFAULT);
}

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

int MeasureText8(TextFont& font, const char* text, int codePage) {
  return font.MeasureText(ToWide(text, codePage));
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
