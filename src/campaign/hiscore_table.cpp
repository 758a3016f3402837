#include "campaign/hiscore_table.h"

#include <cstdio>
#include <cstring>

#include "base/log.h"
#include "base/user_file.h"
#include "campaign/campaign_ui.h"
#include "resources/byte_order.h"
#include "resources/file_system.h"

namespace vx {

HiscoreEntry gHiscores[kHiscoreEntries];

namespace {
const char kHiscoreFile[] = "Velotrix.hsc";

void DropControlCharacters(char* name) {
  char* out = name;
  for (const char* in = name; *in; ++in)
    if (IsNameCharacter(static_cast<uint8_t>(*in))) *out++ = *in;
  *out = 0;
}
}  // namespace

void SetDefaultHiscores() {
  static const char* const kNames[kHiscoreEntries] = {
      "Hypercube", "Sphere", "Hemisphere", "Tor", "Cube",
      "Pyramid", "Triangle", "Plane", "Line", "Dot"};
  for (int i = 0; i < kHiscoreEntries; ++i) {
    gHiscores[i] = HiscoreEntry();
    std::snprintf(gHiscores[i].name, sizeof gHiscores[i].name, "%s", kNames[i]);
    gHiscores[i].score = 100000 - 10000 * i;
  }
}

void LoadHiscores() {
  SetDefaultHiscores();
  // Only what the table can use is read, however large the file.
  uint8_t data[kHiscoreFileSize];
  if (!ReadFileInto(kHiscoreFile, data, sizeof data, 0)) return;
  if (LastFileSize() != kHiscoreFileSize) {
    Log("Ignoring '%s': %u bytes instead of %d\n", kHiscoreFile, LastFileSize(),
        kHiscoreFileSize);
    return;
  }
  const uint8_t* p = data;
  for (HiscoreEntry& e : gHiscores) {
    std::memcpy(e.name, p, sizeof e.name);
    // Names are shown as text: one without its terminator is cut, and control
    // characters (a newline would leave the table) are dropped.
    e.name[sizeof e.name - 1] = 0;
    DropControlCharacters(e.name);
    e.score = GetI32(p + 20);
    p += kHiscoreEntrySize;
  }
}

int InsertHiscore(int32_t score) {
  // Nothing was earned: even a table of negative scores is not joined.
  if (score <= 0) return 0;
  int i = 0;
  while (i < kHiscoreEntries && gHiscores[i].score >= score) ++i;
  if (i == kHiscoreEntries) return 0;
  for (int k = kHiscoreEntries - 1; k > i; --k) gHiscores[k] = gHiscores[k - 1];
  gHiscores[i] = HiscoreEntry();
  gHiscores[i].score = score;
  return i + 1;
}

int SaveHiscores() {
  uint8_t bytes[kHiscoreFileSize] = {};
  uint8_t* p = bytes;
  for (const HiscoreEntry& e : gHiscores) {
    std::memcpy(p, e.name, sizeof e.name);
    PutU32(p + 20, static_cast<uint32_t>(e.score));
    p += kHiscoreEntrySize;
  }
  if (!WriteUserFile(kHiscoreFile, bytes, sizeof bytes)) {
    Log("Can't write '%s'\n", kHiscoreFile);
    return 0;
  }
  return 1;
}

}  // namespace vx
