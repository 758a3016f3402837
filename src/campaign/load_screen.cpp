#include "campaign/load_screen.h"

namespace vx {

int LoadScreen::InitSurfaces() { return 1; }

int LoadScreen::ReleaseSurfaces() { return 1; }

int LoadScreen::OnDisplay(Screen* previous, int argument) { return 1; }

int LoadScreen::OnFrame() { return 1; }

}  // namespace vx
