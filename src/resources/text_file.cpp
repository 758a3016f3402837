#include "resources/text_file.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "base/log.h"

namespace vx {

namespace {

// The reader's idea of blanks: only the space character.
const char* SkipSpaces(const char* p) {
  while (*p == ' ') ++p;
  return p;
}

void CopyCut(char* dest, int capacity, const char* src) {
  size_t length = std::strlen(src);
  if (length > size_t(capacity - 1)) length = size_t(capacity - 1);
  std::memcpy(dest, src, length);
  dest[length] = 0;
}

}  // namespace

bool TextFile::Open(const char* fileName) {
  text_ = ReadWholeFile(fileName);
  cursor_ = text_ ? reinterpret_cast<const char*>(text_.get()) : nullptr;
  return IsOpen();
}

bool TextFile::OpenFromMemory(const char* text, uint32_t size) {
  text_.reset(new (std::nothrow) uint8_t[size_t(size) + 2]);
  if (!text_) return false;
  if (size) std::memcpy(text_.get(), text, size);
  text_[size] = 0;
  text_[size + 1] = 0;
  cursor_ = reinterpret_cast<const char*>(text_.get());
  return true;
}

bool TextFile::OpenFallback(const char* fileName) {
  text_ = ReadFallbackFile(fileName);
  cursor_ = text_ ? reinterpret_cast<const char*>(text_.get()) : nullptr;
  return IsOpen();
}

const char* TextFile::ReadLine() {
  line_[0] = 0;
  if (!cursor_) return nullptr;
  size_t length = 0;
  const char* p = cursor_;
  // A line longer than the buffer is cut; the rest of it is skipped.
  for (; *p && *p != '\n'; ++p)
    if (*p != '\r' && length < sizeof line_ - 1) line_[length++] = *p;
  line_[length] = 0;
  cursor_ = *p == '\n' ? p + 1 : nullptr;
  return line_;
}

bool TextFile::FindSection(const char* name) {
  if (!text_ || !name) return false;
  cursor_ = reinterpret_cast<const char*>(text_.get());
  while (const char* line = ReadLine())
    if (std::strstr(line, name) && std::strchr(line, '[') && std::strchr(line, ']')) return true;
  return false;
}

bool TextFile::SelectSection(const char* name) {
  if (!name) return false;
  CopyCut(section_, sizeof section_, name);
  return FindSection(section_);
}

bool TextFile::FindKey(const char* section, const char* key, const char** value) {
  if (!text_ || !key) return false;
  cursor_ = reinterpret_cast<const char*>(text_.get());
  bool inside = false;
  while (const char* line = ReadLine()) {
    if (!inside) {
      inside = std::strstr(line, section) == line + 1;
      continue;
    }
    if (line[0] == '[') return false;
    const char* at = std::strstr(line, key);
    if (!at) continue;
    const char* equals = std::strchr(line, '=');
    if (!equals) return false;
    if (equals <= at) continue;
    const char* start = SkipSpaces(equals + 1);
    if (!*start) return false;
    *value = start;
    return true;
  }
  return false;
}

bool TextFile::HasKey(const char* section, const char* key) {
  if (section) SelectSection(section);
  const char* value = nullptr;
  return FindKey(section_, key, &value);
}

int TextFile::GetString(const char* section, const char* key, const char* def, char* dest, int capacity) {
  if (!dest || capacity <= 0) return 0;
  if (section) SelectSection(section);
  const char* value = nullptr;
  if (!FindKey(section_, key, &value)) {
    CopyCut(dest, capacity, def ? def : "");
    return int(std::strlen(dest));
  }
  CopyCut(dest, capacity, value);
  size_t length = std::strlen(dest);
  while (length > 0 && dest[length - 1] == ' ') dest[--length] = 0;
  return int(length);
}

int TextFile::GetInt(const char* section, const char* key, int def) {
  if (section) SelectSection(section);
  const char* value = nullptr;
  if (!FindKey(section_, key, &value)) return def;
  const char* p = value;
  while (*p == ' ' || *p == '\t') ++p;
  bool negative = *p == '-';
  if (*p == '-' || *p == '+') ++p;
  // Saturates instead of overflowing on absurdly long digit runs.
  long long n = 0;
  for (; *p >= '0' && *p <= '9'; ++p)
    if (n <= 2147483648LL) n = n * 10 + (*p - '0');
  if (negative) n = -n;
  if (n > 2147483647LL) n = 2147483647LL;
  if (n < -2147483648LL) n = -2147483648LL;
  return int(n);
}

float TextFile::GetFloat(const char* section, const char* key, float def) {
  if (section) SelectSection(section);
  const char* value = nullptr;
  if (!FindKey(section_, key, &value)) return def;
  return std::strtof(value, nullptr);
}

}  // namespace vx

namespace vx {

LanguageTextFile::LanguageTextFile(const char* fileName) {
  chosen_.Open(fileName);
  english_.OpenFallback(fileName);
  CopyCut(name_, sizeof name_, fileName ? fileName : "");
}

bool LanguageTextFile::HasSection(const char* section) {
  return chosen_.SelectSection(section) || english_.SelectSection(section);
}

TextFile* LanguageTextFile::Holder(const char* section, const char* key) {
  if (chosen_.HasKey(section, key)) return &chosen_;
  if (!english_.HasKey(section, key)) return nullptr;
  Log("'%s' in [%s] of %s is missing from the chosen language; English used\n", key, section,
      name_);
  return &english_;
}

int LanguageTextFile::GetString(const char* section, const char* key, const char* def, char* dest,
                                int capacity) {
  TextFile* from = Holder(section, key);
  return from ? from->GetString(section, key, def, dest, capacity)
              : chosen_.GetString(section, key, def, dest, capacity);
}

int LanguageTextFile::GetInt(const char* section, const char* key, int def) {
  TextFile* from = Holder(section, key);
  return from ? from->GetInt(section, key, def) : def;
}

}  // namespace vx
