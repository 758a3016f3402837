#include <cmath>

#include "sound/sound.h"

namespace vx {

namespace {
uint8_t gSampleVolume = 100, gMusicVolume = 100;
int gReverse = 0;
const char* gLastError = "";
}  // namespace

int OpenSoundDevice() { return 1; }
void CloseSoundDevice() {}
int SetOutputFormat(int, int, int, int) { return 0; }
int CreateSample(const uint8_t*, uint32_t, int) { return -1; }
int PlaySample(int, int, int) { return 0; }
void PlayClick() { PlaySample(0, 100, 50); }
void SetSampleVolume(uint8_t v) { gSampleVolume = v; }
uint8_t GetSampleVolume() { return gSampleVolume; }
void SetMusicVolume(uint8_t v) { gMusicVolume = v; }
uint8_t GetMusicVolume() { return gMusicVolume; }
void SetReverseStereo(int on) { gReverse = on; }
int GetReverseStereo() { return gReverse; }
int VolumeToAttenuation(int x) {
  if (x <= 0) return -10000;
  int l = static_cast<int>(std::log2(static_cast<double>(x)) * 1506.0240963855422);
  int a = l * 3000 / 10000 - 3000;
  return a > 0 ? 0 : a;
}
const char* SoundLastError() { return gLastError; }
int IsSoundDeviceActive() { return 0; }
int StartModule(const uint8_t*, uint32_t) { return 0; }
int StopModule() { return 0; }
int SetModuleDivisor(int) { return 0; }
int IsModulePlaying() { return 0; }

}  // namespace vx
