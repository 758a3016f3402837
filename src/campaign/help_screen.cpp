#include "campaign/help_screen.h"

namespace vx {

int HelpScreen::InitSurfaces() { return 1; }

int HelpScreen::ReleaseSurfaces() { return 1; }

int HelpScreen::OnDisplay(Screen* previous, int argument) { return 1; }

int HelpScreen::OnFrame() { return 1; }

}  // namespace vx
