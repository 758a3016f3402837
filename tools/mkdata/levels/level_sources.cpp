// Parsers of the shape library, the campaign table and the level layouts.
#include <cctype>

#include "levels/level_design.h"
#include "levels/source_text.h"

namespace vx::mkdata {

const std::vector<BlockKind>& BlockKinds() {
  // Hit counters 1-4 and 0; the rich kinds pay for the risk of digging them out.
  static const std::vector<BlockKind> kinds = {
      {'1', 1, 10, 1},  {'2', 2, 25, 6},  {'3', 3, 40, 11}, {'4', 4, 60, 16},
      {'#', 0, 0, 21},  {'$', 1, 150, 26}, {'*', 2, 80, 31}, {'@', 4, 250, 36},
  };
  return kinds;
}

const BlockKind* FindKind(char symbol) {
  for (const BlockKind& k : BlockKinds())
    if (k.symbol == symbol) return &k;
  return nullptr;
}

namespace {

bool IsCell(char c) { return c == '.' || FindKind(c) != nullptr; }

bool Fail(std::string* error, const std::string& file, int line, const std::string& msg) {
  *error = Where(file, line) + msg;
  return false;
}

// Reads the drawing rows after a "shape" line up to "end".
bool ReadRows(const std::vector<TextLine>& lines, size_t* i, const std::string& file,
              std::vector<std::string>* rows, std::string* error) {
  int start = lines[*i].number;
  for (++*i; *i < lines.size(); ++*i) {
    std::string row = Trim(lines[*i].text);
    if (row == "end") {
      if (rows->empty()) return Fail(error, file, lines[*i].number, "empty drawing");
      return true;
    }
    if (row.empty() || row.size() > kFieldColumns)
      return Fail(error, file, lines[*i].number, "a row must hold 1 to 20 cells");
    for (char c : row)
      if (!IsCell(c)) return Fail(error, file, lines[*i].number, std::string("unknown cell '") + c + "'");
    if (!rows->empty() && row.size() != rows->front().size())
      return Fail(error, file, lines[*i].number, "rows of one drawing must be equally wide");
    rows->push_back(row);
  }
  return Fail(error, file, start, "drawing without \"end\"");
}

// A glyph block: a line of characters naming the glyphs, each glyph drawn in
// the 3 columns that start under its name, 5 rows of 'x' and '.', then "end".
bool ReadGlyphs(const std::vector<TextLine>& lines, size_t* i, const std::string& file,
                ShapeLibrary* lib, std::string* error) {
  int start = lines[*i].number;
  if (++*i >= lines.size()) return Fail(error, file, start, "glyphs without names");
  const std::string names = lines[*i].text;
  std::vector<std::string> rows;
  for (++*i; *i < lines.size(); ++*i) {
    if (Trim(lines[*i].text) == "end") break;
    rows.push_back(lines[*i].text);
  }
  if (*i >= lines.size()) return Fail(error, file, start, "glyphs without \"end\"");
  if (rows.size() != 5) return Fail(error, file, start, "glyphs must be 5 rows high");
  for (size_t col = 0; col < names.size(); ++col) {
    char name = names[col];
    if (std::isspace(static_cast<unsigned char>(name))) continue;
    Shape glyph;
    glyph.name = std::string(1, name);
    for (const std::string& row : rows) {
      std::string cells;
      for (size_t k = col; k < col + 3; ++k) {
        char c = k < row.size() ? row[k] : ' ';
        if (c != 'x' && c != '.')
          return Fail(error, file, start, std::string("glyph '") + name + "' is not 3 cells of x and .");
        cells += c;
      }
      glyph.rows.push_back(cells);
    }
    if (lib->glyphs.count(name)) return Fail(error, file, start, std::string("glyph '") + name + "' twice");
    lib->glyphs[name] = glyph;
  }
  return true;
}

}  // namespace

bool ParseShapes(const std::string& text, const std::string& file, ShapeLibrary* lib,
                 std::string* error) {
  std::vector<TextLine> lines = SplitLines(text);
  for (size_t i = 0; i < lines.size(); ++i) {
    if (IsBlankOrComment(lines[i].text)) continue;
    std::vector<std::string> w = Words(lines[i].text);
    if (w[0] == "shape" && w.size() == 2) {
      Shape shape;
      shape.name = w[1];
      if (lib->shapes.count(shape.name))
        return Fail(error, file, lines[i].number, "shape \"" + shape.name + "\" defined twice");
      if (!ReadRows(lines, &i, file, &shape.rows, error)) return false;
      lib->shapes[shape.name] = shape;
    } else if (w[0] == "glyphs" && w.size() == 1) {
      if (!ReadGlyphs(lines, &i, file, lib, error)) return false;
    } else {
      return Fail(error, file, lines[i].number, "expected \"shape NAME\" or \"glyphs\"");
    }
  }
  return true;
}

bool ParseCampaign(const std::string& text, const std::string& file,
                   std::vector<CampaignEntry>* entries, std::string* error) {
  for (const TextLine& line : SplitLines(text)) {
    if (IsBlankOrComment(line.text)) continue;
    std::vector<std::string> w = Words(line.text);
    CampaignEntry e;
    if (w.size() < 5 || !ParseInt(w[0], &e.number) || !ParseInt(w[1], &e.tier) ||
        !ParseInt(w[2], &e.lane))
      return Fail(error, file, line.number, "expected NUMBER TIER LANE REQUIRES NAME");
    if (w[3] != "-") {
      std::string part;
      std::string list = w[3] + ",";
      for (char c : list) {
        if (c != ',') {
          part += c;
          continue;
        }
        int n = 0;
        if (!ParseInt(part, &n) || n < 1)
          return Fail(error, file, line.number, "requirements are level numbers joined by ','");
        e.requires.push_back(n);
        part.clear();
      }
    }
    // The name is the rest of the line, as written.
    size_t pos = 0;
    for (int k = 0; k < 4; ++k) {
      pos = line.text.find(w[k], pos) + w[k].size();
    }
    e.name = Trim(line.text.substr(pos));
    entries->push_back(e);
  }
  return true;
}

bool ParseLevels(const std::string& text, const std::string& file,
                 std::vector<LevelSource>* levels, std::string* error) {
  std::vector<TextLine> lines = SplitLines(text);
  LevelSource* cur = nullptr;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (IsBlankOrComment(lines[i].text)) continue;
    std::string t = Trim(lines[i].text);
    std::vector<std::string> w = Words(t);
    int n = 0;
    if (w[0] == "level") {
      if (w.size() != 2 || !ParseInt(w[1], &n))
        return Fail(error, file, lines[i].number, "expected \"level NUMBER\"");
      levels->push_back(LevelSource());
      cur = &levels->back();
      cur->number = n;
      cur->seed = n;
      cur->file = file;
      continue;
    }
    if (!cur) return Fail(error, file, lines[i].number, "expected \"level NUMBER\" first");
    if (w[0] == "text") {
      cur->text = Trim(t.substr(4));
    } else if (w[0] == "scroll" || w[0] == "tiles" || w[0] == "seed") {
      if (w.size() != 2 || !ParseInt(w[1], &n))
        return Fail(error, file, lines[i].number, "\"" + w[0] + "\" takes one number");
      (w[0] == "scroll" ? cur->scroll : w[0] == "tiles" ? cur->tiles : cur->seed) = n;
    } else if (w[0] == "layout" && w.size() == 1) {
      // Collect up to the matching "end"; "rows" drawings nest their own "end".
      int depth = 0;
      int start = lines[i].number;
      bool closed = false;
      for (++i; i < lines.size(); ++i) {
        std::string l = Trim(lines[i].text);
        if (l == "end") {
          if (depth == 0) {
            closed = true;
            break;
          }
          --depth;
        } else if (depth == 0 && l == "rows") {
          ++depth;
        } else if (depth == 0 && IsBlankOrComment(l)) {
          continue;
        }
        cur->layout.push_back({lines[i].number, l});
      }
      if (!closed) return Fail(error, file, start, "layout without \"end\"");
    } else {
      return Fail(error, file, lines[i].number, "unknown line \"" + w[0] + "\"");
    }
  }
  return true;
}

}  // namespace vx::mkdata
