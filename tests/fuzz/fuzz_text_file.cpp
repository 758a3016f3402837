// The sectioned text reader: the input is the text; the sections and keys
// asked for are taken from its own lines (the part between brackets, the part
// before an equals sign, the whole line), plus a few fixed ones.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "resources/text_file.h"

namespace {

// Up to `limit` lines of the text, each cut to 300 characters.
std::vector<std::string> Lines(const uint8_t* data, size_t size, size_t limit) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i <= size && lines.size() < limit; ++i) {
    if (i == size || data[i] == '\n') {
      lines.emplace_back(reinterpret_cast<const char*>(data) + start, std::min<size_t>(i - start, 300));
      start = i + 1;
    }
  }
  return lines;
}

void Ask(vx::TextFile& tf, const char* section, const char* key) {
  char small[2], value[64], big[300];
  tf.GetString(section, key, "def", small, sizeof small);
  if (tf.GetString(section, key, nullptr, value, sizeof value) > 63) __builtin_trap();
  if (std::strlen(value) > 63) __builtin_trap();
  tf.GetString(nullptr, key, "", big, sizeof big);
  tf.GetInt(section, key, -7);
  tf.GetFloat(nullptr, key, 1.5f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  vx::fuzz::EnterScratchDir();
  vx::TextFile tf;
  if (!tf.OpenFromMemory(reinterpret_cast<const char*>(data), static_cast<uint32_t>(size)))
    return 0;
  Ask(tf, "Settings", "Sound volume");
  Ask(tf, "Level data", "Height");
  Ask(tf, nullptr, "Level 1");
  for (const std::string& line : Lines(data, size, 48)) {
    std::string section = line, key = line;
    const size_t open = line.find('['), close = line.find(']');
    if (open != std::string::npos && close != std::string::npos && close > open)
      section = line.substr(open + 1, close - open - 1);
    const size_t equals = line.find('=');
    if (equals != std::string::npos) key = line.substr(0, equals);
    while (!key.empty() && key.back() == ' ') key.pop_back();
    tf.SelectSection(section.c_str());
    Ask(tf, nullptr, key.c_str());
    Ask(tf, section.c_str(), line.c_str());
  }
  return 0;
}
