// Design rules that every generated level and the campaign must keep.
#include <algorithm>
#include <set>

#include "levels/level_design.h"

namespace vx::mkdata {

namespace {
bool Fail(std::string* error, const std::string& msg) {
  *error = msg;
  return false;
}
}  // namespace

bool CheckPlayable(const LevelField& field, std::string* error) {
  const int h = static_cast<int>(field.rows.size());
  // Below 26 rows the panel's progress figure has nothing to divide by.
  if (h < 40 || h > 1000) return Fail(error, "height " + std::to_string(h) + " outside 40..1000");
  for (int r = 0; r < h; ++r) {
    const std::string& row = field.rows[r];
    if (static_cast<int>(row.size()) != kFieldColumns) return Fail(error, "row " + std::to_string(r) + " is not 20 cells");
    int solid = 0;
    for (char c : row) {
      if (c != '.' && !FindKind(c)) return Fail(error, "row " + std::to_string(r) + " holds an unknown cell");
      solid += c == '#';
    }
    // At most 14 grey blocks leave six openings: a ball finds one of them.
    if (solid > 14) return Fail(error, "row " + std::to_string(r) + " is walled off by indestructible blocks");
    bool margin = r < kTopMargin || r >= h - kBottomMargin;
    if (margin && row != std::string(kFieldColumns, '.'))
      return Fail(error, "row " + std::to_string(r) + " must stay empty");
  }
  // A shaft one cell wide, closed by grey blocks (or the side walls) to the
  // left, right and top, swallows a ball flying up and throws it straight
  // back at the paddle, which sends it up again: play can loop there forever.
  auto solid = [&](int r, int c) { return c < 0 || c >= kFieldColumns || field.rows[r][c] == '#'; };
  for (int r = 1; r < h - 1; ++r)
    for (int c = 0; c < kFieldColumns; ++c) {
      if (solid(r, c) || solid(r + 1, c) || !solid(r, c - 1) || !solid(r, c + 1)) continue;
      int top = r;
      while (top > 0 && !solid(top - 1, c) && solid(top - 1, c - 1) && solid(top - 1, c + 1)) --top;
      if (top > 0 && solid(top - 1, c))
        return Fail(error, "rows " + std::to_string(top) + ".." + std::to_string(r) + ", column " +
                               std::to_string(c) + ": a dead-end shaft under indestructible blocks");
    }
  // Every other block breaks, so the ball needs a path around the solid ones
  // from the bottom row (where play starts) to the top row (where it is won).
  std::vector<std::string> seen(h, std::string(kFieldColumns, '0'));
  std::vector<std::pair<int, int>> todo;
  for (int c = 0; c < kFieldColumns; ++c) {
    todo.push_back({h - 1, c});
    seen[h - 1][c] = '1';
  }
  while (!todo.empty()) {
    auto [r, c] = todo.back();
    todo.pop_back();
    const int dr[4] = {1, -1, 0, 0}, dc[4] = {0, 0, 1, -1};
    for (int d = 0; d < 4; ++d) {
      int nr = r + dr[d], nc = c + dc[d];
      if (nr < 0 || nr >= h || nc < 0 || nc >= kFieldColumns) continue;
      if (seen[nr][nc] == '1' || field.rows[nr][nc] == '#') continue;
      seen[nr][nc] = '1';
      todo.push_back({nr, nc});
    }
  }
  if (seen[0].find('1') == std::string::npos) return Fail(error, "no way from the bottom to the top");
  return true;
}

bool CheckCampaign(const std::vector<CampaignEntry>& entries, std::string* error) {
  if (entries.size() != 100) return Fail(error, "the campaign must list 100 levels");
  std::set<int> required;
  std::set<std::pair<int, int>> places;
  int openAtStart = 0;
  for (size_t i = 0; i < entries.size(); ++i) {
    const CampaignEntry& e = entries[i];
    const std::string at = "level " + std::to_string(e.number) + ": ";
    if (e.number != static_cast<int>(i) + 1) return Fail(error, at + "levels must be listed 1..100 in order");
    if (e.name.empty() || e.name.size() > 31) return Fail(error, at + "name must hold 1 to 31 characters");
    for (char c : e.name)
      if (c < 32 || c > 126 || c == '[' || c == ']') return Fail(error, at + "name holds a character the header cannot carry");
    if (e.lane < 0 || e.lane > 4) return Fail(error, at + "lane outside 0..4");
    if (i > 0 && e.tier < entries[i - 1].tier) return Fail(error, at + "tiers must not fall back");
    if (!places.insert({e.tier, e.lane}).second) return Fail(error, at + "two levels share one place on the map");
    if (e.requires.empty()) ++openAtStart;
    if (e.requires.size() > 32) return Fail(error, at + "more than 32 requirements");
    for (int r : e.requires) {
      // Earlier levels only: the graph cannot hold a cycle.
      if (r < 1 || r >= e.number) return Fail(error, at + "requires a level that is not an earlier one");
      if (e.number > 51 && r < 51) return Fail(error, at + "episode 2 levels after 51 can only require episode 2 levels");
      required.insert(r);
    }
  }
  if (std::find(entries[50].requires.begin(), entries[50].requires.end(), 50) == entries[50].requires.end())
    return Fail(error, "level 51 must require level 50");
  if (openAtStart < 2) return Fail(error, "at least two levels must be open at the start");
  for (int n = 1; n < 100; ++n)
    if (!required.count(n)) return Fail(error, "level " + std::to_string(n) + " leads nowhere");
  return true;
}

}  // namespace vx::mkdata
