#include "audio/song.h"

#include <cctype>
#include <cstdlib>
#include <sstream>

namespace vx::mkdata {

namespace {

std::vector<std::string> Words(const std::string& s) {
  std::istringstream in(s);
  std::vector<std::string> out;
  std::string w;
  while (in >> w) out.push_back(w);
  return out;
}

bool ToInt(const std::string& s, int* v, int base = 10) {
  if (s.empty()) return false;
  char* end = nullptr;
  long x = std::strtol(s.c_str(), &end, base);
  if (*end != '\0') return false;
  *v = static_cast<int>(x);
  return true;
}

bool ToDouble(const std::string& s, double* v) {
  if (s.empty()) return false;
  char* end = nullptr;
  *v = std::strtod(s.c_str(), &end);
  return *end == '\0';
}

class Parser {
 public:
  Parser(const std::string& file, SongDef* song, std::string* error) : file_(file), song_(song), error_(error) {}

  bool Fail(int line, const std::string& msg) {
    *error_ = file_ + ":" + std::to_string(line) + ": " + msg;
    return false;
  }

  bool Run(const std::string& text) {
    std::istringstream in(text);
    std::string raw;
    int lineNo = 0;
    while (std::getline(in, raw)) {
      ++lineNo;
      // '#' starts a comment only as a word of its own: F#5 is a note.
      std::string s = raw;
      for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '#' && (i == 0 || std::isspace(static_cast<unsigned char>(s[i - 1])))) {
          s.resize(i);
          break;
        }
      }
      while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.pop_back();
      if (s.empty()) continue;
      bool indented = std::isspace(static_cast<unsigned char>(s[0]));
      size_t start = s.find_first_not_of(" \t");
      std::string body = s.substr(start);
      size_t sp = body.find_first_of(" \t");
      TextLine tl;
      tl.head = body.substr(0, sp);
      tl.rest = sp == std::string::npos ? "" : body.substr(body.find_first_not_of(" \t", sp));
      tl.line = lineNo;
      if (indented) {
        if (!Body(tl)) return false;
      } else {
        block_ = Block::kNone;
        if (!Top(tl)) return false;
      }
    }
    song_->file = file_;
    if (song_->order.empty()) return Fail(lineNo, "no order");
    return true;
  }

 private:
  enum class Block { kNone, kGroove, kPhrase, kSection };

  bool Top(const TextLine& tl) {
    std::vector<std::string> w = Words(tl.rest);
    const std::string& h = tl.head;
    if (h == "title") {
      song_->title = tl.rest;
    } else if (h == "tempo" || h == "speed" || h == "global" || h == "bar") {
      int v;
      if (w.size() != 1 || !ToInt(w[0], &v)) return Fail(tl.line, h + " needs a number");
      if (h == "tempo") song_->tempo = v;
      if (h == "speed") song_->speed = v;
      if (h == "global") song_->globalVolume = v;
      if (h == "bar") {
        if (v < 1 || v > 64) return Fail(tl.line, "bar must be 1..64 rows");
        song_->bar = v;
      }
    } else if (h == "instrument") {
      return Instrument(tl, w);
    } else if (h == "channel") {
      return Channel(tl, w);
    } else if (h == "kit") {
      KitEntry k;
      if (w.size() < 3 || w[0].size() != 1 || !ToInt(w[2], &k.volume) ||
          (w.size() > 3 && !ToInt(w[3], &k.offset)))
        return Fail(tl.line, "kit LETTER INSTRUMENT VOLUME [OFFSET]");
      k.instrument = w[1];
      song_->kit[w[0][0]] = k;
    } else if (h == "style") {
      return StyleLine(tl, w);
    } else if (h == "voicing") {
      return Voicing(tl, w);
    } else if (h == "groove") {
      if (w.size() != 1) return Fail(tl.line, "groove NAME");
      Groove& g = song_->grooves[w[0]];
      g.name = w[0];
      g.line = tl.line;
      current_ = w[0];
      block_ = Block::kGroove;
    } else if (h == "phrase") {
      if (w.size() != 1) return Fail(tl.line, "phrase NAME");
      TextLine& p = song_->phrases[w[0]];
      p.head = w[0];
      p.line = tl.line;
      current_ = w[0];
      block_ = Block::kPhrase;
    } else if (h == "section") {
      Section s;
      s.name = w.empty() ? "" : w[0];
      s.line = tl.line;
      if (w.size() == 3 && w[1] == "rows") {
        if (!ToInt(w[2], &s.rows) || s.rows < 1 || s.rows > 64) return Fail(tl.line, "rows must be 1..64");
      } else if (w.size() != 1) {
        return Fail(tl.line, "section NAME [rows N]");
      }
      if (song_->sections.count(s.name)) return Fail(tl.line, "section " + s.name + " defined twice");
      song_->sections[s.name] = s;
      current_ = s.name;
      block_ = Block::kSection;
    } else if (h == "order") {
      for (const auto& name : w) song_->order.push_back(name);
    } else {
      return Fail(tl.line, "unknown directive '" + h + "'");
    }
    return true;
  }

  bool Body(const TextLine& tl) {
    switch (block_) {
      case Block::kGroove: {
        std::string steps;
        for (char c : tl.rest)
          if (c != ' ' && c != '\t') steps += c;
        if (steps.empty()) return Fail(tl.line, "groove line without steps");
        song_->grooves[current_].lines.push_back({tl.head, steps});
        return true;
      }
      case Block::kPhrase: {
        TextLine& p = song_->phrases[current_];
        p.rest += (p.rest.empty() ? "" : " ") + tl.head + (tl.rest.empty() ? "" : " " + tl.rest);
        return true;
      }
      case Block::kSection:
        song_->sections[current_].lines.push_back(tl);
        return true;
      case Block::kNone:
        break;
    }
    return Fail(tl.line, "indented line outside a groove, phrase or section");
  }

  bool Instrument(const TextLine& tl, const std::vector<std::string>& w) {
    if (w.size() < 2 || w.size() % 2) return Fail(tl.line, "instrument NAME KIND [option value]...");
    SongInstrument in;
    in.name = w[0];
    in.kind = w[1];
    for (size_t i = 2; i + 1 < w.size(); i += 2) {
      double v;
      if (!ToDouble(w[i + 1], &v)) return Fail(tl.line, "bad value for " + w[i]);
      if (w[i] == "vol") in.volume = static_cast<int>(v);
      else if (w[i] == "bright") in.params.brightness = v;
      else if (w[i] == "attack") in.params.attackMs = v;
      else if (w[i] == "detune") in.params.detune = v;
      else return Fail(tl.line, "unknown instrument option " + w[i]);
    }
    if (in.volume < 0 || in.volume > 64) return Fail(tl.line, "vol must be 0..64");
    song_->instruments.push_back(in);
    return true;
  }

  bool Channel(const TextLine& tl, const std::vector<std::string>& w) {
    if (w.empty()) return Fail(tl.line, "channel NAME [option value]...");
    SongChannel c;
    c.name = w[0];
    for (size_t i = 1; i < w.size(); ++i) {
      const std::string& k = w[i];
      if (k == "nearest") {
        c.nearestChordTone = true;
        continue;
      }
      if (k == "echo") {
        if (i + 3 >= w.size() || !ToInt(w[i + 2], &c.echoDelay) || !ToInt(w[i + 3], &c.echoPercent) ||
            c.echoDelay < 1 || c.echoPercent < 1 || c.echoPercent > 100)
          return Fail(tl.line, "echo CHANNEL ROWS PERCENT");
        c.echoOf = w[i + 1];
        i += 3;
        continue;
      }
      if (i + 1 >= w.size()) return Fail(tl.line, "missing value for " + k);
      const std::string& v = w[++i];
      bool ok = true;
      if (k == "pan") ok = ToInt(v, &c.pan) && c.pan >= 0 && c.pan <= 15;
      else if (k == "inst") c.instrument = v;
      else if (k == "low") ok = (c.low = ParseNoteName(v)) >= 0;
      else if (k == "vol") ok = ToInt(v, &c.volume) && c.volume >= 0 && c.volume <= 64;
      else if (k == "vibrato") ok = ToInt(v, &c.vibrato, 16) && c.vibrato > 0 && c.vibrato < 256;
      else if (k == "vdelay") ok = ToInt(v, &c.vibratoDelay) && c.vibratoDelay >= 1;
      else if (k == "gate") ok = ToInt(v, &c.gate) && c.gate >= 1;
      else if (k == "glide") ok = ToInt(v, &c.glideRows) && c.glideRows >= 1;
      else return Fail(tl.line, "unknown channel option " + k);
      if (!ok) return Fail(tl.line, "bad value for " + k);
    }
    song_->channels.push_back(c);
    return true;
  }

  bool StyleLine(const TextLine& tl, const std::vector<std::string>& w) {
    if (w.size() < 2) return Fail(tl.line, "style NAME [gate N] [vol N] STEPS");
    Style st;
    st.name = w[0];
    size_t i = 1;
    for (; i + 1 < w.size() && (w[i] == "gate" || w[i] == "vol"); i += 2) {
      int v;
      if (!ToInt(w[i + 1], &v)) return Fail(tl.line, "bad value for " + w[i]);
      (w[i] == "gate" ? st.gate : st.volume) = v;
    }
    for (; i < w.size(); ++i) st.steps += w[i];
    if (st.steps.empty()) return Fail(tl.line, "style without steps");
    song_->styles[st.name] = st;
    return true;
  }

  bool Voicing(const TextLine& tl, const std::vector<std::string>& w) {
    if (w.size() < 2) return Fail(tl.line, "voicing GROUP CHANNEL... [low NOTE] [high NOTE]");
    VoicingGroup g;
    g.name = w[0];
    for (size_t i = 1; i < w.size(); ++i) {
      if ((w[i] == "low" || w[i] == "high") && i + 1 < w.size()) {
        int n = ParseNoteName(w[i + 1]);
        if (n < 0) return Fail(tl.line, "bad note " + w[i + 1]);
        (w[i] == "low" ? g.low : g.high) = n;
        ++i;
      } else {
        g.channels.push_back(w[i]);
      }
    }
    if (g.channels.empty() || g.high - g.low < 12) return Fail(tl.line, "voicing needs channels and an octave of room");
    song_->voicings.push_back(g);
    return true;
  }

  std::string file_;
  SongDef* song_;
  std::string* error_;
  Block block_ = Block::kNone;
  std::string current_;
};

}  // namespace

int ParseNoteName(const std::string& s) {
  static const int kSemis[] = {9, 11, 0, 2, 4, 5, 7};  // A..G
  if (s.size() < 2) return -1;
  char l = static_cast<char>(std::toupper(static_cast<unsigned char>(s[0])));
  if (l < 'A' || l > 'G') return -1;
  int semi = kSemis[l - 'A'];
  size_t i = 1;
  while (i < s.size() && (s[i] == '#' || s[i] == 'b')) semi += s[i++] == '#' ? 1 : -1;
  if (i + 1 != s.size() || !std::isdigit(static_cast<unsigned char>(s[i]))) return -1;
  return (s[i] - '0' + 1) * 12 + semi;
}

bool ParseSong(const std::string& text, const std::string& file, SongDef* song, std::string* error) {
  *song = SongDef();
  Parser p(file, song, error);
  return p.Run(text);
}

}  // namespace vx::mkdata
