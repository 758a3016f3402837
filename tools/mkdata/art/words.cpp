#include "art/words.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <mutex>

#include "levels/data_sources.h"
#include "levels/source_text.h"
#include "mkdata.h"

namespace vx::mkdata::art {

namespace {

std::atomic<bool> gFitted{true};
std::mutex gReportMutex;

void Report(const std::string& line) {
  std::lock_guard<std::mutex> lock(gReportMutex);
  std::fprintf(stderr, "art: %s\n", line.c_str());
}

std::map<std::string, std::string> ReadWords(const std::string& path) {
  std::map<std::string, std::string> words;
  std::string text;
  if (!FindSource(path, &text)) return words;
  for (const TextLine& line : SplitLines(text)) {
    if (IsBlankOrComment(line.text)) continue;
    const size_t eq = line.text.find('=');
    if (eq == std::string::npos) {
      Report("data/" + path + ":" + std::to_string(line.number) + ": expected \"Key = words\"");
      gFitted = false;
      continue;
    }
    words[Trim(line.text.substr(0, eq))] = Trim(line.text.substr(eq + 1));
  }
  return words;
}

}  // namespace

PictureWords::PictureWords(const std::string& language)
    : language_(language), english_(ReadWords(TextFolder("en") + "/art.txt")) {
  if (language != "en") own_ = ReadWords(TextFolder(language) + "/art.txt");
}

const std::string& PictureWords::operator[](const std::string& key) const {
  static const std::string kNone;
  auto own = own_.find(key);
  if (own != own_.end() && !own->second.empty()) return own->second;
  auto english = english_.find(key);
  if (english == english_.end()) {
    Report("data/texts/art.txt has no " + key);
    gFitted = false;
    return kNone;
  }
  if (language_ != "en" && noted_.insert(key).second)
    Report("note: data/" + TextFolder(language_) + "/art.txt has no " + key + "; drawn in English");
  return english->second;
}

bool CheckFits(cairo_t* cr, const std::string& text, double width, const std::string& place) {
  cairo_text_extents_t e;
  cairo_text_extents(cr, text.c_str(), &e);
  // The ink and the pen's advance: a word must leave its place by neither.
  const double used = std::max(e.x_advance, e.x_bearing + e.width) - std::min(0.0, e.x_bearing);
  if (used <= width) return true;
  char line[512];
  std::snprintf(line, sizeof line, "'%s' (%s) is %.0f px wide; its place holds %.0f", text.c_str(),
                place.c_str(), used, width);
  Report(line);
  gFitted = false;
  return false;
}

void ReportMisfit(const std::string& line) {
  Report(line);
  gFitted = false;
}

bool WordsFitted() { return gFitted; }

std::string Spread(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size();) {
    size_t length = 1;
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0xf0) length = 4;
    else if (c >= 0xe0) length = 3;
    else if (c >= 0xc0) length = 2;
    if (!out.empty()) out += text[i] == ' ' ? "  " : " ";
    if (text[i] != ' ') out += text.substr(i, length);
    i += length;
  }
  return out;
}

}  // namespace vx::mkdata::art
