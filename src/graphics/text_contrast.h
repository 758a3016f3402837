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
  double ratio = 0;     // the contrast that 90 % of the pixels around it reach
  bool hidden = false;  // most of the word was drawn over after it was written
};

// One result per run of log, measured on frame (width x height display
// pixels in the 565 or 555 layout). The pixels around a word are those within
// two pixels of its ink that carry no ink of any text; an outline counts as
// background, as it should.
std::vector<TextContrast> MeasureTextContrast(const TextInkLog& log, const uint16_t* frame,
                                              int width, int height, bool is555);

// A line for a report: the word, where it is and its ratio.
std::string DescribeContrast(const TextContrast& c);

}  // namespace vx
