// CSprite: an image with named frames, drawn with anchors, keyed on its colour.
#include "graphics/sprite.h"

#include <strings.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/log.h"
#include "resources/text_file.h"

namespace vx {

namespace {

// Up to count integers separated by blanks or commas; missing ones stay 0.
void ParseNumbers(const char* text, int* out, int count) {
  for (int i = 0; i < count; ++i) out[i] = 0;
  const char* p = text;
  for (int i = 0; i < count && *p; ++i) {
    while (*p == ' ' || *p == ',' || *p == '\t') ++p;
    if (!*p) break;
    char* end = nullptr;
    long long v = std::strtoll(p, &end, 10);
    if (end == p) break;
    out[i] = ClampSheetNumber(v);
    p = end;
  }
}

}  // namespace

CSprite::CSprite() { ResetFrames(); }

CSprite::~CSprite() { Graphics::ReleaseSurface(surface_); }

void CSprite::ResetFrames() {
  frames_.clear();
  SpriteFrame null;
  std::snprintf(null.name, sizeof null.name, "%s", "Null frame");
  frames_.push_back(null);
}

int CSprite::LoadImage(const char* imageFile) {
  Graphics::ReleaseSurface(surface_);
  loaded_ = 0;
  ResetFrames();
  return LoadSurfaceOnly(imageFile);
}

int CSprite::LoadSurfaceOnly(const char* imageFile) {
  Graphics::ReleaseSurface(surface_);
  loaded_ = Graphics::LoadSurface(imageFile, &surface_, 0);
  return loaded_;
}

int CSprite::Load(const char* imageFile, const char* frmFile) {
  LoadImage(imageFile);
  TextFile frm;
  if (!frm.Open(frmFile)) return 0;
  return ReadFrames(frm);
}

int CSprite::ReadFrames(TextFile& frm) {
  int sections = 0;
  for (int n = 1;; ++n) {
    char section[32];
    std::snprintf(section, sizeof section, "Sprite %d", n);
    if (!frm.SelectSection(section)) break;
    ++sections;
    char rectText[64], offsetText[64], name[32];
    frm.GetString(nullptr, "rectsx", "", rectText, sizeof rectText);
    if (!rectText[0]) continue;
    frm.GetString(nullptr, "offsxy", "", offsetText, sizeof offsetText);
    frm.GetString(nullptr, "name", "", name, sizeof name);
    if (!name[0]) continue;
    int r[4], o[2];
    ParseNumbers(rectText, r, 4);
    ParseNumbers(offsetText, o, 2);
    AddFrame(name, Rect{r[0], r[1], r[0] + r[2], r[1] + r[3]}, o[0], o[1]);
  }
  return sections;
}

void CSprite::Release() {
  Graphics::ReleaseSurface(surface_);
  loaded_ = 0;
  ResetFrames();
}

int CSprite::AddFrame(const char* name, const Rect& rect, int offsetX, int offsetY) {
  SpriteFrame f;
  std::snprintf(f.name, sizeof f.name, "%s", name ? name : "");
  f.rect = rect;
  f.offsetX = offsetX;
  f.offsetY = offsetY;
  frames_.push_back(f);
  return static_cast<int>(frames_.size()) - 1;
}

int CSprite::FrameIndex(const char* name) const {
  if (!name) return 0;
  for (size_t i = 1; i < frames_.size(); ++i)
    if (strcasecmp(frames_[i].name, name) == 0) return static_cast<int>(i);
  return 0;
}

int CSprite::FindFrame(const char* name, SpriteFrame* out) const {
  const int i = FrameIndex(name);
  if (i == 0) return 0;
  if (out) *out = frames_[i];
  return 1;
}

int CSprite::GetFrame(int index, SpriteFrame* out) const {
  if (index < 0 || index >= static_cast<int>(frames_.size())) return 0;
  if (out) *out = frames_[index];
  return 1;
}

void CSprite::Anchor(int* x, int* y, int w, int h, uint32_t flags) const {
  if (flags == ALIGN_DEFAULT) flags = align_;
  if (!(flags & ALIGN_TOP)) *y -= (flags & ALIGN_BOTTOM) ? h : h / 2;
  if (!(flags & ALIGN_LEFT)) *x -= (flags & ALIGN_RIGHT) ? w : w / 2;
}

int CSprite::Render(const Rect& rect, int x, int y, uint32_t flags) {
  if (!surface_) return 0;
  Anchor(&x, &y, rect.right - rect.left, rect.bottom - rect.top, flags);
  Rect r = rect;
  ClipToScreen(&x, &y, &r);
  if (keyOn_) Graphics::SetColorKey(surface_, keyColor_);
  return Graphics::Blit(nullptr, x, y, surface_, r, keyOn_ != 0) == 0;
}

int CSprite::RenderIndex(int index, int x, int y, uint32_t flags) {
  SpriteFrame f;
  if (index <= 0 || !GetFrame(index, &f)) return 0;
  return Render(f.rect, x + f.offsetX, y + f.offsetY, flags);
}

int CSprite::RenderFrame(const char* name, int x, int y, uint32_t flags) {
  return RenderIndex(FrameIndex(name), x, y, flags);
}

int CSprite::RenderAnim(const AnimationSet& anim, int x, int y, uint32_t flags) {
  return Render(anim.CurrentRect(), x + anim.OffsetX(), y + anim.OffsetY(), flags);
}

int CSprite::RenderEx(const Rect& rect, int x, int y, uint32_t flags, float scale) {
  if (!surface_) return 0;
  if (scale == 0.0f || std::isnan(scale)) scale = 1.0f;
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  auto destination = [&](int px, int py) {
    return Rect{px, py, static_cast<int>(px + w * scale), static_cast<int>(py + h * scale)};
  };
  Rect dst = destination(x, y);
  Anchor(&x, &y, dst.right - dst.left, dst.bottom - dst.top, flags);
  dst = destination(x, y);
  // The destination is cut to the screen and the source kept whole, so a
  // sprite partly off screen is squeezed into the visible part.
  ClipToScreen(&x, &y, &dst);
  if (dst.right <= dst.left || dst.bottom <= dst.top) return 0;
  if (keyOn_) Graphics::SetColorKey(surface_, keyColor_);
  const int result = Graphics::StretchBlit(nullptr, dst, surface_, rect, keyOn_ != 0);
  if (result != 0) {
    Log("CSprite->RenderEx blit error %s\n", DXErrorName(result));
    return 0;
  }
  return 1;
}

int CSprite::RenderExIndex(int index, int x, int y, uint32_t flags, float scale) {
  SpriteFrame f;
  if (index <= 0 || !GetFrame(index, &f)) return 0;
  return RenderEx(f.rect, x + f.offsetX, y + f.offsetY, flags, scale);
}

int CSprite::RenderExFrame(const char* name, int x, int y, uint32_t flags, float scale) {
  return RenderExIndex(FrameIndex(name), x, y, flags, scale);
}

}  // namespace vx
