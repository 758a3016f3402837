#include "campaign/hiscore_screen.h"

namespace vx {

void HiscoreScreen::OnChar(uint8_t ch) {}

int HiscoreScreen::InitSurfaces() { return 1; }

int HiscoreScreen::ReleaseSurfaces() { return 1; }

int HiscoreScreen::OnDisplay(Screen* previous, int argument) { return 1; }

int HiscoreScreen::OnFrame() { return 1; }

}  // namespace vx
