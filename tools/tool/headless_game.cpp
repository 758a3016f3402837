#include "headless_game.h"

#include "graphics/graphics.h"
#include "input/input.h"
#include "platform/platform.h"
#include "resources/file_system.h"
#include "sound/sound.h"

namespace vx::tool {

void ReleaseHeadlessGame() {
  CloseSoundDevice();
  Input::Shutdown();
  Graphics::Release();
  UnregisterAllArchives();
  gPlatform = nullptr;
}

}  // namespace vx::tool
