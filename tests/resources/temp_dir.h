// Each test runs in a fresh temp folder of its own (the file layer and the log
// work relative to the working directory) with no sources registered.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "resources/file_system.h"

namespace vx::test {

class TempDirTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/vx-resources-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    ASSERT_EQ(getcwd(oldCwd_, sizeof oldCwd_) != nullptr, true);
    ASSERT_EQ(chdir(dir_.c_str()), 0);
    UnregisterAllArchives();
  }
  void TearDown() override {
    UnregisterAllArchives();
    std::error_code ignored;
    if (chdir(oldCwd_) == 0) std::filesystem::remove_all(dir_, ignored);
  }

  // Writes BYTES to the relative host path REL, creating its folders.
  static void WriteHostFile(const std::string& rel, const std::string& bytes) {
    for (size_t i = 1; i < rel.size(); ++i)
      if (rel[i] == '/') mkdir(rel.substr(0, i).c_str(), 0755);
    FILE* f = std::fopen(rel.c_str(), "wb");
    ASSERT_NE(f, nullptr) << rel;
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }

  static std::string ReadHostFile(const std::string& rel) {
    std::string out;
    FILE* f = std::fopen(rel.c_str(), "rb");
    if (!f) return out;
    char chunk[4096];
    size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) out.append(chunk, n);
    std::fclose(f);
    return out;
  }

  static std::string LogText() { return ReadHostFile("Log.txt"); }

  std::string dir_;
  char oldCwd_[4096] = {};
};

inline std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

inline std::string AsString(const FileBuffer& data, uint32_t size) {
  return std::string(reinterpret_cast<const char*>(data.get()), size);
}

}  // namespace vx::test
