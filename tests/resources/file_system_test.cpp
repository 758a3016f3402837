#include "resources/file_system.h"

#include <cstring>

#include "resources/pack_writer.h"
#include "resources/temp_dir.h"

namespace vx::test {
namespace {

class FileSystemTest : public TempDirTest {
 protected:
  static void Pack(const char* path, std::vector<PackSource> entries) {
    std::string error;
    ASSERT_TRUE(WritePackArchive(path, entries, &error)) << error;
  }
  static std::string Read(const char* path) {
    FileBuffer data = ReadWholeFile(path);
    return data ? AsString(data, LastFileSize()) : "<none>";
  }
};

TEST_F(FileSystemTest, LooseCopyFirstUnlessModeGoesToTheSources) {
  Pack("Velotrix.dat", {{"DATA\\Ball.tga", Bytes("archived")}});
  ASSERT_NE(RegisterArchive("Velotrix.dat", "DATA\\", 3), 0);
  WriteHostFile("Ball.tga", "loose");

  EXPECT_EQ(Read("Ball.tga"), "loose");
  char buffer[16] = {};
  ASSERT_EQ(ReadFileInto("Ball.tga", buffer, sizeof buffer, 1), 1);
  EXPECT_STREQ(buffer, "archived");
  EXPECT_EQ(LastFileSize(), 8u);
  std::memset(buffer, 0, sizeof buffer);
  ASSERT_EQ(ReadFileInto("Ball.tga", buffer, sizeof buffer, 0), 1);
  EXPECT_STREQ(buffer, "loose");
}

TEST_F(FileSystemTest, CaseAndSlashesDoNotMatter) {
  Pack("Velotrix.dat", {{"DATA\\Nodes\\Node.tga", Bytes("node")}});
  ASSERT_NE(RegisterArchive("Velotrix.dat", "DATA\\", 3), 0);
  EXPECT_EQ(Read("nodes\\node.TGA"), "node");
  EXPECT_EQ(Read("NODES\\NODE.TGA"), "node");
  EXPECT_EQ(Read("Nodes\\Node.tg"), "<none>");

  WriteHostFile("Help/Help0.txt", "page");
  EXPECT_EQ(Read("help\\help0.txt"), "page");
  EXPECT_EQ(Read("HELP\\HELP0.TXT"), "page");
  EXPECT_EQ(Read("help/help0.txt"), "page");
  EXPECT_EQ(Read("help\\help1.txt"), "<none>");
  char host[256];
  ASSERT_TRUE(ResolveHostPath("HELP\\help0.TXT", host, sizeof host));
  EXPECT_STREQ(host, "Help/Help0.txt");
  EXPECT_FALSE(ResolveHostPath("HELP\\help0.TXT", host, 8));
}

TEST_F(FileSystemTest, ExistenceIsAnsweredWhereverReadingWouldFindTheFile) {
  Pack("Velotrix.dat", {{"DATA\\Nodes\\Node.tga", Bytes("node")}});
  ASSERT_NE(RegisterArchive("Velotrix.dat", "DATA\\", 3), 0);
  ASSERT_NE(RegisterArchive("Velotrix.lng", "LANG\\", 3), 0);  // missing: its folder
  WriteHostFile("Ball.tga", "loose");
  WriteHostFile("LANG/Strings.txt", "s");
  EXPECT_TRUE(FileExists("nodes\\NODE.tga"));
  EXPECT_TRUE(FileExists("Ball.tga"));
  EXPECT_TRUE(FileExists("strings.txt"));
  EXPECT_FALSE(FileExists("Nodes\\Node2.tga"));
  EXPECT_FALSE(FileExists("LANG"));
  EXPECT_FALSE(FileExists(nullptr));
}

TEST_F(FileSystemTest, MissingArchiveFallsBackToItsFolderThenTheNextSource) {
  Pack("Velotrix.lng", {{"LANG\\Ball.tga", Bytes("lang")}, {"LANG\\Strings.txt", Bytes("s")}});
  // Mode 1 alone refuses a missing archive; mode 3 keeps its folder instead.
  EXPECT_EQ(RegisterArchive("Velotrix.dat", "DATA\\", 1), 0);
  EXPECT_EQ(RegisterArchive(nullptr, "DATA\\", 3), 0);
  EXPECT_EQ(RegisterArchive("Velotrix.dat", "DATA\\", 3), 1);  // a sequence number
  intptr_t lang = RegisterArchive("Velotrix.lng", "LANG\\", 3);
  EXPECT_GT(lang, 2);  // the archive itself

  EXPECT_EQ(Read("Ball.tga"), "lang");
  WriteHostFile("DATA/Ball.tga", "data folder");
  EXPECT_EQ(Read("Ball.tga"), "data folder");
  WriteHostFile("Ball.tga", "bare");
  EXPECT_EQ(Read("Ball.tga"), "bare");
  char buffer[32] = {};
  // Mode 1 skips the first loose try but the folder source tries the bare path.
  std::remove("DATA/Ball.tga");
  ASSERT_EQ(ReadFileInto("Ball.tga", buffer, sizeof buffer, 1), 1);
  EXPECT_STREQ(buffer, "bare");
  EXPECT_EQ(Read("Missing.tga"), "<none>");
  EXPECT_EQ(ReadFileInto("Missing.tga", buffer, sizeof buffer, 0), 0);
}

TEST_F(FileSystemTest, EmptyArchiveHoldsNothingAndLookupGoesOn) {
  Pack("Empty.dat", {});
  Pack("Velotrix.dat", {{"DATA\\a.txt", Bytes("a")}});
  ASSERT_NE(RegisterArchive("Empty.dat", "DATA\\", 1), 0);
  ASSERT_NE(RegisterArchive("Velotrix.dat", "DATA\\", 1), 0);
  EXPECT_EQ(Read("a.txt"), "a");
}

TEST_F(FileSystemTest, ReadFileIntoCutsWithoutTerminating) {
  std::string file(300, 'x');
  for (int i = 0; i < 300; ++i) file[i] = char('a' + i % 26);
  Pack("Velotrix.dat", {{"DATA\\game1.sav", Bytes(file)}});
  ASSERT_NE(RegisterArchive("Velotrix.dat", "DATA\\", 3), 0);
  std::vector<char> buffer(300, '#');
  ASSERT_EQ(ReadFileInto("game1.sav", buffer.data(), 280, 1), 1);
  EXPECT_EQ(std::string(buffer.data(), 280), file.substr(0, 280));
  EXPECT_EQ(buffer[280], '#');

  WriteHostFile("short.sav", "abc");
  std::fill(buffer.begin(), buffer.end(), '#');
  ASSERT_EQ(ReadFileInto("short.sav", buffer.data(), 280, 0), 1);
  EXPECT_EQ(std::string(buffer.data(), 4), "abc#");
}

TEST_F(FileSystemTest, EveryBufferEndsInTwoZeroBytes) {
  Pack("Velotrix.dat", {{"DATA\\empty", {}}, {"DATA\\text", Bytes("abc")}});
  ASSERT_NE(RegisterArchive("Velotrix.dat", "DATA\\", 3), 0);
  WriteHostFile("looseEmpty", "");
  WriteHostFile("looseText", "xyz");
  const std::pair<const char*, uint32_t> files[] = {
      {"empty", 0}, {"text", 3}, {"looseEmpty", 0}, {"looseText", 3}};
  for (auto [name, expected] : files) {
    FileBuffer data = ReadWholeFile(name);
    ASSERT_TRUE(data) << name;
    uint32_t size = LastFileSize();
    EXPECT_EQ(size, expected) << name;
    EXPECT_EQ(data[size], 0) << name;
    EXPECT_EQ(data[size + 1], 0) << name;
  }
}

TEST_F(FileSystemTest, FoldersAreNotFiles) {
  mkdir("Nodes", 0755);
  EXPECT_EQ(Read("Nodes"), "<none>");
  EXPECT_EQ(RegisterArchive("Nodes", "DATA\\", 1), 0);
}

TEST_F(FileSystemTest, OverlongBuiltNameIsNotFound) {
  // 250 characters plus the prefix exceed what a name may hold; a cut name
  // must not find the shorter entry.
  std::string longName(250, 'a');
  Pack("Velotrix.dat", {{"DATA\\" + longName, Bytes("fits")}});
  ASSERT_NE(RegisterArchive("Velotrix.dat", "DATA\\", 1), 0);
  EXPECT_EQ(Read(longName.c_str()), "fits");
  EXPECT_EQ(Read((longName + "bcdef").c_str()), "<none>");
}

}  // namespace
}  // namespace vx::test
