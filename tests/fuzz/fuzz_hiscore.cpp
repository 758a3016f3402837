// The high-score file: the input is a "Velotrix.hsc". It is loaded, scores are
// inserted around its entries, the table is written and must read back as it
// was, and every name is drawn as the high-score screen draws it.
#include <cstdint>
#include <cstring>

#include "campaign/hiscore_table.h"
#include "fuzz/fuzz_support.h"
#include "graphics/text_font.h"
#include "resources/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vx;
  fuzz::EnterScratchDir();
  fuzz::WriteWholeFile("Velotrix.hsc", data, size);
  LoadHiscores();
  char16_t text[256];
  for (const HiscoreEntry& e : gHiscores) {
    if (std::memchr(e.name, 0, sizeof e.name) == nullptr) __builtin_trap();
    // The screen formats the converted name with no arguments.
    FormatWide(text, 256, ToWide(e.name, 866), nullptr, 0);
  }
  // Just above the middle entry, unless that already holds the largest score.
  const int32_t aboveMiddle = gHiscores[4].score == INT32_MAX ? INT32_MAX : gHiscores[4].score + 1;
  const int32_t candidates[] = {gHiscores[0].score, gHiscores[9].score, aboveMiddle, 0, -5, INT32_MAX};
  for (int32_t score : candidates) {
    const int at = InsertHiscore(score);
    if (at < 0 || at > kHiscoreEntries) __builtin_trap();
  }
  HiscoreEntry saved[kHiscoreEntries];
  std::memcpy(saved, gHiscores, sizeof saved);
  if (!SaveHiscores()) __builtin_trap();
  LoadHiscores();
  for (int i = 0; i < kHiscoreEntries; ++i)
    if (std::strcmp(saved[i].name, gHiscores[i].name) != 0 || saved[i].score != gHiscores[i].score)
      __builtin_trap();
  return 0;
}
