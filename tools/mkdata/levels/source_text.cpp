#include "levels/source_text.h"

#include <cctype>
#include <climits>
#include <cstdlib>

namespace vx::mkdata {

std::vector<TextLine> SplitLines(const std::string& text) {
  std::vector<TextLine> lines;
  std::string current;
  int number = 1;
  for (char c : text) {
    if (c == '\r') continue;
    if (c == '\n') {
      lines.push_back({number++, current});
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) lines.push_back({number, current});
  return lines;
}

std::string Trim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
  return s.substr(b, e - b);
}

std::vector<std::string> Words(const std::string& s) {
  std::vector<std::string> words;
  std::string w;
  for (char c : s) {
    if (std::isspace(static_cast<unsigned char>(c))) {
      if (!w.empty()) words.push_back(w);
      w.clear();
    } else {
      w += c;
    }
  }
  if (!w.empty()) words.push_back(w);
  return words;
}

bool ParseInt(const std::string& s, int* value) {
  if (s.empty() || s.size() > 9) return false;
  size_t i = (s[0] == '-' || s[0] == '+') ? 1 : 0;
  if (i == s.size()) return false;
  for (size_t k = i; k < s.size(); ++k)
    if (!std::isdigit(static_cast<unsigned char>(s[k]))) return false;
  *value = std::atoi(s.c_str());
  return true;
}

bool IsBlankOrComment(const std::string& line) {
  std::string t = Trim(line);
  return t.empty() || t[0] == '#';
}

std::string Where(const std::string& file, int line) {
  return file + ":" + std::to_string(line) + ": ";
}

}  // namespace vx::mkdata
