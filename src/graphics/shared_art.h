// Art loaded once at start-up and again after every regained activation.
#pragma once

#include <cstdint>

#include "base/item_catalogue.h"
#include "graphics/sprite.h"

namespace vx {

struct TileSet {
  Surface* image = nullptr;
  Rect rects[32];
  int32_t freq[32] = {};
  int32_t count = 0;  // tiles defined ("TileRect" keys present)
};

constexpr int kMaxTileSets = 20;
constexpr int kMaxBackObjectsPerSet = 8;

struct SharedArt {
  CSprite items[kItemCount];  // one per item id
  AnimationSet itemAnims[kItemCount];
  CSprite lights[3];
  CSprite enemies[3];
  AnimationSet enemyAnims[3];
  CSprite credits[2];
  AnimationSet creditAnims[2];
  TileSet tileSets[kMaxTileSets];
  CSprite blocks;
  CSprite darkPlanets;
  CSprite planets[8];
  CSprite backObjects[kMaxTileSets][kMaxBackObjectsPerSet];
  AnimationSet backObjectAnims[kMaxTileSets][kMaxBackObjectsPerSet];
  int32_t backObjectCount[kMaxTileSets] = {};
  CSprite cursor, ball, ship, misc, buttons, panel, container, particles, boss, headers;
  AnimationSet cursorAnim, flagAnim, ballAnim, shipAnim, buttonsAnim, panelAnim, containerAnim,
      bossAnim;
};

extern SharedArt gArt;

// Step 1 to 16 of the start-up art list (fonts included); loadingText (code
// page 866) is shown while it loads.
void LoadSharedArt(const char* loadingText);
// Steps 2 to 14 again after a regained activation.
void ReloadSharedArt(const char* loadingText);
void ReleaseSharedArt();
// The shared pictures with words (the screen headers) again, after a change
// of language.
void ReloadLanguageArt();
// Reads "BackTiles\Tiles.ini" into gArt.tileSets.
void LoadTileSets();

}  // namespace vx
