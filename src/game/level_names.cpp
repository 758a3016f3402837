#include "game/level_names.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/log.h"
#include "game/game_state.h"
#include "game/level_files.h"
#include "resources/file_system.h"
#include "resources/text_file.h"

namespace vx {

namespace {

const char kNamesFile[] = "LevelNames.txt";
const char kLevelSection[] = "Level data";

struct NameTable {
  bool loaded = false;
  LevelTitle titles[kLevelCount];
  bool fromHeader[kLevelCount] = {};  // the header was read for this level
};

NameTable& Table() {
  static NameTable table;
  return table;
}

void CopyCut(char* dest, size_t capacity, const char* from, size_t length) {
  if (length > capacity - 1) length = capacity - 1;
  std::memcpy(dest, from, length);
  dest[length] = 0;
}

// "Key = value" with the key exactly KEY: the value, trimmed, else null.
const char* ValueOf(const char* line, size_t length, const char* key, size_t* valueLength) {
  const size_t keyLength = std::strlen(key);
  if (length < keyLength || std::strncmp(line, key, keyLength) != 0) return nullptr;
  size_t i = keyLength;
  while (i < length && line[i] == ' ') ++i;
  if (i == length || line[i] != '=') return nullptr;
  ++i;
  while (i < length && line[i] == ' ') ++i;
  size_t end = length;
  while (end > i && (line[end - 1] == ' ' || line[end - 1] == '\r')) --end;
  *valueLength = end - i;
  return line + i;
}

// The N of "[Level N]", else 0.
int SectionNumber(const char* line, size_t length) {
  while (length > 0 && (line[length - 1] == ' ' || line[length - 1] == '\r')) --length;
  const char kOpen[] = "[Level ";
  const size_t open = sizeof kOpen - 1;
  if (length < open + 2 || std::strncmp(line, kOpen, open) != 0 || line[length - 1] != ']')
    return 0;
  int n = 0;
  for (size_t i = open; i + 1 < length; ++i) {
    if (line[i] < '0' || line[i] > '9' || n > 100000) return 0;
    n = n * 10 + (line[i] - '0');
  }
  return n;
}

void ReadLine(const char* line, size_t length, LevelTitle* titles, int levels, int* current) {
  if (length > 0 && line[0] == '[') {
    const int n = SectionNumber(line, length);
    *current = n >= 1 && n <= levels ? n : 0;
    return;
  }
  if (*current == 0) return;
  LevelTitle& t = titles[*current - 1];
  size_t valueLength = 0;
  if (const char* v = ValueOf(line, length, "Name", &valueLength); v && valueLength > 0) {
    CopyCut(t.name, sizeof t.name, v, valueLength);
    t.hasName = true;
  } else if (const char* w = ValueOf(line, length, "Text", &valueLength); w && valueLength > 0) {
    CopyCut(t.text, sizeof t.text, w, valueLength);
    t.hasText = true;
  }
}

void ParseFile(FileBuffer data, LevelTitle* titles) {
  if (!data) return;
  ParseLevelNames(reinterpret_cast<const char*>(data.get()), LastFileSize(), titles, kLevelCount);
}

// What the level's header says, for a level neither copy names.
void ReadHeader(int level, LevelTitle* t) {
  char file[64];
  LevelFileName(level, file, sizeof file);
  TextFile header(file);
  if (!t->hasName) header.GetString(kLevelSection, "Name", "", t->name, sizeof t->name);
  if (!t->hasText) header.GetString(kLevelSection, "Text", "", t->text, sizeof t->text);
}

void Load() {
  NameTable& table = Table();
  table = NameTable();
  table.loaded = true;
  LevelTitle english[kLevelCount];
  // The chosen language's copy (the English one when it has none), then the
  // English copy alone, for the levels the first lacks.
  ParseFile(ReadWholeFile(kNamesFile), table.titles);
  ParseFile(ReadFallbackFile(kNamesFile), english);
  int borrowed = 0;
  for (int i = 0; i < kLevelCount; ++i) {
    LevelTitle& t = table.titles[i];
    if ((!t.hasName && english[i].hasName) || (!t.hasText && english[i].hasText)) ++borrowed;
    if (!t.hasName && english[i].hasName) {
      std::memcpy(t.name, english[i].name, sizeof t.name);
      t.hasName = true;
    }
    if (!t.hasText && english[i].hasText) {
      std::memcpy(t.text, english[i].text, sizeof t.text);
      t.hasText = true;
    }
  }
  if (borrowed)
    Log("%d level names or descriptions are missing from the chosen language; English used\n",
        borrowed);
}

const LevelTitle* Title(int level) {
  if (level < 1 || level > kLevelCount) return nullptr;
  NameTable& table = Table();
  if (!table.loaded) Load();
  LevelTitle& t = table.titles[level - 1];
  if ((!t.hasName || !t.hasText) && !table.fromHeader[level - 1]) {
    table.fromHeader[level - 1] = true;
    ReadHeader(level, &t);
  }
  return &t;
}

}  // namespace

void ParseLevelNames(const char* text, size_t size, LevelTitle* titles, int levels) {
  if (!text || !titles) return;
  int current = 0;
  for (size_t start = 0; start < size;) {
    const void* found = std::memchr(text + start, '\n', size - start);
    const size_t end = found ? static_cast<size_t>(static_cast<const char*>(found) - text) : size;
    ReadLine(text + start, end - start, titles, levels, &current);
    start = end + 1;
  }
}

void LoadLevelNames() { Table().loaded = false; }

const LevelTitle& LevelTitleAt(int level) {
  static const LevelTitle kNone;
  const LevelTitle* t = Title(level);
  return t ? *t : kNone;
}

const char* LevelName(int level) {
  const LevelTitle* t = Title(level);
  return t ? t->name : "";
}

const char* LevelDescription(int level) {
  const LevelTitle* t = Title(level);
  return t ? t->text : "";
}

}  // namespace vx
