#include "game/level_start.h"

#include "app/screen.h"
#include "app/sound_setup.h"
#include "base/game_record.h"
#include "base/log.h"
#include "game/items.h"
#include "game/level_files.h"

namespace vx {

int StartLevelDirect(int level) {
  if (level < 1 || level > kLevelCount || !g.screens.game) {
    Log("Can't start level %d\n", level);
    return 0;
  }
  static const char* const kLevelMusic[] = {"fl3.s3m", "fl1.s3m", "fl2.s3m", "fl4.s3m"};
  LoadLevel(level);
  LoadItems();
  PlayMusic(kLevelMusic[(level - 1) % 4]);
  SwitchTo(g.screens.game, 0);
  return 1;
}

}  // namespace vx
