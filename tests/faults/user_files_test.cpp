// The user's files under faults: a full disk and a read-only folder while
// saving, a log that cannot be written, damaged files when loading. An old
// good file is never replaced by a broken one, and a failed save is logged.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "app/settings.h"
#include "base/game_record.h"
#include "base/log.h"
#include "base/user_file.h"
#include "campaign/hiscore_table.h"
#include "campaign/save_game.h"
#include "game/game_state.h"
#include "game/level_files.h"
#include "resources/file_system.h"
#include "sound/sound.h"
#include "support/temp_dir.h"
#include "support/user_file_faults.h"

namespace vx {
namespace {

using test::ReadText;
using test::WriteText;
namespace fs = std::filesystem;

// The files a save writes, and what each writer says when it fails.
struct Writer {
  const char* name;
  std::vector<const char*> files;
  std::function<bool()> save;
  const char* logLine;
};

class UserFileFaults : public ::testing::Test {
 protected:
  void SetUp() override {
    UnregisterAllArchives();
    g = GameRecord();
    gGame = GameState();
    std::snprintf(g.strings.EmptySlot, sizeof g.strings.EmptySlot, "%s", "Empty");
    for (SaveSlot& s : gSaveSlots) s = SaveSlot();
    SetDefaultHiscores();
    gGame.player.score = 4242;
    gGame.level.header.height = 2;
    gGame.level.header.maxBlockTypes = 1;
    gGame.level.grid.assign(2 * 20, BlockCell{1, 1, 0});
    std::snprintf(gGame.level.header.name, sizeof gGame.level.header.name, "%s", "Old field");

    // The good files of an earlier session.
    SaveSettings();
    ASSERT_EQ(SaveGame(0, "Old"), 1);
    ASSERT_EQ(SaveHiscores(), 1);
    ASSERT_EQ(SaveLevel(true), 1);
    for (const Writer& w : writers_)
      for (const char* f : w.files) old_[f] = ReadText(f);
    std::remove("Log.txt");

    // What this session would write instead.
    g.bFullScreen = 0;
    SetMusicVolume(17);
    gGame.player.score = 1;
    InsertHiscore(95000);
    std::snprintf(gGame.level.header.name, sizeof gGame.level.header.name, "%s", "New field");
  }

  // Every file as it was, and nothing half-written left beside them.
  void ExpectOldFilesIntact() {
    for (const auto& [name, text] : old_) EXPECT_EQ(ReadText(name), text) << name;
    for (const auto& e : fs::directory_iterator("."))
      EXPECT_TRUE(old_.count(e.path().filename()) || e.path().filename() == "Log.txt")
          << "left behind: " << e.path();
    EXPECT_STREQ(SlotName(0), "Old") << "the slot table shows what the file holds";
  }

  std::vector<Writer> writers_ = {
      {"settings", {"Velotrix.ini"}, [] { return SaveSettings() == 1; },
       "Can't write 'Velotrix.ini'\n"},
      {"saved game", {"game1.sav"}, [] { return SaveGame(0, "New") == 1; },
       "Can't write saved game 'game1.sav'\n"},
      {"high scores", {"Velotrix.hsc"}, [] { return SaveHiscores() == 1; },
       "Can't write 'Velotrix.hsc'\n"},
      {"level", {"Level", "Level.map"}, [] { return SaveLevel(true) == 1; },
       "Can't write file 'Level'\n"},
  };
  std::map<std::string, std::string> old_;
  test::TempDir dir_;
};

TEST_F(UserFileFaults, FullDiskKeepsTheOldFilesAndTellsThePlayer) {
  // A disk that fills up part way through the file, and one that is full.
  for (const Writer& w : writers_) {
    std::remove("Log.txt");  // room for the one log line
    {
      test::FileSizeLimit diskFull(64);
      EXPECT_FALSE(w.save()) << w.name;
    }
    EXPECT_NE(ReadText("Log.txt").find(w.logLine), std::string::npos) << w.name;

    WriteText("Log.txt", "");
    {
      test::FileSizeLimit diskFull(0);
      EXPECT_FALSE(w.save()) << w.name;
    }
  }
  ExpectOldFilesIntact();

  // Once there is room again, saving works.
  for (const Writer& w : writers_) EXPECT_TRUE(w.save()) << w.name;
  EXPECT_EQ(ReadText("Velotrix.ini").find("Fullscreen = 0\nSound enable = 0\n"), 11u);
  EXPECT_STREQ(SlotName(0), "New");
}

TEST_F(UserFileFaults, ReadOnlyFolderKeepsTheOldFilesAndTellsThePlayer) {
  WriteText("Log.txt", "");  // the log itself can still be written
  {
    test::ReadOnlyFolder readOnly(dir_.path());
    if (!readOnly.Works()) GTEST_SKIP() << "this user can write anywhere";
    for (const Writer& w : writers_) EXPECT_FALSE(w.save()) << w.name;
    // Reading goes on as usual.
    EXPECT_EQ(LoadGame(0), 1);
    EXPECT_EQ(gGame.player.score, 4242);
    LoadHiscores();
    EXPECT_EQ(gHiscores[0].score, 100000);
  }
  const std::string log = ReadText("Log.txt");
  for (const Writer& w : writers_) EXPECT_NE(log.find(w.logLine), std::string::npos) << w.name;
  ExpectOldFilesIntact();
}

// Whoever can write the game's folder may put links at its file names: every
// writer replaces the link and leaves its target alone.
TEST_F(UserFileFaults, EveryWriterReplacesALinkAndLeavesItsTarget) {
  WriteText("victim", "precious");
  for (const Writer& w : writers_) {
    for (const char* f : w.files) {
      std::remove(f);
      ASSERT_EQ(symlink("victim", f), 0) << f;
    }
    EXPECT_TRUE(w.save()) << w.name;
    for (const char* f : w.files) EXPECT_FALSE(fs::is_symlink(f)) << f;
  }
  EXPECT_EQ(ReadText("victim"), "precious");
  for (const auto& e : fs::directory_iterator("."))
    EXPECT_FALSE(IsTempFileName(e.path().filename().c_str())) << "left behind: " << e.path();
}

TEST_F(UserFileFaults, ALogThatCannotBeWrittenStopsNothing) {
  ASSERT_EQ(mkdir("Log.txt", 0755), 0);  // a folder where the log should be
  StartLog();
  Log("Call %s::InitSurface()\n", "MenuScreen");
  for (const Writer& w : writers_) EXPECT_TRUE(w.save()) << w.name;
  ASSERT_EQ(rmdir("Log.txt"), 0);

  ASSERT_EQ(symlink("/dev/full", "Log.txt"), 0);  // a log on a full disk
  StartLog();
  Log("Save config\n");
  EXPECT_EQ(SaveGame(1, "Second"), 1);
  EXPECT_EQ(ReadSlot(1), 1);
}

TEST_F(UserFileFaults, DamagedFilesLoadSafelyAndAreLeftAlone) {
  const std::string save = old_["game1.sav"], table = old_["Velotrix.hsc"];
  const std::string garbage = [] {
    std::string s;
    for (int i = 0; i < 4096; ++i) s += static_cast<char>((i * 7919) >> 3);
    return s;
  }();
  struct Case {
    const char* file;
    std::string bytes;
    bool loads;  // the game may use what it holds
  } cases[] = {
      {"Velotrix.ini", "[Settings]\nSound volume = 9999999999999\nMusic vol", true},
      {"Velotrix.ini", "[Settings]\n" + std::string(1 << 20, 'x') + "\nSound volume = -3\n", true},
      {"Velotrix.ini", garbage, true},
      {"game1.sav", save.substr(0, 279), false},
      {"game1.sav", save + garbage, true},  // what lies beyond the record is not read
      {"game1.sav", garbage.substr(0, 280), false},
      {"Velotrix.hsc", table.substr(0, 239), false},
      {"Velotrix.hsc", table + "x", false},
      {"Velotrix.hsc", garbage.substr(0, 240), true},
  };
  for (const Case& c : cases) {
    WriteText(c.file, c.bytes);
    gGame.player.score = 1;
    SetMusicVolume(55);
    const std::string name = c.file;
    if (name == "Velotrix.ini") {
      EXPECT_EQ(LoadSettings(), 1);
      EXPECT_LE(GetSampleVolume(), 100);
      EXPECT_LE(GetMusicVolume(), 100);
    } else if (name == "game1.sav") {
      EXPECT_EQ(ReadSlot(0), c.loads ? 1 : 0);
      EXPECT_EQ(LoadGame(0), c.loads ? 1 : 0);
      EXPECT_EQ(gGame.player.score, c.loads ? 4242 : 1) << "a refused game changes nothing";
    } else {
      LoadHiscores();
      EXPECT_EQ(gHiscores[9].name == std::string("Dot"), !c.loads);
      for (const HiscoreEntry& e : gHiscores) EXPECT_LT(std::strlen(e.name), sizeof e.name);
    }
    EXPECT_EQ(ReadText(c.file), c.bytes) << "reading never rewrites " << c.file;
  }
}

}  // namespace
}  // namespace vx
