// The S3M module loader and player: the input is a module file. It is loaded
// in one of four output formats (chosen by the input's size, so every format
// is covered) and mixed for three seconds in 0.1 s blocks, as the music
// stream does.
#include <cstdint>
#include <memory>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "sound/s3m_module.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vx;
  fuzz::EnterScratchDir();
  struct Format {
    int rate;
    bool is16Bit, stereo, interpolation;
  };
  static const Format kFormats[4] = {
      {44100, true, true, true}, {22050, false, true, false}, {44100, true, false, false}, {11025, false, false, true}};
  const Format& f = kFormats[size % 4];
  std::unique_ptr<S3mModule> m = LoadS3m(data, static_cast<uint32_t>(size), f.rate, f.is16Bit, f.stereo, f.interpolation);
  if (!m) return 0;
  // The loudest the game may set: every channel at full weight.
  if (size % 8 >= 4) m->divisor = 1;
  const int bytesPerFrame = (f.is16Bit ? 2 : 1) * (f.stereo ? 2 : 1);
  const int blockBytes = f.rate / 10 * bytesPerFrame;
  std::vector<uint8_t> block(static_cast<size_t>(blockBytes));
  for (int i = 0; i < 30; ++i) {
    const int frames = MixModule(m.get(), block.data(), blockBytes);
    if (frames < 0 || frames > f.rate / 10) __builtin_trap();
  }
  return 0;
}
