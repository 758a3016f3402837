// Reader of the sectioned text format ("[Section]" lines, "key = value" lines)
// used by settings, strings, levels, items, tile sets, sprite sheets and the map.
#pragma once

#include <cstdint>

#include "resources/file_system.h"

namespace vx {

class TextFile {
 public:
  TextFile() = default;
  explicit TextFile(const char* fileName) { Open(fileName); }
  bool Open(const char* fileName);
  // Uses text already in memory (it is copied).
  bool OpenFromMemory(const char* text, uint32_t size);
  // The copy of FILENAME in the fallback sources (ReadFallbackFile).
  bool OpenFallback(const char* fileName);
  bool IsOpen() const { return text_ != nullptr; }

  bool SelectSection(const char* name);
  bool FindSection(const char* name);
  int GetString(const char* section, const char* key, const char* def, char* dest, int capacity);
  int GetInt(const char* section, const char* key, int def);
  float GetFloat(const char* section, const char* key, float def);
  // Whether KEY has a value in SECTION (what GetString would find).
  bool HasKey(const char* section, const char* key);

 private:
  const char* ReadLine();
  bool FindKey(const char* section, const char* key, const char** value);

  char section_[64] = {};
  const char* cursor_ = nullptr;
  char line_[256] = {};
  FileBuffer text_;
};

// A text of the language archives read key by key: a key that the chosen
// language's copy lacks comes from the English copy behind it (the fallback
// source), with a log line, instead of coming out empty. Without a fallback
// source it reads like a TextFile.
class LanguageTextFile {
 public:
  explicit LanguageTextFile(const char* fileName);
  bool IsOpen() const { return chosen_.IsOpen() || english_.IsOpen(); }
  bool HasSection(const char* section);
  int GetString(const char* section, const char* key, const char* def, char* dest, int capacity);
  int GetInt(const char* section, const char* key, int def);

 private:
  // The copy that holds the key, or null.
  TextFile* Holder(const char* section, const char* key);

  TextFile chosen_, english_;
  char name_[64] = {};
};

// Formats TEXT printf-style with no arguments, then converts it with code page
// 866 or 1251 to UTF-16. The result lives until the next call.
const char16_t* ToWide(const char* text, int codePage);
// Zero-extends each byte of plain ASCII text.
void Widen(const char* text, char16_t* dest);

}  // namespace vx
