// The sample engine: the sound device, the store of loaded effects and their
// duplicated voices, the master volumes and the volume law.
#include <cmath>
#include <cstdio>

#include "base/log.h"
#include "platform/platform.h"
#include "sound/sound.h"
#include "sound/sound_engine.h"
#include "sound/wav_data.h"

namespace vx {

namespace {

constexpr int kMaxSamples = 100;
constexpr int kMaxVoicesPerSample = 100;

struct SampleSlot {
  Voice* voices[kMaxVoicesPerSample] = {};  // 0 = the loaded sample, then duplicates
  int duplicates = 0;
  int noDuplicates = 0;
};

struct Samples {
  uint8_t sampleVolume = 100;
  uint8_t musicVolume = 100;
  int reverseStereo = 0;
  int count = 0;
  SampleSlot slots[kMaxSamples];
};

Samples gSamples;
char gLastError[64] = "";

void ReleaseAllSamples() {
  VoiceMixer& mixer = SoundEngine().mixer;
  for (auto& slot : gSamples.slots) {
    for (int i = 0; i <= slot.duplicates && i < kMaxVoicesPerSample; ++i) {
      mixer.Release(slot.voices[i]);
      slot.voices[i] = nullptr;
    }
    slot.duplicates = 0;
    slot.noDuplicates = 0;
  }
  gSamples.count = 0;
}

void StopAllSamples() {
  VoiceMixer& mixer = SoundEngine().mixer;
  for (int s = 0; s < gSamples.count; ++s) {
    SampleSlot& slot = gSamples.slots[s];
    for (int i = 0; i <= slot.duplicates; ++i) mixer.Stop(slot.voices[i]);
  }
}

void StartVoice(Voice* v, int volume, int pan) {
  VoiceMixer& mixer = SoundEngine().mixer;
  double scaled = volume * 0.01 * gSamples.sampleVolume;
  mixer.SetVolume(v, VolumeToAttenuation(static_cast<int>(scaled)));
  mixer.SetPan(v, (pan * 5 - 250) * 40);
  mixer.Play(v, false);
}

}  // namespace

SoundEngineState& SoundEngine() {
  static SoundEngineState state;
  return state;
}

void SetSoundError(const char* text) { std::snprintf(gLastError, sizeof gLastError, "%s", text); }

const char* SoundLastError() { return gLastError; }

int IsSoundDeviceActive() { return SoundEngine().active ? 1 : 0; }

int OpenSoundDevice() {
  SoundEngineState& e = SoundEngine();
  if (e.active) return 0;
  if (!gPlatform || !gPlatform->audio) {
    SetSoundError("Error creating Directsound");
    return 1;
  }
  if (!e.mixer.Open(gPlatform->audio)) {
    SetSoundError("Error creating primary buffer");
    return 1;
  }
  e.active = true;
  return 0;
}

void CloseSoundDevice() {
  SoundEngineState& e = SoundEngine();
  ShutDownMusic();
  ReleaseAllSamples();
  e.mixer.Close();
  e.active = false;
}

int SetOutputFormat(int rate, int is16Bit, int stereo, int interpolation) {
  SoundEngineState& e = SoundEngine();
  if (MusicBusy()) return 1;
  if (rate < 8000 || rate > 96000) rate = 44100;  // the module player divides by it
  e.format.rate = rate;
  e.format.is16Bit = is16Bit ? 1 : 0;
  e.format.stereo = stereo ? 1 : 0;
  e.format.interpolation = interpolation ? 1 : 0;
  // Our device always mixes to 44100 Hz stereo 16-bit and resamples every voice,
  // so the format only decides the music's own mixing.
  if (e.active) StopAllSamples();
  return 0;
}

int CreateSample(const uint8_t* wav, uint32_t size, int noDuplicates) {
  SoundEngineState& e = SoundEngine();
  if (!e.active) {
    // Handles are never used while the device is closed: playing does nothing.
    if (gSamples.count < kMaxSamples) ++gSamples.count;
    return gSamples.count;
  }
  if (gSamples.count >= kMaxSamples) {
    SetSoundError("Not enougth handles for sample");
    return -1;
  }
  WavData data;
  WavResult r = ParseWav(wav, size, &data);
  if (r == WavResult::kNotWav) {
    SetSoundError("Not a WAV file");
    Log("Sound: not a WAV file (%u bytes)\n", size);
    return -1;
  }
  Voice* v = r == WavResult::kOk ? e.mixer.CreateVoice(data.format, data.size + 16) : nullptr;
  if (!v) {
    SetSoundError("Error create sound buffer");
    Log("Sound: unsupported WAV format\n");
    return -1;
  }
  // The sound is followed by 16 bytes of silence, already in the new voice.
  if (data.size > 0) e.mixer.Write(v, 0, data.sound, data.size);
  SampleSlot& slot = gSamples.slots[gSamples.count];
  slot.voices[0] = v;
  slot.duplicates = 0;
  slot.noDuplicates = noDuplicates;
  ++gSamples.count;
  return gSamples.count - 1;
}

int PlaySample(int handle, int volume, int pan) {
  SoundEngineState& e = SoundEngine();
  if (gSamples.reverseStereo) pan = 100 - pan;
  if (!e.active) return 0;
  if (handle < 0 || handle >= gSamples.count) {
    SetSoundError("Invalid handle");
    return 4;
  }
  SampleSlot& slot = gSamples.slots[handle];
  if (!slot.voices[0]) return 0;
  VoiceMixer& mixer = e.mixer;

  int result = 0;
  bool started = false;
  for (int i = 0; i <= slot.duplicates; ++i) {
    if (!mixer.IsPlaying(slot.voices[i])) {
      StartVoice(slot.voices[i], volume, pan);
      started = true;
      break;
    }
  }
  if (!started && !slot.noDuplicates) {
    if (slot.duplicates + 1 >= kMaxVoicesPerSample) {
      // Every voice of this sample sounds; the table stays at its last valid entry.
      SetSoundError("Not enougth handles to play sample");
      return 1;
    }
    Voice* dup = mixer.Duplicate(slot.voices[0]);
    if (!dup) {
      SetSoundError("Not enougth handles to play sample");
      return 1;
    }
    slot.voices[++slot.duplicates] = dup;
    StartVoice(dup, volume, pan);
  }

  // Finished duplicates go; voice 0 always stays.
  for (int i = 1; i <= slot.duplicates;) {
    if (mixer.IsPlaying(slot.voices[i])) {
      ++i;
      continue;
    }
    mixer.Release(slot.voices[i]);
    for (int j = i; j < slot.duplicates; ++j) slot.voices[j] = slot.voices[j + 1];
    slot.voices[slot.duplicates] = nullptr;
    --slot.duplicates;
  }
  return result;
}

void PlayClick() { PlaySample(0, 100, 50); }

void SetSampleVolume(uint8_t v) { gSamples.sampleVolume = v; }
uint8_t GetSampleVolume() { return gSamples.sampleVolume; }

void SetMusicVolume(uint8_t v) {
  gSamples.musicVolume = v;
  ApplyMusicVolume();
}
uint8_t GetMusicVolume() { return gSamples.musicVolume; }

void SetReverseStereo(int on) { gSamples.reverseStereo = on ? 1 : 0; }
int GetReverseStereo() { return gSamples.reverseStereo; }

int VolumeToAttenuation(int x) {
  if (x <= 0) return -10000;
  int l = static_cast<int>(std::log2(static_cast<double>(x)) * 1506.0240963855422);
  int a = l * 3000 / 10000 - 3000;
  return a > 0 ? 0 : a;
}

int SampleDuplicatesInUse(int handle) {
  if (handle < 0 || handle >= gSamples.count) return -1;
  return gSamples.slots[handle].duplicates;
}

}  // namespace vx
