#include "audio/composer.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <set>
#include <sstream>

namespace vx::mkdata {

namespace {

const int kPeriodTable[12] = {1712, 1616, 1524, 1440, 1356, 1280, 1208, 1140, 1076, 1016, 960, 907};

std::vector<std::string> Words(const std::string& s) {
  std::istringstream in(s);
  std::vector<std::string> out;
  std::string w;
  while (in >> w) out.push_back(w);
  return out;
}

// One note token of a melodic line, after phrase expansion.
struct Token {
  enum Kind { kNote, kRest, kTie, kBar, kInstrument } kind = kNote;
  int midi = 0;
  int length = 0;  // rows; 0 = same as the previous token
  std::string flags;
  int volume = -1;
  int arpeggio = 0;
  std::string name;  // instrument for kInstrument
};

// A volume slide up from `from` to about `to` within `maxRows` rows: the
// per-tick step and the rows it needs (fewer when the step cannot be finer).
void SwellSlide(int from, int to, int maxRows, int speed, int* step, int* rows) {
  int rise = std::max(1, to - from);
  *step = std::clamp(rise / (maxRows * speed), 1, 15);
  *rows = std::clamp(rise / (*step * speed), 1, maxRows);
}

struct ChannelState {
  bool known = false;  // at the song's start nothing can be assumed
  bool sounding = false;
  bool looped = false;
  int midi = -1;
  int instrument = 0;  // 1-based
};

class Composer {
 public:
  Composer(const SongDef& song, S3mModule* module, std::string* error)
      : song_(song), mod_(module), error_(error) {}

  bool Run(ComposeReport* report);

 private:
  bool Fail(int line, const std::string& msg) {
    *error_ = song_.file + ":" + std::to_string(line) + ": " + msg;
    return false;
  }

  bool Setup();
  bool RenderSection(const Section& sec, bool first, S3mPattern* pat);
  bool ParseChords(const TextLine& tl, int rows, std::vector<Chord>* chords);
  const Chord* ChordAt(int row) const;
  bool Melody(int ch, const TextLine& tl);
  bool Steps(int ch, const TextLine& tl, const std::vector<std::string>& names);
  bool Voicing(const VoicingGroup& g, const TextLine& tl);
  bool Drums(const TextLine& tl);
  bool ExpandTokens(const std::string& text, int transpose, int depth, int line, std::vector<Token>* out);

  // Cell writers; all fail on a clash with something already written.
  bool Note(int row, int ch, int midi, int inst, int volume, bool withInstrument, int line);
  bool Cut(int row, int ch, int line);
  bool Command(int row, int ch, char letter, int info, int line);
  bool FreeCommand(int row, char letter, int info, int line);
  uint8_t NoteByte(int midi, int inst, bool* ok) const;
  int EffectiveVolume(int ch, int inst, int volume) const;

  void MeasureMix(ComposeReport* report) const;
  bool Echo(int ch, int line);
  void PutRaw(int row, int ch, const S3mCell& cell);

  const SongDef& song_;
  S3mModule* mod_;
  std::string* error_;
  std::vector<Instrument> instruments_;
  std::map<std::string, int> instrumentIndex_;  // 1-based
  std::map<std::string, int> channelIndex_;
  std::vector<ChannelState> state_;
  std::vector<std::vector<int>> groupVoicing_;  // last voicing of each group
  std::set<char> effects_;

  // The pattern being written.
  S3mPattern* pat_ = nullptr;
  int rows_ = 64;
  std::vector<Chord> chords_;
  // Ticks per row while the section plays; slides are measured in ticks.
  int speed_ = 6;
  // Echo notes that fall past the end of a section, for the next one.
  struct Carry {
    int ch;
    int row;
    S3mCell cell;
  };
  std::vector<Carry> carry_;
  std::vector<int> echoSource_;  // per channel: the channel it echoes, or -1
};

bool Composer::Setup() {
  if (song_.channels.size() < 4 || song_.channels.size() > 8) return Fail(0, "a song needs 4 to 8 channels");
  if (song_.tempo < 32 || song_.tempo > 255 || song_.speed < 1 || song_.speed > 31)
    return Fail(0, "tempo must be 32..255 and speed 1..31");
  for (const auto& si : song_.instruments) {
    Instrument inst;
    if (!MakeInstrument(si.kind, si.params, &inst)) return Fail(0, "unknown instrument kind " + si.kind);
    inst.sample.name = si.name;
    inst.sample.volume = static_cast<uint8_t>(si.volume);
    instruments_.push_back(inst);
    instrumentIndex_[si.name] = static_cast<int>(instruments_.size());
  }
  for (size_t i = 0; i < song_.channels.size(); ++i) {
    const SongChannel& c = song_.channels[i];
    if (!c.instrument.empty() && !instrumentIndex_.count(c.instrument))
      return Fail(0, "channel " + c.name + " uses unknown instrument " + c.instrument);
    channelIndex_[c.name] = static_cast<int>(i);
  }
  for (const auto& c : song_.channels) {
    int src = -1;
    if (!c.echoOf.empty()) {
      auto it = channelIndex_.find(c.echoOf);
      if (it == channelIndex_.end()) return Fail(0, "channel " + c.name + " echoes unknown channel " + c.echoOf);
      if (!song_.channels[it->second].echoOf.empty() || it->second == static_cast<int>(echoSource_.size()))
        return Fail(0, "channel " + c.name + " must echo a channel that plays notes");
      src = it->second;
    }
    echoSource_.push_back(src);
  }
  for (const auto& g : song_.voicings)
    for (const auto& ch : g.channels) {
      if (!channelIndex_.count(ch)) return Fail(0, "voicing " + g.name + " names unknown channel " + ch);
      if (song_.channels[channelIndex_.at(ch)].instrument.empty())
        return Fail(0, "voicing " + g.name + " needs an instrument on channel " + ch);
    }
  for (const auto& k : song_.kit)
    if (!instrumentIndex_.count(k.second.instrument))
      return Fail(0, std::string("kit letter ") + k.first + " uses unknown instrument " + k.second.instrument);
  state_.assign(song_.channels.size(), ChannelState());
  groupVoicing_.assign(song_.voicings.size(), {});
  return true;
}

uint8_t Composer::NoteByte(int midi, int inst, bool* ok) const {
  const Instrument& in = instruments_[inst - 1];
  int semis = in.rootMidi < 0 ? 48 + midi : midi - in.rootMidi + 48;  // drums: midi is an offset
  *ok = semis >= 0 && semis < 96;
  if (!*ok) return kS3mNoNote;
  return S3mNote(semis / 12, semis % 12);
}

int Composer::EffectiveVolume(int ch, int inst, int volume) const {
  if (volume >= 0) return volume;
  if (song_.channels[ch].volume >= 0) return song_.channels[ch].volume;
  return instruments_[inst - 1].sample.volume;
}

bool Composer::Note(int row, int ch, int midi, int inst, int volume, bool withInstrument, int line) {
  S3mCell& c = pat_->At(row, ch);
  if (c.note != kS3mNoNote) return Fail(line, "two notes on one row of channel " + song_.channels[ch].name);
  bool ok;
  c.note = NoteByte(midi, inst, &ok);
  if (!ok) return Fail(line, "note out of the instrument's range on channel " + song_.channels[ch].name);
  if (withInstrument) c.instrument = static_cast<uint8_t>(inst);
  if (volume >= 0) c.volume = static_cast<uint8_t>(std::min(volume, 64));
  ChannelState& s = state_[ch];
  s.known = true;
  s.sounding = true;
  s.looped = instruments_[inst - 1].sample.loop;
  s.midi = midi;
  s.instrument = inst;
  return true;
}

bool Composer::Cut(int row, int ch, int line) {
  S3mCell& c = pat_->At(row, ch);
  if (c.note != kS3mNoNote && c.note != kS3mNoteCut)
    return Fail(line, "a rest clashes with a note on channel " + song_.channels[ch].name);
  c.note = kS3mNoteCut;
  state_[ch].known = true;
  state_[ch].sounding = false;
  return true;
}

bool Composer::Command(int row, int ch, char letter, int info, int line) {
  // The game's loader replaces a zero parameter by the channel's last one
  // (pattern break aside), so every parameter is written out in full.
  if ((info <= 0 && letter != 'C') || info > 255) return Fail(line, std::string("bad parameter for effect ") + letter);
  S3mCell& c = pat_->At(row, ch);
  uint8_t cmd = S3mCommand(letter);
  if (c.command != 0 && (c.command != cmd || c.info != info))
    return Fail(line, "two effects on one row of channel " + song_.channels[ch].name);
  c.command = cmd;
  c.info = static_cast<uint8_t>(info);
  effects_.insert(letter);
  return true;
}

bool Composer::FreeCommand(int row, char letter, int info, int line) {
  for (int ch = pat_->channels - 1; ch >= 0; --ch) {
    S3mCell& c = pat_->At(row, ch);
    if (c.command == S3mCommand(letter) && c.info == info) return true;
    if (c.command == 0) return Command(row, ch, letter, info, line);
  }
  return Fail(line, std::string("no free effect slot for ") + letter);
}

const Chord* Composer::ChordAt(int row) const {
  for (const Chord& c : chords_)
    if (row >= c.start && row < c.start + c.rows) return &c;
  return nullptr;
}

bool Composer::ParseChords(const TextLine& tl, int rows, std::vector<Chord>* chords) {
  chords->clear();
  std::vector<std::string> bars;
  std::string cur;
  for (char c : tl.rest) {
    if (c == '|') {
      bars.push_back(cur);
      cur.clear();
    } else {
      cur += c;
    }
  }
  bars.push_back(cur);
  int row = 0;
  for (const std::string& bar : bars) {
    std::vector<std::string> syms = Words(bar);
    if (syms.empty()) return Fail(tl.line, "empty bar in chords");
    int explicitRows = 0, implicitCount = 0;
    std::vector<int> lens;
    for (auto& s : syms) {
      size_t colon = s.find(':');
      int len = 0;
      if (colon != std::string::npos) {
        len = std::atoi(s.c_str() + colon + 1);
        if (len <= 0) return Fail(tl.line, "bad chord length in " + s);
        s = s.substr(0, colon);
        explicitRows += len;
      } else {
        ++implicitCount;
      }
      lens.push_back(len);
    }
    int left = song_.bar - explicitRows;
    if (left < 0 || (implicitCount && left % implicitCount) || (!implicitCount && left))
      return Fail(tl.line, "chords do not fill the bar: " + bar);
    for (size_t i = 0; i < syms.size(); ++i) {
      Chord c;
      if (syms[i] == "%" && !chords->empty()) {
        c = chords->back();
      } else if (!ParseChord(syms[i], &c.root, &c.intervals, &c.bass)) {
        return Fail(tl.line, "unknown chord " + syms[i]);
      }
      c.start = row;
      c.rows = lens[i] ? lens[i] : left / implicitCount;
      row += c.rows;
      chords->push_back(c);
    }
  }
  if (row < rows) return Fail(tl.line, "chords cover " + std::to_string(row) + " of " + std::to_string(rows) + " rows");
  return true;
}


bool Composer::ExpandTokens(const std::string& text, int transpose, int depth, int line, std::vector<Token>* out) {
  if (depth > 8) return Fail(line, "phrases nest too deeply");
  for (const std::string& w : Words(text)) {
    Token t;
    if (w == "|") {
      t.kind = Token::kBar;
      out->push_back(t);
      continue;
    }
    if (w[0] == '*') {
      size_t sign = w.find_first_of("+-", 1);
      std::string name = w.substr(1, sign == std::string::npos ? std::string::npos : sign - 1);
      int tr = sign == std::string::npos ? 0 : std::atoi(w.c_str() + sign);
      auto it = song_.phrases.find(name);
      if (it == song_.phrases.end()) return Fail(line, "unknown phrase " + name);
      if (!ExpandTokens(it->second.rest, transpose + tr, depth + 1, line, out)) return false;
      continue;
    }
    if (w[0] == '$') {
      t.kind = Token::kInstrument;
      t.name = w.substr(1);
      if (!instrumentIndex_.count(t.name)) return Fail(line, "unknown instrument " + t.name);
      out->push_back(t);
      continue;
    }
    size_t i = 0;
    if (w[0] == 'r') {
      t.kind = Token::kRest;
      i = 1;
    } else if (w[0] == '-') {
      t.kind = Token::kTie;
      i = 1;
    } else {
      size_t end = 1;
      while (end < w.size() && (w[end] == '#' || w[end] == 'b')) ++end;
      if (end < w.size()) ++end;  // octave digit
      t.midi = ParseNoteName(w.substr(0, end));
      if (t.midi < 0) return Fail(line, "bad token " + w);
      t.midi += transpose;
      i = end;
    }
    if (i < w.size() && w[i] == ':') {
      size_t j = i + 1;
      while (j < w.size() && std::isdigit(static_cast<unsigned char>(w[j]))) ++j;
      t.length = std::atoi(w.substr(i + 1, j - i - 1).c_str());
      if (t.length <= 0) return Fail(line, "bad length in " + w);
      i = j;
    }
    while (i < w.size()) {
      char f = w[i++];
      if (f == '@' || f == '^') {
        size_t j = i;
        while (j < w.size() && std::isxdigit(static_cast<unsigned char>(w[j]))) ++j;
        std::string num = w.substr(i, j - i);
        if (num.empty()) return Fail(line, "missing number in " + w);
        if (f == '@') t.volume = std::atoi(num.c_str());
        else t.arpeggio = static_cast<int>(std::strtol(num.c_str(), nullptr, 16));
        i = j;
      } else if (std::string("~></\\'!?").find(f) != std::string::npos) {
        t.flags += f;
      } else {
        return Fail(line, "unknown mark '" + std::string(1, f) + "' in " + w);
      }
    }
    out->push_back(t);
  }
  return true;
}

bool Composer::Melody(int ch, const TextLine& tl) {
  const SongChannel& sc = song_.channels[ch];
  std::vector<Token> tokens;
  if (!ExpandTokens(tl.rest, 0, 0, tl.line, &tokens)) return false;
  int inst = sc.instrument.empty() ? 0 : instrumentIndex_.at(sc.instrument);
  int row = 0, length = 4;
  const int speed = speed_;
  for (const Token& t : tokens) {
    if (t.kind == Token::kBar) {
      if (row % song_.bar) return Fail(tl.line, "bar line at row " + std::to_string(row) + " on " + sc.name);
      continue;
    }
    if (t.kind == Token::kInstrument) {
      inst = instrumentIndex_.at(t.name);
      continue;
    }
    if (t.length) length = t.length;
    const int L = length;
    if (row + L > rows_) return Fail(tl.line, "line runs past the end of the section on " + sc.name);
    if (t.kind == Token::kTie) {
      row += L;
      continue;
    }
    if (t.kind == Token::kRest) {
      ChannelState& s = state_[ch];
      if (!s.known || (s.sounding && s.looped)) {
        if (!Cut(row, ch, tl.line)) return false;
      }
      s.sounding = false;
      row += L;
      continue;
    }
    if (!inst) return Fail(tl.line, "no instrument on " + sc.name);
    auto has = [&](char f) { return t.flags.find(f) != std::string::npos; };
    int vol = t.volume;
    int base = EffectiveVolume(ch, inst, -1);
    if (has('!')) vol = std::min(64, base + 10);
    if (has('?')) vol = base * 6 / 10;
    if (vol < 0 && sc.volume >= 0) vol = sc.volume;
    const int target = EffectiveVolume(ch, inst, vol);
    ChannelState before = state_[ch];
    const int c2spd = static_cast<int>(instruments_[inst - 1].sample.c2spd);
    int glideEnd = row;
    if (has('/')) {
      if (!before.sounding || before.instrument != inst)
        return Fail(tl.line, "glide needs a sounding note of the same instrument on " + sc.name);
      bool ok;
      int p0 = S3mPeriod(NoteByte(before.midi, inst, &ok));
      int p1 = S3mPeriod(NoteByte(t.midi, inst, &ok));
      int g = std::min(sc.glideRows, L);
      // A third quicker than needed: other players skip the first tick.
      double per = std::abs(p1 - p0) * 8363.0 / (static_cast<double>(c2spd) * g * speed) * 1.35;
      int info = std::clamp(static_cast<int>(std::ceil(per)), 1, 255);
      if (!Note(row, ch, t.midi, inst, vol, false, tl.line)) return false;
      for (int r = row; r < row + g; ++r)
        if (!Command(r, ch, 'G', info, tl.line)) return false;
      glideEnd = row + g;
    } else {
      int startVol = has('<') ? 8 : vol;
      if (!Note(row, ch, t.midi, inst, startVol, true, tl.line)) return false;
    }
    if (has('\'')) {
      if (sc.gate >= speed) return Fail(tl.line, "gate must be shorter than a row");
      if (!Command(row, ch, 'S', 0xC0 | sc.gate, tl.line)) return false;
      state_[ch].sounding = false;
    }
    if (t.arpeggio) {
      for (int r = row; r < row + L; ++r)
        if (!Command(r, ch, 'J', t.arpeggio, tl.line)) return false;
    }
    int swellRows = 0;
    if (has('<')) {
      int x;
      SwellSlide(8, target, std::max(1, std::min(L, 4)), speed_, &x, &swellRows);
      for (int r = row; r < row + swellRows; ++r)
        if (!Command(r, ch, 'D', x << 4, tl.line)) return false;
    }
    // Vibrato, fade and fall share the rows after the attack.
    int vibStart = has('~') ? row + std::min(sc.vibratoDelay, std::max(1, L - 1)) : row + L;
    vibStart = std::max(vibStart, glideEnd);
    vibStart = std::max(vibStart, row + swellRows);
    int fallRows = has('\\') ? std::min(2, L - 1) : 0;
    int fadeInfo = 0;
    if (has('>') && L > 1) fadeInfo = std::clamp((target + (L - 1) * speed - 1) / ((L - 1) * speed), 1, 15);
    bool vibratoSet = false;
    for (int r = std::max(row + 1, glideEnd); r < row + L; ++r) {
      if (r >= row + L - fallRows) {
        bool ok;
        int p = S3mPeriod(NoteByte(t.midi, inst, &ok));
        double dp = p * (std::pow(2.0, 5.0 / 12.0) - 1.0);
        int x = std::clamp(static_cast<int>(std::ceil(dp * 8363.0 / (c2spd * fallRows * speed))), 1, 0xdf);
        if (!Command(r, ch, 'E', x, tl.line)) return false;
      } else if (r >= vibStart) {
        if (fadeInfo && vibratoSet) {
          if (!Command(r, ch, 'K', fadeInfo, tl.line)) return false;
        } else {
          if (!Command(r, ch, 'H', sc.vibrato, tl.line)) return false;
          vibratoSet = true;
        }
      } else if (fadeInfo) {
        if (!Command(r, ch, 'D', fadeInfo, tl.line)) return false;
      }
    }
    row += L;
  }
  return true;
}

bool Composer::Steps(int ch, const TextLine& tl, const std::vector<std::string>& names) {
  const SongChannel& sc = song_.channels[ch];
  if (sc.instrument.empty()) return Fail(tl.line, "channel " + sc.name + " has no instrument for a style");
  const int inst = instrumentIndex_.at(sc.instrument);
  const int bars = (rows_ + song_.bar - 1) / song_.bar;
  if (names.size() != 1 && static_cast<int>(names.size()) != bars)
    return Fail(tl.line, "give one style or one per bar on " + sc.name);
  for (int b = 0; b < bars; ++b) {
    const Style& st = song_.styles.at(names[names.size() == 1 ? 0 : b]);
    for (int i = 0; i < song_.bar; ++i) {
      int row = b * song_.bar + i;
      if (row >= rows_) break;
      char c = st.steps[i % st.steps.size()];
      const Chord* chord = ChordAt(row);
      if (std::isdigit(static_cast<unsigned char>(c))) {
        if (!chord) return Fail(tl.line, "no chord at row " + std::to_string(row));
        int midi = ChordTone(*chord, c - '0', sc.low, sc.nearestChordTone);
        int vol = st.volume >= 0 ? st.volume : sc.volume;
        if (!Note(row, ch, midi, inst, vol, true, tl.line)) return false;
        if (st.gate) {
          if (!Command(row, ch, 'S', 0xC0 | st.gate, tl.line)) return false;
          state_[ch].sounding = false;
        }
      } else if (c == '.') {
        ChannelState& s = state_[ch];
        if (!s.known || (s.sounding && s.looped))
          if (!Cut(row, ch, tl.line)) return false;
        s.sounding = false;
      } else if (c != '-') {
        return Fail(tl.line, std::string("unknown step '") + c + "' in style " + st.name);
      }
    }
  }
  return true;
}

bool Composer::Voicing(const VoicingGroup& g, const TextLine& tl) {
  const size_t gi = &g - &song_.voicings[0];
  std::vector<int> chans;
  for (const auto& name : g.channels) chans.push_back(channelIndex_.at(name));
  std::vector<std::string> names = Words(tl.rest);
  const int bars = (rows_ + song_.bar - 1) / song_.bar;
  if (names.empty() || (names.size() != 1 && static_cast<int>(names.size()) != bars))
    return Fail(tl.line, "give one pad style or one per bar on " + g.name);
  std::vector<int>& voicing = groupVoicing_[gi];
  const Chord* lastChord = nullptr;
  for (int row = 0; row < rows_; ++row) {
    const std::string& mode = names[names.size() == 1 ? 0 : row / song_.bar];
    const Chord* chord = ChordAt(row);
    if (!chord) return Fail(tl.line, "no chord at row " + std::to_string(row));
    bool change = chord != lastChord;
    if (change) {
      std::vector<int> v = VoiceChord(*chord, static_cast<int>(g.channels.size()), g.low, g.high, voicing);
      if (v.empty()) return Fail(tl.line, "cannot voice a chord in the range of " + g.name);
      voicing = v;
      lastChord = chord;
    }
    char step = '-';
    if (mode == "hold" || mode == "swell") {
      step = change ? (mode == "hold" ? 'h' : 's') : '-';
    } else if (mode == "rest") {
      step = row == 0 ? '.' : '-';
    } else {
      auto it = song_.styles.find(mode);
      if (it == song_.styles.end()) return Fail(tl.line, "unknown pad style " + mode);
      step = it->second.steps[(row % song_.bar) % it->second.steps.size()];
      if (step == '-' && change) step = 'h';
    }
    for (size_t i = 0; i < chans.size(); ++i) {
      int ch = chans[i];
      ChannelState& s = state_[ch];
      const SongChannel& sc = song_.channels[ch];
      int inst = instrumentIndex_.at(sc.instrument);
      if (step == '.') {
        if (!s.known || (s.sounding && s.looped))
          if (!Cut(row, ch, tl.line)) return false;
        s.sounding = false;
      } else if (step == 'h') {
        if (!s.known || !s.sounding || s.midi != voicing[i] || s.instrument != inst)
          if (!Note(row, ch, voicing[i], inst, sc.volume, true, tl.line)) return false;
      } else if (step == 'x') {
        if (!Note(row, ch, voicing[i], inst, sc.volume, true, tl.line)) return false;
      } else if (step == 's') {
        if (!Note(row, ch, voicing[i], inst, 4, true, tl.line)) return false;
        int target = EffectiveVolume(ch, inst, -1);
        int x, k;
        SwellSlide(4, target, std::min(6, chord->rows), speed_, &x, &k);
        for (int r = row; r < row + k && r < rows_; ++r)
          if (!Command(r, ch, 'D', x << 4, tl.line)) return false;
      } else if (step != '-') {
        return Fail(tl.line, std::string("unknown pad step '") + step + "'");
      }
    }
  }
  return true;
}

bool Composer::Drums(const TextLine& tl) {
  std::vector<std::string> names = Words(tl.rest);
  const int bars = (rows_ + song_.bar - 1) / song_.bar;
  if (names.empty() || (names.size() != 1 && static_cast<int>(names.size()) != bars))
    return Fail(tl.line, "give one groove or one per bar");
  for (int b = 0; b < bars; ++b) {
    auto it = song_.grooves.find(names[names.size() == 1 ? 0 : b]);
    if (it == song_.grooves.end()) return Fail(tl.line, "unknown groove " + names[b % names.size()]);
    for (const auto& line : it->second.lines) {
      auto ci = channelIndex_.find(line.first);
      if (ci == channelIndex_.end()) return Fail(it->second.line, "groove names unknown channel " + line.first);
      const std::string& steps = line.second;
      for (int i = 0; i < song_.bar; ++i) {
        int row = b * song_.bar + i;
        if (row >= rows_) break;
        char c = steps[i % steps.size()];
        if (c == '.' || c == '-') continue;
        auto k = song_.kit.find(c);
        if (k == song_.kit.end()) return Fail(it->second.line, std::string("no kit letter '") + c + "'");
        if (!Note(row, ci->second, k->second.offset, instrumentIndex_.at(k->second.instrument), k->second.volume,
                  true, tl.line))
          return false;
      }
    }
  }
  return true;
}

void Composer::PutRaw(int row, int ch, const S3mCell& cell) {
  pat_->At(row, ch) = cell;
  if (cell.command) effects_.insert(static_cast<char>('A' - 1 + cell.command));
  if (cell.note == kS3mNoNote) return;
  ChannelState& s = state_[ch];
  s.known = true;
  s.sounding = cell.note != kS3mNoteCut;
  if (cell.instrument) {
    s.instrument = cell.instrument;
    s.looped = instruments_[cell.instrument - 1].sample.loop;
  }
}

// Copies the source channel's notes a few rows later and softer: the
// tracker way of an echo.
bool Composer::Echo(int ch, int line) {
  const SongChannel& sc = song_.channels[ch];
  const int src = echoSource_[ch];
  int inst = 0, volume = 64;
  for (int row = 0; row < rows_; ++row) {
    const S3mCell& c = pat_->At(row, src);
    // Note shaping travels with the echo; song-wide commands stay put.
    bool shaping = c.command && std::string("DEFGHKS").find(static_cast<char>('A' - 1 + c.command)) != std::string::npos;
    if (c.note == kS3mNoNote && !shaping) continue;
    S3mCell e;
    if (shaping) {
      e.command = c.command;
      e.info = c.info;
    }
    if (c.note != kS3mNoNote) {
      if (c.instrument) {
        inst = c.instrument;
        volume = instruments_[inst - 1].sample.volume;
      }
      if (c.volume != kS3mNoVolume) volume = c.volume;
      e.note = c.note;
      if (c.note != kS3mNoteCut) {
        if (!inst) continue;
        e.instrument = static_cast<uint8_t>(inst);
        e.volume = static_cast<uint8_t>(std::max(1, volume * sc.echoPercent / 100));
      }
    }
    int at = row + sc.echoDelay;
    if (at >= rows_) {
      carry_.push_back({ch, at - rows_, e});
      continue;
    }
    if (!pat_->At(at, ch).Empty()) return Fail(line, "echo clashes with notes on " + sc.name);
    PutRaw(at, ch, e);
  }
  return true;
}

bool Composer::RenderSection(const Section& sec, bool first, S3mPattern* pat) {
  pat_ = pat;
  rows_ = sec.rows;
  chords_.clear();
  std::vector<bool> mentioned(song_.channels.size(), false);
  std::vector<Carry> carried;
  carried.swap(carry_);
  for (const Carry& c : carried) {
    if (c.row >= rows_) continue;
    PutRaw(c.row, c.ch, c.cell);
    mentioned[c.ch] = true;
  }
  for (const TextLine& tl : sec.lines) {
    if (tl.head == "chords" && !ParseChords(tl, rows_, &chords_)) return false;
    // A speed set on the first row governs the section's slides.
    std::vector<std::string> w = Words(tl.rest);
    if (tl.head == "speed" && w.size() == 2 && std::atoi(w[0].c_str()) == 0 && std::atoi(w[1].c_str()) > 0)
      speed_ = std::min(31, std::atoi(w[1].c_str()));
  }
  for (const TextLine& tl : sec.lines) {
    if (tl.head == "chords" || tl.head == "tempo" || tl.head == "speed") continue;
    if (tl.head == "drums") {
      for (const auto& name : Words(tl.rest)) {
        auto g = song_.grooves.find(name);
        if (g == song_.grooves.end()) continue;
        for (const auto& l : g->second.lines)
          if (channelIndex_.count(l.first)) mentioned[channelIndex_.at(l.first)] = true;
      }
      if (!Drums(tl)) return false;
      continue;
    }
    auto gi = std::find_if(song_.voicings.begin(), song_.voicings.end(),
                           [&](const VoicingGroup& g) { return g.name == tl.head; });
    if (gi != song_.voicings.end()) {
      for (const auto& ch : gi->channels) mentioned[channelIndex_.at(ch)] = true;
      if (!Voicing(*gi, tl)) return false;
      continue;
    }
    auto ci = channelIndex_.find(tl.head);
    if (ci == channelIndex_.end()) return Fail(tl.line, "unknown channel or directive " + tl.head);
    mentioned[ci->second] = true;
    std::vector<std::string> words = Words(tl.rest);
    bool styled = !words.empty() && std::all_of(words.begin(), words.end(),
                                                [&](const std::string& w) { return song_.styles.count(w) > 0; });
    if (styled ? !Steps(ci->second, tl, words) : !Melody(ci->second, tl)) return false;
  }
  for (size_t ch = 0; ch < echoSource_.size(); ++ch) {
    if (echoSource_[ch] < 0 || !mentioned[echoSource_[ch]]) continue;
    mentioned[ch] = true;
    if (!Echo(static_cast<int>(ch), sec.line)) return false;
  }
  // Song-wide commands take whatever effect slot the notes left free.
  for (const TextLine& tl : sec.lines) {
    if (tl.head != "tempo" && tl.head != "speed") continue;
    std::vector<std::string> w = Words(tl.rest);
    int row, value;
    if (w.size() != 2 || (row = std::atoi(w[0].c_str())) < 0 || row >= rows_ || (value = std::atoi(w[1].c_str())) <= 0)
      return Fail(tl.line, tl.head + " ROW VALUE");
    if (tl.head == "tempo" && (value < 32 || value > 255)) return Fail(tl.line, "tempo must be 32..255");
    if (tl.head == "speed" && value > 31) return Fail(tl.line, "speed must be 1..31");
    if (!FreeCommand(row, tl.head == "tempo" ? 'T' : 'A', value, tl.line)) return false;
    if (tl.head == "speed") speed_ = value;
  }
  // A channel the section leaves out falls silent.
  for (size_t ch = 0; ch < mentioned.size(); ++ch) {
    ChannelState& s = state_[ch];
    if (!mentioned[ch] && (!s.known || (s.sounding && s.looped)))
      if (!Cut(0, static_cast<int>(ch), sec.line)) return false;
  }
  if (first) {
    // The song may change tempo or speed later; a loop back to the start
    // must restore them in every player.
    bool changes = false;
    for (const auto& s : song_.sections)
      for (const auto& l : s.second.lines) changes = changes || l.head == "tempo" || l.head == "speed";
    if (changes && (!FreeCommand(0, 'T', song_.tempo, sec.line) || !FreeCommand(0, 'A', song_.speed, sec.line)))
      return false;
  }
  if (rows_ < kS3mRows && !FreeCommand(rows_ - 1, 'C', 0, sec.line)) return false;
  return true;
}

// Worst-case sum the game player can reach: every sounding channel at its
// sample's peak, weighted by pan and volume as the mixer does.
void Composer::MeasureMix(ComposeReport* report) const {
  struct Voice {
    bool on = false;
    int inst = 0;
    int volume = 0;
    double endsAt = 0.0;  // one-shots only
  };
  std::vector<Voice> v(song_.channels.size());
  std::vector<int> peaks;
  for (const auto& in : instruments_) {
    int peak = 0;
    for (int8_t x : in.sample.data) peak = std::max(peak, std::abs(static_cast<int>(x)));
    peaks.push_back(peak);
  }
  int speed = song_.speed, tempo = song_.tempo;
  double t = 0.0;
  int worst = 0;
  for (uint8_t o : mod_->orders) {
    if (o >= mod_->patterns.size()) break;
    const S3mPattern& p = mod_->patterns[o];
    for (int row = 0; row < kS3mRows; ++row) {
      bool brk = false;
      for (int ch = 0; ch < p.channels; ++ch) {
        const S3mCell& c = p.At(row, ch);
        if (c.command == S3mCommand('A')) speed = c.info;
        if (c.command == S3mCommand('T')) tempo = c.info;
        if (c.command == S3mCommand('C')) brk = true;
      }
      double rowSeconds = speed * 2.5 / tempo;
      int sum = 0;
      for (int ch = 0; ch < p.channels; ++ch) {
        const S3mCell& c = p.At(row, ch);
        Voice& vc = v[ch];
        if (c.note == kS3mNoteCut) vc.on = false;
        if (c.instrument) {
          vc.inst = c.instrument;
          vc.volume = instruments_[c.instrument - 1].sample.volume;
        }
        if (c.note < kS3mNoteCut && vc.inst) {
          const S3mSample& s = instruments_[vc.inst - 1].sample;
          vc.on = true;
          double rate = s.c2spd * std::pow(2.0, ((c.note >> 4) * 12 + (c.note & 15) - 48) / 12.0);
          vc.endsAt = s.loop ? 1e30 : t + s.data.size() / rate;
        }
        if (c.volume != kS3mNoVolume) vc.volume = c.volume;
        if (c.command == S3mCommand('D') && (c.info & 0x0f) == 0)
          vc.volume = std::min(64, vc.volume + (c.info >> 4) * speed);
        if (vc.on && t >= vc.endsAt) vc.on = false;
        if (!vc.on) continue;
        int peak = peaks[vc.inst - 1];
        int pan = mod_->pans[ch];
        int weight = std::max(pan, 15 - pan);
        int outVol = mod_->globalVolume * vc.volume * 4 / 42;
        sum += weight * outVol * peak / 64;
      }
      worst = std::max(worst, sum);
      t += rowSeconds;
      if (brk) break;
    }
  }
  report->mixBound = worst;
  report->seconds = t;
}

bool Composer::Run(ComposeReport* report) {
  if (!Setup()) return false;
  speed_ = song_.speed;
  mod_->title = song_.title.substr(0, 27);
  mod_->globalVolume = static_cast<uint8_t>(song_.globalVolume);
  mod_->initialSpeed = static_cast<uint8_t>(song_.speed);
  mod_->initialTempo = static_cast<uint8_t>(song_.tempo);
  for (const auto& c : song_.channels) mod_->pans.push_back(static_cast<uint8_t>(c.pan));
  for (const auto& in : instruments_) mod_->samples.push_back(in.sample);
  const int channels = static_cast<int>(song_.channels.size());
  for (size_t i = 0; i < song_.order.size(); ++i) {
    auto it = song_.sections.find(song_.order[i]);
    if (it == song_.sections.end()) return Fail(0, "order names unknown section " + song_.order[i]);
    S3mPattern pat(channels);
    if (!RenderSection(it->second, i == 0, &pat)) return false;
    size_t same = 0;
    while (same < mod_->patterns.size() && mod_->patterns[same].cells.size() == pat.cells.size() &&
           !std::equal(pat.cells.begin(), pat.cells.end(), mod_->patterns[same].cells.begin(),
                       [](const S3mCell& a, const S3mCell& b) {
                         return a.note == b.note && a.instrument == b.instrument && a.volume == b.volume &&
                                a.command == b.command && a.info == b.info;
                       }))
      ++same;
    if (same == mod_->patterns.size()) {
      if (mod_->patterns.size() >= 100) return Fail(0, "more than 100 patterns");
      mod_->patterns.push_back(pat);
    }
    mod_->orders.push_back(static_cast<uint8_t>(same));
  }
  mod_->orders.push_back(255);
  report->channels = channels;
  report->orders = static_cast<int>(song_.order.size());
  report->patterns = static_cast<int>(mod_->patterns.size());
  report->effects.assign(effects_.begin(), effects_.end());
  MeasureMix(report);
  if (report->mixBound > kMixLimit)
    return Fail(0, "the mix could overflow (worst case " + std::to_string(report->mixBound) + ")");
  return true;
}

}  // namespace

int S3mPeriod(uint8_t note) { return (kPeriodTable[(note & 15) % 12] * 4) >> (note >> 4); }

bool ComposeSong(const SongDef& song, S3mModule* module, ComposeReport* report, std::string* error) {
  *module = S3mModule();
  *report = ComposeReport();
  Composer c(song, module, error);
  return c.Run(report);
}

}  // namespace vx::mkdata
