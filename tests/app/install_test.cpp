// `cmake --install` of this build into a temporary prefix: the files a player's
// desktop needs are where it looks for them, consistent with each other, and
// pass the desktop's own validators.
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/game_folders.h"
#include "support/temp_dir.h"

namespace vx {
namespace {

namespace fs = std::filesystem;
using test::ReadText;

int Shell(const std::string& command) {
  int status = std::system((command + " >command.log 2>&1").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool HaveProgram(const char* name) { return Shell(std::string("command -v ") + name) == 0; }

// Width and height from a PNG's header; 0, 0 for anything else.
std::pair<uint32_t, uint32_t> PngSize(const fs::path& file) {
  std::string b = ReadText(file.string());
  if (b.size() < 24 || b.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0 || b.compare(12, 4, "IHDR") != 0)
    return {0, 0};
  auto be32 = [&](size_t at) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<uint8_t>(b[at + i]);
    return v;
  };
  return {be32(16), be32(20)};
}

std::string DesktopValue(const std::string& entry, const std::string& key) {
  size_t at = entry.find("\n" + key + "=");
  if (at == std::string::npos) return "";
  at += key.size() + 2;
  return entry.substr(at, entry.find('\n', at) - at);
}

class InstallTree : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(fs::path(VX_BINARY_DIR) / "Velotrix.dat")) GTEST_SKIP() << "the data set is not built";
    prefix = fs::path(tmp.path()) / "usr";
    ASSERT_EQ(Shell(std::string("'") + VX_CMAKE_COMMAND + "' --install '" + VX_BINARY_DIR +
                  "' --prefix '" + prefix.string() + "'"),
              0)
        << ReadText("command.log");
  }
  test::TempDir tmp;
  fs::path prefix;
};

TEST_F(InstallTree, HoldsTheGameItsDataAndItsDesktopFiles) {
  const char* id = "io.github.velotrix.velotrix";
  for (const char* file : {"bin/velotrix", "bin/velotrix-tool", "share/velotrix/Velotrix.dat",
                           "share/velotrix/Velotrix.lng", "share/velotrix/Velotrix.ru.lng",
                           "share/man/man6/velotrix.6.gz",
                           "share/man/man1/velotrix-tool.1.gz", "share/doc/velotrix/copyright"})
    EXPECT_TRUE(fs::is_regular_file(prefix / file)) << file;
  // Nothing of the developer's: no tests, benchmarks or data generator.
  size_t count = 0;
  for (const auto& e : fs::recursive_directory_iterator(prefix)) count += e.is_regular_file();
  EXPECT_EQ(count, 14u);

  // The installed game recognises its installation from where it lies.
  EXPECT_EQ(InstalledDataFolder((prefix / "bin/velotrix").string(), VX_INSTALL_RELATIVE_DATA),
            (prefix / "share/velotrix").string());

  for (int size : {32, 64, 128, 256}) {
    std::string dim = std::to_string(size) + "x" + std::to_string(size);
    fs::path icon = prefix / "share/icons/hicolor" / dim / "apps/velotrix.png";
    EXPECT_EQ(PngSize(icon), std::make_pair(uint32_t(size), uint32_t(size))) << icon;
  }

  // The menu entry starts what was installed, with the icon that was installed.
  std::string entry = ReadText((prefix / "share/applications" / (std::string(id) + ".desktop")).string());
  EXPECT_EQ(DesktopValue(entry, "Exec"), "velotrix");
  EXPECT_EQ(DesktopValue(entry, "Icon"), "velotrix");
  std::string meta = ReadText((prefix / "share/metainfo" / (std::string(id) + ".metainfo.xml")).string());
  EXPECT_NE(meta.find(std::string("<id>") + id + "</id>"), std::string::npos);
  EXPECT_NE(meta.find(std::string(">") + id + ".desktop</launchable>"), std::string::npos);

  // Each language's name and summary, from its folder of texts.
  EXPECT_EQ(DesktopValue(entry, "Name[ru]"), "Velotrix");
  EXPECT_EQ(DesktopValue(entry, "GenericName[ru]"), "Игра с мячом и ракеткой");
  EXPECT_FALSE(DesktopValue(entry, "Comment[ru]").empty());
  EXPECT_EQ(DesktopValue(entry, "Name"), "Velotrix") << "the English lines stay";
  EXPECT_NE(meta.find("<name xml:lang=\"ru\">Velotrix</name>"), std::string::npos);
  EXPECT_NE(meta.find("<summary xml:lang=\"ru\">Игра с мячом и ракеткой на карте мира из 100 уровней</summary>"),
            std::string::npos);
}

TEST_F(InstallTree, InstalledGameOffersBothLanguages) {
  test::WriteText("run/Velotrix.ini", "[Settings]\nLanguage = ru\n");
  test::WriteText("menu.play", "frames 5\nquit\n");
  EXPECT_EQ(Shell("'" + (prefix / "bin/velotrix-tool").string() + "' play menu.play --dir run"), 0)
      << ReadText("command.log");
  EXPECT_NE(ReadText("run/Log.txt").find("Language: ru\n"), std::string::npos);
}

TEST_F(InstallTree, InstalledToolPlaysWithTheInstalledArchives) {
  test::WriteText("menu.play", "frames 5\nexpect screen MenuScreen\nquit\n");
  // An empty folder: the archives can only come from the installation.
  EXPECT_EQ(Shell("'" + (prefix / "bin/velotrix-tool").string() + "' play menu.play --dir run"), 0)
      << ReadText("command.log");
  std::string log = ReadText("run/Log.txt");
  EXPECT_NE(log.find("Screen switched to MenuScreen"), std::string::npos) << log;
  EXPECT_EQ(log.find("Can't load"), std::string::npos) << log;
  EXPECT_FALSE(fs::exists("run/Velotrix.dat"));
}

TEST_F(InstallTree, PassesTheDesktopValidators) {
  if (!HaveProgram("desktop-file-validate") || !HaveProgram("appstreamcli"))
    GTEST_SKIP() << "desktop-file-utils or appstream is not installed";
  std::string desktop = (prefix / "share/applications/io.github.velotrix.velotrix.desktop").string();
  EXPECT_EQ(Shell("desktop-file-validate '" + desktop + "'"), 0) << ReadText("command.log");
  // The tree check also matches the metainfo against the desktop entry.
  EXPECT_EQ(Shell("appstreamcli validate-tree --no-net '" + tmp.path() + "'"), 0) << ReadText("command.log");
}

}  // namespace
}  // namespace vx
