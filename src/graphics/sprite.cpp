#include "graphics/sprite.h"

#include <cstdio>

namespace vx {

CSprite::CSprite() { ResetFrames(); }
CSprite::~CSprite() { Release(); }
void CSprite::ResetFrames() {
  frames_.clear();
  SpriteFrame null;
  std::snprintf(null.name, sizeof null.name, "%s", "Null frame");
  frames_.push_back(null);
}
int CSprite::LoadImage(const char*) { return 0; }
int CSprite::Load(const char*, const char*) { return 0; }
int CSprite::LoadSurfaceOnly(const char*) { return 0; }
void CSprite::Release() { Graphics::ReleaseSurface(surface_); loaded_ = 0; }
int CSprite::AddFrame(const char*, const RECT&, int, int) { return 0; }
int CSprite::FindFrame(const char*, SpriteFrame*) const { return 0; }
int CSprite::GetFrame(int, SpriteFrame*) const { return 0; }
int CSprite::FrameIndex(const char*) const { return 0; }
int CSprite::Render(const RECT&, int, int, uint32_t) { return 0; }
int CSprite::RenderFrame(const char*, int, int, uint32_t) { return 0; }
int CSprite::RenderIndex(int, int, int, uint32_t) { return 0; }
int CSprite::RenderAnim(const AnimationSet&, int, int, uint32_t) { return 0; }
int CSprite::RenderEx(const RECT&, int, int, uint32_t, float) { return 0; }
int CSprite::RenderExFrame(const char*, int, int, uint32_t, float) { return 0; }
int CSprite::RenderExIndex(int, int, int, uint32_t, float) { return 0; }
int CSprite::RenderRotated(const RECT&, int, int, float, float, uint32_t) { return 0; }
void CSprite::Anchor(int*, int*, int, int, uint32_t) const {}

int AnimationSet::Load(const char*) { return 0; }
int AnimationSet::Parse(const char*, uint32_t) { return 0; }
int AnimationSet::Play(const char*, int) { return 0; }
int AnimationSet::IsFinished() const { return 0; }
int AnimationSet::OffsetX() const { return 0; }
int AnimationSet::OffsetY() const { return 0; }
int AnimationSet::FindSequence(const char*) const { return -1; }

}  // namespace vx
