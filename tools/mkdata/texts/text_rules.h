// Checks and conversions for the game's texts: the sectioned files are read by
// substring search, drawn through printf-style formatting and held in 8-bit
// code pages, and each of these leaves rules for whoever writes them.
#pragma once

#include <string>
#include <vector>

namespace vx::mkdata {

// Converts UTF-8 to code page 866 or 1251. False (with *error set) when a
// character has no place in that code page.
bool ToCodePage(const std::string& utf8, int codePage, std::string* out, std::string* error);

// The lines of one section: key (text before the first '=', trimmed; empty on a
// line without '=') and value (text after it, trimmed), in file order. Empty
// when the section is absent.
struct KeyLine {
  std::string key;
  std::string value;
  int line;  // 1-based in the file
  std::string raw;
};
std::vector<KeyLine> SectionLines(const std::string& text, const std::string& section);

// True when asking the reader for KEY lands on KEY's own line: the reader takes
// the first line of the section that holds KEY before its '='.
bool KeyFoundOnOwnLine(const std::vector<KeyLine>& lines, const std::string& key);

// Rejects '%' (the renderer formats texts twice) and '<' (colour tags) unless
// allowed, control characters, and lines over 255 characters.
bool CheckDrawableText(const std::string& text, bool allowTags, std::string* error);

}  // namespace vx::mkdata
