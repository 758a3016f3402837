#include "app/settings.h"

#include <unistd.h>

#include <cstdio>

#include "base/game_record.h"
#include "base/log.h"
#include "resources/text_file.h"
#include "sound/sound.h"

namespace vx {

namespace {
const char kSettingsFile[] = "Velotrix.ini";
const char kSettingsTemp[] = "Velotrix.ini.tmp";
const char kSection[] = "Settings";

uint8_t ClampVolume(int v) {
  if (v >= 101) return 100;
  // A negative volume would wrap round to a loud byte.
  if (v < 0) return 0;
  return static_cast<uint8_t>(v);
}
}  // namespace

int LoadSettings() {
  TextFile ini(kSettingsFile);
  if (!ini.IsOpen()) return 0;
  g.bFullScreen = ini.GetInt(kSection, "Fullscreen", 1);
  g.settings.soundEnable = ini.GetInt(kSection, "Sound enable", 1);
  uint8_t sound = ClampVolume(ini.GetInt(kSection, "Sound volume", 70));
  uint8_t music = ClampVolume(ini.GetInt(kSection, "Music volume", 50));
  SetMusicVolume(music);
  SetSampleVolume(sound);
  g.settings.reverseStereo = ini.GetInt(kSection, "Reverse stereo", 1);
  SetReverseStereo(g.settings.reverseStereo);
  g.settings.scrollSpeed = ini.GetInt(kSection, "Scroll speed", 1);
  g.settings.vanishing = ini.GetInt(kSection, "Vanishing", 0);
  return 1;
}

void SaveSettings() {
  Log("Save config\n");
  // Written beside the old file and renamed over it, so that a crash while
  // writing never leaves the user with half a settings file.
  FILE* f = std::fopen(kSettingsTemp, "wb");
  if (!f) return;
  std::fprintf(f, "[%s]\n", kSection);
  std::fprintf(f, "Fullscreen = %d\n", g.bFullScreen);
  std::fprintf(f, "Sound enable = %d\n", g.settings.soundEnable);
  std::fprintf(f, "Sound volume = %d\n", GetSampleVolume());
  std::fprintf(f, "Music volume = %d\n", GetMusicVolume());
  std::fprintf(f, "Reverse stereo = %d\n", GetReverseStereo());
  std::fprintf(f, "Scroll speed = %d\n", g.settings.scrollSpeed);
  std::fprintf(f, "Vanishing = %d\n", g.settings.vanishing);
  bool ok = std::fflush(f) == 0 && !std::ferror(f);
  ok = fsync(fileno(f)) == 0 && ok;
  ok = std::fclose(f) == 0 && ok;
  if (!ok || std::rename(kSettingsTemp, kSettingsFile) != 0) std::remove(kSettingsTemp);
}

}  // namespace vx
