// The WAV reader of the sample engine: the input is a WAV file. It becomes a
// sample of an open (headless) sound device, is played twice at once, once
// with stereo reversed, and the output is pulled until it has sounded.
#include <cstdint>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "platform/headless/headless_platform.h"
#include "sound/sound.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vx;
  static HeadlessPlatform* platform = nullptr;
  if (!platform) {
    fuzz::EnterScratchDir();
    platform = new HeadlessPlatform;
    gPlatform = platform->platform();
  }
  if (OpenSoundDevice() != 0) __builtin_trap();
  SetSampleVolume(100);
  const int handle = CreateSample(data, static_cast<uint32_t>(size), 0);
  if (handle >= 0) {
    SetReverseStereo(size & 1);
    PlaySample(handle, 100, 0);
    PlaySample(handle, 70, 100);
    PlaySample(handle + 1, 100, 50);  // not a sample: refused
    std::vector<int16_t> out(2 * 2048);
    for (int i = 0; i < 4; ++i) platform->audio.Pull(out.data(), 2048);
    PlaySample(handle, 100, 50);  // reuses a finished voice
    platform->audio.Pull(out.data(), 2048);
  }
  CloseSoundDevice();
  return 0;
}
