// Reads the built archives (Velotrix.dat, Velotrix.lng) the way the game does,
// from an empty working folder so no loose file can stand in for an entry.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "resources/file_system.h"
#include "resources/text_file.h"
#include "support/temp_dir.h"

namespace vx::test {

class DataSetFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    UnregisterAllArchives();
    ASSERT_NE(RegisterArchive(VX_BINARY_DIR "/Velotrix.dat", "DATA\\", 1), 0);
    ASSERT_NE(RegisterArchive(VX_BINARY_DIR "/Velotrix.lng", "LANG\\", 1), 0);
  }
  void TearDown() override { UnregisterAllArchives(); }

  // The whole entry as text ("" when absent).
  static std::string Entry(const std::string& name) {
    FileBuffer data = ReadWholeFile(name.c_str());
    if (!data) return "";
    return std::string(reinterpret_cast<const char*>(data.get()), LastFileSize());
  }

  // The value written on KEY's own line ("KEY = value") inside SECTION, found
  // without the reader's substring search, to check that search against.
  static std::string OwnLineValue(const std::string& text, const std::string& section,
                                  const std::string& key) {
    bool inside = false;
    size_t pos = 0;
    while (pos < text.size()) {
      size_t end = text.find('\n', pos);
      if (end == std::string::npos) end = text.size();
      std::string line = text.substr(pos, end - pos);
      pos = end + 1;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!line.empty() && line[0] == '[') {
        inside = line == "[" + section + "]";
        continue;
      }
      if (!inside || line.compare(0, key.size(), key) != 0) continue;
      size_t eq = line.find('=');
      if (eq == std::string::npos || line.find_first_not_of(' ', key.size()) != eq) continue;
      std::string value = line.substr(eq + 1);
      value.erase(0, value.find_first_not_of(' '));
      value.erase(value.find_last_not_of(' ') + 1);
      return value;
    }
    return "";
  }

  TempDir dir_;
};

}  // namespace vx::test
