// Generator "texts": the string table, the item texts, the help pages and
// the closing story, from the UTF-8 sources under data/texts/, in the code
// pages the screens convert them with.
#include <cstdio>
#include <cstdlib>

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
    "Node3",    "Node4",    "Credits",   "Points"};

// The screens read pages and the story into 1024-byte buffers that must still
// hold a terminating zero.
constexpr size_t kPageLimit = 1023;

bool Fail(const std::string& file, const std::string& msg) {
  std::fprintf(stderr, "texts: data/texts/%s: %s\n", file.c_str(), msg.c_str());
  return false;
}

bool Convert(const std::string& file, int codePage, std::string* out) {
  std::string src, error;
  if (!FindSource("texts/" + file, &src)) return Fail(file, "missing");
  if (!ToCodePage(src, codePage, out, &error)) return Fail(file, error);
  return true;
}

bool StringsFile(const std::string& outDir) {
  std::string text, error;
  if (!Convert("Strings.txt", 866, &text)) return false;
  std::vector<KeyLine> lines = SectionLines(text, "All strings");
  for (const char* key : kStringKeys) {
    if (!KeyFoundOnOwnLine(lines, key)) return Fail("Strings.txt", std::string("key ") + key + " is not found on its own line");
    for (const KeyLine& l : lines) {
      if (l.key != key) continue;
      if (l.value.empty() || l.value.size() > 63) return Fail("Strings.txt", std::string(key) + " must hold 1 to 63 characters");
      std::string value = l.value;
      // The shop formats "Exchange" with the price; one integer, nothing else.
      if (l.key == "Exchange") {
        size_t at = value.find("%d");
        if (at == std::string::npos) return Fail("Strings.txt", "Exchange needs one %d");
        value.erase(at, 2);
      }
      if (!CheckDrawableText(value, false, &error)) return Fail("Strings.txt", std::string(key) + ": " + error);
      break;
    }
  }
  return WriteText(outDir, "LANG/Strings.txt", text);
}

bool ItemsFile(const std::string& outDir) {
  std::string text, error;
  if (!Convert("Items.txt", 1251, &text)) return false;
  // Sections are found by the first header line that contains their name, so
  // they stand in id order ([ITEM_BALL] before [ITEM_BALL_ATTRACTOR]).
  size_t lastHeader = 0;
  for (int id = 1; id < kItemCount; ++id) {
    const char* section = ItemSection(id);
    size_t at = text.find(std::string("[") + section + "]");
    if (at == std::string::npos) return Fail("Items.txt", std::string("section ") + section + " is missing");
    if (at < lastHeader) return Fail("Items.txt", std::string("section ") + section + " is out of id order");
    lastHeader = at;
    std::vector<KeyLine> lines = SectionLines(text, section);
    for (const char* key : {"Active time", "Price", "Name", "Description"})
      if (!KeyFoundOnOwnLine(lines, key)) return Fail("Items.txt", std::string(section) + " lacks " + key);
    for (const KeyLine& l : lines) {
      if (l.key.empty()) continue;
      size_t limit = l.key == "Name" ? 31 : l.key == "Description" ? 127 : l.key == "Requires" ? 63 : 5;
      if (l.value.size() > limit) return Fail("Items.txt", std::string(section) + ": " + l.key + " is too long");
      if (!CheckDrawableText(l.value, false, &error)) return Fail("Items.txt", std::string(section) + ": " + error);
      if (l.key == "Price" || l.key == "Active time") {
        int n = 0;
        if (!ParseInt(l.value, &n) || n < 1 || n > 65535) return Fail("Items.txt", std::string(section) + ": " + l.key + " must be 1..65535");
      }
      if (l.key == "Requires") {
        std::string piece;
        for (char c : l.value + ",") {
          if (c != ',') {
            piece += c;
            continue;
          }
          int n = 0;
          if (!ParseInt(Trim(piece), &n) || n < 1 || n > 100) return Fail("Items.txt", std::string(section) + ": Requires lists level numbers 1..100");
          piece.clear();
        }
      }
    }
  }
  return WriteText(outDir, "DATA/Items.txt", text);
}

bool PageFile(const std::string& outDir, const std::string& source, const std::string& target, int codePage) {
  std::string text, error;
  if (!Convert(source, codePage, &text)) return false;
  if (text.size() > kPageLimit) return Fail(source, "longer than " + std::to_string(kPageLimit) + " bytes");
  if (!CheckDrawableText(text, true, &error)) return Fail(source, error);
  return WriteText(outDir, target, text);
}

bool GenerateTexts(const std::string& outDir) {
  bool ok = StringsFile(outDir) && ItemsFile(outDir);
  for (int i = 0; ok && i < 4; ++i) {
    std::string n = std::to_string(i);
    ok = PageFile(outDir, "help" + n + ".txt", "DATA/help/help" + n + ".txt", 1251);
  }
  return ok && PageFile(outDir, "happy.txt", "DATA/happy.txt", 866);
}

}  // namespace

VX_MKDATA_GENERATOR(texts, GenerateTexts);

}  // namespace vx::mkdata
