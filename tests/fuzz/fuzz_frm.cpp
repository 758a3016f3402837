// The .frm sprite sheet reader: the input is the .frm text. Its frames are
// added to a sprite over a small image and drawn, plain and scaled, with every
// anchor, at the screen's corners and beyond.
#include <cstdint>

#include "fuzz/fuzz_graphics.h"
#include "graphics/sprite.h"
#include "resources/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vx;
  fuzz::OpenDisplay();
  static CSprite* sprite = nullptr;
  if (!sprite) sprite = new CSprite;
  if (!sprite->LoadImage("sheet.tga")) __builtin_trap();
  TextFile frm;
  if (!frm.OpenFromMemory(reinterpret_cast<const char*>(data), static_cast<uint32_t>(size))) return 0;
  sprite->ReadFrames(frm);

  static const int kPlaces[][2] = {{320, 240}, {0, 0}, {639, 479}, {-20, 500}, {700, -40}};
  static const uint32_t kAnchors[] = {ALIGN_DEFAULT, 0, ALIGN_BOTTOM | ALIGN_RIGHT, ALIGN_TOP | ALIGN_LEFT};
  const int frames = sprite->FrameCount() < 24 ? sprite->FrameCount() : 24;
  for (int i = 0; i < frames; ++i) {
    SpriteFrame f;
    if (!sprite->GetFrame(i, &f)) __builtin_trap();
    if (i > 0 && sprite->FrameIndex(f.name) == 0) __builtin_trap();  // its own name finds it
    for (const auto& at : kPlaces)
      for (uint32_t anchor : kAnchors) {
        sprite->RenderIndex(i, at[0], at[1], anchor);
        sprite->RenderExIndex(i, at[0], at[1], anchor, 2.0f);
      }
    sprite->RenderExFrame(f.name, 100, 100, 0, 0.5f);
    sprite->RenderRotated(f.rect, 320, 240, 1.5f, 0.7f, 0x80FF80);
  }
  return 0;
}
