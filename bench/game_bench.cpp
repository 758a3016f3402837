// The gameplay's share of a frame over the built data set: loading a level,
// the rules of one busy frame (eight fast balls, enemies, bullets, falling
// items) and drawing every playfield layer into the back buffer.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "app/game_record.h"
#include "game/ball.h"
#include "game/enemies.h"
#include "game/falling_items.h"
#include "game/items.h"
#include "game/level_files.h"
#include "game/particles.h"
#include "game/playfield.h"
#include "graphics/graphics.h"
#include "graphics/shared_art.h"
#include "platform/headless/headless_platform.h"
#include "resources/file_system.h"

namespace vx {
namespace {

struct GameRig {
  HeadlessPlatform hp;
  std::string dir;
  GameRig() {
    char buf[] = "/tmp/vx_bench_XXXXXX";
    dir = mkdtemp(buf);
    if (chdir(dir.c_str()) != 0) return;
    gPlatform = hp.platform();
    RegisterArchive(VX_BINARY_DIR "/Velotrix.dat", "DATA\\", 1);
    Graphics::Init(640, 480, 0);
    BuildStandardColors();
    LoadSharedArt();
    LoadItems();
  }
  ~GameRig() {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
  // A level in full swing: eight balls at top speed, every enemy slot used.
  static void Busy() {
    LoadLevel(30);
    g.level.ballWaiting = 0;
    for (int i = 0; i < kMaxBalls; ++i) AddBall(40.0f + 70 * i, 300, 30.0f + 40 * i, 5);
    for (int i = 0; i < kMaxEnemies; ++i) SpawnEnemy(50.0f + 70 * i, 100, 1 + i % 3);
    ActivateByWord(ITEM_CANNON);
    ActivateByWord(ITEM_SHIELD);
  }
};

GameRig& Rig() {
  static GameRig rig;
  return rig;
}

void BM_LoadLevel(benchmark::State& state) {
  Rig();
  for (auto _ : state) LoadLevel(static_cast<int>(state.range(0)));
}
BENCHMARK(BM_LoadLevel)->Arg(1)->Arg(100);

void BM_BusyFrameRules(benchmark::State& state) {
  Rig();
  GameRig::Busy();
  for (auto _ : state) {
    ++g.frameCounter;
    for (Ball& b : g.level.balls)
      if (b.active) PaddleCollide(b);
    ScrollStep(MoveBalls());
    if (g.frameCounter % 10 == 0) FireCannon();
    UpdateEnemies(true);
    UpdateFallingItems();
    TickItems();
    UpdateBullets();
    UpdateParticles();
    if (g.frameCounter % 2000 == 0) GameRig::Busy();  // keep it busy
  }
}
BENCHMARK(BM_BusyFrameRules);

void BM_DrawPlayfield(benchmark::State& state) {
  Rig();
  GameRig::Busy();
  for (auto _ : state) {
    DrawBackground();
    UpdateBackObjects();
    DrawBlocks();
    DrawPaddle();
    DrawBalls();
    DrawShield();
    DrawEnemies();
    DrawFallingItems();
    DrawBullets();
    DrawParticles();
  }
}
BENCHMARK(BM_DrawPlayfield);

}  // namespace
}  // namespace vx
