#include "audio/chords.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace vx::mkdata {

bool ParseChord(const std::string& symbol, int* root, std::vector<int>* intervals, int* bass) {
  static const std::map<std::string, std::vector<int>> kQualities = {
      {"", {0, 4, 7}},          {"m", {0, 3, 7}},          {"7", {0, 4, 7, 10}},      {"maj7", {0, 4, 7, 11}},
      {"m7", {0, 3, 7, 10}},    {"dim", {0, 3, 6}},        {"aug", {0, 4, 8}},        {"sus2", {0, 2, 7}},
      {"sus4", {0, 5, 7}},      {"add9", {0, 4, 7, 14}},   {"madd9", {0, 3, 7, 14}},  {"6", {0, 4, 7, 9}},
      {"m6", {0, 3, 7, 9}},     {"9", {0, 4, 7, 10, 14}},  {"m9", {0, 3, 7, 10, 14}}, {"7sus4", {0, 5, 7, 10}},
      {"m7b5", {0, 3, 6, 10}},  {"dim7", {0, 3, 6, 9}},    {"5", {0, 7}},             {"maj9", {0, 4, 7, 11, 14}},
  };
  auto pitchClass = [](const std::string& s, size_t* used) {
    static const int kSemis[] = {9, 11, 0, 2, 4, 5, 7};
    if (s.empty() || s[0] < 'A' || s[0] > 'G') return -1;
    int pc = kSemis[s[0] - 'A'];
    size_t i = 1;
    if (i < s.size() && (s[i] == '#' || s[i] == 'b')) pc += s[i++] == '#' ? 1 : -1;
    *used = i;
    return (pc + 12) % 12;
  };
  std::string s = symbol;
  std::string slash;
  size_t sl = s.find('/');
  if (sl != std::string::npos) {
    slash = s.substr(sl + 1);
    s = s.substr(0, sl);
    if (slash.empty()) return false;
  }
  size_t used = 0;
  int r = pitchClass(s, &used);
  if (r < 0) return false;
  auto q = kQualities.find(s.substr(used));
  if (q == kQualities.end()) return false;
  *root = r;
  *intervals = q->second;
  *bass = r;
  if (!slash.empty()) {
    size_t u2 = 0;
    int b = pitchClass(slash, &u2);
    if (b < 0 || u2 != slash.size()) return false;
    *bass = b;
  }
  return true;
}

// Chord tones in rising order from the root (or, with `nearest`, from the
// lowest chord tone) at or above `low`; index 1 is the first, 0 the one below.
int ChordTone(const Chord& c, int index, int low, bool nearest) {
  std::vector<int> pcs;
  for (int iv : c.intervals) pcs.push_back((c.root + iv) % 12);
  std::vector<int> tones;
  int startPc = c.bass;
  int first = low + ((startPc - low) % 12 + 12) % 12;
  if (nearest) {
    first = low;
    while (std::find(pcs.begin(), pcs.end(), first % 12) == pcs.end()) ++first;
  }
  // Walk upwards collecting chord tones (and the bass note if it is not one).
  for (int m = first; tones.size() < 16; ++m) {
    bool isTone = std::find(pcs.begin(), pcs.end(), m % 12) != pcs.end() || m == first;
    if (isTone) tones.push_back(m);
  }
  if (index >= 1) return tones[std::min<size_t>(index - 1, tones.size() - 1)];
  for (int m = first - 1;; --m)
    if (std::find(pcs.begin(), pcs.end(), m % 12) != pcs.end()) return m;
}

std::vector<int> VoiceChord(const Chord& c, int n, int low, int high, const std::vector<int>& prev) {
  std::vector<int> pcs;
  for (int iv : c.intervals) pcs.push_back((c.root + iv) % 12);
  int third = -1, color = -1;  // the tones that give the chord its name
  for (int iv : c.intervals) {
    if (iv == 3 || iv == 4 || iv == 2 || iv == 5) third = (c.root + iv) % 12;
    if (iv == 9 || iv == 10 || iv == 11 || iv == 14) color = (c.root + iv) % 12;
  }
  std::vector<int> cand;
  for (int m = low; m <= high; ++m)
    if (std::find(pcs.begin(), pcs.end(), m % 12) != pcs.end()) cand.push_back(m);
  const int need = std::min<int>(n, static_cast<int>(std::set<int>(pcs.begin(), pcs.end()).size()));
  double centre = (low + high) / 2.0;
  std::vector<int> best;
  double bestCost = 1e9;
  std::vector<int> pick(n);
  // Every n-note combination of candidate notes (they are few).
  std::vector<int> idx(n);
  for (int i = 0; i < n; ++i) idx[i] = i;
  if (static_cast<int>(cand.size()) < n) return {};
  while (true) {
    for (int i = 0; i < n; ++i) pick[i] = cand[idx[i]];
    std::set<int> have;
    for (int m : pick) have.insert(m % 12);
    bool ok = static_cast<int>(have.size()) >= need;
    if (third >= 0 && !have.count(third)) ok = false;
    if (color >= 0 && n >= 3 && !have.count(color)) ok = false;
    if (ok) {
      double cost = 0.0;
      if (prev.size() == pick.size()) {
        for (int i = 0; i < n; ++i) cost += std::abs(pick[i] - prev[i]);
      } else {
        double mean = 0.0;
        for (int m : pick) mean += m;
        cost = std::fabs(mean / n - centre);
      }
      if (!have.count(c.root)) cost += 2.5;
      for (int i = 1; i < n; ++i)
        if (pick[i] - pick[i - 1] < 3 && pick[i] < 60) cost += 3.0;  // muddy low clusters
      if (cost < bestCost) {
        bestCost = cost;
        best = pick;
      }
    }
    int i = n - 1;
    while (i >= 0 && idx[i] == static_cast<int>(cand.size()) - n + i) --i;
    if (i < 0) break;
    ++idx[i];
    for (int j = i + 1; j < n; ++j) idx[j] = idx[j - 1] + 1;
  }
  return best;
}

}  // namespace vx::mkdata
