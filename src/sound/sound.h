// Sound effects and music: our own voice mixer over the platform's audio output,
// the sample engine and the S3M module player.
#pragma once

#include <cstdint>

namespace vx {

// Sample engine. Results follow the engine's convention: 0 success, else a code.

// Opens the platform audio output (gPlatform->audio) and starts mixing.
// Returns 0, or 1 when no device could be opened.
int OpenSoundDevice();
// Stops the music, releases every sample and closes the output (shutdown, tests).
void CloseSoundDevice();
// Returns 0, or 1 (nothing changed) while music plays.
int SetOutputFormat(int rate, int is16Bit, int stereo, int interpolation);
// Returns the handle of the new sample, or -1.
int CreateSample(const uint8_t* wav, uint32_t size, int noDuplicates);
// volume 0..100, pan 0..100 (50 = centre). Returns 0 when done or not possible,
// 1 when no voice is left, 4 for a bad handle.
int PlaySample(int handle, int volume, int pan);
void PlayClick();
void SetSampleVolume(uint8_t volume);
uint8_t GetSampleVolume();
void SetMusicVolume(uint8_t volume);
uint8_t GetMusicVolume();
void SetReverseStereo(int on);
int GetReverseStereo();
// Percentage 0..100 to attenuation in hundredths of a decibel (0 = full volume).
int VolumeToAttenuation(int percent);
const char* SoundLastError();
int IsSoundDeviceActive();

// Module player.

// The caller may free the image on return. Returns 0 on success, 1 on failure,
// 2 while a module is playing or starting.
int StartModule(const uint8_t* image, uint32_t size);
// Returns 0, or 2 when nothing plays.
int StopModule();
// A non-zero value becomes the volume divisor. Returns 0, or 2 with no module.
int SetModuleDivisor(int value);
int IsModulePlaying();

}  // namespace vx
