// The level designs of the default data set: a shape library, the campaign
// table and one layout per level, all hand-written under data/levels/, turned
// into the block fields that the level files hold.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace vx::mkdata {

constexpr int kFieldColumns = 20;
// Empty rows kept at the bottom of every field: at the start of a level the
// lowest rows sit right above the paddle line.
constexpr int kBottomMargin = 8;
// Empty rows at the top, so the winning ball meets open space there.
constexpr int kTopMargin = 4;
constexpr int kMaxBlockTypes = 8;

// A block kind as written in the sources. '.' is an empty cell.
struct BlockKind {
  char symbol;
  int hits;   // 0 = indestructible
  int score;  // episode 1; episode 2 pays double
  int image;  // first of the kind's editor image numbers
};
// All kinds in type-number order; a level numbers the kinds it uses in this order.
const std::vector<BlockKind>& BlockKinds();
const BlockKind* FindKind(char symbol);

struct Shape {
  std::string name;
  std::vector<std::string> rows;  // top row first, all of one width
};

struct ShapeLibrary {
  std::map<std::string, Shape> shapes;
  std::map<char, Shape> glyphs;  // letters and digits, 3 x 5
};

struct CampaignEntry {
  int number = 0;
  int tier = 0;  // distance along the sea, in rows of nodes
  int lane = 0;  // 0..4, left to right
  std::vector<int> requires;  // level numbers of the whole campaign
  std::string name;
};

struct SourceLine {
  int line = 0;
  std::string text;
};

struct LevelSource {
  int number = 0;
  int scroll = 1;
  int tiles = 0;
  int seed = 0;
  std::string text;
  std::vector<SourceLine> layout;  // bottom of the field first
  std::string file;
};

// A finished field: rows top first, kFieldColumns symbols each.
struct LevelField {
  std::vector<std::string> rows;
};

// Parsers report the first fault as "file:line: message" in *error.
bool ParseShapes(const std::string& text, const std::string& file, ShapeLibrary* lib,
                 std::string* error);
bool ParseCampaign(const std::string& text, const std::string& file,
                   std::vector<CampaignEntry>* entries, std::string* error);
bool ParseLevels(const std::string& text, const std::string& file,
                 std::vector<LevelSource>* levels, std::string* error);

// Lays out a level's bands from the bottom up and adds the margins.
bool BuildField(const LevelSource& level, const ShapeLibrary& lib, LevelField* field,
                std::string* error);

// Rejects fields that cannot be won or that break the file rules: a ball must
// find a way from the bottom row to the top row around indestructible blocks.
bool CheckPlayable(const LevelField& field, std::string* error);

// Checks the campaign: numbers 1..100 once each, requirements that point
// back to earlier levels (so no cycles), every level but the last one required
// by a later one, level 51 opened by level 50, and every episode-2 level
// after 51 requiring only episode-2 levels.
bool CheckCampaign(const std::vector<CampaignEntry>& entries, std::string* error);

}  // namespace vx::mkdata
