#include "game/game_state.h"
#include "game/playfield.h"
#include "graphics/shared_art.h"

namespace vx {

void UpdateBackObjects(bool moving) {
  LevelState& L = gGame.level;
  int set = L.tileSet >= 0 && L.tileSet < kMaxTileSets ? L.tileSet : 0;
  int loaded = gArt.backObjectCount[set];
  if (loaded > kMaxBackObjectsPerSet) loaded = kMaxBackObjectsPerSet;
  if (moving) SpawnBackObject(loaded);
  for (BackObject& obj : L.backObjects) {
    if (!obj.active) continue;
    if (moving) MoveBackObject(obj);
    if (!obj.active || obj.object < 0 || obj.object >= kMaxBackObjectsPerSet) continue;
    const AnimationSet& anim = gArt.backObjectAnims[set][obj.object];
    gArt.backObjects[set][obj.object].RenderAnim(anim, static_cast<int>(obj.x),
                                                 static_cast<int>(obj.y), ALIGN_DEFAULT);
    if (moving && obj.smashes) {
      const Rect& r = anim.CurrentRect();
      SmashUnder(obj, r.right - r.left, r.bottom - r.top);
    }
  }
}

}  // namespace vx
