#include "app/sound_setup.h"

#include <strings.h>

#include <cstdio>

#include "base/game_record.h"
#include "base/log.h"
#include "resources/file_system.h"
#include "sound/sound.h"

namespace vx {

namespace {
char gModuleName[260] = "";
}  // namespace

int InitSound() {
  if (g.settings.soundEnable) {
    if (OpenSoundDevice() != 0) {
      Log("Sound init failed\n");
      g.settings.soundEnable = 0;
      return 0;
    }
  }
  SetOutputFormat(44100, 1, 1, 1);
  SoundHandles& h = g.sounds;
  h.hitBlock = LoadSample("HitBlock.wav");
  h.hitSolid = LoadSample("HitSolid.wav");
  h.spring = LoadSample("Spring.wav");
  h.fire = LoadSample("Fire.wav");
  h.activate = LoadSample("Activate.wav");
  h.lifeLoss = LoadSample("LifeLoss.wav");
  h.killEnemy = LoadSample("KillEnemy.wav");
  h.explosion = LoadSample("Explosion.wav");
  h.barrier = LoadSample("barrier.wav");
  StartMusic("fl3.s3m");
  SetModuleDivisor(42);
  return 1;
}

int LoadSample(const char* fileName) {
  FileBuffer bytes = ReadWholeFile(fileName);
  if (!bytes) return 0;
  return CreateSample(bytes.get(), LastFileSize(), 0);
}

int PlayMusic(const char* fileName) {
  if (strcasecmp(fileName, gModuleName) == 0) return 1;
  return StartMusic(fileName);
}

int StartMusic(const char* fileName) {
  StopModule();
  FileBuffer bytes = ReadWholeFile(fileName);
  if (!bytes) {
    // Nothing is loaded now, so asking for the old name again must restart it.
    gModuleName[0] = 0;
    return 0;
  }
  StartModule(bytes.get(), LastFileSize());
  std::snprintf(gModuleName, sizeof gModuleName, "%s", fileName);
  return 1;
}

void StopMusic() {
  StopModule();
  gModuleName[0] = 0;
}

const char* CurrentMusicName() { return gModuleName; }

}  // namespace vx
