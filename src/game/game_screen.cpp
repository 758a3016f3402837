#include "game/game_screen.h"

namespace vx {

void GameScreen::OnChar(uint8_t ch) {}

int GameScreen::InitSurfaces() { return 1; }

int GameScreen::ReleaseSurfaces() { return 1; }

int GameScreen::OnDisplay(Screen* previous, int argument) { return 1; }

int GameScreen::OnFrame() { return 1; }

}  // namespace vx
