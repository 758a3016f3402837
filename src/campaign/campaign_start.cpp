#include "campaign/campaign_start.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "app/screen.h"
#include "base/game_record.h"
#include "campaign/node_screen.h"
#include "campaign/save_game.h"
#include "game/game_state.h"
#include "resources/text_file.h"

namespace vx {

namespace {

// Map positions lie within a few thousand units; anything far beyond would
// only overflow the map's screen arithmetic.
constexpr long kCoordinateLimit = 100000;

// The next number of text after skipping commas and blanks; 0 when none.
int32_t NextNumber(const char*& p) {
  while (*p == ',' || *p == ' ' || *p == '\t') ++p;
  char* end = nullptr;
  long v = std::strtol(p, &end, 10);
  if (end == p) return 0;
  p = end;
  return static_cast<int32_t>(std::clamp(v, -kCoordinateLimit, kCoordinateLimit));
}

}  // namespace

void ReadCoordinates() {
  TextFile file("Coordinates");
  for (int n = 1; n <= kLevelCount; ++n) {
    char key[32], value[64] = {};
    std::snprintf(key, sizeof key, "Level %d", n);
    if (file.IsOpen()) file.GetString("Coordinates", key, "", value, sizeof value);
    const char* p = value;
    gGame.campaign[n - 1].x = NextNumber(p);
    gGame.campaign[n - 1].y = NextNumber(p);
  }
}

void StartCampaign(int reset) {
  if (reset) {
    gGame.player.lives = 8;
    gGame.player.credits = 150;
    gGame.player.score = 0;
    for (ItemSlot& slot : gGame.player.inventory) slot = ItemSlot();
    for (MapNode& node : gGame.campaign) node = MapNode();
  }
  // A cheat bars the score of its own campaign only, not of the next one or of
  // a saved game loaded after it.
  gGame.level.cheatUsed = 0;
  ReadCoordinates();
  // Until a level starts, a restore gives back the state the campaign began
  // with, not what an earlier campaign left.
  if (g.screens.node) TakeSnapshot(&static_cast<NodeScreen*>(g.screens.node)->snapshot);
  // A new game has nothing to lose yet.
  if (reset) MarkProgressSaved();
  SwitchTo(g.screens.node, 0);
}

}  // namespace vx
