#include "campaign/menu_screen.h"

namespace vx {

int MenuScreen::InitSurfaces() { return 1; }

int MenuScreen::ReleaseSurfaces() { return 1; }

int MenuScreen::OnDisplay(Screen* previous, int argument) { return 1; }

int MenuScreen::OnFrame() { return 1; }

}  // namespace vx
