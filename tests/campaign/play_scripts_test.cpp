// The real game on the real data set, driven by `velotrix-tool play` scripts
// the way a player would use the mouse and keys, checked against the files it
// leaves behind.
#include <gtest/gtest.h>
#include <strings.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/game_record.h"
#include "campaign/save_game.h"
#include "resources/file_system.h"
#include "resources/text_file.h"
#include "support/temp_dir.h"

namespace vx {
namespace {

using test::ReadText;
using test::WriteText;

struct Point {
  int x = -1, y = -1;
};

class PlayScripts : public ::testing::Test {
 protected:
  void SetUp() override {
    UnregisterAllArchives();
    ASSERT_NE(RegisterArchive(VX_BINARY_DIR "/Velotrix.dat", "DATA\\", 1), 0);
    std::filesystem::create_directory("run");
    for (const char* archive : {"Velotrix.dat", "Velotrix.lng"})
      std::filesystem::create_symlink(std::string(VX_BINARY_DIR) + "/" + archive,
                                      std::string("run/") + archive);
  }
  void TearDown() override { UnregisterAllArchives(); }

  // Where the middle of a frame of a data-set sheet lands with the sheet at
  // (x, y); the sheets are drawn anchored at their top left.
  static Point Centre(const char* frm, const char* frame, int x = 0, int y = 0) {
    TextFile file(frm);
    for (int n = 1; file.IsOpen(); ++n) {
      char section[32], name[32], rect[64], offset[64];
      std::snprintf(section, sizeof section, "Sprite %d", n);
      if (!file.SelectSection(section)) break;
      file.GetString(nullptr, "name", "", name, sizeof name);
      if (strcasecmp(name, frame) != 0) continue;
      file.GetString(nullptr, "rectsx", "", rect, sizeof rect);
      file.GetString(nullptr, "offsxy", "0 0", offset, sizeof offset);
      int r[4] = {}, o[2] = {};
      std::sscanf(rect, "%d%*[ ,]%d%*[ ,]%d%*[ ,]%d", &r[0], &r[1], &r[2], &r[3]);
      std::sscanf(offset, "%d%*[ ,]%d", &o[0], &o[1]);
      return Point{x + o[0] + r[2] / 2, y + o[1] + r[3] / 2};
    }
    ADD_FAILURE() << "no frame " << frame << " in " << frm;
    return Point{};
  }
  // A left click at p, then enough frames that the next click is no double-click.
  static std::string ClickAt(Point p) {
    return "moveto " + std::to_string(p.x) + " " + std::to_string(p.y) +
           "\nclick left\nframes 30\n";
  }
  static std::string Menu(const char* button) {
    return ClickAt(Centre("menu.frm", (std::string(button) + "_up").c_str(), 316, 179));
  }

  // Runs the script in run/; returns the tool's exit code.
  int Play(const std::string& script) {
    WriteText("script.txt", script);
    const std::string cmd = std::string(VX_BINARY_DIR) +
                            "/velotrix-tool play script.txt --dir run >out.txt 2>err.txt";
    const int status = std::system(cmd.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string Err() { return ReadText("err.txt"); }
  std::string Log() { return ReadText("run/Log.txt"); }

  test::TempDir tmp;
};

TEST_F(PlayScripts, OptionsChangedWithTheMouseAreInTheSettingsFileAfterQuitting) {
  WriteText("run/Velotrix.ini",
            "[Settings]\nFullscreen = 0\nSound enable = 0\nSound volume = 70\nMusic volume = 50\n"
            "Reverse stereo = 0\nScroll speed = 1\nVanishing = 0\n");
  const Point m100 = Centre("OptionsHL.frm", "m100");
  std::string raise;
  for (int i = 0; i < 5; ++i) raise += ClickAt(m100);  // +2 each
  const Point sound = Centre("OptionsHL.frm", "svol");
  const Point soundAt61{320 + 61, sound.y};
  const std::string script =
      "frames 5\n" + Menu("options") + "expect screen OptionsScreen\n" + raise +
      ClickAt(soundAt61) + ClickAt(Centre("OptionsHL.frm", "reverse")) +
      ClickAt(Centre("OptionsHL.frm", "vanishing")) + ClickAt(Centre("OptionsHL.frm", "slow")) +
      "shot options.png\nkey Escape\nframes 2\nexpect screen MenuScreen\n" + Menu("quit");
  ASSERT_EQ(Play(script), 0) << Err();
  EXPECT_EQ(ReadText("run/Velotrix.ini"),
            "[Settings]\nFullscreen = 0\nSound enable = 0\nSound volume = 50\nMusic volume = 60\n"
            "Reverse stereo = 1\nScroll speed = 0\nVanishing = 1\n");
  EXPECT_NE(Log().find("Return OptionsScreen::InitSurfaces()"), std::string::npos);
}

TEST_F(PlayScripts, HighScoresAndHelpFromTheMenu) {
  const Point next = Centre("HelpBtn.frm", "Next"), previous = Centre("HelpBtn.frm", "Prev");
  const std::string script =
      "frames 3\n" + Menu("hiscores") + "expect screen HiscoreScreen\nframes 90\n"
      "shot hiscores.png\nkey Space\nframes 2\nexpect screen MenuScreen\n" +
      Menu("instruction") + "expect screen HelpScreen\n" + ClickAt(previous) + ClickAt(next) +
      "shot help1.png\n" + "key PageDown\nframes 2\nshot help2.png\nkey Right\nkey Right\n" +
      ClickAt(next) + "shot help3.png\nkey PageUp\nkey Left\nkey Left\nkey Left\n" +
      "frames 2\nexpect screen HelpScreen\nkey Escape\nframes 2\nexpect screen MenuScreen\n"
      "quit\n";
  ASSERT_EQ(Play(script), 0) << Err();
  const std::string log = Log();
  // Pages 0, 0 (the first page has nowhere back to go), 1, 2, 3, 3, 3, 2, 1, 0, 0.
  std::string pages;
  for (size_t at = log.find("Load page: "); at != std::string::npos;
       at = log.find("Load page: ", at + 1))
    pages += log[at + 11];
  EXPECT_EQ(pages, "00123332100");
  EXPECT_FALSE(std::filesystem::exists("run/Velotrix.hsc")) << "viewing writes nothing";
}

TEST_F(PlayScripts, LoadingSlotOneOpensTheMapAndDamagedSlotsStayShut) {
  // Two slots written by the game's own saving, the second then damaged.
  ASSERT_EQ(chdir("run"), 0);
  g = GameRecord();
  g.player.score = 777;
  ASSERT_EQ(SaveGame(0, "First"), 1);
  ASSERT_EQ(SaveGame(1, "Second"), 1);
  ASSERT_EQ(chdir(".."), 0);
  std::string bytes = ReadText("run/game2.sav");
  bytes[100] ^= 1;
  WriteText("run/game2.sav", bytes);

  const std::string script = "frames 3\n" + Menu("loadgame") + "expect screen LoadScreen\n" +
                             "shot load.png\n" + ClickAt(Point{260, 170 + 16 + 8}) +
                             "expect screen LoadScreen\n" + ClickAt(Point{260, 170 + 8}) +
                             "expect screen NodeScreen\nquit\n";
  ASSERT_EQ(Play(script), 0) << Err();
  EXPECT_NE(Log().find("'game2.sav' is damaged"), std::string::npos);
}

}  // namespace
}  // namespace vx
