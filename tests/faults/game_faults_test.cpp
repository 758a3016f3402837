// The real game (velotrix-tool play on the built data set) in a folder it
// cannot write, with a log it cannot write, and on a full disk: it starts,
// shows the screens that read the user's files, quits, and leaves those files
// as they were.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "base/game_record.h"
#include "campaign/hiscore_table.h"
#include "campaign/save_game.h"
#include "game/game_state.h"
#include "resources/file_system.h"
#include "support/play_script.h"
#include "support/temp_dir.h"
#include "support/user_file_faults.h"

namespace vx {
namespace {

using test::ReadText;
using test::WriteText;
namespace fs = std::filesystem;

const char kSettings[] =
    "[Settings]\n# kept by hand\nFullscreen = 0\nSound enable = 0\nSound volume = 40\n"
    "Music volume = 30\nReverse stereo = 0\nScroll speed = 1\nVanishing = 0\n";

class GameFaults : public ::testing::Test {
 protected:
  void SetUp() override {
    UnregisterAllArchives();
    ASSERT_NE(RegisterArchive(VX_BINARY_DIR "/Velotrix.dat", "DATA\\", 1), 0);
    ASSERT_NE(RegisterArchive(VX_BINARY_DIR "/Velotrix.lng", "LANG\\", 1), 0);
    fs::create_directory("run");
    for (const char* archive : {"Velotrix.dat", "Velotrix.lng"})
      fs::copy_file(std::string(VX_BINARY_DIR) + "/" + archive, std::string("run/") + archive);
    // The user's files of an earlier session.
    ASSERT_EQ(chdir("run"), 0);
    g = GameRecord();
    gGame = GameState();
    gGame.player.score = 31337;
    ASSERT_EQ(SaveGame(0, "Kept"), 1);
    SetDefaultHiscores();
    ASSERT_EQ(SaveHiscores(), 1);
    ASSERT_EQ(chdir(".."), 0);
    WriteText("run/Velotrix.ini", kSettings);
    for (const char* f : {"Velotrix.ini", "game1.sav", "Velotrix.hsc"})
      old_[f] = ReadText(std::string("run/") + f);
  }
  void TearDown() override { UnregisterAllArchives(); }

  // The menu, the high scores and the saved games, then quit.
  static std::string Visit() {
    return "frames 5\nexpect screen MenuScreen\n" + test::ClickMenu("hiscores") +
           "expect screen HiscoreScreen\nkey Space\nframes 2\nexpect screen MenuScreen\n" +
           test::ClickMenu("loadgame") + "expect screen LoadScreen\nkey Escape\nframes 2\n"
           "expect screen MenuScreen\nquit\n";
  }

  // Runs the script in run/ in a child process, after `fault` has been set up
  // in the child; returns the exit code (-1 when it died of a signal, as it
  // does when it has not ended within a minute).
  int Play(const std::string& script, const std::function<void()>& fault = [] {}) {
    WriteText("script.txt", script);
    const std::string tool = std::string(VX_BINARY_DIR) + "/velotrix-tool";
    const std::string here = fs::current_path();
    fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
      const int out = open("out.txt", O_WRONLY | O_CREAT | O_TRUNC, 0666);
      if (out < 0 || dup2(out, 1) < 0 || dup2(out, 2) < 0) _exit(120);
      fault();
      alarm(60);  // a game that hangs is killed
      execl(tool.c_str(), "velotrix-tool", "play", (here + "/script.txt").c_str(), "--dir",
            (here + "/run").c_str(), static_cast<char*>(nullptr));
      _exit(121);
    }
    int status = 0;
    rusage usage {};
    wait4(pid, &status, 0, &usage);
    peakMiB_ = usage.ru_maxrss / 1024;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  void ExpectOldFilesIntact() {
    for (const auto& [name, text] : old_) EXPECT_EQ(ReadText("run/" + name), text) << name;
  }

  std::map<std::string, std::string> old_;
  test::TempDir tmp_;
  long peakMiB_ = 0;    // the last Play's peak resident memory
};

TEST_F(GameFaults, ReadOnlyFolder) {
  WriteText("run/Log.txt", "");  // the one file the game may still write
  chmod("run/Log.txt", 0666);
  chmod(".", 0755);
  chmod("run", 0555);
  const int code = Play(Visit(), [] {
    // Root writes anywhere: the game runs as nobody, as a user would.
    if (geteuid() == 0 && (setgid(test::ReadOnlyFolder::kNobody) != 0 ||
                           setuid(test::ReadOnlyFolder::kNobody) != 0))
      _exit(122);
  });
  chmod("run", 0755);
  ASSERT_EQ(code, 0) << ReadText("out.txt");
  ExpectOldFilesIntact();
  const std::string log = ReadText("run/Log.txt");
  EXPECT_NE(log.find("Log start"), std::string::npos);
  EXPECT_NE(log.find("Save config"), std::string::npos) << "and the settings were not written";
  for (const auto& e : fs::directory_iterator("run"))
    EXPECT_TRUE(old_.count(e.path().filename()) || e.path().filename() == "Log.txt" ||
                e.path().extension() == ".dat" || e.path().extension() == ".lng")
        << "nothing new in a read-only folder: " << e.path();
}

TEST_F(GameFaults, UnwritableLog) {
  fs::create_directory("run/Log.txt");
  ASSERT_EQ(Play(Visit()), 0) << ReadText("out.txt");
  // The settings are written as usual (the old file had an extra line).
  EXPECT_EQ(ReadText("run/Velotrix.ini").find("# kept by hand"), std::string::npos);
  EXPECT_EQ(ReadText("run/game1.sav"), old_["game1.sav"]);
}

TEST_F(GameFaults, FullDisk) {
  // The limit is made in the child and lives on into the game it becomes.
  const int code = Play(Visit(), [] { new test::FileSizeLimit(64); });
  ASSERT_EQ(code, 0) << ReadText("out.txt");
  ExpectOldFilesIntact();
  EXPECT_FALSE(fs::exists("run/Velotrix.ini.tmp"));
}

// FIFOs, devices and folders where the game expects its files: nothing waits
// on them, each is refused with a log line, and the game plays on.
TEST_F(GameFaults, FifosAndFoldersAtItsFileNamesBlockNothing) {
  for (const char* f : {"Velotrix.ini", "game1.sav", "Velotrix.hsc", "Log.txt"}) std::remove((std::string("run/") + f).c_str());
  for (const char* f : {"Velotrix.ini", "game1.sav", "Velotrix.hsc", "Log.txt", "Cursor.tga"})
    ASSERT_EQ(mkfifo((std::string("run/") + f).c_str(), 0644), 0) << f;
  ASSERT_EQ(symlink("/dev/zero", "run/game2.sav"), 0);
  ASSERT_EQ(mkdir("run/game3.sav", 0755), 0);
  ASSERT_EQ(Play(Visit()), 0) << ReadText("out.txt");
  const std::string log = ReadText("run/Log.txt");
  for (const char* f : {"Velotrix.ini", "game1.sav", "game2.sav", "Velotrix.hsc", "Cursor.tga"})
    EXPECT_NE(log.find(std::string("Can't read '") + f + "': not a regular file"), std::string::npos) << f << "\n" << log;
  // The log and the settings took the FIFOs' places; the others are left.
  EXPECT_TRUE(fs::is_regular_file("run/Log.txt"));
  EXPECT_TRUE(fs::is_regular_file("run/Velotrix.ini"));
  EXPECT_TRUE(fs::is_fifo("run/game1.sav"));
}

// Huge loose files are not read whole: saves and the high-score table are
// read as far as their formats go.
TEST_F(GameFaults, HugeLooseFilesAreReadOnlyAsFarAsTheirFormatsGo) {
  for (const char* f : {"run/game3.sav", "run/game4.sav", "run/game5.sav", "run/Velotrix.hsc"}) {
    const int fd = open(f, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, off_t{1} << 30), 0);  // 1 GB, sparse
    close(fd);
  }
  ASSERT_EQ(Play(Visit()), 0) << ReadText("out.txt");
  EXPECT_LT(peakMiB_, 400) << "a file was read whole";
  const std::string log = ReadText("run/Log.txt");
  EXPECT_NE(log.find("Saved game 'game3.sav' is damaged"), std::string::npos) << log;
  EXPECT_NE(log.find("Ignoring 'Velotrix.hsc': 1073741824 bytes instead of 240"), std::string::npos) << log;
  EXPECT_EQ(ReadText("run/game1.sav"), old_["game1.sav"]);
}

// Whoever can write the game's folder cannot make it write elsewhere, nor
// make it overwrite a picture; a temporary file a crash left is cleared.
TEST_F(GameFaults, LinksAndEarlierFilesInTheFolderAreLeftAlone) {
  WriteText("victim", "precious");
  ASSERT_EQ(symlink("../victim", "run/Log.txt"), 0);
  std::remove("run/Velotrix.ini");
  ASSERT_EQ(symlink("../victim", "run/Velotrix.ini"), 0);
  WriteText("run/screen00.pcx", "an earlier picture");
  const pid_t child = fork();
  if (child == 0) _exit(0);
  waitpid(child, nullptr, 0);
  const std::string stale = "run/Velotrix.hsc.vx" + std::to_string(child) + "-0.tmp";
  WriteText(stale, "half a table");
  ASSERT_EQ(Play("frames 5\nkey PrintScreen\nframes 2\nquit\n"), 0) << ReadText("out.txt");
  EXPECT_EQ(ReadText("victim"), "precious");
  EXPECT_FALSE(fs::is_symlink("run/Log.txt"));
  EXPECT_FALSE(fs::is_symlink("run/Velotrix.ini"));
  EXPECT_EQ(ReadText("run/screen00.pcx"), "an earlier picture");
  EXPECT_GT(ReadText("run/screen01.pcx").size(), 128u);
  EXPECT_NE(ReadText("run/Log.txt").find("Screenshot 'screen01.pcx'"), std::string::npos);
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_NE(ReadText("run/Log.txt").find("Removed stale temporary files: 1\n"), std::string::npos);
}

}  // namespace
}  // namespace vx
