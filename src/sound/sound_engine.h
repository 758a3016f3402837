// State shared by the sample engine and the music streaming.
#pragma once

#include <cstdint>

#include "sound/voice_mixer.h"

namespace vx {

struct OutputFormat {
  int rate = 44100;
  int is16Bit = 1;
  int stereo = 1;
  int interpolation = 1;
};

struct SoundEngineState {
  bool active = false;
  OutputFormat format;
  VoiceMixer mixer;
};

SoundEngineState& SoundEngine();
// Keeps the text of the last failure for SoundLastError.
void SetSoundError(const char* text);

// Music side, called by the sample engine.
bool MusicBusy();  // starting or playing
void ApplyMusicVolume();
void ShutDownMusic();

}  // namespace vx

namespace vx {
// Number of duplicates of a sample now in use, -1 for a bad handle (tests).
int SampleDuplicatesInUse(int handle);
}  // namespace vx
