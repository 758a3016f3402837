// velotrix-tool pack, list and extract, run as the real program.
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>

#include "resources/file_system.h"
#include "resources/pack_archive.h"
#include "resources/pack_writer.h"
#include "resources/temp_dir.h"

namespace vx::test {
namespace {

class PackToolTest : public TempDirTest {
 protected:
  static int Tool(const std::string& args, std::string* out = nullptr) {
    std::string command = std::string(VX_TOOL) + " " + args + " >tool.out 2>tool.err";
    int status = std::system(command.c_str());
    if (out) *out = ReadHostFile("tool.out");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  void MakeTree() {
    WriteHostFile("tree/DATA/Ball.tga", "ball");
    WriteHostFile("tree/DATA/Nodes/Node.tga", std::string(5000, '\x7f') + std::string("\0\1\2", 3));
    WriteHostFile("tree/DATA/Nodes/Empty.txt", "");
    WriteHostFile("tree/LANG/Strings.txt", "[All strings]\nPause = Pause\n");
  }
};

TEST_F(PackToolTest, PackThenExtractGivesBackTheSameBytes) {
  MakeTree();
  ASSERT_EQ(Tool("pack out.dat tree"), 0);
  ASSERT_EQ(Tool("extract out.dat copy"), 0);
  for (const char* rel : {"DATA/Ball.tga", "DATA/Nodes/Node.tga", "DATA/Nodes/Empty.txt", "LANG/Strings.txt"})
    EXPECT_EQ(ReadHostFile(std::string("copy/") + rel), ReadHostFile(std::string("tree/") + rel)) << rel;

  // Same tree, same bytes; and the game's reader finds the entries.
  ASSERT_EQ(Tool("pack again.dat tree"), 0);
  EXPECT_EQ(ReadHostFile("again.dat"), ReadHostFile("out.dat"));
  ASSERT_NE(RegisterArchive("out.dat", "DATA\\", 1), 0);
  FileBuffer node = ReadWholeFile("nodes\\node.tga");
  ASSERT_TRUE(node);
  EXPECT_EQ(LastFileSize(), 5003u);

  std::string listing;
  ASSERT_EQ(Tool("list out.dat", &listing), 0);
  EXPECT_EQ(listing.substr(0, listing.find('\n') + 1), "DATA\\Ball.tga 4 12\n");
  EXPECT_NE(listing.find("DATA\\Nodes\\Empty.txt 0 8\n"), std::string::npos);
  EXPECT_NE(listing.find("LANG\\Strings.txt 28 "), std::string::npos);
}

TEST_F(PackToolTest, ATinyLastEntryStillMakesAnArchiveTheGameReads) {
  // An empty file named "abcd" ends the archive 13 bytes after its name's
  // offset, fewer than the reader insists on.
  WriteHostFile("tiny/abcd", "");
  ASSERT_EQ(Tool("pack tiny.dat tiny"), 0) << ReadHostFile("tool.err");
  PackArchive archive;
  ASSERT_TRUE(archive.Open("tiny.dat"));
  ASSERT_EQ(archive.Entries().size(), 1u);
  FileBuffer data = archive.ReadEntry(archive.Entries()[0]);
  ASSERT_TRUE(data);
  EXPECT_EQ(data[0], 0);
  // Short names around the edge (a name of four with an empty entry ends 13
  // bytes after its offset, of five 14), empty or one byte, last or not.
  for (size_t length : {1, 3, 4, 5})
    for (size_t bytes : {0, 1}) {
      std::string error;
      const std::string name(length, 'n');
      ASSERT_TRUE(WritePackArchive("a.dat", {{"x", Bytes("x")}, {name, std::vector<uint8_t>(bytes, 1)}}, &error));
      ASSERT_TRUE(WritePackArchive("b.dat", {{name, std::vector<uint8_t>(bytes, 1)}}, &error));
      PackArchive a, b;
      EXPECT_TRUE(a.Open("a.dat")) << length << " " << bytes;
      EXPECT_TRUE(b.Open("b.dat")) << length << " " << bytes;
    }
}

TEST_F(PackToolTest, OneTreeFeedsBothArchives) {
  MakeTree();
  ASSERT_EQ(Tool("pack data.dat tree DATA"), 0);
  ASSERT_EQ(Tool("pack lang.dat tree LANG NoSuchFolder"), 0);
  ASSERT_EQ(Tool("pack none.dat tree NoSuchFolder"), 0);
  std::string listing;
  ASSERT_EQ(Tool("list lang.dat", &listing), 0);
  EXPECT_EQ(listing.substr(0, listing.find(' ')), "LANG\\Strings.txt");
  EXPECT_EQ(std::count(listing.begin(), listing.end(), '\n'), 1);
  ASSERT_EQ(Tool("list data.dat", &listing), 0);
  EXPECT_EQ(std::count(listing.begin(), listing.end(), '\n'), 3);
  EXPECT_EQ(listing.find("LANG"), std::string::npos);
  ASSERT_EQ(Tool("list none.dat", &listing), 0);
  EXPECT_EQ(listing, "");
}

TEST_F(PackToolTest, UnusedHeaderAndRecordBytesAreZero) {
  MakeTree();
  ASSERT_EQ(Tool("pack out.dat tree"), 0);
  const std::string bytes = ReadHostFile("out.dat");
  ASSERT_GE(bytes.size(), 256u + 22u);
  for (size_t i = 0; i < 256; ++i) {
    if (i >= 34 && i < 42) continue;
    ASSERT_EQ(bytes[i], 0) << "header byte " << i;
  }
  for (size_t i : {260, 261, 262, 263, 276, 277}) EXPECT_EQ(bytes[i], 0) << "record byte " << i;
}

TEST_F(PackToolTest, NonArchivesAndHostileNamesAreRefused) {
  WriteHostFile("notes.txt", std::string(400, 'n'));
  EXPECT_EQ(Tool("list notes.txt"), 1);
  EXPECT_NE(ReadHostFile("tool.err").find("not a pack archive"), std::string::npos);
  EXPECT_EQ(Tool("list missing.dat"), 1);
  EXPECT_EQ(Tool("extract notes.txt out"), 1);
  EXPECT_EQ(Tool("pack out.dat missing-folder"), 1);

  std::string error;
  ASSERT_TRUE(WritePackArchive("evil.dat",
                               {{"..\\escape.txt", Bytes("x")},
                                {"DATA\\..\\..\\escape2.txt", Bytes("x")},
                                {"\\abs.txt", Bytes("x")},
                                {"/abs2.txt", Bytes("x")},
                                {"C:\\drive.txt", Bytes("x")},
                                {"DATA\\fine.txt", Bytes("fine")}},
                               &error));
  mkdir("jail", 0755);
  EXPECT_EQ(Tool("extract evil.dat jail/out"), 1);
  EXPECT_EQ(ReadHostFile("jail/out/DATA/fine.txt"), "fine");
  EXPECT_EQ(ReadHostFile("jail/escape.txt"), "");
  EXPECT_EQ(ReadHostFile("escape2.txt"), "");
  EXPECT_EQ(ReadHostFile("/abs2.txt"), "");
}

}  // namespace
}  // namespace vx::test
