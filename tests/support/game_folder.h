// A game folder for a test: the built archives linked into it. Tests that
// include it define VX_BINARY_DIR.
#pragma once

#include <filesystem>
#include <string>

namespace vx::test {

// Makes dir and links the built archives into it, every language's too.
inline void MakeGameFolder(const std::string& dir = "run") {
  std::filesystem::create_directories(dir);
  for (const auto& entry : std::filesystem::directory_iterator(VX_BINARY_DIR)) {
    const std::string name = entry.path().filename().string();
    const bool archive = name == "Velotrix.dat" ||
                         (name.rfind("Velotrix.", 0) == 0 && name.size() > 4 &&
                          name.compare(name.size() - 4, 4, ".lng") == 0);
    if (archive) std::filesystem::create_symlink(entry.path(), dir + "/" + name);
  }
}

}  // namespace vx::test
