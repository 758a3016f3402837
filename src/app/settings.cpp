#include "app/settings.h"

#include <cstdio>
#include <string>

#include "base/game_record.h"
#include "base/log.h"
#include "base/user_file.h"
#include "input/controls.h"
#include "resources/file_system.h"
#include "resources/text_file.h"
#include "sound/sound.h"

namespace vx {

namespace {
const char kSettingsFile[] = "Velotrix.ini";
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
  ini.GetString(kSection, "Language", "", g.settings.language, sizeof g.settings.language);
  FileBuffer text = ReadWholeFile(kSettingsFile);
  Controls::ReadSettings(reinterpret_cast<const char*>(text.get()), text ? LastFileSize() : 0);
  return 1;
}

int SaveSettings() {
  Log("Save config\n");
  const struct {
    const char* key;
    int value;
  } lines[] = {
      {"Fullscreen", g.bFullScreen},
      {"Sound enable", g.settings.soundEnable},
      {"Sound volume", GetSampleVolume()},
      {"Music volume", GetMusicVolume()},
      {"Reverse stereo", GetReverseStereo()},
      {"Scroll speed", g.settings.scrollSpeed},
      {"Vanishing", g.settings.vanishing},
  };
  std::string text = std::string("[") + kSection + "]\n";
  for (const auto& line : lines) text += std::string(line.key) + " = " + std::to_string(line.value) + "\n";
  if (g.settings.language[0]) text += std::string("Language = ") + g.settings.language + "\n";
  text += Controls::SettingsSection();
  // Replaced whole, so that a crash while writing never leaves the user with
  // half a settings file.
  if (!WriteUserFile(kSettingsFile, text.data(), text.size())) {
    Log("Can't write '%s'\n", kSettingsFile);
    return 0;
  }
  return 1;
}

}  // namespace vx
