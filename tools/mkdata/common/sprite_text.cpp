#include "common/sprite_text.h"

#include <cstdio>

namespace vx::mkdata {

void FrmWriter::Add(const std::string& name, int x, int y, int w, int h, int offX, int offY) {
  frames_.push_back({name, x, y, w, h, offX, offY});
}

std::string FrmWriter::Text() const {
  std::string out;
  char buf[160];
  for (size_t i = 0; i < frames_.size(); ++i) {
    const Frame& f = frames_[i];
    // The name line comes first: a key is found by the first line containing it.
    std::snprintf(buf, sizeof buf, "[Sprite %d]\nname = %s\nrectsx = %d, %d, %d, %d\noffsxy = %d, %d\n\n",
                  int(i + 1), f.name.c_str(), f.x, f.y, f.w, f.h, f.offX, f.offY);
    out += buf;
  }
  return out;
}

void AnmWriter::Frame(const std::string& name, int x, int y, int w, int h) {
  char buf[160];
  std::snprintf(buf, sizeof buf, "  *FRAME %s %d %d %d %d\n", name.c_str(), x, y, w, h);
  frames_.push_back(buf);
}

void AnmWriter::BeginSequence(const std::string& name) { seqs_.push_back({name, {}}); }

void AnmWriter::Show(const std::string& frame, int ticks, int dx, int dy) {
  char buf[160];
  if (dx != 0 || dy != 0) {
    if (ticks > 0)
      std::snprintf(buf, sizeof buf, "  *FRAME %d %d %s %d\n", dx, dy, frame.c_str(), ticks);
    else
      std::snprintf(buf, sizeof buf, "  *FRAME %d %d %s\n", dx, dy, frame.c_str());
  } else if (ticks > 0) {
    std::snprintf(buf, sizeof buf, "  *FRAME %s %d\n", frame.c_str(), ticks);
  } else {
    std::snprintf(buf, sizeof buf, "  *FRAME %s\n", frame.c_str());
  }
  seqs_.back().lines.push_back(buf);
}

void AnmWriter::Pause(int n) { seqs_.back().lines.push_back("  *PAUSE " + std::to_string(n) + "\n"); }

void AnmWriter::Loop() { seqs_.back().lines.push_back("  *LOOP\n"); }

std::string AnmWriter::Text() const {
  std::string out = "*ALL_FRAMES\n{\n";
  for (const auto& f : frames_) out += f;
  out += "}\n\n";
  for (const auto& s : seqs_) {
    out += "*ANIMATION " + s.name + "\n{\n";
    for (const auto& l : s.lines) out += l;
    out += "}\n\n";
  }
  return out;
}

}  // namespace vx::mkdata
