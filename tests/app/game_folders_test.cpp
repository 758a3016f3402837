// Installed copy versus build tree: which folder the game works in and where
// its archives come from, checked on real folders and real archives.
#include "app/game_folders.h"

#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include "resources/pack_writer.h"
#include "shell_fixture.h"

namespace vx {
namespace {

using test::ReadText;
using test::WriteText;

std::string Cwd() {
  char buf[PATH_MAX];
  return getcwd(buf, sizeof buf) ? buf : "";
}

// A prefix laid out as `cmake --install` lays it out, inside the test's folder.
struct FakePrefix {
  std::string root, exe, data;
  explicit FakePrefix(const std::string& base, bool withArchive = true)
      : root(base + "/prefix"), exe(root + "/bin/velotrix"), data(root + "/share/velotrix") {
    WriteText(exe, "");
    if (withArchive) WriteText(data + "/Velotrix.dat", "");
  }
};

void WriteArchive(const std::string& path, const std::string& settings) {
  std::filesystem::path parent = std::filesystem::path(path).parent_path();
  if (!parent.empty()) std::filesystem::create_directories(parent);
  std::string error;
  std::vector<uint8_t> bytes(settings.begin(), settings.end());
  ASSERT_TRUE(WritePackArchive(path.c_str(), {{"DATA\\Velotrix.ini", bytes}}, &error)) << error;
}

class GameFolders : public ::testing::Test {
 protected:
  void TearDown() override { SetInstalledData(""); }
  test::TempDir tmp;
};

TEST_F(GameFolders, InstalledOnlyWithTheDataArchiveBesideTheExecutable) {
  FakePrefix installed(tmp.path());
  EXPECT_EQ(InstalledDataFolder(installed.exe, "../share/velotrix"), installed.data);
  EXPECT_EQ(InstalledDataFolder(installed.exe, "../share/velotrix/"), installed.data);

  // A build tree: the executable with nothing installed beside it.
  FakePrefix build(tmp.path() + "/build", false);
  EXPECT_EQ(InstalledDataFolder(build.exe, "../share/velotrix"), "");
  // A folder where the archive should be does not count.
  mkdir((tmp.path() + "/build/prefix/share/velotrix/Velotrix.dat").c_str(), 0755);
  EXPECT_EQ(InstalledDataFolder(build.exe, "../share/velotrix"), "");
  // No usable path to the executable: not installed.
  EXPECT_EQ(InstalledDataFolder("", "../share/velotrix"), "");
  EXPECT_EQ(InstalledDataFolder("prefix/bin/velotrix", "../share/velotrix"), "");
}

TEST_F(GameFolders, UserFolderFollowsTheDataHome) {
  EXPECT_EQ(UserDataFolder("/x/data", "/home/p"), "/x/data/velotrix");
  EXPECT_EQ(UserDataFolder(nullptr, "/home/p"), "/home/p/.local/share/velotrix");
  EXPECT_EQ(UserDataFolder("", "/home/p"), "/home/p/.local/share/velotrix");
  // A relative data home would depend on where the game was started.
  EXPECT_EQ(UserDataFolder("rel/data", "/home/p"), "/home/p/.local/share/velotrix");
  EXPECT_EQ(UserDataFolder(nullptr, nullptr), "");
  EXPECT_EQ(UserDataFolder("rel", "also/rel"), "");
}

TEST_F(GameFolders, BuildTreeStaysInTheCurrentFolder) {
  FakePrefix build(tmp.path(), false);
  std::string home = tmp.path() + "/home";
  EXPECT_TRUE(EnterGameFolder(build.exe, "../share/velotrix", nullptr, home.c_str()));
  EXPECT_EQ(Cwd(), tmp.path());
  EXPECT_EQ(InstalledData(), "");
  EXPECT_EQ(ArchivePath("Velotrix.dat"), "Velotrix.dat");
  struct stat st;
  EXPECT_NE(stat(home.c_str(), &st), 0);  // nothing created
}

TEST_F(GameFolders, InstalledCopyCreatesAndEntersItsFolder) {
  FakePrefix installed(tmp.path());
  std::string xdg = tmp.path() + "/deep/data";
  ASSERT_TRUE(EnterGameFolder(installed.exe, "../share/velotrix", xdg.c_str(), "/nonexistent"));
  EXPECT_EQ(Cwd(), xdg + "/velotrix");
  struct stat st;
  ASSERT_EQ(stat((xdg + "/velotrix").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);
  EXPECT_EQ(InstalledData(), installed.data);

  // The installed archive, until the user's folder holds one of its own (any case).
  EXPECT_EQ(ArchivePath("Velotrix.dat"), installed.data + "/Velotrix.dat");
  WriteText("velotrix.DAT", "");
  EXPECT_EQ(ArchivePath("Velotrix.dat"), "Velotrix.dat");
  // An archive found nowhere keeps its plain name (loose files stand in).
  EXPECT_EQ(ArchivePath("Velotrix.lng"), "Velotrix.lng");

  // The second start finds the folder there.
  ASSERT_EQ(chdir(tmp.path().c_str()), 0);
  EXPECT_TRUE(EnterGameFolder(installed.exe, "../share/velotrix", xdg.c_str(), "/nonexistent"));
  EXPECT_EQ(Cwd(), xdg + "/velotrix");
}

TEST_F(GameFolders, UnusableUserFolderLeavesTheGameWhereItStarted) {
  FakePrefix installed(tmp.path());
  WriteText(tmp.path() + "/blocked", "a file, not a folder");
  std::string xdg = tmp.path() + "/blocked";
  EXPECT_FALSE(EnterGameFolder(installed.exe, "../share/velotrix", xdg.c_str(), nullptr));
  EXPECT_FALSE(EnterGameFolder(installed.exe, "../share/velotrix", nullptr, nullptr));
  EXPECT_EQ(Cwd(), tmp.path());
  EXPECT_EQ(ReadText(tmp.path() + "/blocked"), "a file, not a folder");
}

// The whole start-up on the headless platform: the settings come from the
// installed archive, or from the user's own archive when there is one.
class InstalledStartUp : public test::ShellTest {
 protected:
  void TearDown() override {
    test::ShellTest::TearDown();
    SetInstalledData("");
  }
  std::string SettingsWritten() { return ReadText("Velotrix.ini"); }
};

TEST_F(InstalledStartUp, SettingsComeFromTheInstalledArchive) {
  std::string data = Cwd() + "/share/velotrix";
  WriteArchive(data + "/Velotrix.dat", "[Settings]\nFullscreen = 0\nSound enable = 0\nSound volume = 42\n");
  SetInstalledData(data);
  ASSERT_EQ(RunGame(2), 0);
  EXPECT_NE(SettingsWritten().find("Sound volume = 42\n"), std::string::npos) << SettingsWritten();
  EXPECT_NE(SettingsWritten().find("Fullscreen = 0\n"), std::string::npos);
}

TEST_F(InstalledStartUp, TheUsersOwnArchiveWinsOverTheInstalledOne) {
  std::string data = Cwd() + "/share/velotrix";
  WriteArchive(data + "/Velotrix.dat", "[Settings]\nSound enable = 0\nSound volume = 42\n");
  WriteArchive("Velotrix.dat", "[Settings]\nSound enable = 0\nSound volume = 17\n");
  SetInstalledData(data);
  ASSERT_EQ(RunGame(2), 0);
  EXPECT_NE(SettingsWritten().find("Sound volume = 17\n"), std::string::npos) << SettingsWritten();
}

}  // namespace
}  // namespace vx
