#include "texts/text_rules.h"

#include <iconv.h>

#include <cerrno>

#include "levels/source_text.h"

namespace vx::mkdata {

bool ToCodePage(const std::string& utf8, int codePage, std::string* out, std::string* error) {
  const char* target = codePage == 866 ? "CP866" : "CP1251";
  iconv_t cd = iconv_open(target, "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    *error = std::string("iconv cannot convert to ") + target;
    return false;
  }
  out->clear();
  std::string in = utf8;
  char* src = in.data();
  size_t left = in.size();
  char buf[4096];
  bool ok = true;
  while (left > 0) {
    char* dst = buf;
    size_t room = sizeof buf;
    size_t r = iconv(cd, &src, &left, &dst, &room);
    out->append(buf, dst - buf);
    if (r == static_cast<size_t>(-1) && errno != E2BIG) {
      *error = std::string("a character at byte ") + std::to_string(in.size() - left) + " has no place in " + target;
      ok = false;
      break;
    }
  }
  iconv_close(cd);
  return ok;
}

std::vector<KeyLine> SectionLines(const std::string& text, const std::string& section) {
  std::vector<KeyLine> result;
  bool inside = false;
  for (const TextLine& l : SplitLines(text)) {
    if (!inside) {
      inside = l.text.find(section) == 1;
      continue;
    }
    if (!l.text.empty() && l.text[0] == '[') break;
    size_t eq = l.text.find('=');
    if (eq == std::string::npos)
      result.push_back({"", "", l.number, l.text});
    else
      result.push_back({Trim(l.text.substr(0, eq)), Trim(l.text.substr(eq + 1)), l.number, l.text});
  }
  return result;
}

bool KeyFoundOnOwnLine(const std::vector<KeyLine>& lines, const std::string& key) {
  for (const KeyLine& l : lines) {
    size_t at = l.raw.find(key);
    if (at == std::string::npos) continue;
    size_t eq = l.raw.find('=');
    if (eq == std::string::npos) return false;  // the reader gives up here
    if (eq > at) return l.key == key;
  }
  return false;
}

bool CheckDrawableText(const std::string& text, bool allowTags, std::string* error) {
  int line = 1;
  size_t length = 0;
  for (char ch : text) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c == '\n') {
      ++line;
      length = 0;
      continue;
    }
    if (++length > 255) {
      *error = "line " + std::to_string(line) + " is longer than 255 characters";
      return false;
    }
    if (c == '%' || (c == '<' && !allowTags) || (c < 32 && c != '\t')) {
      *error = "line " + std::to_string(line) + " holds a character that the text drawer would misread";
      return false;
    }
  }
  return true;
}

}  // namespace vx::mkdata
