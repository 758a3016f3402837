#include "resources/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <thread>

#include "base/user_file.h"
#include "resources/byte_order.h"
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

// The one rule for names that differ only in case, for readers and writers:
// the name as spelled when it exists, else the smallest spelling in byte order,
// whatever order the folder lists them in.
TEST_F(FileSystemTest, ExactNameFirstThenTheSmallestSpelling) {
  for (const char* folder : {"one", "two"}) mkdir(folder, 0755);
  for (const char* name : {"ball.tga", "BALL.TGA", "Ball.tga"}) WriteHostFile(std::string("one/") + name, name);
  for (const char* name : {"Ball.tga", "BALL.TGA", "ball.tga"}) WriteHostFile(std::string("two/") + name, name);
  for (const std::string folder : {"one", "two"}) {
    EXPECT_EQ(MatchFolderEntry(folder, "ball.tga"), "ball.tga");
    EXPECT_EQ(MatchFolderEntry(folder, "Ball.tga"), "Ball.tga");
    EXPECT_EQ(MatchFolderEntry(folder, "bALL.tga"), "BALL.TGA") << "'A' sorts before 'a'";
    EXPECT_EQ(MatchFolderEntry(folder, "ball.tg"), "");
    EXPECT_EQ(Read((folder + "\\bAll.TGA").c_str()), "BALL.TGA");
  }
  mkdir("Levels", 0755);
  mkdir("LEVELS", 0755);
  WriteHostFile("LEVELS/Level01", "upper");
  WriteHostFile("Levels/Level01", "mixed");
  EXPECT_EQ(Read("levels\\level01"), "upper");
  EXPECT_EQ(Read("Levels\\level01"), "mixed");
  EXPECT_EQ(MatchFolderEntry("", "."), ".");
  EXPECT_EQ(MatchFolderEntry("", "no such"), "");
  EXPECT_EQ(MatchFolderEntry("one/ball.tga", "x"), "") << "a file is no folder";
}

// A folder of many unrelated files is listed once, not for every missed
// lookup, and a file written or added later is still found.
TEST_F(FileSystemTest, AFolderIsListedOnceUntilItChanges) {
  for (int i = 0; i < 50; ++i) WriteHostFile("other" + std::to_string(i), "");
  WriteHostFile("Ball.tga", "ball");
  // A folder that has just changed may change again unseen within the same
  // tick of the file system's clock; once it has been quiet it is trusted.
  const auto settle = [] { std::this_thread::sleep_for(std::chrono::milliseconds(80)); };
  settle();
  const uint32_t before = FolderListings();
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(Read("BALL.TGA"), "ball");
    EXPECT_EQ(Read("missing.tga"), "<none>");
  }
  EXPECT_EQ(FolderListings(), before + 1);

  // Written by the game: found at once.
  const std::string bytes = "shot";
  ASSERT_EQ(WriteUserFile("Shot.PCX", bytes.data(), bytes.size()), 1);
  EXPECT_EQ(Read("shot.pcx"), "shot");
  // Added by someone else: the folder's time shows it.
  WriteHostFile("Extra.TXT", "extra");
  EXPECT_EQ(Read("extra.txt"), "extra");
  ASSERT_EQ(unlink("Extra.TXT"), 0);
  EXPECT_EQ(Read("extra.txt"), "<none>");
}

// A loose file is read only as far as the reader can use it, and never past a
// sane size; FIFOs and devices are refused without waiting.
TEST_F(FileSystemTest, LooseFilesAreReadOnlyAsFarAsTheyCanBeUsed) {
  const auto sparse = [](const char* name, off_t size) {
    const int fd = open(name, O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(pwrite(fd, "save", 4, 0), 4);
    ASSERT_EQ(ftruncate(fd, size), 0);
    close(fd);
  };
  sparse("game1.sav", off_t{1} << 30);
  uint64_t before = LooseBytesRead();
  char record[280] = {};
  ASSERT_EQ(ReadFileInto("game1.sav", record, sizeof record, 0), 1);
  EXPECT_STREQ(record, "save");
  EXPECT_EQ(LastFileSize(), 1u << 30) << "the file's own size, for the format's size rule";
  EXPECT_EQ(LooseBytesRead() - before, 280u);

  sparse("Big.tga", (64 << 20) + 1);
  sparse("Fits.tga", 64 << 20);
  before = LooseBytesRead();
  EXPECT_EQ(Read("Big.tga"), "<none>");
  EXPECT_EQ(LooseBytesRead(), before);
  EXPECT_NE(LogText().find("Can't read 'Big.tga': 67108865 bytes is more than any game file\n"), std::string::npos);
  EXPECT_TRUE(ReadWholeFile("Fits.tga"));
  EXPECT_EQ(LastFileSize(), 64u << 20);

  ASSERT_EQ(mkfifo("Cursor.tga", 0644), 0);
  ASSERT_EQ(symlink("/dev/zero", "Ball.tga"), 0);
  EXPECT_EQ(Read("cursor.tga"), "<none>");
  EXPECT_EQ(ReadFileInto("Ball.tga", record, sizeof record, 0), 0);
  EXPECT_NE(LogText().find("Can't read 'Cursor.tga': not a regular file\n"), std::string::npos);
  EXPECT_NE(LogText().find("Can't read 'Ball.tga': not a regular file\n"), std::string::npos);
  EXPECT_EQ(RegisterArchive("Cursor.tga", "DATA\\", 1), 0);
}

class Packs : public FileSystemTest {
 protected:
  static constexpr const char* kPrefixes[] = {"DATA\\", "LANG\\"};
  static int RegisterMods() { return RegisterPacks("mods", kPrefixes, 2); }
};

TEST_F(Packs, ALaterNameWinsAndAllStandBeforeTheGamesData) {
  Pack("Velotrix.dat", {{"DATA\\Level01", Bytes("game")}, {"DATA\\Ball.tga", Bytes("ball")}});
  Pack("Velotrix.lng", {{"LANG\\Strings.txt", Bytes("english")}});
  mkdir("mods", 0755);
  Pack("mods/a.dat", {{"DATA\\Level01", Bytes("a")}, {"DATA\\Only.txt", Bytes("only a")}});
  Pack("mods/B.DAT", {{"DATA\\level01", Bytes("b")}, {"LANG\\Strings.txt", Bytes("b's")}});
  Pack("mods/c.dat", {{"DATA\\Level01", Bytes("c")}});
  Pack("mods/notes.txt", {{"DATA\\Level01", Bytes("not a pack's name")}});
  Pack("mods/e.dat", {{"Level01", Bytes("no root prefix")}});
  ASSERT_EQ(RegisterMods(), 3);
  ASSERT_NE(RegisterArchive("Velotrix.dat", "DATA\\", 3), 0);
  ASSERT_NE(RegisterArchive("Velotrix.lng", "LANG\\", 3), 0);

  // Byte order: "B.DAT" < "a.dat" < "c.dat".
  EXPECT_EQ(Read("Level01"), "c");
  EXPECT_EQ(Read("Only.txt"), "only a");
  EXPECT_EQ(Read("Strings.txt"), "b's") << "texts too";
  EXPECT_EQ(Read("Ball.tga"), "ball") << "what no pack holds comes from the game";
  // Another language: its archive comes after the packs, which stay.
  UnregisterSources("LANG\\");
  Pack("Velotrix.ru.lng", {{"LANG\\Strings.txt", Bytes("russian")}});
  ASSERT_NE(RegisterArchive("Velotrix.ru.lng", "LANG\\", 1), 0);
  EXPECT_EQ(Read("Strings.txt"), "b's");
  WriteHostFile("Level01", "loose");
  EXPECT_EQ(Read("Level01"), "loose") << "loose files still come first";

  const std::string log = LogText();
  EXPECT_NE(log.find("Pack 'mods/c.dat': 1 files\n"), std::string::npos) << log;
  EXPECT_NE(log.find("Pack 'mods/a.dat': 2 files\n"), std::string::npos) << log;
  EXPECT_NE(log.find("Pack 'mods/B.DAT': 2 files\n"), std::string::npos) << log;
  EXPECT_LT(log.find("mods/c.dat"), log.find("mods/a.dat")) << "named in the order they count";
  EXPECT_NE(log.find("Pack 'mods/e.dat' replaces nothing; skipped\n"), std::string::npos) << log;
  EXPECT_EQ(log.find("notes.txt"), std::string::npos);
}

TEST_F(Packs, ADamagedPackIsLoggedAndSkipped) {
  mkdir("mods", 0755);
  Pack("mods/good.dat", {{"DATA\\Level01", Bytes("good")}});
  Pack("mods/x-cut.dat", {{"DATA\\Level01", Bytes(std::string(3000, 'x'))}});
  const std::string whole = ReadHostFile("mods/x-cut.dat");
  WriteHostFile("mods/x-cut.dat", whole.substr(0, whole.size() - 10));  // cut short
  WriteHostFile("mods/y-short.dat", "not even a header");
  mkdir("mods/z-folder.dat", 0755);
  ASSERT_EQ(symlink("/dev/zero", "mods/zz-device.dat"), 0);
  ASSERT_EQ(RegisterMods(), 1);
  EXPECT_EQ(Read("Level01"), "good");
  const std::string log = LogText();
  for (const char* bad : {"x-cut", "y-short", "z-folder", "zz-device"})
    EXPECT_NE(log.find(std::string("Pack 'mods/") + bad + ".dat' is damaged; skipped\n"),
              std::string::npos)
        << bad << "\n" << log;
}

TEST_F(Packs, NoFolderNoPacks) {
  EXPECT_EQ(RegisterMods(), 0);
  EXPECT_EQ(RegisterPacks(nullptr, kPrefixes, 2), 0);
  WriteHostFile("mods", "a file, not a folder");
  EXPECT_EQ(RegisterMods(), 0);
  EXPECT_EQ(LogText(), "");
}

TEST(ByteOrder, LittleEndianWithTheTopBitUnsignedOrSigned) {
  const uint8_t bytes[4] = {0x01, 0x82, 0x03, 0x84};
  EXPECT_EQ(GetU16(bytes), 0x8201u);
  EXPECT_EQ(GetI16(bytes), -32255);
  EXPECT_EQ(GetU32(bytes), 0x84038201u);
  EXPECT_EQ(GetI32(bytes), static_cast<int32_t>(0x84038201u));
  uint8_t out[4] = {};
  PutU32(out, 0x84038201u);
  EXPECT_EQ(std::memcmp(out, bytes, 4), 0);
  PutU16(out, 0xBEEF);
  EXPECT_EQ(GetU32(out), 0x8403BEEFu);
}

TEST_F(FileSystemTest, AFallbackSourceStandsBehindTheOthersAndSaysWhenItIsUsed) {
  Pack("Velotrix.dat", {{"DATA\\Ball.tga", Bytes("ball")}});
  Pack("Velotrix.ru.lng", {{"LANG\\Strings.txt", Bytes("ru")}});
  Pack("Velotrix.lng", {{"LANG\\Strings.txt", Bytes("en")}, {"LANG\\help\\help0.txt", Bytes("page")}});
  ASSERT_NE(RegisterArchive("Velotrix.dat", "DATA\\", 1), 0);
  ASSERT_NE(RegisterArchive("Velotrix.ru.lng", "LANG\\", 1), 0);
  ASSERT_NE(RegisterArchive("Velotrix.lng", "LANG\\", 1 | kSourceFallback), 0);

  EXPECT_EQ(Read("Strings.txt"), "ru");
  EXPECT_EQ(Read("Ball.tga"), "ball");
  EXPECT_EQ(LogText(), "") << "no fallback was needed";
  EXPECT_EQ(Read("help\\help0.txt"), "page");
  EXPECT_NE(LogText().find("'help\\help0.txt' is missing from the chosen language; taken from Velotrix.lng"),
            std::string::npos);
  EXPECT_EQ(Read("help\\help1.txt"), "<none>");

  // The English copy alone, for texts merged key by key; never a loose file.
  FileBuffer english = ReadFallbackFile("Strings.txt");
  ASSERT_TRUE(english);
  EXPECT_EQ(AsString(english, LastFileSize()), "en");
  WriteHostFile("Ball.tga", "loose");
  EXPECT_FALSE(ReadFallbackFile("Ball.tga"));
  EXPECT_FALSE(ReadFallbackFile(nullptr));
}

TEST_F(FileSystemTest, ALanguageChangeDropsOnlyThatPrefixsSources) {
  Pack("Velotrix.dat", {{"DATA\\Ball.tga", Bytes("ball")}});
  Pack("Velotrix.lng", {{"LANG\\Strings.txt", Bytes("en")}});
  ASSERT_NE(RegisterArchive("Velotrix.dat", "DATA\\", 1), 0);
  ASSERT_NE(RegisterArchive("Velotrix.lng", "LANG\\", 1), 0);
  ASSERT_NE(RegisterArchive("Velotrix.lng", "LANG\\", 1 | kSourceFallback), 0);
  UnregisterSources("LANG\\");
  EXPECT_EQ(Read("Strings.txt"), "<none>");
  EXPECT_FALSE(ReadFallbackFile("Strings.txt")) << "the fallback went with its prefix";
  EXPECT_EQ(Read("Ball.tga"), "ball");
  UnregisterSources(nullptr);  // no source has an empty prefix
  EXPECT_EQ(Read("Ball.tga"), "ball");
}

}  // namespace
}  // namespace vx::test
