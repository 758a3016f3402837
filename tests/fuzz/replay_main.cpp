// Runs a fuzz target over files instead of under libFuzzer: every file named on
// the command line, and every file of every folder named there. The sanitizer
// build turns this into a quick check that no stored input crashes any more.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  // Paths are collected before the first run: targets change the working folder.
  std::vector<fs::path> files;
  for (int i = 1; i < argc; ++i) {
    const fs::path arg = fs::absolute(argv[i]);
    if (fs::is_directory(arg)) {
      for (const auto& e : fs::recursive_directory_iterator(arg))
        if (e.is_regular_file()) files.push_back(e.path());
    } else if (fs::is_regular_file(arg)) {
      files.push_back(arg);
    } else {
      std::fprintf(stderr, "replay: no such file or folder: %s\n", argv[i]);
      return 2;
    }
  }
  std::sort(files.begin(), files.end());
  if (files.empty()) {
    std::fprintf(stderr, "replay: no inputs\n");
    return 2;
  }
  for (const fs::path& f : files) {
    std::ifstream in(f, std::ios::binary);
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    // A copy of exactly the file's size, so a read past its end is caught.
    std::vector<uint8_t> exact(bytes);
    exact.shrink_to_fit();
    LLVMFuzzerTestOneInput(exact.empty() ? nullptr : exact.data(), exact.size());
  }
  std::printf("replay: %zu inputs ran\n", files.size());
  return 0;
}
