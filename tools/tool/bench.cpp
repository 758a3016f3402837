// velotrix-tool bench [--frames N] [--scene NAME] [--data DIR] [--shots DIR]:
// runs the real game headless over the data set in DIR (default: beside the
// tool, or the installed data) with the packs of DIR/mods, and drives each screen for N frames (default
// 2000) after a warm-up, printing per scene
//   scene NAME median_us M p99_us P budget_pct B
// where M and P are the median and 99th percentile of the processor time of
// one frame (input polling, the screen's frame, the presentation) on this
// thread, and B is M as a share of the 13 ms frame. A last line
//   startup_ms S peak_rss_mib R
// gives the processor time from AppMain to the end of the menu's first frame
// and the peak resident memory of the run. With --shots, the last picture of
// each scene is written there as NAME.png, to see what was measured.
#include <stdlib.h>
#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/app_main.h"
#include "app/screen.h"
#include "base/game_record.h"
#include "bench_scenes.h"
#include "command.h"
#include "graphics/png_writer.h"
#include "platform/headless/headless_platform.h"

namespace vx::tool {

namespace {

constexpr int kWarmUpFrames = 100;

uint64_t ThreadCpuNs() {
  timespec ts;
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<uint64_t>(ts.tv_sec) * 1000000000u + static_cast<uint64_t>(ts.tv_nsec);
}

uint64_t WallNs() {
  timespec ts;
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<uint64_t>(ts.tv_sec) * 1000000000u + static_cast<uint64_t>(ts.tv_nsec);
}

// Nearest-rank percentile of sorted samples.
double Percentile(const std::vector<uint64_t>& sorted, double p) {
  if (sorted.empty()) return 0;
  size_t rank = static_cast<size_t>(p / 100.0 * static_cast<double>(sorted.size()) + 0.999999);
  rank = std::clamp<size_t>(rank, 1, sorted.size());
  return static_cast<double>(sorted[rank - 1]);
}

double Median(const std::vector<uint64_t>& sorted) {
  const size_t n = sorted.size();
  if (n == 0) return 0;
  return n % 2 ? static_cast<double>(sorted[n / 2])
               : (static_cast<double>(sorted[n / 2 - 1]) + static_cast<double>(sorted[n / 2])) / 2;
}

class BenchRun {
 public:
  BenchRun(int frames, std::string only, std::string shots)
      : frames_(frames), only_(std::move(only)), shots_(std::move(shots)) {}

  int Run() {
    uint64_t startCpu = ThreadCpuNs(), startWall = WallNs();
    double startupMs = 0, startupWallMs = 0;
    const int code = RunGameToMenu(hp_, [&] {
      startupMs = static_cast<double>(ThreadCpuNs() - startCpu) / 1e6;
      startupWallMs = static_cast<double>(WallNs() - startWall) / 1e6;
      SceneHost host{&hp_};
      for (int i = 0; i < kBenchSceneCount; ++i)
        if (only_.empty() || only_ == kBenchScenes[i].name) RunScene(kBenchScenes[i], host);
    });
    if (code < 0) {
      std::fprintf(stderr, "bench: the game did not reach the main menu\n");
      return 1;
    }
    rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    std::printf("# startup wall_ms %.1f\n", startupWallMs);
    std::printf("startup_ms %.1f peak_rss_mib %.1f\n", startupMs,
                static_cast<double>(usage.ru_maxrss) / 1024.0);
    return failed_ ? 1 : 0;
  }

 private:
  uint64_t Frame(const BenchScene& scene, SceneHost& host, int i) {
    PrepareFrame(scene, host, i);
    const uint64_t t0 = ThreadCpuNs();
    RunFrame();
    return ThreadCpuNs() - t0;
  }

  void RunScene(const BenchScene& scene, SceneHost& host) {
    if (!EnterScene(scene, host)) {
      std::printf("scene %s unavailable\n", scene.name);
      std::fflush(stdout);
      return;
    }
    for (int i = 0; i < kWarmUpFrames; ++i) Frame(scene, host, i);
    std::vector<uint64_t> times(static_cast<size_t>(frames_));
    for (int i = 0; i < frames_; ++i) times[static_cast<size_t>(i)] = Frame(scene, host, kWarmUpFrames + i);
    if (!scene.stillThere(host)) {
      std::fprintf(stderr, "bench: scene %s left its screen (now %s)\n", scene.name,
                   g.currentScreen ? g.currentScreen->GetName() : "(none)");
      failed_ = true;
    }
    if (!shots_.empty()) {
      const std::string path = shots_ + "/" + scene.name + ".png";
      if (!WriteBackBufferPng(path.c_str())) std::fprintf(stderr, "bench: can't write %s\n", path.c_str());
    }
    std::sort(times.begin(), times.end());
    const double median = Median(times) / 1000.0, p99 = Percentile(times, 99) / 1000.0;
    std::printf("scene %s median_us %.1f p99_us %.1f budget_pct %.2f\n", scene.name, median, p99,
                median / (kFrameIntervalMs * 1000.0) * 100.0);
    std::fflush(stdout);
  }

  HeadlessPlatform hp_;
  int frames_;
  std::string only_;
  std::string shots_;
  bool failed_ = false;
};

int Usage() {
  std::fprintf(stderr, "usage: velotrix-tool bench [--frames N] [--scene NAME] [--data DIR] [--shots DIR]\nscenes:");
  for (int i = 0; i < kBenchSceneCount; ++i) std::fprintf(stderr, " %s", kBenchScenes[i].name);
  std::fprintf(stderr, "\n");
  return 2;
}

int CmdBench(int argc, char** argv) {
  long frames = 2000;
  std::string scene, shots, data = ToolDirectory();
  for (int i = 1; i < argc; ++i) {
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    if (!value) return Usage();
    char* end = nullptr;
    if (!std::strcmp(argv[i], "--frames")) {
      frames = std::strtol(value, &end, 10);
      if (*end != 0 || frames < 1 || frames > 10000000) return Usage();
    } else if (!std::strcmp(argv[i], "--scene")) {
      scene = value;
      if (!FindBenchScene(scene.c_str())) return Usage();
    } else if (!std::strcmp(argv[i], "--data")) {
      data = value;
    } else if (!std::strcmp(argv[i], "--shots")) {
      shots = std::filesystem::absolute(value).string();
    } else {
      return Usage();
    }
    ++i;
  }
  data = std::filesystem::absolute(DataSetFolder(data)).string();
  for (const char* archive : {"Velotrix.dat", "Velotrix.lng"}) {
    if (!std::filesystem::exists(data + "/" + archive)) {
      std::fprintf(stderr, "bench: no %s in %s\n", archive, data.c_str());
      return 2;
    }
  }
  return InScratchGameFolder("bench", data, [&] {
    BenchRun run(static_cast<int>(frames), scene, shots);
    return run.Run();
  });
}

}  // namespace

VX_TOOL_COMMAND(bench,
                "bench [--frames N] [--scene NAME] [--data DIR] [--shots DIR]   frame times of every "
                "screen",
                CmdBench);

}  // namespace vx::tool
