#include "campaign/happy_screen.h"

namespace vx {

int HappyScreen::InitSurfaces() { return 1; }

int HappyScreen::ReleaseSurfaces() { return 1; }

int HappyScreen::OnDisplay(Screen* previous, int argument) { return 1; }

int HappyScreen::OnFrame() { return 1; }

}  // namespace vx
