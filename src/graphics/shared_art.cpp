#include "graphics/shared_art.h"

namespace vx {

SharedArt gArt;

void LoadSharedArt() {}
void ReloadSharedArt() {}
void ReleaseSharedArt() {}
void LoadTileSets() {}

}  // namespace vx
