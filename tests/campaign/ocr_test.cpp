// What a reader makes of the screens: pictures of the real game, enlarged
// twice, read by Debian's tesseract OCR (package tesseract-ocr, installed by
// scripts/install-deps). Each test reads one part of one screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>

#include "support/play_script.h"
#include "support/temp_dir.h"

namespace vx {
namespace {

using test::ReadText;

class ReadByOcr : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(std::system("command -v tesseract >/dev/null 2>&1"), 0)
        << "tesseract is missing: run scripts/install-deps";
    test::MakeGameFolder();
  }
  // Plays script, which leaves a picture in shot.png, and reads it.
  std::string Read(const std::string& script) {
    EXPECT_EQ(test::PlayScript(script), 0) << ReadText("err.txt");
    // One thread: the suite runs tests side by side.
    EXPECT_EQ(std::system("OMP_THREAD_LIMIT=1 tesseract shot.png read >/dev/null 2>&1"), 0);
    std::string text = ReadText("read.txt");
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
  }
  static int Count(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
  }
  test::TempDir tmp;
};

TEST_F(ReadByOcr, EveryEmptySlotOfTheLoadScreenReadsAsEmptySlot) {
  const std::string text = Read(
      "frames 5\nmoveto 436 243\nclick left\nframes 30\nexpect screen LoadScreen\n"
      "moveto 620 440\nframes 2\nshot shot.png 2 120 140 400 220\nquit\n");
  std::string joined;  // a narrow blank may go unread
  for (char c : text)
    if (c != ' ') joined += c;
  EXPECT_EQ(Count(joined, "emptyslot"), 10) << text;
  EXPECT_GE(Count(text, "empty slot"), 8) << text;
}

TEST_F(ReadByOcr, TheLevelEditorsHelpLinesRead) {
  const std::string text = Read(
      "frames 3\nlevel 1\nframes 10\nkey F5\nframes 3\nmoveto 600 300\nframes 2\n"
      "shot shot.png 3 0 0 320 175\nquit\n");
  // Enlarged three times: at twice, the reader takes the 8 of F8 for an &.
  for (const char* line : {"f5 -", "f3 - reload level", "f8 - clear level", "f2 - save level",
                           "- undo", "- redo", "f6 - level header", "f9 - test from the"})
    EXPECT_NE(text.find(line), std::string::npos) << line << " in:\n" << text;
  EXPECT_NE(text.find("edit mode"), std::string::npos) << text;
}

TEST_F(ReadByOcr, TheLevelCompletePanelSaysWhatToDoNext) {
  const std::string text = Read(
      "frames 3\nlevel 1\nframes 10\ntype completed\nframes 60\n"
      "shot shot.png 2 140 190 360 100\nquit\n");
  EXPECT_NE(text.find("level complete"), std::string::npos) << text;
  int prompts = 0;
  for (const char* word : {"press", "click", "key", "continue"}) prompts += Count(text, word) > 0;
  EXPECT_GE(prompts, 1) << text;
}

}  // namespace
}  // namespace vx
