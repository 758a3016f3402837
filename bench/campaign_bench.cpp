// The world map and the shop on the built data set, headless: one frame of
// each, entering the map (it reads all 100 level headers) and building the
// shop's background.
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
#include "campaign/campaign_progress.h"
#include "campaign/campaign_start.h"
#include "platform/headless/headless_platform.h"
#include "resources/file_system.h"

namespace vx {
namespace {

struct CampaignRig {
  HeadlessPlatform hp;
  std::string dir;
  CampaignRig() {
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
    StartCampaign(1);
  }
  ~CampaignRig() {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
  void Frames(int n) {
    for (int i = 0; i < n; ++i) {
      hp.Advance(kFrameIntervalMs);
      RunFrame();
    }
  }
};

CampaignRig& Rig() {
  static CampaignRig rig;
  return rig;
}

void BM_MapFrame(benchmark::State& state) {
  CampaignRig& rig = Rig();
  if (g.currentScreen != g.screens.node) Return(g.currentScreen, 0);
  rig.Frames(40);  // the first levels have appeared
  for (auto _ : state) rig.Frames(1);
}
BENCHMARK(BM_MapFrame);

void BM_MapNodesRefresh(benchmark::State& state) {
  Rig();
  for (auto _ : state) benchmark::DoNotOptimize(RefreshNodes());
}
BENCHMARK(BM_MapNodesRefresh);

void BM_ShopAndBackToTheMap(benchmark::State& state) {
  Rig();
  if (g.currentScreen != g.screens.node) Return(g.currentScreen, 0);
  for (auto _ : state) {
    SwitchTo(g.screens.shop, 0);
    Return(g.screens.shop, 0);
  }
}
BENCHMARK(BM_ShopAndBackToTheMap);

void BM_ShopFrame(benchmark::State& state) {
  CampaignRig& rig = Rig();
  if (g.currentScreen != g.screens.shop) SwitchTo(g.screens.shop, 0);
  for (auto _ : state) rig.Frames(1);
}
BENCHMARK(BM_ShopFrame);

}  // namespace
}  // namespace vx
