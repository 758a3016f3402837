// velotrix: the game on the SDL platform.
#include "app/app_main.h"
#include "app/screens.h"
#include "platform/sdl/sdl_platform.h"

int main() {
  vx::gPlatform = vx::CreateSdlPlatform();
  vx::InstallScreens();
  int code = vx::AppMain(nullptr, 1);
  vx::DestroySdlPlatform();
  vx::gPlatform = nullptr;
  return code;
}
