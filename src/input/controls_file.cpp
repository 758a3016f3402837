// The [Controls] section of the settings file: the mouse sensitivity, then
// every changeable action's key and controller button by name, one a line.
// Lines are found by their exact key wherever they stand in the section;
// keys the game does not know are passed over.
#include <cerrno>
#include <cstdlib>
#include <string>

#include "base/log.h"
#include "input/controls.h"

namespace vx {

namespace {

const char kSection[] = "[Controls]";
const char kSensitivityKey[] = "Mouse sensitivity";
const char kPadSuffix[] = " pad";

std::string Trim(const std::string& s) {
  const size_t b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return "";
  return s.substr(b, s.find_last_not_of(" \t\r") - b + 1);
}

void Damaged(const std::string& key, const std::string& value) {
  Log("Controls: '%s = %s' can't be read; the default stays\n", key.c_str(), value.c_str());
}

bool ParseSensitivity(const std::string& value, int* percent) {
  if (value.empty() || value.size() > 6 ||
      value.find_first_not_of("0123456789") != std::string::npos)
    return false;
  const long v = std::strtol(value.c_str(), nullptr, 10);
  if (v < kMinSensitivity || v > kMaxSensitivity) return false;
  *percent = static_cast<int>(v);
  return true;
}

// Applies one line; false when the value is damaged.
bool Apply(const std::string& key, const std::string& value) {
  if (key == kSensitivityKey) {
    int percent = kDefaultSensitivity;
    if (!ParseSensitivity(value, &percent)) return false;
    Controls::SetMouseSensitivity(percent);
    return true;
  }
  for (int a = 0; a < ACTION_COUNT; ++a) {
    const ActionInfo& info = GetActionInfo(a);
    if (!info.shown) continue;
    int code = 0;
    if (key == info.name) {
      if (!Controls::ParseKey(value, &code)) return false;
      Controls::SetKey(a, code);
      return true;
    }
    if (key == std::string(info.name) + kPadSuffix) {
      if (!Controls::ParsePad(value, &code)) return false;
      Controls::SetPad(a, code);
      return true;
    }
  }
  return true;  // someone else's key
}

}  // namespace

std::string Controls::SettingsSection() {
  std::string out = std::string(kSection) + "\n";
  out += std::string(kSensitivityKey) + " = " + std::to_string(MouseSensitivity()) + "\n";
  for (int a = 0; a < ACTION_COUNT; ++a) {
    const ActionInfo& info = GetActionInfo(a);
    if (!info.shown) continue;
    out += std::string(info.name) + " = " + KeyName(Key(a)) + "\n";
    out += std::string(info.name) + kPadSuffix + " = " + PadName(Pad(a)) + "\n";
  }
  return out;
}

void Controls::ReadSettings(const char* text, size_t size) {
  ResetToDefaults();
  SetMouseSensitivity(kDefaultSensitivity);
  if (!text) return;
  const std::string all(text, size);
  bool inside = false;
  for (size_t start = 0; start < all.size();) {
    size_t end = all.find('\n', start);
    if (end == std::string::npos) end = all.size();
    const std::string line = Trim(all.substr(start, end - start));
    start = end + 1;
    if (!line.empty() && line[0] == '[') {
      inside = line == kSection;
      continue;
    }
    const size_t equals = line.find('=');
    if (!inside || equals == std::string::npos) continue;
    const std::string key = Trim(line.substr(0, equals));
    const std::string value = Trim(line.substr(equals + 1));
    if (!Apply(key, value)) Damaged(key, value);
  }
}

}  // namespace vx
