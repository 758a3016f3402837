#include <cmath>

#include "base/game_record.h"
#include "base/random.h"
#include "game/game_state.h"
#include "game/playfield.h"

namespace vx {

void SpawnBackObject(int objectsInSet) {
  LevelState& L = gGame.level;
  // Unsigned, so a frame counter restarted by a level load spawns at once.
  if (g.frameCounter - L.lastBackObjectSpawn <= 25) return;
  BackObject* obj = nullptr;
  for (BackObject& o : L.backObjects) {
    if (!o.active) {
      obj = &o;
      break;
    }
  }
  if (!obj) return;
  bool smashes = RandomRange(0, 20) == 0;
  // The angle is drawn in degrees but used as radians: any direction will do.
  float a = static_cast<float>(Random(360));
  float vx = 3 * std::cos(a), vy = 3 * std::sin(a);
  float x = static_cast<float>(Random(g.screenWidth + 60));
  float y = static_cast<float>(Random(g.screenHeight + 60));
  switch (NextRandom() & 3) {
    case 0: x = -30; break;
    case 1: y = -30; break;
    case 2: x = static_cast<float>(g.screenWidth + 30); break;
    default: y = static_cast<float>(g.screenHeight + 30); break;
  }
  int number = Random(objectsInSet);
  L.lastBackObjectSpawn = g.frameCounter;
  if (objectsInSet <= 0) return;
  obj->active = true;
  obj->smashes = smashes;
  obj->object = number;
  obj->x = x;
  obj->y = y;
  obj->vx = vx;
  obj->vy = vy;
}

void MoveBackObject(BackObject& obj) {
  obj.x += obj.vx;
  obj.y += obj.vy;
  if (obj.x < -30 || obj.x > g.screenWidth + 30 || obj.y < -30 || obj.y > g.screenHeight + 30)
    obj.active = false;
}

}  // namespace vx
