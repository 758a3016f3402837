// One frame of the boss fight over the built data set, rules and drawing: the
// fight in full swing (eight fast balls, missiles in flight) and the defeat,
// whose explosions start five bursts of a hundred particles every frame.
#include <benchmark/benchmark.h>


#include "app/screen.h"
#include "base/game_record.h"
#include "bench_rig.h"
#include "game/ball.h"
#include "game/boss_screen.h"
#include "game/game_state.h"
#include "graphics/graphics.h"
#include "main/screens.h"

namespace vx {
namespace {

struct BossRig {
  bench::ArtRig art;
  BossRig() { InstallScreens(); }
  static BossScreen& Fight() {
    SwitchTo(g.screens.boss, 0);
    gGame.level.ballWaiting = 0;
    for (int i = 0; i < kMaxBalls; ++i) AddBall(40.0f + 70 * i, 300, 30.0f + 40 * i, 5);
    return *static_cast<BossScreen*>(g.screens.boss);
  }
};

BossRig& Rig() {
  static BossRig rig;
  return rig;
}

void RunFrames(benchmark::State& state, BossScreen& boss, bool defeated) {
  for (auto _ : state) {
    ++g.frameCounter;
    ++boss.frames;
    gGame.player.lives = 8;
    if (defeated) {
      boss.state = BOSS_DEFEATED;
      gGame.player.credits = 1000;  // the tally never ends
    } else {
      boss.state = BOSS_FIRE;
      boss.hitPoints = kBossHitPoints;
    }
    boss.OnFrame();
  }
}

void BM_BossFightFrame(benchmark::State& state) {
  Rig();
  RunFrames(state, BossRig::Fight(), false);
}
BENCHMARK(BM_BossFightFrame);

void BM_BossDefeatFrame(benchmark::State& state) {
  Rig();
  RunFrames(state, BossRig::Fight(), true);
}
BENCHMARK(BM_BossDefeatFrame);

}  // namespace
}  // namespace vx
