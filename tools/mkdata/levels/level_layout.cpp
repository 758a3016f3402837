// Turns a level's layout lines into its block field. Bands are listed from the
// bottom of the field (where play starts) to the top; each band is drawn top
// row first, like the shapes.
//
//   gap N                    N empty rows
//   shape NAME [options]     a shape of the library
//   +shape NAME [options]    the same, drawn over the band below it
//   rows ... end             a drawing written in place
//   checker H A B [W]        H rows of kinds A and B in squares of W cells
//   maze H WALL [POST]       a maze H rows high (odd), walls of kind WALL
//   word TEXT KIND           letters of the glyph font, centred
//   repeat N ... endrepeat   the lines between, N times
//   repeat N rising ...      the same, passes growing harder: one hit more in
//                            the middle third, two in the last third
//   repeat N alternate ...   the same, every second pass mirrored
//                            ("rising alternate" does both)
//
// Shape options: at COLUMN | left | right | center (default), mirror, flip,
// tile [SPACING], pair, harden N, swap AB (kind A becomes kind B).
#include <algorithm>
#include <cstdint>

#include "levels/level_design.h"
#include "levels/source_text.h"

namespace vx::mkdata {

namespace {

using Band = std::vector<std::string>;  // rows top first, 20 wide

struct Builder {
  const LevelSource& level;
  const ShapeLibrary& lib;
  std::string* error;
  std::vector<Band> bands;
  uint32_t random;
  int extraHits = 0;  // added to every breakable block of a "rising" pass
  bool mirrored = false;  // an "alternate" pass draws everything mirrored

  bool Fail(int line, const std::string& msg) {
    *error = Where(level.file, line) + "level " + std::to_string(level.number) + ": " + msg;
    return false;
  }

  // The shared generator's step, so mazes look the same on every build.
  int Next(int n) {
    random = random * 214013u + 2531011u;
    return static_cast<int>((random >> 16) & 0x7fff) % n;
  }

  static Band EmptyBand(int height) { return Band(height, std::string(kFieldColumns, '.')); }

  static void Blit(Band* band, const std::vector<std::string>& rows, int column, bool overlay) {
    int top = static_cast<int>(band->size()) - static_cast<int>(rows.size());
    for (size_t r = 0; r < rows.size(); ++r)
      for (size_t c = 0; c < rows[r].size(); ++c) {
        int col = column + static_cast<int>(c);
        if (col < 0 || col >= kFieldColumns) continue;
        char cell = rows[r][c];
        if (overlay && cell == '.') continue;
        (*band)[top + r][col] = cell;
      }
  }

  void Push(Band band, bool overlay, bool readable = false) {
    for (std::string& row : band) {
      for (char& c : row)
        if (c >= '1' && c <= '4') c = static_cast<char>(std::min<int>('4', c + extraHits));
      // Words stay readable in a mirrored pass.
      if (mirrored && !readable) std::reverse(row.begin(), row.end());
    }
    if (!overlay || bands.empty()) {
      bands.push_back(band);
      return;
    }
    // An overlay is aligned with the bottom of the band below it.
    Band& below = bands.back();
    if (band.size() > below.size()) below.insert(below.begin(), band.size() - below.size(), std::string(kFieldColumns, '.'));
    int offset = static_cast<int>(below.size() - band.size());
    for (size_t r = 0; r < band.size(); ++r)
      for (int c = 0; c < kFieldColumns; ++c)
        if (band[r][c] != '.') below[offset + r][c] = band[r][c];
  }

  bool Shape(const std::vector<std::string>& w, int line, bool overlay) {
    if (w.size() < 2) return Fail(line, "shape needs a name");
    auto it = lib.shapes.find(w[1]);
    if (it == lib.shapes.end()) return Fail(line, "no shape \"" + w[1] + "\"");
    std::vector<std::string> rows = it->second.rows;
    int width = static_cast<int>(rows[0].size());
    int column = (kFieldColumns - width) / 2;
    bool tile = false, pair = false;
    int spacing = 0;
    for (size_t k = 2; k < w.size(); ++k) {
      const std::string& o = w[k];
      int n = 0;
      if (o == "left") {
        column = 0;
      } else if (o == "right") {
        column = kFieldColumns - width;
      } else if (o == "center") {
        column = (kFieldColumns - width) / 2;
      } else if (o == "at" && k + 1 < w.size() && ParseInt(w[k + 1], &n)) {
        if (n < 0 || n + width > kFieldColumns) return Fail(line, "shape does not fit at column " + w[k + 1]);
        column = n;
        ++k;
      } else if (o == "mirror") {
        for (std::string& r : rows) std::reverse(r.begin(), r.end());
      } else if (o == "flip") {
        std::reverse(rows.begin(), rows.end());
      } else if (o == "tile") {
        tile = true;
        if (k + 1 < w.size() && ParseInt(w[k + 1], &n)) {
          if (n < 0 || n > kFieldColumns) return Fail(line, "bad tile spacing");
          spacing = n;
          ++k;
        }
      } else if (o == "pair") {
        pair = true;
      } else if (o == "harden" && k + 1 < w.size() && ParseInt(w[k + 1], &n)) {
        for (std::string& r : rows)
          for (char& c : r)
            if (c >= '1' && c <= '4') c = static_cast<char>(std::min('4', std::max('1', static_cast<char>(c + n))));
        ++k;
      } else if (o == "swap" && k + 1 < w.size() && w[k + 1].size() == 2 && IsKindOrEmpty(w[k + 1][1])) {
        for (std::string& r : rows)
          for (char& c : r)
            if (c == w[k + 1][0]) c = w[k + 1][1];
        ++k;
      } else {
        return Fail(line, "unknown shape option \"" + o + "\"");
      }
    }
    Band band = EmptyBand(static_cast<int>(rows.size()));
    if (tile) {
      // Repeat across the width, centred on the middle copy's grid.
      int step = width + spacing;
      int count = (kFieldColumns + spacing) / step;
      if (count < 1) return Fail(line, "shape too wide to tile");
      int start = (kFieldColumns - (count * step - spacing)) / 2;
      for (int i = 0; i < count; ++i) Blit(&band, rows, start + i * step, true);
    } else if (pair) {
      if (width * 2 > kFieldColumns) return Fail(line, "shape too wide to pair");
      Blit(&band, rows, 0, true);
      std::vector<std::string> reversed = rows;
      for (std::string& r : reversed) std::reverse(r.begin(), r.end());
      Blit(&band, reversed, kFieldColumns - width, true);
    } else {
      Blit(&band, rows, column, true);
    }
    Push(band, overlay);
    return true;
  }

  static bool IsKindOrEmpty(char c) { return c == '.' || FindKind(c) != nullptr; }

  bool Checker(const std::vector<std::string>& w, int line) {
    int h = 0, size = 1;
    if (w.size() < 4 || w.size() > 5 || !ParseInt(w[1], &h) || h < 1 || w[2].size() != 1 ||
        w[3].size() != 1 || !IsKindOrEmpty(w[2][0]) || !IsKindOrEmpty(w[3][0]) ||
        (w.size() == 5 && (!ParseInt(w[4], &size) || size < 1)))
      return Fail(line, "expected \"checker HEIGHT KIND KIND [SIZE]\"");
    Band band = EmptyBand(h);
    for (int r = 0; r < h; ++r)
      for (int c = 0; c < kFieldColumns; ++c) band[r][c] = ((r / size + c / size) % 2) ? w[3][0] : w[2][0];
    Push(band, false);
    return true;
  }

  // A maze 19 cells wide: rooms on odd rows and columns, walls between them,
  // posts where walls cross, an entrance at the bottom and an exit at the top.
  bool Maze(const std::vector<std::string>& w, int line) {
    int h = 0;
    if (w.size() < 3 || w.size() > 4 || !ParseInt(w[1], &h) || h < 5 || h % 2 == 0 ||
        w[2].size() != 1 || !FindKind(w[2][0]) || (w.size() == 4 && (w[3].size() != 1 || !FindKind(w[3][0]))))
      return Fail(line, "expected \"maze HEIGHT(odd, 5+) WALL [POST]\"");
    char wall = w[2][0];
    char post = w.size() == 4 ? w[3][0] : wall;
    const int roomsX = 9, roomsY = (h - 1) / 2;
    Band band = EmptyBand(h);
    for (int r = 0; r < h; ++r)
      for (int c = 0; c < 19; ++c) {
        bool evenR = r % 2 == 0, evenC = c % 2 == 0;
        band[r][c] = (evenR && evenC) ? post : (evenR || evenC) ? wall : '.';
      }
    for (int r = 0; r < h; ++r) band[r][19] = wall;
    std::vector<bool> seen(roomsX * roomsY, false);
    std::vector<int> stack = {Next(roomsX)};
    seen[stack[0]] = true;
    while (!stack.empty()) {
      int cell = stack.back();
      int cx = cell % roomsX, cy = cell / roomsX;
      int options[4], count = 0;
      const int dx[4] = {1, -1, 0, 0}, dy[4] = {0, 0, 1, -1};
      for (int d = 0; d < 4; ++d) {
        int nx = cx + dx[d], ny = cy + dy[d];
        if (nx >= 0 && nx < roomsX && ny >= 0 && ny < roomsY && !seen[ny * roomsX + nx]) options[count++] = d;
      }
      if (count == 0) {
        stack.pop_back();
        continue;
      }
      int d = options[Next(count)];
      int nx = cx + dx[d], ny = cy + dy[d];
      band[1 + 2 * cy + dy[d]][1 + 2 * cx + dx[d]] = '.';
      seen[ny * roomsX + nx] = true;
      stack.push_back(ny * roomsX + nx);
    }
    band[h - 1][1 + 2 * Next(roomsX)] = '.';
    band[0][1 + 2 * Next(roomsX)] = '.';
    Push(band, false);
    return true;
  }

  bool Word(const std::vector<std::string>& w, int line) {
    if (w.size() != 3 || w[2].size() != 1 || !FindKind(w[2][0]))
      return Fail(line, "expected \"word TEXT KIND\"");
    const std::string& text = w[1];
    int width = static_cast<int>(text.size()) * 4 - 1;
    if (width > kFieldColumns) return Fail(line, "word too long for the field");
    Band band = EmptyBand(5);
    int start = (kFieldColumns - width) / 2;
    for (size_t i = 0; i < text.size(); ++i) {
      auto it = lib.glyphs.find(text[i]);
      if (it == lib.glyphs.end()) return Fail(line, std::string("no glyph '") + text[i] + "'");
      for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 3; ++c)
          if (it->second.rows[r][c] == 'x') band[r][start + 4 * static_cast<int>(i) + c] = w[2][0];
    }
    Push(band, false, true);
    return true;
  }

  bool Run(const std::vector<SourceLine>& lines, size_t begin, size_t end, int depth) {
    if (depth > 4) return Fail(lines[begin].line, "repeats nested too deep");
    for (size_t i = begin; i < end; ++i) {
      const SourceLine& l = lines[i];
      std::vector<std::string> w = Words(l.text);
      int n = 0;
      if (w.empty()) return Fail(l.line, "empty layout line");
      if (w[0] == "gap") {
        if (w.size() != 2 || !ParseInt(w[1], &n) || n < 1 || n > 100) return Fail(l.line, "expected \"gap ROWS\"");
        bands.push_back(EmptyBand(n));
      } else if (w[0] == "shape" || w[0] == "+shape") {
        if (w[0][0] == '+' && bands.empty()) return Fail(l.line, "+shape needs a band below it");
        if (!Shape(w, l.line, w[0][0] == '+')) return false;
      } else if (w[0] == "rows") {
        std::vector<std::string> rows;
        for (++i; i < end && lines[i].text != "end"; ++i) {
          const std::string& row = lines[i].text;
          if (row.empty() || row.size() > kFieldColumns) return Fail(lines[i].line, "a row must hold 1 to 20 cells");
          for (char c : row)
            if (!IsKindOrEmpty(c)) return Fail(lines[i].line, std::string("unknown cell '") + c + "'");
          rows.push_back(row);
        }
        if (rows.empty()) return Fail(l.line, "empty drawing");
        size_t width = 0;
        for (const std::string& r : rows) width = std::max(width, r.size());
        Band band = EmptyBand(static_cast<int>(rows.size()));
        Blit(&band, rows, static_cast<int>(kFieldColumns - width) / 2, true);
        Push(band, false);
      } else if (w[0] == "checker") {
        if (!Checker(w, l.line)) return false;
      } else if (w[0] == "maze") {
        if (!Maze(w, l.line)) return false;
      } else if (w[0] == "word") {
        if (!Word(w, l.line)) return false;
      } else if (w[0] == "repeat") {
        bool rising = false, alternate = false, bad = w.size() < 2 || !ParseInt(w[1], &n) || n < 1 || n > 50;
        for (size_t k = 2; k < w.size(); ++k) {
          bool& flag = w[k] == "rising" ? rising : alternate;
          bad = bad || flag || (w[k] != "rising" && w[k] != "alternate");
          flag = true;
        }
        if (bad) return Fail(l.line, "expected \"repeat COUNT [rising] [alternate]\"");
        size_t close = i + 1;
        int nest = 0;
        for (; close < end; ++close) {
          std::vector<std::string> cw = Words(lines[close].text);
          std::string first = cw.empty() ? "" : cw[0];
          if (first == "repeat") ++nest;
          if (first == "endrepeat" && nest-- == 0) break;
        }
        if (close >= end) return Fail(l.line, "repeat without \"endrepeat\"");
        const int base = extraHits;
        const bool baseMirrored = mirrored;
        for (int k = 0; k < n; ++k) {
          extraHits = base + (rising ? k * 3 / n : 0);
          mirrored = baseMirrored != (alternate && k % 2 == 1);
          if (!Run(lines, i + 1, close, depth + 1)) return false;
        }
        extraHits = base;
        mirrored = baseMirrored;
        i = close;
      } else {
        return Fail(l.line, "unknown layout line \"" + w[0] + "\"");
      }
    }
    return true;
  }
};

}  // namespace

bool BuildField(const LevelSource& level, const ShapeLibrary& lib, LevelField* field,
                std::string* error) {
  Builder b{level, lib, error, {}, static_cast<uint32_t>(level.seed) * 7919u + 17u};
  if (level.layout.empty()) {
    *error = Where(level.file, 0) + "level " + std::to_string(level.number) + " has no layout";
    return false;
  }
  if (!b.Run(level.layout, 0, level.layout.size(), 0)) return false;
  // Bands run bottom to top; the field is stored top row first.
  std::vector<std::string> bottomUp(kBottomMargin, std::string(kFieldColumns, '.'));
  for (const Band& band : b.bands)
    for (auto r = band.rbegin(); r != band.rend(); ++r) bottomUp.push_back(*r);
  for (int i = 0; i < kTopMargin; ++i) bottomUp.push_back(std::string(kFieldColumns, '.'));
  field->rows.assign(bottomUp.rbegin(), bottomUp.rend());
  return true;
}

}  // namespace vx::mkdata
