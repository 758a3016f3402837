// Every screen of the real game, played by velotrix-tool: each word of text
// on it must stand out from what is drawn behind it by 4.5 : 1 (the play
// command "contrast"). The gallery script of docs/ visits every screen; the
// states it does not show are played here.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "support/play_script.h"
#include "support/temp_dir.h"

namespace vx {
namespace {

using test::ReadText;

class ReadableScreens : public ::testing::Test {
 protected:
  void SetUp() override { test::MakeGameFolder(); }
  int Play(const std::string& script) { return test::PlayScript(script); }
  std::string Err() { return ReadText("err.txt"); }
  test::TempDir tmp;
};

TEST_F(ReadableScreens, TheGalleryShowsEveryScreenAndEveryWordReads) {
  std::filesystem::create_directories("docs/gallery");
  const std::string script = ReadText(VX_SOURCE_DIR "/docs/screenshots.play");
  ASSERT_FALSE(script.empty());
  ASSERT_EQ(Play(script), 0) << Err();
  for (const char* shot : {"menu", "help", "hiscores", "options", "load", "map", "save", "shop",
                           "level", "editor", "complete", "boss", "beaten", "ending"})
    EXPECT_TRUE(std::filesystem::exists(std::string("docs/gallery/") + shot + ".png")) << shot;
}

TEST_F(ReadableScreens, SavedSlotsPointedRowsAndTheMapsHintRead) {
  const std::string script =
      "frames 5\n"
      // Every help page.
      "moveto 436 381\nclick left\nframes 30\nmoveto 620 300\nframes 2\ncontrast 4.5\n"
      "key Right\nframes 2\ncontrast 4.5\nkey Right\nframes 2\ncontrast 4.5\n"
      "key Right\nframes 2\ncontrast 4.5\nkey Escape\nframes 3\n"
      // A new game; the pointer on a closed planet brings the hint.
      "moveto 436 197\nclick left\nframes 150\nexpect screen NodeScreen\n"
      "moveto 136 255\nframes 3\ncontrast 4.5 closed.txt\n"
      // A game saved into slot 1 (the word on it read), then the save screen
      // again, a row pointed.
      "moveto 397 441\nclick left\nframes 30\nmoveto 280 178\nclick left\nframes 5\n"
      "type First\nkey Enter\nframes 10\ncontrast 4.5\nframes 70\nexpect screen NodeScreen\n"
      "moveto 397 441\nclick left\nframes 30\nexpect screen SaveScreen\n"
      "moveto 280 194\nframes 2\ncontrast 4.5\nmoveto 280 178\nframes 2\ncontrast 4.5\n"
      "key Escape\nframes 3\nexpect screen NodeScreen\nkey Escape\nframes 3\n"
      // The load screen with the saved slot under the pointer.
      "moveto 436 243\nclick left\nframes 30\nexpect screen LoadScreen\n"
      "moveto 280 178\nframes 2\ncontrast 4.5\nkey Escape\nframes 3\nquit\n";
  ASSERT_EQ(Play(script), 0) << Err();
  const std::string closed = ReadText("closed.txt");
  EXPECT_NE(closed.find("\"Closed:\""), std::string::npos) << closed;
}

TEST_F(ReadableScreens, TheShopsPricesWarningsAndSalesRead) {
  // Extra Ship (300 cr, too dear) pulsing red through a whole pulse, the
  // exchange with no points, an inventory item for sale, the panel's figures.
  std::string pulse;
  for (int i = 0; i < 8; ++i) pulse += "frames 4\ncontrast 4.5\n";
  const std::string script =
      "frames 5\nmoveto 436 197\nclick left\nframes 150\nexpect screen NodeScreen\n"
      "give 8 3\ngive 11 12\n"
      "moveto 231 441\nclick left\nframes 30\nexpect screen ShopScreen\n"
      "moveto 150 105\nclick left\nmoveto 620 300\nframes 60\n" + pulse +
      "moveto 65 105\nclick left\nmoveto 620 300\nframes 60\ncontrast 4.5\n"
      "moveto 197 447\nclick left\nmoveto 620 300\nframes 60\ncontrast 4.5 sale.txt\n"
      "key Escape\nframes 3\nquit\n";
  ASSERT_EQ(Play(script), 0) << Err();
  // The inventory's counts and the console's progress figure are text too.
  const std::string sale = ReadText("sale.txt");
  EXPECT_NE(sale.find("\"3\""), std::string::npos) << sale;
  EXPECT_NE(sale.find("\"12\""), std::string::npos) << sale;
  EXPECT_NE(sale.find("\"0%\""), std::string::npos) << "the shop's progress flag has its number";
}

TEST_F(ReadableScreens, PauseAndTheQuitQuestionRead) {
  const std::string script =
      "frames 3\nlevel 1\nframes 10\nkey Space\nframes 60\n"
      "key Pause\nframes 40\ncontrast 4.5\nkey Pause\nframes 2\n"
      "key Escape\nframes 40\ncontrast 4.5\nkey N\nframes 2\nquit\n";
  ASSERT_EQ(Play(script), 0) << Err();
}

}  // namespace
}  // namespace vx
