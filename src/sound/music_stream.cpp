// Music streaming: the module is mixed 0.1 s at a time into a looping half-second
// voice by a 100 ms periodic timer on the platform's timer thread. Start builds
// everything before the timer runs; stop stops the timer (which waits for a
// running fill) before anything is freed.
#include <atomic>
#include <chrono>
#include <memory>
#include <thread>
#include <vector>

#include "platform/platform.h"
#include "sound/music_stream.h"
#include "sound/s3m_module.h"
#include "sound/sound.h"
#include "sound/sound_engine.h"

namespace vx {

namespace {

struct Music {
  std::unique_ptr<S3mModule> module;
  Voice* voice = nullptr;
  PeriodicTimer* timer = nullptr;
  uint32_t blockBytes = 0;
  std::vector<uint8_t> scratch;  // one block, mixed outside the mixer's lock
  int lastBlock = 0;  // 1..4 cover the first four fifths of the voice, 0 the last
  std::atomic<bool> playing{false};
  bool starting = false;
  bool stopping = false;
};

Music gMusic;

// Block k (1..4) covers the k-th fifth of the voice, block 0 the last.
uint32_t BlockStartOf(int block, uint32_t blockBytes) {
  return static_cast<uint32_t>((block + kMusicBlocks - 1) % kMusicBlocks) * blockBytes;
}

void WriteBlock(int block) {
  MixModule(gMusic.module.get(), gMusic.scratch.data(), static_cast<int>(gMusic.blockBytes));
  SoundEngine().mixer.Write(gMusic.voice, BlockStartOf(block, gMusic.blockBytes), gMusic.scratch.data(),
                            gMusic.blockBytes);
  gMusic.lastBlock = block;
}

void FreeMusic() {
  if (gMusic.timer) {
    gMusic.timer->Stop();
    delete gMusic.timer;
    gMusic.timer = nullptr;
  }
  if (gMusic.voice) {
    VoiceMixer& mixer = SoundEngine().mixer;
    mixer.Stop(gMusic.voice);
    mixer.Release(gMusic.voice);
    gMusic.voice = nullptr;
  }
  gMusic.module.reset();
}

void TimerTick(void*) { FillMusicBlock(); }

}  // namespace

int ChooseMusicBlocks(int lastBlock, uint32_t playPosition, uint32_t busyBytes, uint32_t blockBytes,
                      int blocks[2]) {
  const uint32_t voiceBytes = blockBytes * kMusicBlocks;
  const uint32_t playing = playPosition % voiceBytes;
  const uint32_t end = (lastBlock == 0 ? kMusicBlocks : lastBlock) * blockBytes;
  // Whether a block overlaps what the output reads next, [playing, playing + busy).
  auto busy = [&](int block) {
    const uint32_t start = BlockStartOf(block, blockBytes);
    const uint32_t offset = (start + voiceBytes - playing) % voiceBytes;
    return offset < busyBytes || offset + blockBytes > voiceBytes;
  };
  const int next = (lastBlock + 1) % kMusicBlocks;
  const int afterNext = (lastBlock + 2) % kMusicBlocks;
  int n = 0;
  if (playing >= end - blockBytes && playing < end) {
    // Playback has caught up with the writing: get the lead back.
    if (!busy(next)) blocks[n++] = next;
    if (!busy(afterNext)) blocks[n++] = afterNext;
  } else if (!busy(next)) {
    blocks[n++] = next;
  }
  return n;
}

void FillMusicBlock() {
  if (!gMusic.playing.load(std::memory_order_acquire)) return;
  VoiceMixer& mixer = SoundEngine().mixer;
  int blocks[2];
  const int n = ChooseMusicBlocks(gMusic.lastBlock, mixer.PlayPosition(gMusic.voice),
                                  mixer.ReadAheadBytes(gMusic.voice), gMusic.blockBytes, blocks);
  for (int i = 0; i < n; ++i) WriteBlock(blocks[i]);
}

bool MusicBusy() { return gMusic.starting || gMusic.playing.load(); }

void ApplyMusicVolume() {
  if (gMusic.voice) SoundEngine().mixer.SetVolume(gMusic.voice, VolumeToAttenuation(GetMusicVolume()));
}

void ShutDownMusic() {
  if (gMusic.playing.load()) StopModule();
}

S3mModule* PlayingModule() { return gMusic.module.get(); }

int StartModule(const uint8_t* image, uint32_t size) {
  SoundEngineState& e = SoundEngine();
  if (!e.active) return 0;
  if (gMusic.playing.load() || gMusic.starting) {
    SetSoundError("Module already playing");
    return 2;
  }
  gMusic.starting = true;
  // A failed start leaves nothing behind, so a later start may try again.
  auto fail = [](const char* text) {
    SetSoundError(text);
    FreeMusic();
    gMusic.starting = false;
    return 1;
  };

  const OutputFormat& f = e.format;
  gMusic.module = LoadS3m(image, size, f.rate, f.is16Bit, f.stereo, f.interpolation);
  if (!gMusic.module) return fail("Error loading module");

  PcmFormat pcm;
  pcm.rate = f.rate;
  pcm.bits = f.is16Bit ? 16 : 8;
  pcm.channels = f.stereo ? 2 : 1;
  gMusic.blockBytes = static_cast<uint32_t>(f.rate / 10 * pcm.BlockAlign());
  gMusic.scratch.assign(gMusic.blockBytes, 0);
  gMusic.voice = e.mixer.CreateVoice(pcm, gMusic.blockBytes * kMusicBlocks);
  if (!gMusic.voice) return fail("Error creating sound buffer");
  e.mixer.SetVolume(gMusic.voice, VolumeToAttenuation(GetMusicVolume()));
  e.mixer.SetPosition(gMusic.voice, 0);
  for (int block = 1; block < kMusicBlocks; ++block) WriteBlock(block);
  e.mixer.Play(gMusic.voice, true);

  gMusic.timer = gPlatform && gPlatform->newTimer ? gPlatform->newTimer() : nullptr;
  if (!gMusic.timer || !gMusic.timer->Start(100, &TimerTick, nullptr)) return fail("Error setting timer");

  // Give playback a head start before the timer may write.
  if (gPlatform && gPlatform->clock)
    gPlatform->clock->SleepMs(100);
  else
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  gMusic.playing.store(true, std::memory_order_release);
  gMusic.starting = false;
  return 0;
}

int StopModule() {
  if (!SoundEngine().active) return 0;
  if (!gMusic.playing.load() || gMusic.stopping) {
    SetSoundError("Module already stopped");
    return 2;
  }
  gMusic.stopping = true;
  gMusic.playing.store(false, std::memory_order_release);
  FreeMusic();
  gMusic.stopping = false;
  return 0;
}

int SetModuleDivisor(int value) {
  if (!SoundEngine().active) return 0;
  if (!gMusic.module) {
    SetSoundError("Module not loaded");
    return 2;
  }
  if (value != 0) gMusic.module->divisor.store(value, std::memory_order_relaxed);
  return 0;
}

int IsModulePlaying() { return gMusic.playing.load() ? 1 : 0; }

}  // namespace vx
