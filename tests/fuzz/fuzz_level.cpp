// The level loader: the input is a level header followed by its block map,
// split at the first "\0MAP" (no marker: no map file). Both are written as the
// loose files of level 1, loaded, and played for a few seconds by a simple
// scripted player, so hostile heights, scroll speeds and block types reach the
// rules.
#include <sys/stat.h>

#include <cstdint>
#include <cstring>

#include "base/game_record.h"
#include "base/random.h"
#include "fuzz/fuzz_support.h"
#include "game/ball.h"
#include "game/enemies.h"
#include "game/falling_items.h"
#include "game/game_state.h"
#include "game/items.h"
#include "game/level_files.h"
#include "game/playfield.h"
#include "platform/headless/headless_platform.h"

namespace {

void PlayFrames(int count) {
  using namespace vx;
  LevelState& L = gGame.level;
  for (int i = 0; i < count; ++i) {
    const int frame = static_cast<int>(++g.frameCounter);
    if (CheckLevelTop(true)) return;
    MovePaddleBy(frame % 60 < 30 ? 7 : -7, 0);
    if (L.ballWaiting && frame % 20 == 0) LaunchBall();
    if (L.ballWaiting) UpdateAim();
    if (CheckBallLost()) return;
    for (Ball& b : L.balls)
      if (b.active) PaddleCollide(b);
    ScrollStep(MoveBalls());
    UpdateEnemies(true);
    UpdateFallingItems();
    TickItems();
    UpdateBullets();
    LevelProgress();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vx;
  static HeadlessPlatform* platform = nullptr;
  if (!platform) {
    fuzz::EnterScratchDir();
    platform = new HeadlessPlatform;
    gPlatform = platform->platform();
    mkdir("Episode1", 0755);
    mkdir("Episode1/Levels", 0755);
  }
  static const uint8_t kMarker[4] = {0, 'M', 'A', 'P'};
  const uint8_t* split = size >= 4 ? static_cast<const uint8_t*>(memmem(data, size, kMarker, 4)) : nullptr;
  const size_t headerSize = split ? static_cast<size_t>(split - data) : size;
  fuzz::WriteWholeFile("Episode1/Levels/Level01", data, headerSize);
  unlink("Episode1/Levels/Level01.map");
  if (split) fuzz::WriteWholeFile("Episode1/Levels/Level01.map", split + 4, size - headerSize - 4);

  g = GameRecord();

  gGame = GameState();
  for (int id = 1; id < kItemCount; ++id) gGame.items[id].activeTime = 500;
  LoadLevel(1);
  const LevelState& L = gGame.level;
  if (L.grid.size() != static_cast<size_t>(L.header.height) * kGridColumns) __builtin_trap();
  for (const BlockCell& cell : L.grid)
    if (cell.type > 8) __builtin_trap();
  PlayFrames(150);
  return 0;
}
