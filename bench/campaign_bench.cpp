// The world map and the shop on the built data set, headless: one frame of
// each, entering the map (it reads all 100 level headers) and building the
// shop's background.
#include <benchmark/benchmark.h>

#include "campaign/campaign_progress.h"
#include "campaign/campaign_start.h"
#include "game_start_rig.h"

namespace vx {
namespace {

// The game started and a new campaign begun: the world map.
bench::GameStartRig& Rig() {
  static bench::GameStartRig rig;
  static const bool started = (StartCampaign(1), true);
  (void)started;
  return rig;
}

void BM_MapFrame(benchmark::State& state) {
  bench::GameStartRig& rig = Rig();
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
  bench::GameStartRig& rig = Rig();
  if (g.currentScreen != g.screens.shop) SwitchTo(g.screens.shop, 0);
  for (auto _ : state) rig.Frames(1);
}
BENCHMARK(BM_ShopFrame);

}  // namespace
}  // namespace vx
