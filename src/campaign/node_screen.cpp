#include "campaign/node_screen.h"

namespace vx {

int NodeScreen::InitSurfaces() { return 1; }

int NodeScreen::ReleaseSurfaces() { return 1; }

int NodeScreen::OnDisplay(Screen* previous, int argument) { return 1; }

int NodeScreen::OnFrame() { return 1; }

}  // namespace vx
