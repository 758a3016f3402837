#include "graphics/text_contrast.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vx {

namespace {

// The share of a word's body that may fall short: a few stray pixels behind
// it (a star, a grid line) do not make a word unreadable.
constexpr double kShortShare = 0.10;
// Glyph pixels covered at least this much are the body of the glyph.
constexpr uint8_t kBody = 128;
// Ink this dense shows the text's own colour, not a blend with what is under it.
constexpr uint8_t kSolid = 224;

double Linear(uint8_t c) {
  const double v = c / 255.0;
  return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

double PixelLuminance(uint16_t p, bool is555) {
  const int r5 = is555 ? (p >> 10) & 31 : p >> 11;
  const int g6 = is555 ? ((p >> 5) & 31) << 1 : (p >> 5) & 63;
  const int b5 = p & 31;
  return RelativeLuminance(static_cast<uint8_t>(r5 << 3 | r5 >> 2),
                           static_cast<uint8_t>(g6 << 2 | g6 >> 4),
                           static_cast<uint8_t>(b5 << 3 | b5 >> 2));
}

// UTF-16 (no surrogates in the game's code pages) as UTF-8, for messages.
std::string Utf8Of(const std::u16string& text) {
  std::string out;
  for (char16_t c : text) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | c >> 6);
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | c >> 12);
      out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

}  // namespace

double RelativeLuminance(uint8_t r, uint8_t g, uint8_t b) {
  return 0.2126 * Linear(r) + 0.7152 * Linear(g) + 0.0722 * Linear(b);
}

double ContrastRatio(double a, double b) {
  return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

std::vector<TextContrast> MeasureTextContrast(const TextInkLog& log, const uint16_t* frame,
                                              int width, int height, bool is555) {
  std::vector<TextContrast> out(log.runs.size());
  std::vector<std::vector<const TextInk*>> byRun(log.runs.size());
  for (const TextInk& ink : log.ink)
    if (ink.run < log.runs.size()) byRun[ink.run].push_back(&ink);

  std::vector<double> behind;
  for (size_t r = 0; r < log.runs.size(); ++r) {
    TextContrast& result = out[r];
    const TextRun& run = log.runs[r];
    result.text = run.text;
    result.ratio = 21;
    if (byRun[r].empty()) continue;
    const double textLuminance = PixelLuminance(run.color, is555);
    // The body of the glyphs; a word too small to have one is all edge.
    uint8_t body = kBody;
    bool any = false;
    for (const TextInk* ink : byRun[r]) any = any || ink->coverage >= body;
    if (!any) body = 1;
    int solid = 0, showing = 0;
    result.x = width;
    result.y = height;
    behind.clear();
    for (const TextInk* ink : byRun[r]) {
      result.x = std::min<int>(result.x, ink->x);
      result.y = std::min<int>(result.y, ink->y);
      if (ink->coverage >= body)
        behind.push_back(ContrastRatio(textLuminance, PixelLuminance(ink->under, is555)));
      if (ink->coverage < kSolid) continue;
      ++solid;
      const bool inside = frame && ink->x >= 0 && ink->y >= 0 && ink->x < width && ink->y < height;
      if (inside && frame[static_cast<size_t>(ink->y) * width + ink->x] == run.color) ++showing;
    }
    result.hidden = frame && solid > 0 && showing * 2 < solid;
    const size_t k = static_cast<size_t>(kShortShare * static_cast<double>(behind.size()));
    std::nth_element(behind.begin(), behind.begin() + static_cast<ptrdiff_t>(k), behind.end());
    result.ratio = behind[k];
  }
  return out;
}

std::string DescribeContrast(const TextContrast& c) {
  char line[256];
  std::snprintf(line, sizeof line, "\"%s\" at %d, %d: %.2f : 1%s", Utf8Of(c.text).c_str(), c.x,
                c.y, c.ratio,
                c.hidden ? " (mostly covered)" : "");
  return line;
}

}  // namespace vx
