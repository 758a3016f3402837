// velotrix: the game on the SDL platform.
#include "app/app_main.h"
#include "app/game_folders.h"
#include "main/screens.h"
#include "platform/sdl/sdl_platform.h"

int main() {
  // Before anything writes a file: an installed copy works in the user's folder.
  // When that folder is unusable the game still runs where it was started.
  vx::EnterGameFolder();
  vx::gPlatform = vx::CreateSdlPlatform();
  vx::InstallScreens();
  vx::RequireGameData(true);
  int code = vx::AppMain(nullptr, 1);
  vx::DestroySdlPlatform();
  vx::gPlatform = nullptr;
  return code;
}
