// AnimationSet: the .anm scanner and the stepping of its little programs.
#include <strings.h>

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "graphics/sprite.h"
#include "resources/file_system.h"

namespace vx {

namespace {

enum AnimCode { kShow = 1, kPause = 2, kLoop = 3, kSetX = 4, kSetY = 5 };
constexpr int kMaxFrames = 128;
constexpr int kMaxSequences = 64;
constexpr int kMaxCommands = 256;

bool IsWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// Scanner over the text [begin, end).
struct Scanner {
  const char* begin;
  const char* end;

  // The next tag at or after from: sets word and the position after it.
  bool NextTag(const char* from, std::string* word, const char** after) const {
    for (const char* p = from; p < end; ++p) {
      if (*p != '*') continue;
      const char* w = p + 1;
      while (w < end && IsWordChar(*w)) ++w;
      word->assign(p + 1, w);
      *after = w;
      return true;
    }
    return false;
  }

  // The next tag named name (any case) at or after from.
  bool FindTag(const char* from, const char* name, const char** after) const {
    std::string word;
    const char* p = from;
    while (NextTag(p, &word, after)) {
      if (strcasecmp(word.c_str(), name) == 0) return true;
      p = *after;
    }
    return false;
  }

  // Tokens of the rest of the tag's line, split at commas, spaces and tabs.
  std::vector<std::string> LineTokens(const char* after) const {
    std::vector<std::string> tokens;
    const char* p = after;
    while (p < end && *p != '\r' && *p != '\n') {
      while (p < end && (*p == ',' || *p == ' ' || *p == '\t')) ++p;
      const char* t = p;
      while (p < end && *p != '\r' && *p != '\n' && *p != ',' && *p != ' ' && *p != '\t') ++p;
      if (p > t) tokens.emplace_back(t, p);
    }
    return tokens;
  }

  // The block after from: [open + 1, close) and the position after '}'.
  bool Block(const char* from, const char** inside, const char** close, const char** after) const {
    const char* p = from;
    while (p < end && *p != '{') ++p;
    if (p >= end) return false;
    *inside = p + 1;
    int depth = 0;
    for (; p < end; ++p) {
      if (*p == '{') ++depth;
      if (*p == '}' && --depth == 0) {
        *close = p;
        *after = p + 1;
        return true;
      }
    }
    // An unclosed block runs to the end of the text.
    *close = end;
    *after = end;
    return true;
  }
};

bool IsNumber(const std::string& t) {
  return !t.empty() && (std::isdigit(static_cast<unsigned char>(t[0])) || t[0] == '-');
}

int ToInt(const std::string& t) { return ClampSheetNumber(std::strtoll(t.c_str(), nullptr, 10)); }

void Append(AnimSequence& s, int code, int arg) {
  if (s.count >= kMaxCommands) return;
  s.code[s.count] = code;
  s.arg[s.count] = arg;
  ++s.count;
}

}  // namespace

int AnimationSet::Load(const char* anmFile) {
  FileBuffer text = ReadWholeFile(anmFile);
  if (!text) {
    loaded_ = false;
    return 0;
  }
  Parse(reinterpret_cast<const char*>(text.get()), LastFileSize());
  std::snprintf(fileName_, sizeof fileName_, "%s", anmFile);
  return 1;
}

int AnimationSet::Parse(const char* text, uint32_t size) {
  frameCount_ = 0;
  sequences_.clear();
  sequenceCount_ = 0;
  current_ = -1;
  selected_ = 0;
  currentFrame_ = 0;
  currentRect_ = Rect{};
  loaded_ = true;
  Scanner sc{text, text + size};

  const char* after;
  const char *inside, *close, *blockEnd;
  if (sc.FindTag(text, "ALL_FRAMES", &after) && sc.Block(after, &inside, &close, &blockEnd)) {
    Scanner frames{inside, close};
    std::string word;
    const char* p = inside;
    while (frames.NextTag(p, &word, &after)) {
      p = after;
      std::vector<std::string> t = frames.LineTokens(after);
      if (t.empty() || frameCount_ >= kMaxFrames) continue;
      AnimFrame& f = frames_[frameCount_++];
      std::snprintf(f.name, sizeof f.name, "%s", t[0].c_str());
      int v[4] = {0, 0, 0, 0};
      for (size_t i = 1; i < t.size() && i <= 4; ++i) v[i - 1] = ToInt(t[i]);
      f.rect = Rect{v[0], v[1], v[0] + v[2], v[1] + v[3]};
    }
  }

  const char* from = text;
  while (sc.FindTag(from, "ANIMATION", &after)) {
    std::vector<std::string> head = sc.LineTokens(after);
    if (!sc.Block(after, &inside, &close, &blockEnd)) break;
    from = blockEnd;
    if (sequenceCount_ >= kMaxSequences) continue;
    sequences_.emplace_back();
    AnimSequence& s = sequences_.back();
    ++sequenceCount_;
    if (!head.empty()) std::snprintf(s.name, sizeof s.name, "%s", head[0].c_str());
    Scanner body{inside, close};
    std::string word;
    const char* p = inside;
    while (body.NextTag(p, &word, &after)) {
      p = after;
      std::vector<std::string> t = body.LineTokens(after);
      if (strcasecmp(word.c_str(), "FRAME") == 0) {
        if (t.empty()) continue;
        size_t i = 0;
        int dx = 0, dy = 0;
        if (i < t.size() && IsNumber(t[i])) dx = ToInt(t[i++]);
        if (i < t.size() && IsNumber(t[i])) dy = ToInt(t[i++]);
        Append(s, kSetX, dx);
        Append(s, kSetY, dy);
        if (i >= t.size()) continue;
        int index = -1;
        for (int f = 0; f < frameCount_; ++f)
          if (strcasecmp(frames_[f].name, t[i].c_str()) == 0) {
            index = f;
            break;
          }
        if (index < 0) continue;
        Append(s, kShow, index);
        if (i + 1 < t.size()) Append(s, kPause, ToInt(t[i + 1]));
      } else if (strcasecmp(word.c_str(), "PAUSE") == 0) {
        if (!t.empty()) Append(s, kPause, ToInt(t[0]));
      } else if (strcasecmp(word.c_str(), "LOOP") == 0) {
        Append(s, kLoop, 0);
      }
    }
  }
  return 1;
}

int AnimationSet::FindSequence(const char* name) const {
  for (int i = 0; i < sequenceCount_; ++i)
    if (strcasecmp(sequences_[i].name, name) == 0) return i;
  return -1;
}

namespace {

void Step(AnimSequence& s, bool restart) {
  s.finished = 1;
  if (restart) {
    s.pc = 0;
    s.pause = 0;
  }
  // SETX and SETY run on within the step; the loop ends at most after count of them.
  for (int guard = 0; guard <= kMaxCommands; ++guard) {
    if (s.pc < 0 || s.pc >= s.count) return;
    const int code = s.code[s.pc], arg = s.arg[s.pc];
    switch (code) {
      case kShow:
        s.shown = arg;
        ++s.pc;
        s.finished = 0;
        return;
      case kPause:
        if (s.pause == 0) {
          s.pause = arg;
        } else if (--s.pause == 0) {
          ++s.pc;
        }
        s.finished = 0;
        return;
      case kLoop:
        s.pc = 0;
        s.finished = 0;
        return;
      case kSetX:
        s.offsetX = arg;
        ++s.pc;
        break;
      case kSetY:
        s.offsetY = arg;
        ++s.pc;
        break;
      default:
        return;
    }
  }
}

}  // namespace

int AnimationSet::Play(const char* name, int restart) {
  if (name) selected_ = FindSequence(name);
  if (selected_ < 0 || selected_ >= sequenceCount_) {
    current_ = -1;
    return 0;
  }
  AnimSequence& s = sequences_[selected_];
  const bool fresh = restart != 0 || selected_ != current_;
  current_ = selected_;
  Step(s, fresh);
  if (s.shown >= 0 && s.shown < frameCount_) {
    currentFrame_ = s.shown;
    currentRect_ = frames_[s.shown].rect;
  }
  return 1;
}

int AnimationSet::IsFinished() const { return current_ >= 0 ? sequences_[current_].finished : 0; }

int AnimationSet::OffsetX() const { return current_ >= 0 ? sequences_[current_].offsetX : 0; }

int AnimationSet::OffsetY() const { return current_ >= 0 ? sequences_[current_].offsetY : 0; }

}  // namespace vx
