// The cost of one frame of the real game (the main menu) on the headless
// platform: the frame tick, the screen, and the presentation of the picture.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "app/app_main.h"
#include "app/game_record.h"
#include "app/log.h"
#include "app/screen.h"
#include "app/screens.h"
#include "graphics/shared_art.h"
#include "platform/headless/headless_platform.h"
#include "resources/file_system.h"

namespace vx {
namespace {

// The main menu with the built data set, in a scratch folder.
struct MenuRig {
  HeadlessPlatform hp;
  std::string dir;
  MenuRig() {
    char buf[] = "/tmp/vx_bench_XXXXXX";
    dir = mkdtemp(buf);
    for (const char* f : {"Velotrix.dat", "Velotrix.lng"}) {
      std::error_code ec;
      std::filesystem::copy_file(std::string(VX_BINARY_DIR) + "/" + f, dir + "/" + f, ec);
    }
    if (chdir(dir.c_str()) != 0) return;
    gPlatform = hp.platform();
    InstallScreens();
    StartLog();
    RegisterArchive("Velotrix.dat", "DATA\\", 3);
    RegisterArchive("Velotrix.lng", "LANG\\", 3);
    InitDisplayAndInput(0);
    EnterFirstScreen();
  }
  ~MenuRig() {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
};

void BM_MenuFrame(benchmark::State& state) {
  static MenuRig rig;
  for (auto _ : state) {
    rig.hp.Advance(kFrameIntervalMs);
    RunFrame();
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MenuFrame);

}  // namespace
}  // namespace vx
