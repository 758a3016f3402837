// Generator "texts": for every language, the string table, the item names and
// descriptions, the help pages, the closing story and (for the languages other
// than English, whose names come with the levels) the level names, from the
// UTF-8 sources under data/texts/ (English) and data/texts/xx/, converted to
// the code pages the screens read them in, into the language's tree.
//
// English is complete by rule: a fault or a gap there fails the build. Another
// language may lack any text; the game then shows the English one and says so
// in its log, and the generator names the gap on its standard error.
#include <cstdio>
#include <cstdlib>
#include <map>

#include "base/item_catalogue.h"
#include "levels/data_sources.h"
#include "levels/source_text.h"
#include "mkdata.h"
#include "texts/text_rules.h"

namespace vx::mkdata {

namespace {

const char* const kStringKeys[] = {
    "PressKey", "Loading",  "Donthave1", "Donthave2",  "Descript", "ActiveTime", "SellPrice",
    "BuyPrice", "Exchange", "Instant",   "EmptySlot",  "Pause",    "ExitToMenu", "Failed",
    "Complete", "Version",  "Page",      "Level",      "Closelevel", "Node1",    "Node2",
    "Node3",    "Node4",    "Credits",   "Points",     "Continue", "BossBeaten", "Language",
    "Saved",    "SaveFailed"};

// The item sections in id order, from the one catalogue.
std::vector<const char*> ItemSections() {
  std::vector<const char*> sections;
  for (int id = 1; id < kItemCount; ++id) sections.push_back(ItemSection(id));
  return sections;
}

// The screens read pages and the story into 1024-byte buffers that must still
// hold a terminating zero.
constexpr size_t kPageLimit = 1023;
constexpr int kLevels = 100;

// One language's sources and output.
struct Language {
  std::string code;    // "en", "ru"
  std::string folder;  // "texts" or "texts/ru", below data/
  std::string root;    // "LANG" or "ru/LANG", below OUT
  bool english() const { return code == "en"; }
};

bool Fail(const Language& lang, const std::string& file, const std::string& msg) {
  std::fprintf(stderr, "texts: data/%s/%s: %s\n", lang.folder.c_str(), file.c_str(), msg.c_str());
  return false;
}

// A gap in a translation: the game fills it with English.
void Note(const Language& lang, const std::string& file, const std::string& msg) {
  std::fprintf(stderr, "texts: note: data/%s/%s: %s; the game shows English there\n",
               lang.folder.c_str(), file.c_str(), msg.c_str());
}

// False with *missing set when the source is absent (no message then).
bool Convert(const Language& lang, const std::string& file, int codePage, std::string* out,
             bool* missing = nullptr) {
  std::string src, error;
  if (!FindSource(lang.folder + "/" + file, &src)) {
    if (missing) *missing = true;
    return missing ? false : Fail(lang, file, "missing");
  }
  if (!ToCodePage(src, codePage, out, &error)) return Fail(lang, file, error);
  return true;
}

// Reads FILE when a language other than English may go without it: true with
// *text empty when it is absent there.
bool ConvertOptional(const Language& lang, const std::string& file, int codePage, std::string* text) {
  bool missing = false;
  text->clear();
  if (Convert(lang, file, codePage, text, lang.english() ? nullptr : &missing)) return true;
  if (!missing) return false;
  Note(lang, file, "missing");
  return true;
}

bool StringsFile(const std::string& outDir, const Language& lang) {
  std::string text, error;
  if (!ConvertOptional(lang, "Strings.txt", 866, &text)) return false;
  if (text.empty()) return true;
  std::vector<KeyLine> lines = SectionLines(text, "All strings");
  for (const char* key : kStringKeys) {
    if (!KeyFoundOnOwnLine(lines, key)) {
      if (lang.english()) return Fail(lang, "Strings.txt", std::string("key ") + key + " is not found on its own line");
      Note(lang, "Strings.txt", std::string("no key ") + key);
      continue;
    }
    for (const KeyLine& l : lines) {
      if (l.key != key) continue;
      if (l.value.empty() || l.value.size() > 63) return Fail(lang, "Strings.txt", std::string(key) + " must hold 1 to 63 characters");
      std::string value = l.value;
      // The shop formats "Exchange" with the price; one integer, nothing else.
      if (l.key == "Exchange") {
        size_t at = value.find("%d");
        if (at == std::string::npos) return Fail(lang, "Strings.txt", "Exchange needs one %d");
        value.erase(at, 2);
      }
      if (!CheckDrawableText(value, false, &error)) return Fail(lang, "Strings.txt", std::string(key) + ": " + error);
      break;
    }
  }
  // The game finds a key anywhere before a line's "=", first line first: a
  // key that an earlier line's key contains would read that line's text.
  for (const KeyLine& l : lines)
    if (!l.key.empty() && !KeyFoundOnOwnLine(lines, l.key))
      return Fail(lang, "Strings.txt", "key " + l.key + " is found first inside another line's key");
  return WriteText(outDir, lang.root + "/Strings.txt", text);
}

bool IsRule(const std::string& key) { return key == "Price" || key == "Active time" || key == "Requires"; }

bool CheckItemLine(const Language& lang, const char* section, const KeyLine& l) {
  std::string error;
  size_t limit = l.key == "Name" ? 31 : l.key == "Description" ? 127 : l.key == "Requires" ? 63 : 5;
  if (l.value.size() > limit) return Fail(lang, "Items.txt", std::string(section) + ": " + l.key + " is too long");
  if (!CheckDrawableText(l.value, false, &error)) return Fail(lang, "Items.txt", std::string(section) + ": " + error);
  if (l.key == "Price" || l.key == "Active time") {
    int n = 0;
    if (!ParseInt(l.value, &n) || n < 1 || n > 65535) return Fail(lang, "Items.txt", std::string(section) + ": " + l.key + " must be 1..65535");
  }
  if (l.key == "Requires") {
    std::string piece;
    for (char c : l.value + ",") {
      if (c != ',') {
        piece += c;
        continue;
      }
      int n = 0;
      if (!ParseInt(Trim(piece), &n) || n < 1 || n > 100) return Fail(lang, "Items.txt", std::string(section) + ": Requires lists level numbers 1..100");
      piece.clear();
    }
  }
  return true;
}

// Sections are found by the first header line that contains their name, so
// they stand in id order ([ITEM_BALL] before [ITEM_BALL_ATTRACTOR]).
bool CheckItemOrder(const Language& lang, const std::string& text, bool requireAll) {
  size_t lastHeader = 0;
  for (const char* section : ItemSections()) {
    size_t at = text.find(std::string("[") + section + "]");
    if (at == std::string::npos) {
      if (requireAll) return Fail(lang, "Items.txt", std::string("section ") + section + " is missing");
      continue;
    }
    if (at < lastHeader) return Fail(lang, "Items.txt", std::string("section ") + section + " is out of id order");
    lastHeader = at;
  }
  return true;
}

bool CheckEnglishItems(const Language& lang, const std::string& text) {
  if (!CheckItemOrder(lang, text, true)) return false;
  for (const char* section : ItemSections()) {
    std::vector<KeyLine> lines = SectionLines(text, section);
    for (const char* key : {"Active time", "Price", "Name", "Description"})
      if (!KeyFoundOnOwnLine(lines, key)) return Fail(lang, "Items.txt", std::string(section) + " lacks " + key);
    for (const KeyLine& l : lines)
      if (!l.key.empty() && !CheckItemLine(lang, section, l)) return false;
  }
  return true;
}

// A language's catalogue: its own names and descriptions over the English
// file's rules (prices, times, requirements), which belong to the game and so
// are the same in every language.
bool TranslatedItems(const Language& lang, const std::string& english, const std::string& own,
                     std::string* out) {
  if (!CheckItemOrder(lang, own, false)) return false;
  out->clear();
  for (const char* section : ItemSections()) {
    std::map<std::string, std::string> mine;
    for (const KeyLine& l : SectionLines(own, section)) {
      if (l.key.empty()) continue;
      if (!CheckItemLine(lang, section, l)) return false;
      mine[l.key] = l.value;
    }
    *out += std::string(out->empty() ? "" : "\n") + "[" + section + "]\n";
    for (const KeyLine& l : SectionLines(english, section)) {
      if (l.key.empty()) continue;
      auto it = mine.find(l.key);
      if (IsRule(l.key)) {
        if (it != mine.end() && it->second != l.value)
          return Fail(lang, "Items.txt", std::string(section) + ": " + l.key + " differs from English; the game's rules are set in data/texts/Items.txt");
        *out += l.key + " = " + l.value + "\n";
      } else if (it != mine.end()) {
        *out += l.key + " = " + it->second + "\n";
      } else {
        Note(lang, "Items.txt", std::string(section) + " has no " + l.key);
      }
    }
  }
  return true;
}

bool ItemsFile(const std::string& outDir, const Language& lang) {
  static const Language kEnglish{"en", "texts", "LANG"};
  std::string english, own;
  if (!Convert(kEnglish, "Items.txt", 1251, &english) || !CheckEnglishItems(kEnglish, english)) return false;
  if (lang.english()) return WriteText(outDir, lang.root + "/Items.txt", english);
  if (!ConvertOptional(lang, "Items.txt", 1251, &own)) return false;
  if (own.empty()) return true;
  std::string text;
  return TranslatedItems(lang, english, own, &text) && WriteText(outDir, lang.root + "/Items.txt", text);
}

bool PageFile(const std::string& outDir, const Language& lang, const std::string& source,
              const std::string& target, int codePage) {
  std::string text, error;
  if (!ConvertOptional(lang, source, codePage, &text)) return false;
  if (text.empty()) return true;
  if (text.size() > kPageLimit) return Fail(lang, source, "longer than " + std::to_string(kPageLimit) + " bytes");
  if (!CheckDrawableText(text, true, &error)) return Fail(lang, source, error);
  return WriteText(outDir, lang.root + "/" + target, text);
}

// "levels.txt": for each level a line "level N", then "name ..." and "text
// ..."; written as LevelNames.txt, a "[Level N]" section each.
bool LevelNamesFile(const std::string& outDir, const Language& lang) {
  std::string text, error;
  if (!ConvertOptional(lang, "levels.txt", 866, &text)) return false;
  if (text.empty()) return true;
  std::map<int, std::pair<std::string, std::string>> levels;
  int current = 0;
  for (const TextLine& line : SplitLines(text)) {
    const std::string t = Trim(line.text);
    if (IsBlankOrComment(t)) continue;
    const size_t space = t.find(' ');
    const std::string word = t.substr(0, space), rest = space == std::string::npos ? "" : Trim(t.substr(space));
    const std::string where = "line " + std::to_string(line.number);
    if (word == "level") {
      if (!ParseInt(rest, &current) || current < 1 || current > kLevels || levels.count(current))
        return Fail(lang, "levels.txt", where + ": a level number 1..100 that has not come before");
      levels[current];
      continue;
    }
    if ((word != "name" && word != "text") || current == 0)
      return Fail(lang, "levels.txt", where + ": expected \"level N\", \"name ...\" or \"text ...\"");
    const size_t limit = word == "name" ? 63 : 240;
    if (rest.empty() || rest.size() > limit)
      return Fail(lang, "levels.txt", where + ": the " + word + " must hold 1 to " + std::to_string(limit) + " characters");
    if (!CheckDrawableText(rest, false, &error) || rest.find_first_of("[]") != std::string::npos)
      return Fail(lang, "levels.txt", where + ": a character the names file cannot carry");
    (word == "name" ? levels[current].first : levels[current].second) = rest;
  }
  std::string out;
  int gaps = 0;
  for (int n = 1; n <= kLevels; ++n) {
    auto it = levels.find(n);
    if (it == levels.end() || it->second.first.empty() || it->second.second.empty()) ++gaps;
    if (it == levels.end()) continue;
    out += "[Level " + std::to_string(n) + "]\n";
    if (!it->second.first.empty()) out += "Name = " + it->second.first + "\n";
    if (!it->second.second.empty()) out += "Text = " + it->second.second + "\n";
    out += "\n";
  }
  if (gaps) Note(lang, "levels.txt", std::to_string(gaps) + " levels lack a name or a text");
  return WriteText(outDir, lang.root + "/LevelNames.txt", out);
}

bool LanguageTexts(const std::string& outDir, const Language& lang) {
  bool ok = StringsFile(outDir, lang) && ItemsFile(outDir, lang);
  for (int i = 0; ok && i < 4; ++i) {
    std::string n = std::to_string(i);
    ok = PageFile(outDir, lang, "help" + n + ".txt", "help/help" + n + ".txt", 1251);
  }
  ok = ok && PageFile(outDir, lang, "happy.txt", "happy.txt", 866);
  // English level names come with the levels (the levels generator).
  return ok && (lang.english() || LevelNamesFile(outDir, lang));
}

bool GenerateTexts(const std::string& outDir) {
  bool ok = true;
  for (const std::string& code : Languages())
    ok = LanguageTexts(outDir, Language{code, TextFolder(code), LangRoot(code)}) && ok;
  return ok;
}

}  // namespace

VX_MKDATA_GENERATOR(texts, GenerateTexts);

}  // namespace vx::mkdata
