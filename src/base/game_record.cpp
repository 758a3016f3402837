#include "base/game_record.h"

namespace vx {

GameRecord g;

}  // namespace vx
