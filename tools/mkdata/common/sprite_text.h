// Writers of the two sprite description formats: ".frm" sheets (sectioned
// text, one "Sprite N" section per frame) and ".anm" animations.
#pragma once

#include <string>
#include <vector>

namespace vx::mkdata {

class FrmWriter {
 public:
  // The frame's rectangle in the image and the offset added when it is drawn.
  void Add(const std::string& name, int x, int y, int w, int h, int offX = 0, int offY = 0);
  std::string Text() const;
  size_t Count() const { return frames_.size(); }

  struct Frame {
    std::string name;
    int x, y, w, h, offX, offY;
  };
  const std::vector<Frame>& Frames() const { return frames_; }

 private:
  std::vector<Frame> frames_;
};

class AnmWriter {
 public:
  // Frame names must not start with a digit or '-' (they would read as numbers).
  void Frame(const std::string& name, int x, int y, int w, int h);
  void BeginSequence(const std::string& name);
  // Shows a frame for ticks + 2 steps, after setting the offset. ticks <= 0
  // shows it for one step: a PAUSE of 0 would hold the frame for ever.
  void Show(const std::string& frame, int ticks = -1, int dx = 0, int dy = 0);
  void Pause(int n);
  void Loop();
  std::string Text() const;

 private:
  struct Seq {
    std::string name;
    std::vector<std::string> lines;
  };
  std::vector<std::string> frames_;
  std::vector<Seq> seqs_;
};

}  // namespace vx::mkdata
