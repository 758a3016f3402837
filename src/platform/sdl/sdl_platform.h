// The SDL2 back end of the platform: the game window, its events, the display,
// keyboard and mouse, audio output, timers and the clock.
#pragma once

#include "platform/platform.h"

namespace vx {

// Builds the SDL platform (SDL itself starts with the first device used).
Platform* CreateSdlPlatform();
// Closes every device and shuts SDL down.
void DestroySdlPlatform();

// The largest whole multiple (at least 1) of width x height whose window, with
// a frame of frameW x frameH, fits a usable desktop area of usableW x usableH.
int WindowScaleFor(int usableW, int usableH, int frameW, int frameH, int width, int height);

// Set-1 scan code (extended keys at 0x80 + code) of an SDL scan code; 0 for
// keys that have none.
int SdlScancodeToSet1(int sdlScancode);

}  // namespace vx
