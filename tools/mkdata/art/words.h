// The words drawn into pictures (menu buttons, screen headers, labels), per
// language: data/texts/art.txt for English, data/texts/xx/art.txt for xx, one
// "Key = words" line each in UTF-8. A key the language lacks is drawn in
// English, with a note on standard error. Every word is measured where it is
// drawn; one that does not fit its place fails the picture set.
#pragma once

#include <cairo.h>

#include <map>
#include <set>
#include <string>

namespace vx::mkdata::art {

class PictureWords {
 public:
  // Reads the English words and those of LANGUAGE ("en" reads English only).
  explicit PictureWords(const std::string& language);
  const std::string& language() const { return language_; }
  // The words for KEY; a key that English lacks too fails the picture set.
  const std::string& operator[](const std::string& key) const;

 private:
  std::string language_;
  std::map<std::string, std::string> own_, english_;
  mutable std::set<std::string> noted_;  // keys already reported as drawn in English
};

// Whether TEXT, drawn in cr's current font, is at most WIDTH pixels wide; when
// not, a line naming PLACE goes to standard error and WordsFitted turns false.
bool CheckFits(cairo_t* cr, const std::string& text, double width, const std::string& place);
// Fails the picture set with LINE on standard error (a misfit CheckFits
// cannot measure alone).
void ReportMisfit(const std::string& line);
// True until a word was missing or did not fit.
bool WordsFitted();

// Letters spread for a tagline: one space between letters, three between
// words ("AB C" gives "A B   C"); UTF-8 letters stay whole.
std::string Spread(const std::string& text);

}  // namespace vx::mkdata::art
