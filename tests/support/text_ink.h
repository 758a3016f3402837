// What text a screen drew, word by word, and how well it reads: records the
// ink of every text drawn onto the back buffer while alive.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graphics/graphics.h"
#include "graphics/text_contrast.h"
#include "graphics/text_font.h"

namespace vx::test {

class InkRecorder {
 public:
  InkRecorder() { gTextInkLog = &log; }
  ~InkRecorder() { gTextInkLog = nullptr; }
  InkRecorder(const InkRecorder&) = delete;
  InkRecorder& operator=(const InkRecorder&) = delete;

  void Clear() { log.Clear(); }

  // The words drawn since the last Clear, separated by blanks (ASCII only).
  std::string Words() const {
    std::string out;
    for (const TextRun& run : log.runs) {
      if (!out.empty()) out += ' ';
      for (char16_t c : run.text) out += c < 0x80 ? static_cast<char>(c) : '?';
    }
    return out;
  }
  bool Drew(const std::string& words) const {
    return (" " + Words() + " ").find(" " + words + " ") != std::string::npos;
  }

  // The contrast of every word against a picture of width x height display
  // pixels in the current layout.
  std::vector<TextContrast> Measure(const std::vector<uint16_t>& frame, int width,
                                    int height) const {
    const bool is555 = Graphics::MakePixel(0, 255, 0) == 0x03E0;
    return MeasureTextContrast(log, frame.data(), width, height, is555);
  }

  // Fails for every visible word below least : 1.
  void ExpectReadable(const std::vector<uint16_t>& frame, int width, int height,
                      double least = 4.5) const {
    for (const TextContrast& c : Measure(frame, width, height)) {
      if (c.hidden) continue;
      EXPECT_GE(c.ratio, least) << DescribeContrast(c);
    }
  }

  TextInkLog log;
};

}  // namespace vx::test
