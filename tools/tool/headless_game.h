// After AppMain has returned on the headless platform: closes what the game
// left open so the next run in the same process starts clean.
#pragma once

namespace vx::tool {

void ReleaseHeadlessGame();

}  // namespace vx::tool
