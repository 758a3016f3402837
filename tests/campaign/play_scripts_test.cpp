// The real game on the real data set, driven by `velotrix-tool play` scripts
// the way a player would use the mouse and keys, checked against the files it
// leaves behind.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/game_record.h"
#include "campaign/save_game.h"
#include "game/game_state.h"
#include "graphics/bitmap.h"
#include "resources/file_system.h"
#include "resources/pack_archive.h"
#include "support/play_script.h"
#include "support/temp_dir.h"

namespace vx {
namespace {

using test::ReadText;
using test::WriteText;

using test::Point;

class PlayScripts : public test::PlayScriptTest {
 protected:

  static Point Centre(const char* frm, const char* frame, int x = 0, int y = 0) {
    return test::FrameCentre(frm, frame, x, y);
  }
  static std::string ClickAt(Point p) { return test::ClickAt(p); }
  static std::string Menu(const char* button) { return test::ClickMenu(button); }

  int Play(const std::string& script) { return test::PlayScript(script); }
  std::string Err() { return ReadText("err.txt"); }
  std::string Log() { return ReadText("run/Log.txt"); }

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
      ClickAt(Centre("OptionsHL.frm", "language")) +
      "shot options.png\nkey Escape\nframes 2\nexpect screen MenuScreen\n" + Menu("quit");
  ASSERT_EQ(Play(script), 0) << Err();
  // The language plate turned the game to the next language, Russian; the
  // controls follow the settings.
  const std::string settings =
      "[Settings]\nFullscreen = 0\nSound enable = 0\nSound volume = 50\nMusic volume = 60\n"
      "Reverse stereo = 1\nScroll speed = 0\nVanishing = 1\nLanguage = ru\n[Controls]\n";
  EXPECT_EQ(ReadText("run/Velotrix.ini").substr(0, settings.size()), settings);
  EXPECT_NE(Log().find("Switch language to ru\n"), std::string::npos);
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
  gGame = GameState();
  gGame.player.score = 777;
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

// The menu picture of a language archive, as 0x00RRGGBB pixels.
bool MenuPicture(const std::string& archive, Bitmap* out) {
  PackArchive lang;
  if (!lang.Open(archive.c_str())) return false;
  const PackEntry* entry = lang.Find("LANG\\menu.tga");
  Bitmap picture;
  FileBuffer bytes = entry ? lang.ReadEntry(*entry) : nullptr;
  return bytes && picture.Decode(bytes.get(), entry->unpackedSize, "menu.tga") == 1 &&
         out->Create(picture.width, picture.height, 32) && out->Convert(picture);
}

// Where the "New game" button of two languages differs (its words), the share
// of pixels that the screenshot shows as the first language draws them.
double NewGameLooksLike(const std::string& shot, const std::string& archive, const std::string& other) {
  Bitmap screen, screen32, mine, theirs;
  if (screen.Load(shot.c_str()) != 1 || !screen32.Create(screen.width, screen.height, 32) ||
      !screen32.Convert(screen) || !MenuPicture(archive, &mine) || !MenuPicture(other, &theirs))
    return -1;
  // Compared at the 16-bit screen's depth.
  const auto quantized = [](uint32_t c) { return c & 0xf8f8f8; };
  int differing = 0, same = 0;
  // "newgame_up": the top-left 240 x 36 of the sheet, drawn at 316, 179.
  for (uint32_t y = 0; y < 36; ++y)
    for (uint32_t x = 0; x < 240; ++x) {
      const uint32_t p = quantized(mine.Pixel32(x, y));
      if (p == 0 || p == quantized(theirs.Pixel32(x, y))) continue;
      ++differing;
      same += p == quantized(screen32.Pixel32(316 + x, 179 + y));
    }
  return differing > 100 ? static_cast<double>(same) / differing : -1;
}

TEST_F(PlayScripts, TheLanguageSettingChoosesTheMenusPictures) {
  const std::string english = VX_BINARY_DIR "/Velotrix.lng", russian = VX_BINARY_DIR "/Velotrix.ru.lng";
  for (const char* code : {"ru", "en"}) {
    SCOPED_TRACE(code);
    WriteText("run/Velotrix.ini", std::string("[Settings]\nLanguage = ") + code + "\n");
    std::filesystem::remove("run/screen00.pcx");
    // The mouse takes the focus off "New game", which then shows unlit.
    ASSERT_EQ(Play("frames 5\nmouse 1 0\nkey PrintScreen\nframes 2\nquit\n"), 0) << Err();
    const bool ru = std::string(code) == "ru";
    EXPECT_GT(NewGameLooksLike("run/screen00.pcx", ru ? russian : english, ru ? english : russian), 0.95);
    EXPECT_LT(NewGameLooksLike("run/screen00.pcx", ru ? english : russian, ru ? russian : english), 0.2);
    EXPECT_NE(Log().find(std::string("Language: ") + code + "\n"), std::string::npos);
    EXPECT_NE(ReadText("run/Velotrix.ini").find(std::string("\nLanguage = ") + code + "\n"),
              std::string::npos);
  }
}

TEST_F(PlayScripts, WithoutALanguageSettingTheEnvironmentChoosesOnFirstStart) {
  WriteText("run/Velotrix.ini", "[Settings]\nFullscreen = 0\n");
  WriteText("script.txt", "frames 3\nquit\n");
  const std::string cmd = "env -u LANGUAGE -u LC_MESSAGES LC_ALL=ru_RU.UTF-8 " +
                          std::string(VX_BINARY_DIR) + "/velotrix-tool play script.txt --dir run >out.txt 2>err.txt";
  ASSERT_EQ(std::system(cmd.c_str()), 0) << Err();
  EXPECT_NE(Log().find("Language: ru\n"), std::string::npos);
  // Kept, so the next start needs no environment.
  EXPECT_NE(ReadText("run/Velotrix.ini").find("\nLanguage = ru\n"), std::string::npos);
  ASSERT_EQ(Play("frames 3\nquit\n"), 0) << Err();
  EXPECT_NE(Log().find("Language: ru\n"), std::string::npos);
}

}  // namespace
}  // namespace vx
