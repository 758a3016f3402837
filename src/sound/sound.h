// Sound effects and music: our own voice mixer over the platform's audio output,
// the sample engine and the S3M module player.
#pragma once

#include <cstdint>

namespace vx {

// Sample engine. Results follow the engine's convention: 0 success, else a code.
int OpenSoundDevice();
void CloseSoundDevice();
int SetOutputFormat(int rate, int is16Bit, int stereo, int interpolation);
int CreateSample(const uint8_t* wav, uint32_t size, int noDuplicates);
int PlaySample(int handle, int volume, int pan);
void PlayClick();
void SetSampleVolume(uint8_t volume);
uint8_t GetSampleVolume();
void SetMusicVolume(uint8_t volume);
uint8_t GetMusicVolume();
void SetReverseStereo(int on);
int VolumeToAttenuation(int percent);
const char* SoundLastError();

// Module player.
int StartModule(const uint8_t* image, uint32_t size);
int StopModule();
int SetModuleDivisor(int value);
int IsModulePlaying();

}  // namespace vx
