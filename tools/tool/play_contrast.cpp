// Script command of `velotrix-tool play` that checks how well the text on
// screen reads:
//   contrast MIN [REPORT]   every word of text drawn in the last frame must
//                           stand out from the pixels around it by at least
//                           MIN : 1 (4.5 for normal text); REPORT, when given,
//                           receives every word with its ratio
// Words drawn over afterwards (by the cursor, say) are listed but not judged.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/screen.h"
#include "base/game_record.h"
#include "base/user_file.h"
#include "graphics/text_contrast.h"
#include "graphics/text_font.h"
#include "platform/headless/headless_platform.h"
#include "play_commands.h"

namespace vx::tool {

namespace {

// The text of the frame being drawn and of the last one shown.
struct InkFrames {
  TextInkLog drawing, shown;
  int presents = -1;
};

InkFrames* Frames(PlayHost& host) {
  static std::unique_ptr<InkFrames> frames;
  if (frames) return frames.get();
  frames = std::make_unique<InkFrames>();
  InkFrames* f = frames.get();
  gTextInkLog = &f->drawing;
  HeadlessDisplay* display = &host.platform->display;
  host.addFrameHook([f, display] {
    if (display->presents == f->presents) return;
    f->presents = display->presents;
    std::swap(f->drawing, f->shown);
    f->drawing.Clear();
  });
  return f;
}

bool CmdContrast(std::istream& args, PlayHost& host, std::vector<PlayStep>& out) {
  std::string word, report;
  if (!(args >> word)) return false;
  char* end = nullptr;
  const double least = std::strtod(word.c_str(), &end);
  if (*end != 0 || !(least >= 1.0 && least <= 21.0)) return false;
  args >> report;
  if (!report.empty() && report[0] != '/') report = host.baseDir + "/" + report;
  InkFrames* frames = Frames(host);
  HeadlessDisplay* display = &host.platform->display;
  out.push_back({false, [frames, display, least, word, report](std::string& error) {
                   const bool is555 = display->greenMask != 0x07E0;
                   const std::vector<TextContrast> words = MeasureTextContrast(
                       frames->shown, display->frame.data(), display->width, display->height,
                       is555);
                   std::string lines, failures;
                   int failed = 0;
                   for (const TextContrast& c : words) {
                     lines += DescribeContrast(c) + "\n";
                     if (c.hidden || c.ratio >= least) continue;
                     if (++failed <= 12) failures += "\n  " + DescribeContrast(c);
                   }
                   if (!report.empty() &&
                       !WriteUserFile(report.c_str(), lines.data(), lines.size())) {
                     error = "can't write " + report;
                     return false;
                   }
                   if (failed == 0) return true;
                   const char* screen = g.currentScreen ? g.currentScreen->GetName() : "(none)";
                   error = std::to_string(failed) + " word(s) on " + screen + " below " + word +
                           " : 1" + failures;
                   return false;
                 }});
  return true;
}

}  // namespace

VX_PLAY_COMMAND(contrast, CmdContrast);

}  // namespace vx::tool
