// The gameplay's share of a frame over the built data set: loading a level,
// the rules of one busy frame (eight fast balls, enemies, bullets, falling
// items), the balls alone in a full field, the particles, and drawing a frame
// of play into the back buffer.
#include <benchmark/benchmark.h>

#include <cmath>

#include "base/game_record.h"
#include "bench_rig.h"
#include "game/ball.h"
#include "game/enemies.h"
#include "game/falling_items.h"
#include "game/game_screen.h"
#include "game/game_state.h"
#include "game/items.h"
#include "game/level_files.h"
#include "game/particles.h"
#include "game/playfield.h"
#include "graphics/graphics.h"

namespace vx {
namespace {

struct GameRig {
  bench::ArtRig art;
  GameRig() { LoadItems(); }
  // A level in full swing: eight balls at top speed, every enemy slot used.
  static void Busy() {
    LoadLevel(30);
    gGame.level.ballWaiting = 0;
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
    for (Ball& b : gGame.level.balls)
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

// Every cell of the window holding a block, balls in pockets between them.
void FillField() {
  LevelState& L = gGame.level;
  const int top = L.scroll / kCellHeight;
  for (int r = top; r < top + 26; ++r)
    for (int c = 0; c < kGridColumns; ++c)
      if (BlockCell* cell = GridCell(c, r)) {
        const float x = c * kCellWidth + 16.0f, y = r * kCellHeight + 8.0f - L.scroll;
        bool nearBall = false;
        for (const Ball& b : L.balls)
          nearBall = nearBall || (b.active && std::fabs(b.x - x) < 40 && std::fabs(b.y - y) < 40);
        if (nearBall || cell->type) continue;
        cell->type = 1;
        cell->hits = 3;
        cell->content = 0;
      }
}

// MoveBalls with eight balls at full speed in a field full of blocks: every
// step of every ball looks up its cell, and many end in a hit and a bounce.
void BM_MoveBallsFullField(benchmark::State& state) {
  Rig();
  LoadLevel(30);
  LevelState& L = gGame.level;
  L.ballWaiting = 0;
  for (int i = 0; i < kMaxBalls; ++i) AddBall(40.0f + 75 * i, 200, 35.0f + 40 * i, 5);
  ActivateByWord(ITEM_SHIELD);
  int frames = 0;
  for (auto _ : state) {
    ++g.frameCounter;
    benchmark::DoNotOptimize(MoveBalls());
    if (++frames % 16 == 0) {
      state.PauseTiming();
      for (int i = 0; i < kMaxBalls; ++i)
        if (!L.balls[i].active) AddBall(40.0f + 75 * i, 200, 35.0f + 40 * i, 5);
      if (L.scroll < 1600) L.scroll += 3200;
      FillField();
      for (Particle& p : L.particles) p = Particle();
      state.ResumeTiming();
    }
  }
  state.SetItemsProcessed(state.iterations() * kMaxBalls);
}
BENCHMARK(BM_MoveBallsFullField);

// 250 live particles moved and drawn, as a frame full of bursts has them.
void BM_Particles250(benchmark::State& state) {
  Rig();
  LevelState& L = gGame.level;
  for (auto _ : state) {
    for (int i = 0; i < kMaxParticles; ++i) {
      Particle& p = L.particles[i];
      if (p.life) continue;
      p.kind = i % 6;
      p.x = static_cast<float>(20 + (i * 41) % 600);
      p.y = static_cast<float>(20 + (i * 23) % 360);
      p.vx = 0.5f;
      p.vy = -0.25f;
      p.life = static_cast<uint16_t>(60 + i % 60);
      p.drift = static_cast<uint16_t>(i % 3);
      p.frame = static_cast<uint16_t>(2 + i % 3);
    }
    UpdateAndDrawParticles(true);
  }
  state.SetItemsProcessed(state.iterations() * kMaxParticles);
}
BENCHMARK(BM_Particles250);

// A frame of play drawn as the game screen draws it, panel included.
void BM_DrawPlayfield(benchmark::State& state) {
  Rig();
  Surface* panel = nullptr;
  LoadPlayPanel(&panel);
  GameRig::Busy();
  for (auto _ : state) DrawPlayLayers(panel);
  Graphics::ReleaseSurface(panel);
}
BENCHMARK(BM_DrawPlayfield);

}  // namespace
}  // namespace vx
