// Archive lookup and inflation of a typical entry, through the game's file layer.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "resources/file_system.h"
#include "resources/pack_writer.h"
#include "resources/text_file.h"

namespace {

// An archive of 400 entries like the data set's: the looked-up entry sits at the
// end of the directory, a 640 x 480 x 24-bit image with smooth gradients.
class Archive {
 public:
  Archive() {
    dir_ = std::filesystem::temp_directory_path() / ("vx-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir_);
    std::vector<vx::PackSource> entries;
    for (int i = 0; i < 399; ++i)
      entries.push_back({"DATA\\Misc\\File" + std::to_string(i) + ".txt", std::vector<uint8_t>(2000, uint8_t(i))});
    std::vector<uint8_t> image(640 * 480 * 3);
    for (size_t p = 0; p < image.size(); ++p) image[p] = uint8_t((p / 3 % 640) / 3 + (p / 1920) / 4 + p % 3 * 40);
    entries.push_back({"DATA\\Nodes\\Node.tga", image});
    std::string error;
    path_ = (dir_ / "Velotrix.dat").string();
    if (!vx::WritePackArchive(path_.c_str(), entries, &error)) std::fprintf(stderr, "%s\n", error.c_str());
    vx::RegisterArchive(path_.c_str(), "DATA\\", 1);
  }
  ~Archive() {
    vx::UnregisterAllArchives();
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }

 private:
  std::filesystem::path dir_;
  std::string path_;
};

void BM_ReadArchiveEntry(benchmark::State& state) {
  static Archive archive;
  for (auto _ : state) {
    // Mode 1 skips the loose-file probe, so this is lookup plus inflate.
    static uint8_t buffer[640 * 480 * 3];
    benchmark::DoNotOptimize(vx::ReadFileInto("nodes\\node.tga", buffer, sizeof buffer, 1));
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * 640 * 480 * 3);
}
BENCHMARK(BM_ReadArchiveEntry);

void BM_TextFileLookup(benchmark::State& state) {
  std::string text = "[All strings]\n";
  for (int i = 0; i < 40; ++i) text += "Key" + std::to_string(i) + "x = value number " + std::to_string(i) + "\n";
  vx::TextFile file;
  file.OpenFromMemory(text.c_str(), uint32_t(text.size()));
  char value[64];
  for (auto _ : state) benchmark::DoNotOptimize(file.GetString("All strings", "Key39x", "", value, sizeof value));
}
BENCHMARK(BM_TextFileLookup);

// A game folder that also holds 20,000 unrelated files: every file the game
// reads from its archive first misses a loose copy there, and every missed
// name is looked up in the folder without regard to case.
// Made once for all the runs Google Benchmark makes of the function.
struct CrowdedFolder {
  CrowdedFolder() {
    std::filesystem::create_directories(dir);
    for (int i = 0; i < 20000; ++i)
      std::fclose(std::fopen((dir / ("unrelated" + std::to_string(i))).c_str(), "w"));
  }
  ~CrowdedFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
  }
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("vx-bench-crowd-" + std::to_string(getpid()));
};

void BM_MissedLooseLookupInACrowdedFolder(benchmark::State& state) {
  static CrowdedFolder folder;
  char cwd[4096];
  if (!getcwd(cwd, sizeof cwd) || chdir(folder.dir.c_str()) != 0) state.SkipWithError("no folder");
  for (auto _ : state) benchmark::DoNotOptimize(vx::FileExists("Nodes\\Node.tga"));
  if (chdir(cwd) != 0) state.SkipWithError("cannot go back");
}
BENCHMARK(BM_MissedLooseLookupInACrowdedFolder)->Unit(benchmark::kMicrosecond);

}  // namespace
