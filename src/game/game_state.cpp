#include "game/game_state.h"

namespace vx {

GameState gGame;

}  // namespace vx
