// An independent reader for the modules our generator writes, so tests check
// the bytes and not the writer's own idea of them. Bounds-checked: a bad
// file fails the read instead of crashing the test.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace vx::test {

struct ReadCell {
  uint8_t note = 255, instrument = 0, volume = 255, command = 0, info = 0;
};

struct ReadSample {
  uint8_t type = 0;
  uint32_t length = 0, loopStart = 0, loopEnd = 0, c2spd = 0;
  uint8_t volume = 0, flags = 0;
  bool scrs = false;
  std::vector<uint8_t> data;  // as stored (unsigned)
};

struct ReadModule {
  std::string title;
  uint16_t orderCount = 0, sampleCount = 0, patternCount = 0, flags = 0, version = 0, format = 0;
  uint8_t globalVolume = 0, speed = 0, tempo = 0, defaultPan = 0;
  uint8_t channelSettings[32] = {};
  std::vector<uint8_t> orders;
  std::vector<uint8_t> pans;  // the 32 bytes after the pointers
  std::vector<ReadSample> samples;
  std::vector<std::vector<ReadCell>> patterns;  // 64 x channels
  int channels = 0;
};

inline bool ReadS3m(const std::vector<uint8_t>& d, ReadModule* m, std::string* why) {
  auto need = [&](size_t at, size_t n) { return at + n <= d.size(); };
  auto u16 = [&](size_t at) { return static_cast<uint16_t>(d[at] | d[at + 1] << 8); };
  auto u32 = [&](size_t at) { return static_cast<uint32_t>(u16(at) | u16(at + 2) << 16); };
  if (!need(0, 0x60) || std::memcmp(&d[0x2c], "SCRM", 4) != 0) return *why = "no SCRM header", false;
  m->title.assign(reinterpret_cast<const char*>(d.data()), strnlen(reinterpret_cast<const char*>(d.data()), 28));
  m->orderCount = u16(0x20);
  m->sampleCount = u16(0x22);
  m->patternCount = u16(0x24);
  m->flags = u16(0x26);
  m->version = u16(0x28);
  m->format = u16(0x2a);
  m->globalVolume = d[0x30];
  m->speed = d[0x31];
  m->tempo = d[0x32];
  m->defaultPan = d[0x35];
  std::memcpy(m->channelSettings, &d[0x40], 32);
  m->channels = 0;
  for (uint8_t c : m->channelSettings) m->channels += c < 16;
  size_t at = 0x60;
  if (!need(at, m->orderCount + 2u * (m->sampleCount + m->patternCount) + 32)) return *why = "short tables", false;
  m->orders.assign(d.begin() + at, d.begin() + at + m->orderCount);
  at += m->orderCount;
  std::vector<size_t> sp, pp;
  for (int i = 0; i < m->sampleCount; ++i, at += 2) sp.push_back(u16(at) * 16u);
  for (int i = 0; i < m->patternCount; ++i, at += 2) pp.push_back(u16(at) * 16u);
  m->pans.assign(d.begin() + at, d.begin() + at + 32);
  for (size_t h : sp) {
    if (!need(h, 80)) return *why = "sample header outside the file", false;
    ReadSample s;
    s.type = d[h];
    size_t data = ((static_cast<size_t>(d[h + 13]) << 16) | u16(h + 14)) * 16;
    s.length = u32(h + 16);
    s.loopStart = u32(h + 20);
    s.loopEnd = u32(h + 24);
    s.volume = d[h + 28];
    s.flags = d[h + 31];
    s.c2spd = u32(h + 32);
    s.scrs = std::memcmp(&d[h + 76], "SCRS", 4) == 0;
    if (!need(data, s.length)) return *why = "sample data outside the file", false;
    s.data.assign(d.begin() + data, d.begin() + data + s.length);
    m->samples.push_back(s);
  }
  for (size_t p : pp) {
    std::vector<ReadCell> cells(64 * m->channels);
    size_t o = p + 2;
    for (int row = 0; row < 64;) {
      if (!need(o, 1)) return *why = "pattern runs off the file", false;
      uint8_t what = d[o++];
      if (what == 0) {
        ++row;
        continue;
      }
      ReadCell c;
      if (what & 0x20) {
        if (!need(o, 2)) return *why = "pattern runs off the file", false;
        c.note = d[o];
        c.instrument = d[o + 1];
        o += 2;
      }
      if (what & 0x40) {
        if (!need(o, 1)) return *why = "pattern runs off the file", false;
        c.volume = d[o++];
      }
      if (what & 0x80) {
        if (!need(o, 2)) return *why = "pattern runs off the file", false;
        c.command = d[o];
        c.info = d[o + 1];
        o += 2;
      }
      int ch = what & 31;
      if (ch >= m->channels) return *why = "cell on an unused channel", false;
      cells[row * m->channels + ch] = c;
    }
    if (o - p != u16(p)) return *why = "packed length does not match", false;
    m->patterns.push_back(cells);
  }
  return true;
}

// Seconds from order 0 until the order list ends, following speed (A),
// tempo (T) and pattern breaks (C00) the way the game's player counts ticks.
inline double SongSeconds(const ReadModule& m) {
  int speed = m.speed, tempo = m.tempo;
  double t = 0.0;
  for (uint8_t o : m.orders) {
    if (o == 254) continue;
    if (o >= m.patterns.size()) break;
    const auto& p = m.patterns[o];
    for (int row = 0; row < 64; ++row) {
      bool brk = false;
      for (int ch = 0; ch < m.channels; ++ch) {
        const ReadCell& c = p[row * m.channels + ch];
        if (c.command == 1 && c.info && c.info < 32) speed = c.info;
        if (c.command == 20 && c.info >= 32) tempo = c.info;
        if (c.command == 3) brk = true;
      }
      t += speed * 2.5 / tempo;
      if (brk) break;
    }
  }
  return t;
}

}  // namespace vx::test
