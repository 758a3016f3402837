#include "campaign/save_screen.h"

namespace vx {

void SaveScreen::OnChar(uint8_t ch) {}

int SaveScreen::InitSurfaces() { return 1; }

int SaveScreen::ReleaseSurfaces() { return 1; }

int SaveScreen::OnDisplay(Screen* previous, int argument) { return 1; }

int SaveScreen::OnFrame() { return 1; }

}  // namespace vx
