// Sprite sheets (an image with named frames) and .anm animations.
#pragma once

#include <cstdint>
#include <vector>

#include "graphics/graphics.h"

namespace vx {

class TextFile;

constexpr uint32_t ALIGN_TOP = 0x1;
constexpr uint32_t ALIGN_BOTTOM = 0x2;
constexpr uint32_t ALIGN_LEFT = 0x10000;
constexpr uint32_t ALIGN_RIGHT = 0x20000;
constexpr uint32_t ALIGN_DEFAULT = 0xFFFFFFFFu;  // -1: the sprite's own anchor

// Numbers that sprite sheets, animations and tile sets give for rectangles,
// offsets and pauses are kept within this distance of 0: far beyond any real
// sheet, and near enough that sums of them and screen positions never overflow.
constexpr int kMaxSheetNumber = 1 << 20;
inline int ClampSheetNumber(long long v) {
  return v < -kMaxSheetNumber ? -kMaxSheetNumber : (v > kMaxSheetNumber ? kMaxSheetNumber : static_cast<int>(v));
}

struct SpriteFrame {
  char name[32] = {};
  Rect rect;
  int32_t offsetX = 0;
  int32_t offsetY = 0;
};

struct AnimFrame {
  char name[32] = {};
  Rect rect;
};

struct AnimSequence {
  char name[32] = {};
  int32_t code[256] = {};
  int32_t arg[256] = {};
  int32_t count = 0;
  int32_t pc = 0;
  int32_t pause = 0;
  int32_t shown = -1;
  int32_t offsetX = 0;
  int32_t offsetY = 0;
  int32_t finished = 0;
};

class AnimationSet {
 public:
  int Load(const char* anmFile);
  // Parses .anm text already in memory.
  int Parse(const char* text, uint32_t size);
  int Play(const char* name, int restart);
  int IsFinished() const;
  int CurrentFrame() const { return currentFrame_; }
  const Rect& CurrentRect() const { return currentRect_; }
  int OffsetX() const;
  int OffsetY() const;
  bool IsLoaded() const { return loaded_; }
  int FrameCount() const { return frameCount_; }
  int SequenceCount() const { return sequenceCount_; }
  const AnimFrame& Frame(int i) const { return frames_[i]; }
  const AnimSequence& Sequence(int i) const { return sequences_[i]; }
  int FindSequence(const char* name) const;

 private:
  AnimFrame frames_[128];
  int frameCount_ = 0;
  std::vector<AnimSequence> sequences_;  // at most 64
  int sequenceCount_ = 0;
  int current_ = -1;
  int selected_ = 0;
  int currentFrame_ = 0;
  Rect currentRect_;
  bool loaded_ = false;
  char fileName_[32] = {};
};

class CSprite {
 public:
  CSprite();
  ~CSprite();
  CSprite(const CSprite&) = delete;
  CSprite& operator=(const CSprite&) = delete;

  int LoadImage(const char* imageFile);
  int Load(const char* imageFile, const char* frmFile);
  int LoadSurfaceOnly(const char* imageFile);
  // Adds the frames of an opened .frm file; returns the sections found.
  int ReadFrames(TextFile& frm);
  void Release();
  int AddFrame(const char* name, const Rect& rect, int offsetX, int offsetY);
  int FindFrame(const char* name, SpriteFrame* out) const;
  int GetFrame(int index, SpriteFrame* out) const;
  int FrameIndex(const char* name) const;
  void SetAlign(uint32_t flags) { align_ = flags; }
  int IsLoaded() const { return loaded_; }
  void SetKeyColor(uint16_t pixel) { keyColor_ = pixel; }
  void SetKeyOn(int on) { keyOn_ = on; }
  int FrameCount() const { return static_cast<int>(frames_.size()); }
  uint32_t Align() const { return align_; }
  Surface* GetSurface() const { return surface_; }

  // flags ALIGN_DEFAULT (-1) means the sprite's own anchor. 1 when copied.
  int Render(const Rect& rect, int x, int y, uint32_t flags);
  int RenderFrame(const char* name, int x, int y, uint32_t flags);
  int RenderIndex(int index, int x, int y, uint32_t flags);
  int RenderAnim(const AnimationSet& anim, int x, int y, uint32_t flags);
  int RenderEx(const Rect& rect, int x, int y, uint32_t flags, float scale);
  int RenderExFrame(const char* name, int x, int y, uint32_t flags, float scale);
  int RenderExIndex(int index, int x, int y, uint32_t flags, float scale);
  // Draws rect scaled by k and rotated by angle (radians, clockwise on screen)
  // about its centre at (x, y), nearest neighbour with the colour key, each
  // pixel multiplied by tint (0xRRGGBB; 0xFFFFFF leaves it).
  int RenderRotated(const Rect& rect, int x, int y, float k, float angle, uint32_t tint);

 private:
  void ResetFrames();
  void Anchor(int* x, int* y, int w, int h, uint32_t flags) const;

  Surface* surface_ = nullptr;
  uint32_t align_ = 0x10001;
  uint16_t keyColor_ = 0;
  int keyOn_ = 1;
  std::vector<SpriteFrame> frames_;
  int loaded_ = 0;
};

}  // namespace vx
