#include "game/enemies.h"

#include <cmath>

#include "base/game_record.h"
#include "base/random.h"
#include "game/angles.h"
#include "game/ball.h"
#include "game/game_state.h"
#include "game/items.h"
#include "game/particles.h"
#include "sound/sound.h"

namespace vx {
namespace {

// The mirror rules of the ball bounce, without its random nudge.
float MirrorSide(float a) { return a < 180 ? 180 - a : 540 - a; }
float MirrorFloor(float a) { return 360 - a; }

void MoveNormal(Enemy& e) {
  Vec2 d = Dir(e.angle);
  e.x += d.x;
  e.y += d.y;
  float width = static_cast<float>(g.screenWidth);
  if (e.x > width) {
    e.angle = MirrorSide(e.angle);
    e.x = width - 2;
  }
  if (e.x < 1) {
    e.angle = MirrorSide(e.angle);
    e.x = 2;
  }
  if (e.y > kPaddleLine) {
    e.angle = MirrorFloor(e.angle);
    e.y = kPaddleLine - 2;
  }
  if (e.y < 20) {
    e.angle = MirrorFloor(e.angle);
    e.y = 22;
  }
}

// Fleeing enemies leave upwards, away from the bottom centre of the window.
void MoveFleeing(Enemy& e) {
  Vec2 v = {e.x - static_cast<float>(g.screenWidth / 2), e.y - kFieldBottom};
  if (v.y > 0) v.y = -v.y;
  v = Normalise(v);
  e.x += 10 * v.x;
  e.y += 10 * v.y;
  if (e.x < 0 || e.x >= g.screenWidth || e.y < 0 || e.y >= kFieldBottom) e = Enemy();
}

}  // namespace

void SpawnEnemy(float x, float y, int kind) {
  for (Enemy& e : gGame.level.enemies) {
    if (e.kind != 0) continue;
    e.kind = kind;
    e.x = x;
    e.y = y;
    e.angle = AngleOf({320 - x, 200 - y});
    e.countdown = 0;
    e.state = ENEMY_NORMAL;
    return;
  }
}

void KillEnemy(Enemy& e) {
  PlaySample(g.sounds.killEnemy, 100, 50);
  e.state = ENEMY_DYING;
  e.countdown = 15;
  AddClamped(gGame.player.score, 150);
  switch (e.kind) {
    case 1:
      SpawnBurst(e.x, e.y, 8, 1, 5.0f);
      SpawnBurst(e.x, e.y, 8, 2, 5.0f);
      SpawnBurst(e.x, e.y, 8, 4, 5.0f);
      break;
    case 2:
      SpawnBurst(e.x, e.y, 20, 2, 5.0f);
      break;
    case 3:
      SpawnBurst(e.x, e.y, 20, 5, 5.0f);
      break;
    default:
      break;
  }
}

void UpdateEnemies(bool spawnAllowed) {
  LevelState& L = gGame.level;
  int interval = L.enemySpawnInterval > 0 ? L.enemySpawnInterval : 500;
  if (spawnAllowed && g.frameCounter % static_cast<uint32_t>(interval) == 0 &&
      !IsActive(ITEM_SCREAMER)) {
    int kind = Random(3) + 1;
    int y = RandomRange(30, 300);
    int x = Random(g.screenWidth);
    SpawnEnemy(static_cast<float>(x), static_cast<float>(y), kind);
  }
  const Paddle& P = L.paddle;
  bool screamer = IsActive(ITEM_SCREAMER);
  for (Enemy& e : L.enemies) {
    if (e.kind == 0) continue;
    if (std::fabs(static_cast<float>(P.x) - e.x) < static_cast<float>(P.w / 2) &&
        std::fabs(static_cast<float>(P.y) - e.y) < static_cast<float>(P.h / 2) &&
        e.state != ENEMY_DYING)
      KillEnemy(e);
    if (e.state == ENEMY_DYING) {
      if (--e.countdown <= 0) e = Enemy();
    } else if (e.state == ENEMY_FLEEING) {
      MoveFleeing(e);
    } else if (screamer) {
      e.state = ENEMY_FLEEING;
    } else {
      MoveNormal(e);
    }
  }
}

}  // namespace vx
