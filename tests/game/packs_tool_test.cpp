// Players' packs end to end through velotrix-tool: a pack made with `pack` that
// replaces level 1, placed in mods/ beside the default archives, changes what
// `autoplay` plays, and taking it out restores the default; `pack-levels`
// packs the levels the editor wrote; `pack-replaces` says what a pack replaces.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>

#include "support/game_folder.h"
#include "support/temp_dir.h"

namespace vx {
namespace {

namespace fs = std::filesystem;

struct ToolRun {
  int code;
  std::string out, err;
};

ToolRun Tool(const std::string& args) {
  const std::string cmd =
      std::string(VX_BINARY_DIR) + "/velotrix-tool " + args + " >out.txt 2>err.txt";
  const int status = std::system(cmd.c_str());
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, test::ReadText("out.txt"),
          test::ReadText("err.txt")};
}

// A short level: 30 rows, one row of blocks.
void WriteShortLevel(const std::string& folder, const std::string& name) {
  test::WriteText(folder + "/" + name,
                  "[Level data]\nName = Short\nHeight = 30\nScroll speed = 1\n"
                  "Max blocks types = 1\n[Block type 1]\nHit counter = 1\nScore = 10\n");
  std::string map(30 * 20, '\0');
  for (int c = 0; c < 20; ++c) map[10 * 20 + c] = 1;
  test::WriteText(folder + "/" + name + ".map", map);
}

// data/: links to the built archives, as an installed game's folder holds them.
void MakeDataFolder() {
  test::MakeGameFolder("data");
  fs::create_directories("data/mods");
}

std::string FramesOf(const std::string& line) {
  std::smatch m;
  return std::regex_search(line, m, std::regex("frames (\\d+)")) ? m[1].str() : "";
}

TEST(Packs, APackInModsChangesWhatAutoplayPlaysAndLeavingItOutRestoresIt) {
  test::TempDir tmp;
  MakeDataFolder();
  const ToolRun before = Tool("autoplay 1 --data data");
  ASSERT_EQ(before.code, 0) << before.err;

  WriteShortLevel("tree/DATA/Episode1/Levels", "Level01");
  ASSERT_EQ(Tool("pack data/mods/short.dat tree").code, 0);
  const ToolRun with = Tool("autoplay 1 --data data");
  ASSERT_EQ(with.code, 0) << with.err;
  ASSERT_FALSE(FramesOf(with.out).empty()) << with.out;
  EXPECT_NE(FramesOf(with.out), FramesOf(before.out)) << before.out << with.out;
  EXPECT_EQ(with.out.rfind("level 1: won ", 0), 0u) << "the bot wins the short level: " << with.out;

  fs::rename("data/mods/short.dat", "short.dat");
  const ToolRun after = Tool("autoplay 1 --data data");
  ASSERT_EQ(after.code, 0) << after.err;
  EXPECT_EQ(after.out, before.out);
}

TEST(Packs, PackLevelsTakesTheLevelsTheEditorWrote) {
  test::TempDir tmp;
  MakeDataFolder();
  // As the editor leaves them, in the case the folder happens to have.
  WriteShortLevel("game/episode1/levels", "Level01");
  WriteShortLevel("game/EPISODE2/Levels", "level07");
  test::WriteText("game/episode1/levels/notes.txt", "not a level");
  test::WriteText("game/Level", "the scratch header");
  const ToolRun made = Tool("pack-levels data/mods/mine.dat game");
  ASSERT_EQ(made.code, 0) << made.err;
  EXPECT_EQ(made.out,
            "DATA\\Episode1\\Levels\\Level01\nDATA\\Episode1\\Levels\\Level01.map\n"
            "DATA\\Episode2\\Levels\\level07\nDATA\\Episode2\\Levels\\level07.map\n");

  const ToolRun said = Tool("pack-replaces data/mods/mine.dat --data data");
  ASSERT_EQ(said.code, 0) << said.err;
  EXPECT_NE(said.out.find("replaces DATA\\Episode1\\Levels\\Level01\n"), std::string::npos)
      << said.out;
  EXPECT_NE(said.out.find("\n4 replaced, 0 same, 0 added, 0 ignored\n"), std::string::npos)
      << said.out;

  fs::create_directories("empty");
  const ToolRun none = Tool("pack-levels nothing.dat empty");
  EXPECT_EQ(none.code, 1);
  EXPECT_FALSE(fs::exists("nothing.dat"));
}

TEST(Packs, PackReplacesTellsSameAddedAndIgnoredApart) {
  test::TempDir tmp;
  MakeDataFolder();
  ASSERT_EQ(Tool("extract data/Velotrix.lng lang").code, 0);
  fs::create_directories("tree/DATA");
  fs::copy_file("lang/LANG/Strings.txt", "tree/Strings.txt");
  fs::create_directories("tree/LANG");
  fs::copy_file("lang/LANG/Strings.txt", "tree/LANG/Strings.txt");
  test::WriteText("tree/DATA/NewPicture.tga", "new");
  ASSERT_EQ(Tool("pack p.dat tree").code, 0);
  const ToolRun said = Tool("pack-replaces p.dat --data data");
  ASSERT_EQ(said.code, 0) << said.err;
  EXPECT_EQ(said.out,
            "adds DATA\\NewPicture.tga\nsame LANG\\Strings.txt\nignored Strings.txt\n"
            "0 replaced, 1 same, 1 added, 1 ignored\n");

  test::WriteText("junk.dat", "junk");
  EXPECT_EQ(Tool("pack-replaces junk.dat --data data").code, 1);
  EXPECT_EQ(Tool("pack-replaces p.dat --data nowhere").code, 2);
  EXPECT_EQ(Tool("pack-replaces").code, 2);
}

}  // namespace
}  // namespace vx
