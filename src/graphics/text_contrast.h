// How well drawn text stands out: the contrast ratio (as WCAG defines it, from
// 1 : 1 to 21 : 1) between each recorded word of text and the pixels that
// touch it in the finished picture.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "graphics/text_font.h"

namespace vx {

// Relative luminance (0..1) of an 8-bit sRGB colour, and the contrast ratio
// of two luminances.
double RelativeLuminance(uint8_t r, uint8_t g, uint8_t b);
double ContrastRatio(double luminanceA, double luminanceB);

struct TextContrast {
  std::u16string text;
  int x = 0, y = 0;     // top left of the word's ink
  double ratio = 0;     // the contrast that 90 % of the word's body reaches
  bool hidden = false;  // most of the word was drawn over after it was written
};

// One result per run of log. A word's contrast is taken between its colour
// and what was drawn behind the body of its glyphs (the pixels they cover for
// the most part): the picture under it, or the dark edge round it. frame
// (width x height display pixels in the 565 or 555 layout) is the finished
// picture, in which a word drawn over afterwards shows as hidden.
std::vector<TextContrast> MeasureTextContrast(const TextInkLog& log, const uint16_t* frame,
                                              int width, int height, bool is555);

// A line for a report: the word, where it is and its ratio.
std::string DescribeContrast(const TextContrast& c);

}  // namespace vx
