// The table of the ten best scores, kept in "Velotrix.hsc" (240 bytes: ten
// entries of a 20-byte name and a little-endian score, best first).
#pragma once

#include <cstdint>

namespace vx {

struct HiscoreEntry {
  char name[20] = {};
  int32_t score = 0;
};

constexpr int kHiscoreEntries = 10;
constexpr int kHiscoreEntrySize = 24;
constexpr int kHiscoreFileSize = kHiscoreEntries * kHiscoreEntrySize;
constexpr int kHiscoreNameLength = 11;  // characters the player may type

extern HiscoreEntry gHiscores[kHiscoreEntries];

void SetDefaultHiscores();
// Reads the file; a missing file or one of the wrong size gives the defaults.
void LoadHiscores();
// Puts score into the table below every entry it does not beat, with an empty
// name. Returns its position 1..10, or 0 when it does not enter.
int InsertHiscore(int32_t score);
// Replaces the file with the table; 1 on success (the old file stays otherwise).
int SaveHiscores();

}  // namespace vx
