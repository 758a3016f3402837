#include "campaign/options_screen.h"

namespace vx {

int OptionsScreen::InitSurfaces() { return 1; }

int OptionsScreen::ReleaseSurfaces() { return 1; }

int OptionsScreen::OnDisplay(Screen* previous, int argument) { return 1; }

int OptionsScreen::OnFrame() { return 1; }

}  // namespace vx
