// The one writer of user files and the opener of files on the host: links are
// replaced and never written through, FIFOs and devices never block, stale
// temporary files of dead writers are removed and nobody else's.
#include "base/user_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>

#include "base/log.h"
#include "support/temp_dir.h"

namespace vx {
namespace {

using test::ReadText;
using test::WriteText;
namespace fs = std::filesystem;

int Write(const char* path, const std::string& text) {
  return WriteUserFile(path, text.data(), text.size());
}

bool IsLink(const char* path) {
  struct stat st {};
  return lstat(path, &st) == 0 && S_ISLNK(st.st_mode);
}

// The folder holds exactly these names.
void ExpectEntries(const std::string& folder, std::set<std::string> names) {
  std::set<std::string> found;
  for (const auto& e : fs::directory_iterator(folder)) found.insert(e.path().filename());
  EXPECT_EQ(found, names);
}

TEST(UserFile, ReplacesTheFileAndLeavesNothingBeside) {
  test::TempDir dir;
  const uint32_t writes = UserFileWrites();
  ASSERT_EQ(Write("game1.sav", "old"), 1);
  ASSERT_EQ(Write("game1.sav", "new"), 1);
  EXPECT_EQ(ReadText("game1.sav"), "new");
  EXPECT_EQ(UserFileWrites(), writes + 2);
  ASSERT_EQ(Write("empty", ""), 1);
  EXPECT_EQ(ReadText("empty"), "");
  ExpectEntries(".", {"game1.sav", "empty"});
  EXPECT_EQ(WriteUserFile("", "x", 1), 0);
  EXPECT_EQ(WriteUserFile("missing/folder/file", "x", 1), 0);
  EXPECT_EQ(UserFileWrites(), writes + 3) << "a failed write changes no folder";
}

TEST(UserFile, ALinkIsReplacedAndItsTargetLeftAlone) {
  test::TempDir dir;
  WriteText("victim", "precious");
  ASSERT_EQ(symlink("victim", "Velotrix.ini"), 0);
  ASSERT_EQ(symlink("/dev/full", "Velotrix.hsc"), 0);
  ASSERT_EQ(symlink("nowhere/at/all", "game2.sav"), 0);  // dangling
  ASSERT_EQ(Write("Velotrix.ini", "[Settings]\n"), 1);
  ASSERT_EQ(Write("Velotrix.hsc", "table"), 1);
  ASSERT_EQ(Write("game2.sav", "save"), 1);
  EXPECT_EQ(ReadText("victim"), "precious");
  EXPECT_FALSE(IsLink("Velotrix.ini"));
  EXPECT_EQ(ReadText("Velotrix.ini"), "[Settings]\n");
  EXPECT_EQ(ReadText("Velotrix.hsc"), "table");
  EXPECT_FALSE(fs::exists("nowhere"));
}

TEST(UserFile, TemporaryNamesTakenByLinksAreSkippedNotFollowed) {
  test::TempDir dir;
  WriteText("victim", "precious");
  // Links at every other name the writer could pick next: the writer must
  // create its file exclusively and move on, never write through one.
  const std::string pid = std::to_string(getpid());
  for (int n = 0; n < 300; n += 2) {
    const std::string temp = "game1.sav.vx" + pid + "-" + std::to_string(n) + ".tmp";
    ASSERT_EQ(symlink("victim", temp.c_str()), 0);
  }
  for (int i = 0; i < 3; ++i) ASSERT_EQ(Write("game1.sav", "save " + std::to_string(i)), 1);
  EXPECT_EQ(ReadText("game1.sav"), "save 2");
  EXPECT_EQ(ReadText("victim"), "precious");
}

TEST(UserFile, CreatingNeverOverwrites) {
  test::TempDir dir;
  const char data[] = "picture";
  EXPECT_EQ(CreateUserFile("screen00.pcx", data, 7), CreateResult::kCreated);
  EXPECT_EQ(CreateUserFile("screen00.pcx", "other", 5), CreateResult::kExists);
  EXPECT_EQ(ReadText("screen00.pcx"), "picture");
  ASSERT_EQ(symlink("victim", "screen01.pcx"), 0);  // dangling: still taken
  EXPECT_EQ(CreateUserFile("screen01.pcx", data, 7), CreateResult::kExists);
  EXPECT_FALSE(fs::exists("victim"));
  EXPECT_EQ(CreateUserFile("no/such/folder.pcx", data, 7), CreateResult::kFailed);
  ExpectEntries(".", {"screen00.pcx", "screen01.pcx"});
}

TEST(UserFile, OpeningNeverBlocksAndRefusesWhatIsNoFile) {
  test::TempDir dir;
  ASSERT_EQ(mkfifo("fifo", 0644), 0);
  ASSERT_EQ(mkdir("folder", 0755), 0);
  WriteText("file", "x");
  ASSERT_EQ(symlink("file", "link"), 0);
  for (const char* other : {"fifo", "folder", "/dev/null"}) {
    EXPECT_EQ(OpenRegularFile(other), -1) << other;
    EXPECT_EQ(OpenForAppend(other), -1) << other;
  }
  EXPECT_EQ(OpenRegularFile("missing"), -1);
  // A FIFO with a reader opens for writing; it is still no file to append to.
  const int reader = open("fifo", O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  EXPECT_EQ(OpenForAppend("fifo"), -1);
  close(reader);

  int fd = OpenRegularFile("link");  // reading through a link harms nobody
  EXPECT_GE(fd, 0);
  close(fd);
  EXPECT_EQ(OpenForAppend("link"), -1) << "appending through a link";
  fd = OpenForAppend("new.txt");
  EXPECT_GE(fd, 0);
  close(fd);
  EXPECT_TRUE(fs::is_regular_file("new.txt"));
}

TEST(UserFile, TheLogNeverWritesThroughALinkOrWaitsForAFifo) {
  test::TempDir dir;
  WriteText("victim", "precious");
  ASSERT_EQ(symlink("victim", "Log.txt"), 0);
  StartLog();
  Log("Call %s::InitSurface()\n", "MenuScreen");
  EXPECT_EQ(ReadText("victim"), "precious");
  EXPECT_FALSE(IsLink("Log.txt"));
  EXPECT_NE(ReadText("Log.txt").find("Call MenuScreen::InitSurface()\n"), std::string::npos);

  // Linked or turned into a FIFO while the game runs: the lines are lost, not
  // written elsewhere, and nothing waits.
  ASSERT_EQ(unlink("Log.txt"), 0);
  ASSERT_EQ(symlink("victim", "Log.txt"), 0);
  Log("lost\n");
  ASSERT_EQ(unlink("Log.txt"), 0);
  ASSERT_EQ(mkfifo("Log.txt", 0644), 0);
  Log("lost\n");
  EXPECT_EQ(ReadText("victim"), "precious");
  StartLog();  // a FIFO at the name is replaced as a link is
  EXPECT_TRUE(fs::is_regular_file("Log.txt"));
}

TEST(UserFile, StaleTemporaryFilesOfDeadWritersAreRemoved) {
  test::TempDir dir;
  // A writer's pid that is surely gone: a child that has been waited for.
  const pid_t child = fork();
  if (child == 0) _exit(0);
  ASSERT_GT(child, 0);
  int status = 0;
  waitpid(child, &status, 0);
  const std::string dead = std::to_string(child);
  WriteText("victim", "precious");
  WriteText("game1.sav.vx" + dead + "-0.tmp", "half");
  WriteText("Velotrix.ini.vx" + dead + "-17.tmp", "half");
  ASSERT_EQ(symlink("victim", ("Log.txt.vx" + dead + "-3.tmp").c_str()), 0);
  WriteText("game2.sav.vx1-0.tmp", "a live writer's (pid 1)");
  for (const char* other : {"notes.tmp", "x.vx-1.tmp", ".vx12-1.tmp", "a.vx12-.tmp",
                            "a.vx12-1.tmp.txt", "a.vxb-1.tmp"})
    WriteText(other, "not ours");
  ASSERT_EQ(mkfifo(("pipe.vx" + dead + "-1.tmp").c_str(), 0644), 0);

  EXPECT_EQ(RemoveStaleTempFiles("."), 3);
  EXPECT_EQ(ReadText("victim"), "precious");
  ExpectEntries(".", {"victim", "game2.sav.vx1-0.tmp", "notes.tmp", "x.vx-1.tmp", ".vx12-1.tmp",
                      "a.vx12-.tmp", "a.vx12-1.tmp.txt", "a.vxb-1.tmp", "pipe.vx" + dead + "-1.tmp"});
  EXPECT_TRUE(IsTempFileName("game1.sav.vx12-0.tmp"));
  EXPECT_FALSE(IsTempFileName("game1.sav.tmp"));
}

}  // namespace
}  // namespace vx
