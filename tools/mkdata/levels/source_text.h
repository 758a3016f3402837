// Small helpers for reading the hand-written sources line by line.
#pragma once

#include <string>
#include <vector>

namespace vx::mkdata {

struct TextLine {
  int number;  // 1-based
  std::string text;  // without line end or carriage return
};

std::vector<TextLine> SplitLines(const std::string& text);
std::string Trim(const std::string& s);
std::vector<std::string> Words(const std::string& s);
// Whole-string decimal integer; false for anything else.
bool ParseInt(const std::string& s, int* value);
// A line that holds nothing or a comment ("# ...") outside a drawing block.
bool IsBlankOrComment(const std::string& line);
std::string Where(const std::string& file, int line);

}  // namespace vx::mkdata
