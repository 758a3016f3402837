#include "campaign/campaign_progress.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "base/log.h"
#include "game/game_state.h"
#include "game/level_files.h"
#include "resources/text_file.h"

namespace vx {

namespace {

// The integer at the start of one comma-separated part; leading blanks are
// allowed and anything that is not a number counts as 0.
int PartValue(const char* part) {
  errno = 0;
  long v = std::strtol(part, nullptr, 10);
  if (errno == ERANGE || v > INT_MAX / 2 || v < INT_MIN / 2) return 0;
  return static_cast<int>(v);
}

}  // namespace

void LoadLevelTitles() { LoadLevelNames(); }

const LevelTitle& LevelTitleOf(int index) { return LevelTitleAt(index + 1); }

void TakeSnapshot(LevelStartSnapshot* snapshot) {
  snapshot->score = gGame.player.score;
  snapshot->credits = gGame.player.credits;
  snapshot->lives = gGame.player.lives;
  std::memcpy(snapshot->inventory, gGame.player.inventory, sizeof snapshot->inventory);
}

void RestoreSnapshot(const LevelStartSnapshot& snapshot) {
  gGame.player.score = snapshot.score;
  gGame.player.credits = snapshot.credits;
  gGame.player.lives = snapshot.lives;
  std::memcpy(gGame.player.inventory, snapshot.inventory, sizeof gGame.player.inventory);
}

void ApplyRequirements(int index, const char* requires) {
  MapNode& node = gGame.campaign[index];
  node.requirementsMet = 1;
  node.requirementCount = 0;
  const char* part = requires;
  while (part) {
    const char* comma = std::strchr(part, ',');
    int v = PartValue(part);
    part = comma ? comma + 1 : nullptr;
    if (v == 0) continue;
    // From level 52 on the headers count within episode 2.
    if (index > 50) v += 50;
    const int required = v - 1;
    if (required < 0 || required >= kLevelCount) {
      Log("Level %d requires level %d, which does not exist\n", index + 1, v);
      continue;
    }
    if (node.requirementCount < sizeof node.requirements)
      node.requirements[node.requirementCount++] = static_cast<uint8_t>(required);
    // Every listed level counts, also beyond the ones the node can store.
    if (!gGame.campaign[required].completed) node.requirementsMet = 0;
  }
  node.open = node.requirementsMet || node.completed;
  if (node.open && !node.appearing && !node.revealed) {
    node.appearing = 1;
    node.open = 0;
  }
}

int RefreshNodes() {
  int completed = 0;
  for (int i = 0; i < kLevelCount; ++i) {
    if (gGame.campaign[i].completed) ++completed;
    char name[64];
    LevelFileName(i + 1, name, sizeof name);
    TextFile header(name);
    if (!header.IsOpen()) continue;
    char requires[256] = {};
    header.GetString("Level data", "Requires", "", requires, sizeof requires);
    ApplyRequirements(i, requires);
  }
  return completed;
}

void PlaceView(int32_t* scroll, int32_t* minScroll, int32_t* selected) {
  *scroll = 10000;
  for (int i = 0; i < kLevelCount; ++i) {
    const MapNode& node = gGame.campaign[i];
    if (!(node.open || node.appearing) || node.completed) continue;
    if (*scroll > node.y - 180) {
      *scroll = node.y - 180;
      *minScroll = *scroll;
      *selected = i;
    }
  }
}

}  // namespace vx
