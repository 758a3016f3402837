// The .anm animation reader: the input is the .anm text. Every sequence it
// defines is played for a while, restarted, and drawn from a small sprite.
#include <cstdint>

#include "fuzz/fuzz_graphics.h"
#include "graphics/sprite.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vx;
  fuzz::OpenDisplay();
  static CSprite* sprite = nullptr;
  static AnimationSet* anim = nullptr;
  if (!sprite) {
    sprite = new CSprite;
    anim = new AnimationSet;
    if (!sprite->LoadImage("sheet.tga")) __builtin_trap();
  }
  anim->Parse(reinterpret_cast<const char*>(data), static_cast<uint32_t>(size));
  if (anim->FrameCount() > 128 || anim->SequenceCount() > 64) __builtin_trap();

  const int sequences = anim->SequenceCount() < 16 ? anim->SequenceCount() : 16;
  for (int s = 0; s < sequences; ++s) {
    const AnimSequence& seq = anim->Sequence(s);
    if (seq.count > 256) __builtin_trap();
    anim->Play(seq.name, 1);
    for (int step = 0; step < 48; ++step) {
      anim->Play(nullptr, step == 20 ? 1 : 0);
      sprite->RenderAnim(*anim, 320, 240, ALIGN_DEFAULT);
      sprite->RenderAnim(*anim, 630, 470, 0);
      anim->IsFinished();
    }
  }
  // A set that was never played runs its first sequence; an unknown name none.
  anim->Play("no such sequence", 0);
  sprite->RenderAnim(*anim, 10, 10, 0);
  return 0;
}
