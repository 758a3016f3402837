// The 100 levels and the map coordinates of the built data set, read from the
// archives with the game's TextFile and file layer.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <vector>

#include "data/data_set_fixture.h"

namespace vx {
namespace {

constexpr int kLevels = 100;

// Levels 1-50 are Episode1 Level01..Level50, 51-100 are Episode2 Level01..Level50.
std::string HeaderName(int level) {
  char name[64];
  std::snprintf(name, sizeof name, "Episode%d\\Levels\\Level%02d", level <= 50 ? 1 : 2,
                level <= 50 ? level : level - 50);
  return name;
}

struct Level {
  int height = 0;
  int maxTypes = 0;
  int scroll = 0;
  std::vector<int> hits;  // by type number - 1
  std::string name, text, requires;
  std::vector<uint8_t> map;
  bool open = false;

  bool Solid(int row, int col) const {
    int type = map[row * 20 + col];
    return type != 0 && hits[type - 1] == 0;
  }
};

// Requirement numbers as the map reads them: split at ',', skip 0, and count
// within episode 2 for levels 52-100. Level indices are 0-based.
std::vector<int> Requirements(int level, const std::string& text) {
  std::vector<int> result;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t comma = text.find(',', pos);
    if (comma == std::string::npos) comma = text.size();
    int v = std::atoi(text.substr(pos, comma - pos).c_str());
    if (v != 0) result.push_back((level > 51 ? v + 50 : v) - 1);
    pos = comma + 1;
  }
  return result;
}

class LevelsTest : public test::DataSetFixture {
 protected:
  Level Load(int n) {
    Level l;
    const std::string header = HeaderName(n);
    TextFile file(header.c_str());
    l.open = file.IsOpen();
    char buf[256];
    l.height = file.GetInt("Level data", "Height", -1);
    l.scroll = file.GetInt("Level data", "Scroll speed", -1);
    l.maxTypes = file.GetInt("Level data", "Max blocks types", -1);
    file.GetString("Level data", "Name", nullptr, buf, 32);
    l.name = buf;
    file.GetString("Level data", "Text", nullptr, buf, 256);
    l.text = buf;
    file.GetString("Level data", "Requires", nullptr, buf, 256);
    l.requires = buf;
    for (int t = 1; t <= std::min(l.maxTypes, 8); ++t) {
      std::string section = "Block type " + std::to_string(t);
      l.hits.push_back(file.GetInt(section.c_str(), "Hit counter", -1));
      EXPECT_GE(file.GetInt(section.c_str(), "Score", -1), 0) << "level " << n << " type " << t;
    }
    std::string map = Entry(header + ".map");
    l.map.assign(map.begin(), map.end());
    // The reader's answers are the values on each key's own line.
    std::string raw = Entry(header);
    EXPECT_EQ(OwnLineValue(raw, "Level data", "Name"), l.name) << "level " << n;
    EXPECT_EQ(OwnLineValue(raw, "Level data", "Requires"), l.requires) << "level " << n;
    return l;
  }
};

TEST_F(LevelsTest, EveryLevelLoadsWithAFullMapOfKnownTypes) {
  std::set<std::string> names;
  for (int n = 1; n <= kLevels; ++n) {
    SCOPED_TRACE("level " + std::to_string(n));
    Level l = Load(n);
    ASSERT_TRUE(l.open) << HeaderName(n) << " is missing";
    // Progress on the panel divides by Height - 25.
    EXPECT_GE(l.height, 40);
    EXPECT_GE(l.maxTypes, 1);
    EXPECT_LE(l.maxTypes, 8);
    EXPECT_TRUE(l.scroll == 1 || l.scroll == 2) << l.scroll;
    EXPECT_FALSE(l.name.empty());
    EXPECT_TRUE(names.insert(l.name).second) << "name used twice: " << l.name;
    EXPECT_FALSE(l.text.empty());
    for (int h : l.hits) {
      EXPECT_GE(h, 0);
      EXPECT_LE(h, 4);
    }
    ASSERT_EQ(l.map.size(), static_cast<size_t>(l.height) * 20);
    for (uint8_t b : l.map) ASSERT_LE(b, l.maxTypes);
  }
}

TEST_F(LevelsTest, EveryFieldCanBeWonFromAnEmptyStart) {
  for (int n = 1; n <= kLevels; ++n) {
    SCOPED_TRACE("level " + std::to_string(n));
    Level l = Load(n);
    ASSERT_EQ(l.map.size(), static_cast<size_t>(l.height) * 20);
    // At the start the field's bottom lies just above the paddle line (375):
    // the rows on screen below y 285 must be clear for the launch.
    const int backRows = l.height * 16 / 64 + 1;
    const int scroll = backRows * 64 - 400;
    for (int r = 0; r < l.height; ++r) {
      if (16 * r + 15 - scroll < 285) continue;
      for (int c = 0; c < 20; ++c) ASSERT_EQ(l.map[r * 20 + c], 0) << "row " << r << " blocks the launch";
    }
    // Only indestructible blocks can stop a ball: there must be a way around
    // them from the bottom row to the top row, where the level is won.
    std::vector<bool> seen(l.map.size(), false);
    std::vector<int> todo;
    for (int c = 0; c < 20; ++c) {
      todo.push_back((l.height - 1) * 20 + c);
      seen[todo.back()] = true;
    }
    while (!todo.empty()) {
      int cell = todo.back();
      todo.pop_back();
      int r = cell / 20, c = cell % 20;
      const int next[4][2] = {{r - 1, c}, {r + 1, c}, {r, c - 1}, {r, c + 1}};
      for (auto [nr, nc] : next) {
        if (nr < 0 || nr >= l.height || nc < 0 || nc >= 20 || seen[nr * 20 + nc] || l.Solid(nr, nc)) continue;
        seen[nr * 20 + nc] = true;
        todo.push_back(nr * 20 + nc);
      }
    }
    EXPECT_TRUE(std::any_of(seen.begin(), seen.begin() + 20, [](bool b) { return b; }))
        << "the top cannot be reached";
  }
}

TEST_F(LevelsTest, RequirementsFormABranchingCampaignWithoutDeadEnds) {
  std::vector<std::vector<int>> needs(kLevels);
  std::vector<bool> required(kLevels, false);
  for (int n = 1; n <= kLevels; ++n) {
    needs[n - 1] = Requirements(n, Load(n).requires);
    for (int r : needs[n - 1]) {
      ASSERT_GE(r, 0);
      ASSERT_LT(r, kLevels);
      ASSERT_NE(r, n - 1) << "level " << n << " requires itself";
      required[r] = true;
    }
  }
  EXPECT_EQ(needs[50], std::vector<int>{49}) << "level 51 opens after level 50";
  for (int i = 0; i < kLevels - 1; ++i) EXPECT_TRUE(required[i]) << "level " << i + 1 << " opens nothing";

  // Play the campaign: keep winning the first open level. Every level must be
  // won in the end (no cycles, nothing unreachable), and the player should
  // usually have a choice.
  std::vector<bool> done(kLevels, false);
  int rounds = 0, choices = 0;
  for (;;) {
    std::vector<int> open;
    for (int i = 0; i < kLevels; ++i)
      if (!done[i] && std::all_of(needs[i].begin(), needs[i].end(), [&](int r) { return done[r]; }))
        open.push_back(i);
    if (open.empty()) break;
    if (rounds == 0) {
      EXPECT_GE(open.size(), 2u) << "several levels are open at the start";
    }
    ++rounds;
    choices += open.size() >= 2;
    done[open.front()] = true;
  }
  EXPECT_EQ(rounds, kLevels) << "some levels can never be opened";
  EXPECT_GE(choices * 4, rounds * 3) << "too few rounds offer a choice of levels";
}

// Where the map draws node (x, y) with scroll S.
struct Screen {
  double x, y;
};
Screen OnScreen(int x, int y, int s) {
  double sy = 480 - y + s;
  return {std::trunc((x - 329) * (sy - 94.5) / 157.5 + 320), sy};
}
bool InView(const Screen& p) { return p.y >= 180 && p.y < 315; }

TEST_F(LevelsTest, EveryMapNodeLiesOnTheSeaInViewAndApart) {
  TextFile file("Coordinates");
  ASSERT_TRUE(file.IsOpen());
  const std::string raw = Entry("Coordinates");
  std::vector<int> xs, ys;
  for (int n = 1; n <= kLevels; ++n) {
    std::string key = "Level " + std::to_string(n);
    char value[64];
    file.GetString("Coordinates", key.c_str(), nullptr, value, sizeof value);
    // "Level 1" must not be answered from the line of "Level 10".
    ASSERT_EQ(OwnLineValue(raw, "Coordinates", key), value) << key;
    int x = 0, y = 0;
    ASSERT_EQ(std::sscanf(value, "%d%*[, ]%d", &x, &y), 2) << key << " = " << value;
    xs.push_back(x);
    ys.push_back(y);
  }
  // The view starts at the lowest open level and scrolls up to S = 1755.
  int firstOpen = *std::min_element(ys.begin(), ys.end());
  const int minS = firstOpen - 180, maxS = 1755;
  for (int i = 0; i < kLevels; ++i) {
    SCOPED_TRACE("level " + std::to_string(i + 1));
    bool seen = false;
    for (int s = minS; s <= maxS; ++s) {
      Screen p = OnScreen(xs[i], ys[i], s);
      if (!InView(p)) continue;
      seen = true;
      // The whole hover box stays on the screen.
      EXPECT_GE(p.x - 26, 0);
      EXPECT_LE(p.x + 14, 640);
    }
    EXPECT_TRUE(seen) << "never in view";
    for (int r : Requirements(i + 1, Load(i + 1).requires)) EXPECT_LT(ys[r], ys[i]) << "a requirement lies ahead";
    for (int j = i + 1; j < kLevels; ++j) {
      if (std::abs(ys[i] - ys[j]) >= 40) continue;
      for (int s = minS; s <= maxS; ++s) {
        Screen a = OnScreen(xs[i], ys[i], s), b = OnScreen(xs[j], ys[j], s);
        if (InView(a) && InView(b)) {
          ASSERT_GE(std::abs(a.x - b.x), 40) << "overlaps level " << j + 1 << " at S " << s;
        }
      }
    }
  }
}

}  // namespace
}  // namespace vx
