#include "game/boss_screen.h"

namespace vx {

int BossScreen::InitSurfaces() { return 1; }

int BossScreen::ReleaseSurfaces() { return 1; }

int BossScreen::OnDisplay(Screen* previous, int argument) { return 1; }

int BossScreen::OnFrame() { return 1; }

}  // namespace vx
