// Animation strips: a grid of equal cells, one drawing per cell, and the
// matching frame list of an ".anm" file.
#pragma once

#include <cairo.h>

#include <functional>
#include <memory>
#include <string>

#include "art/canvas.h"
#include "common/sprite_text.h"

namespace vx::mkdata::art {

struct Cells {
  int count, cols, w, h;
  int rows() const { return (count + cols - 1) / cols; }
  int X(int i) const { return (i % cols) * w; }
  int Y(int i) const { return (i / cols) * h; }
};

// Draws every cell with the context's origin at the cell's centre, clipped to it.
std::unique_ptr<Canvas> DrawCells(const Cells& cells, const std::function<void(cairo_t*, int)>& draw);
// Adds the cells as frames prefix00, prefix01, ... to an animation.
void AddFrames(AnmWriter& anm, const Cells& cells, const std::string& prefix, int yOffset = 0);
std::string FrameName(const std::string& prefix, int i);

// A colour with its coverage, as per-pixel renderers return it.
struct Rgba {
  uint32_t rgb = 0;
  double a = 0;
};

// Renders a w x h patch pixel by pixel (2 x 2 samples each) and paints it with
// its top-left at (x, y). f receives the sample position relative to the
// patch's centre.
void PixelPatch(cairo_t* cr, double x, double y, int w, int h, const std::function<Rgba(double, double)>& f);

}  // namespace vx::mkdata::art
