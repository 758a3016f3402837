// A fresh temporary folder that becomes the working directory for one test
// (the game writes its log and settings there) and is removed afterwards.
#pragma once

#include <gtest/gtest.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace vx::test {

class TempDir {
 public:
  TempDir() {
    char buf[] = "/tmp/vx_test_XXXXXX";
    if (!mkdtemp(buf)) ADD_FAILURE() << "mkdtemp failed";
    path_ = buf;
    char cwd[PATH_MAX];
    if (getcwd(cwd, sizeof cwd)) old_ = cwd;
    if (chdir(path_.c_str()) != 0) ADD_FAILURE() << "chdir failed";
  }
  ~TempDir() {
    if (!old_.empty() && chdir(old_.c_str()) != 0) {
    }
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_, old_;
};

inline std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

inline void WriteText(const std::string& path, const std::string& text) {
  std::filesystem::path p(path);
  if (p.has_parent_path()) std::filesystem::create_directories(p.parent_path());
  std::ofstream out(path, std::ios::binary);
  out << text;
}

}  // namespace vx::test
