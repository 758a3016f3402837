// Saved games: the input is a "game1.sav" file. It is read as it stands, and
// again with its digest made to match, so that the checks behind the digest
// (the record's contents) are reached too. A game that loads is saved into
// another slot and must read back the same.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "base/game_record.h"
#include "campaign/save_game.h"
#include "fuzz/fuzz_support.h"
#include "game/game_state.h"

namespace {

void ReadAndLoad() {
  using namespace vx;
  ReadSlot(0);
  SlotName(0);
  if (!LoadGame(0)) return;
  for (const ItemSlot& s : gGame.player.inventory)
    if (s.id >= kItemCount) __builtin_trap();
  if (!SaveGame(1, SlotName(0)) || !ReadSlot(1)) __builtin_trap();
  for (int i = 0; i < kLevelCount; ++i)
    if ((gSaveSlots[0].record.completed[i] != 0) != (gSaveSlots[1].record.completed[i] != 0))
      __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vx;
  fuzz::EnterScratchDir();
  g = GameRecord();
  gGame = GameState();
  std::snprintf(g.strings.EmptySlot, sizeof g.strings.EmptySlot, "%s", "empty");
  fuzz::WriteWholeFile("game1.sav", data, size);
  ReadAndLoad();
  if (size >= kSaveFileSize) {
    std::vector<uint8_t> fixed(data, data + size);
    Md5Digest(fixed.data() + kSaveDigestSize, kSaveRecordSize, fixed.data());
    fuzz::WriteWholeFile("game1.sav", fixed.data(), fixed.size());
    ReadAndLoad();
  }
  return 0;
}
