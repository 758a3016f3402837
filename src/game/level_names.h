// The names and descriptions of the levels in the language in use, for the
// world map. They come from "LevelNames.txt" of the language archive (code
// page 866; a section "[Level N]" per level with "Name" and "Text"), from the
// English copy behind it for a level the language lacks (with a log line), and
// from the level header's own Name and Text when neither copy has the level.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vx {

constexpr int kLevelNameSize = 64;
constexpr int kLevelTextSize = 256;

struct LevelTitle {
  char name[kLevelNameSize] = {};
  char text[kLevelTextSize] = {};
  bool hasName = false, hasText = false;
};

// Reads the [Level N] sections of a names file (N from 1 to kLevels) into
// titles[N - 1]; lines it cannot read are skipped. Exact section names, so a
// file that lacks [Level 1] never lends level 1 the name of level 10.
void ParseLevelNames(const char* text, size_t size, LevelTitle* titles, int levels);

// Forgets the names read so far; the next question reads them in the language
// then in use (start-up and every change of language).
void LoadLevelNames();
// Level n's name and description (n from 1 to 100); empty for other numbers.
const LevelTitle& LevelTitleAt(int level);
const char* LevelName(int level);
const char* LevelDescription(int level);

}  // namespace vx
