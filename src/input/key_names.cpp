// Names of keys and controller buttons, as the settings file, the controls
// page and the play scripts spell them.
#include <strings.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "input/controls.h"

namespace vx {

namespace {

struct NamedKey {
  const char* name;
  int code;
};

// The first name of a code is the one written; the others are read too.
const NamedKey kKeyNames[] = {
    {"Escape", 1}, {"Esc", 1}, {"1", 2}, {"2", 3}, {"3", 4}, {"4", 5}, {"5", 6}, {"6", 7},
    {"7", 8}, {"8", 9}, {"9", 10}, {"0", 11}, {"Minus", 12}, {"Equals", 13},
    {"Backspace", 14}, {"Tab", 15}, {"Q", 16}, {"W", 17}, {"E", 18}, {"R", 19}, {"T", 20},
    {"Y", 21}, {"U", 22}, {"I", 23}, {"O", 24}, {"P", 25}, {"LBracket", 26},
    {"RBracket", 27}, {"Enter", 28}, {"Return", 28}, {"LControl", 29}, {"Control", 29},
    {"Ctrl", 29}, {"A", 30}, {"S", 31}, {"D", 32}, {"F", 33}, {"G", 34}, {"H", 35}, {"J", 36},
    {"K", 37}, {"L", 38}, {"Semicolon", 39}, {"Apostrophe", 40}, {"Grave", 41},
    {"LShift", 42}, {"Shift", 42}, {"Backslash", 43}, {"Z", 44}, {"X", 45}, {"C", 46},
    {"V", 47}, {"B", 48}, {"N", 49}, {"M", 50}, {"Comma", 51}, {"Period", 52}, {"Slash", 53},
    {"RShift", 54}, {"Num*", 55}, {"LAlt", 56}, {"Alt", 56}, {"Space", 57},
    {"CapsLock", 58}, {"F1", 59}, {"F2", 60}, {"F3", 61}, {"F4", 62}, {"F5", 63}, {"F6", 64},
    {"F7", 65}, {"F8", 66}, {"F9", 67}, {"F10", 68}, {"NumLock", 69}, {"ScrollLock", 70},
    {"Num7", 71}, {"Num8", 72}, {"Num9", 73}, {"Num-", 74}, {"Num4", 75},
    {"Num5", 76}, {"Num6", 77}, {"Num+", 78}, {"Num1", 79}, {"Num2", 80},
    {"Num3", 81}, {"Num0", 82}, {"Num.", 83}, {"F11", 87}, {"F12", 88},
    {"NumEnter", 156}, {"RControl", 157}, {"Num/", 181}, {"PrintScreen", 183},
    {"RAlt", 184}, {"Pause", 197}, {"Home", 199}, {"Up", 200}, {"PageUp", 201},
    {"Left", 203}, {"Right", 205}, {"End", 207}, {"Down", 208}, {"PageDown", 209},
    {"Insert", 210}, {"Delete", 211}, {"Menu", 221},
};

// SDL's names for the controller's buttons.
const char* const kPadNames[PAD_BUTTON_COUNT] = {
    "a", "b", "x", "y", "back", "guide", "start", "leftstick", "rightstick",
    "leftshoulder", "rightshoulder", "dpup", "dpdown", "dpleft", "dpright",
};

// The chord prefixes, in the order they are written.
struct Chord {
  const char* prefix;
  int bit;
};
const Chord kChords[] = {{"Ctrl+", kKeyCtrl}, {"Shift+", kKeyShift}, {"Alt+", kKeyAlt}};

int ParsePlainKey(const std::string& name) {
  for (const NamedKey& k : kKeyNames)
    if (strcasecmp(k.name, name.c_str()) == 0) return k.code;
  // A scan code without a name, as written: "0x5A"; decimal numbers too.
  if (name.empty() || name[0] < '0' || name[0] > '9') return -1;
  char* end = nullptr;
  errno = 0;
  long v = std::strtol(name.c_str(), &end, 0);
  if (errno != 0 || !end || *end != 0 || v <= 0 || v > 255) return -1;
  return static_cast<int>(v);
}

}  // namespace

std::string Controls::KeyName(int key) {
  if ((key & 0xFF) == kNoKey) return "None";
  std::string prefix;
  for (const Chord& c : kChords)
    if (key & c.bit) prefix += c.prefix;
  for (const NamedKey& k : kKeyNames)
    if (k.code == (key & 0xFF)) return prefix + k.name;
  char hex[8];
  std::snprintf(hex, sizeof hex, "0x%02X", key & 0xFF);
  return prefix + hex;
}

bool Controls::ParseKey(const std::string& name, int* key) {
  if (strcasecmp(name.c_str(), "None") == 0) {
    *key = kNoKey;
    return true;
  }
  // Each chord prefix at most once, in any order.
  int chord = 0;
  size_t at = 0;
  for (bool more = true; more;) {
    more = false;
    for (const Chord& c : kChords) {
      const size_t n = std::strlen(c.prefix);
      if (!(chord & c.bit) && name.size() > at + n &&
          strncasecmp(name.c_str() + at, c.prefix, n) == 0) {
        chord |= c.bit;
        at += n;
        more = true;
      }
    }
  }
  int k = ParsePlainKey(name.substr(at));
  if (k <= 0) return false;
  *key = k | chord;
  return true;
}

const char* Controls::PadName(int button) {
  return button >= 0 && button < PAD_BUTTON_COUNT ? kPadNames[button] : "none";
}

bool Controls::ParsePad(const std::string& name, int* button) {
  if (strcasecmp(name.c_str(), "none") == 0) {
    *button = PAD_NONE;
    return true;
  }
  for (int b = 0; b < PAD_BUTTON_COUNT; ++b)
    if (strcasecmp(kPadNames[b], name.c_str()) == 0) {
      *button = b;
      return true;
    }
  return false;
}

}  // namespace vx
