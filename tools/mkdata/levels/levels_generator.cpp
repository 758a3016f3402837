// Generator "levels": the 100 level headers and block maps of both episodes,
// the map positions ("Coordinates") and the English level names and
// descriptions the map shows ("LevelNames.txt" of the English texts), from the
// designs under data/levels/.
#include <cstdio>
#include <set>

#include "levels/data_sources.h"
#include "levels/level_design.h"
#include "mkdata.h"

namespace vx::mkdata {

namespace {

// Episode 1 holds levels 1-50 as Level01..Level50, episode 2 holds 51-100 as
// Level01..Level50 again; the loader, the map and the editor name them alike.
std::string LevelPath(int number) {
  char buf[64];
  if (number <= 50)
    std::snprintf(buf, sizeof buf, "DATA/Episode1/Levels/Level%02d", number);
  else
    std::snprintf(buf, sizeof buf, "DATA/Episode2/Levels/Level%02d", number - 50);
  return buf;
}

// Node places: tiers climb the sea at a fixed step, five lanes across it, and
// the whole row of a tier sways a little so the route meanders. Tiers 40 apart
// keep the 40-pixel hover boxes of neighbouring tiers apart on screen, and the
// last tier (y 1960) still comes well into view at the map's largest scroll.
void NodePosition(const CampaignEntry& e, int* x, int* y) {
  static const int kSway[16] = {0, 8, 14, 18, 20, 18, 14, 8, 0, -8, -14, -18, -20, -18, -14, -8};
  *x = 150 + 90 * e.lane + kSway[e.tier % 16];
  *y = 200 + 40 * e.tier;
}

std::string Header(const CampaignEntry& e, const LevelSource& src, const LevelField& field,
                   std::vector<char>* typeOf) {
  // Type numbers follow the kind order, counting only the kinds in use.
  std::set<char> used;
  for (const std::string& row : field.rows)
    for (char c : row)
      if (c != '.') used.insert(c);
  typeOf->assign(256, 0);
  std::vector<const BlockKind*> types;
  for (const BlockKind& k : BlockKinds())
    if (used.count(k.symbol)) {
      types.push_back(&k);
      (*typeOf)[static_cast<unsigned char>(k.symbol)] = static_cast<char>(types.size());
    }
  // Requirements of episode-2 levels after 51 count within the episode.
  std::string requires;
  for (int r : e.requires) {
    if (!requires.empty()) requires += ",";
    requires += std::to_string(e.number > 51 ? r - 50 : r);
  }
  std::string h = "[Level data]\n";
  h += "Name = " + e.name + "\n";
  h += "Text = " + src.text + "\n";
  h += "Height = " + std::to_string(field.rows.size()) + "\n";
  h += "Back tiles set = " + std::to_string(src.tiles) + "\n";
  h += "Max blocks types = " + std::to_string(types.size()) + "\n";
  h += "Scroll speed = " + std::to_string(src.scroll) + "\n";
  h += "Requires = " + requires + "\n\n\n";
  const int scoreFactor = e.number > 50 ? 2 : 1;
  for (size_t t = 0; t < types.size(); ++t) {
    h += "[Block type " + std::to_string(t + 1) + "]\n";
    h += "Score = " + std::to_string(types[t]->score * scoreFactor) + "\n";
    h += "Hit counter = " + std::to_string(types[t]->hits) + "\n";
    for (int k = 1; k <= std::max(1, types[t]->hits); ++k)
      h += "Image pack " + std::to_string(k) + " = " + std::to_string(types[t]->image + k - 1) + "\n";
    h += "\n";
  }
  return h;
}

bool Load(const std::string& path, std::string* text) {
  if (FindSource(path, text)) return true;
  std::fprintf(stderr, "levels: source data/%s is missing\n", path.c_str());
  return false;
}

bool CheckTexts(const CampaignEntry& e, const LevelSource& src, std::string* error) {
  // "Text = " and the value must fit a 255-character line.
  if (src.text.empty() || src.text.size() > 240) {
    *error = "level " + std::to_string(e.number) + ": text must hold 1 to 240 characters";
    return false;
  }
  for (char c : src.text)
    if (c < 32 || c > 126 || c == '[' || c == ']' || c == '%') {
      *error = "level " + std::to_string(e.number) + ": text holds a character the header cannot carry";
      return false;
    }
  if (src.scroll < 1 || src.scroll > 2 || src.tiles < 0 || src.tiles > 19) {
    *error = "level " + std::to_string(e.number) + ": scroll must be 1 or 2, tiles 0..19";
    return false;
  }
  return true;
}

bool GenerateLevels(const std::string& outDir) {
  std::string shapesText, campaignText, error;
  ShapeLibrary lib;
  std::vector<CampaignEntry> campaign;
  std::vector<LevelSource> levels;
  if (!Load("levels/shapes.txt", &shapesText) || !Load("levels/campaign.txt", &campaignText)) return false;
  bool ok = ParseShapes(shapesText, "data/levels/shapes.txt", &lib, &error) &&
            ParseCampaign(campaignText, "data/levels/campaign.txt", &campaign, &error) &&
            CheckCampaign(campaign, &error);
  for (const char* file : {"levels/episode1.txt", "levels/episode2.txt"}) {
    std::string text;
    if (!ok) break;
    if (!Load(file, &text)) return false;
    ok = ParseLevels(text, std::string("data/") + file, &levels, &error);
  }
  if (ok && levels.size() != campaign.size()) {
    ok = false;
    error = "the episode files must design " + std::to_string(campaign.size()) + " levels, not " +
            std::to_string(levels.size());
  }
  std::string coordinates = "[Coordinates]\n";
  std::string names;
  for (size_t i = 0; ok && i < levels.size(); ++i) {
    const LevelSource& src = levels[i];
    const CampaignEntry& e = campaign[i];
    if (src.number != e.number) {
      ok = false;
      error = src.file + ": level " + std::to_string(src.number) + " is out of order (expected " +
              std::to_string(e.number) + ")";
      break;
    }
    LevelField field;
    ok = CheckTexts(e, src, &error) && BuildField(src, lib, &field, &error);
    if (ok && !CheckPlayable(field, &error)) {
      ok = false;
      error = src.file + ": level " + std::to_string(src.number) + ": " + error;
    }
    if (!ok) break;
    std::vector<char> typeOf;
    std::string header = Header(e, src, field, &typeOf);
    std::string map;
    for (const std::string& row : field.rows)
      for (char c : row) map += typeOf[static_cast<unsigned char>(c)];
    const std::string path = LevelPath(e.number);
    if (!WriteText(outDir, path, header) || !WriteText(outDir, path + ".map", map)) {
      std::fprintf(stderr, "levels: cannot write %s\n", path.c_str());
      return false;
    }
    int x = 0, y = 0;
    NodePosition(e, &x, &y);
    coordinates += "Level " + std::to_string(e.number) + " = " + std::to_string(x) + ", " + std::to_string(y) + "\n";
    names += "[Level " + std::to_string(e.number) + "]\nName = " + e.name + "\nText = " + src.text + "\n\n";
  }
  if (!ok) {
    std::fprintf(stderr, "levels: %s\n", error.c_str());
    return false;
  }
  return WriteText(outDir, "DATA/Coordinates", coordinates) &&
         WriteText(outDir, LangRoot("en") + "/LevelNames.txt", names);
}

}  // namespace

VX_MKDATA_GENERATOR(levels, GenerateLevels);

}  // namespace vx::mkdata
