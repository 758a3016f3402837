// The cost of one frame of the real game (the main menu) on the headless
// platform: the frame tick, the screen, and the presentation of the picture.
#include <benchmark/benchmark.h>

#include "game_start_rig.h"

namespace vx {
namespace {

void BM_MenuFrame(benchmark::State& state) {
  static bench::GameStartRig rig;  // the main menu
  for (auto _ : state) rig.Frames(1);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_MenuFrame);

}  // namespace
}  // namespace vx
