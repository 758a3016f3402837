// Damaged and hostile archives: they fail to open or their entries count as not
// found, with a log line; nothing crashes or reads outside the file.
#include "resources/pack_archive.h"

#include <random>

#include "resources/pack_writer.h"
#include "resources/temp_dir.h"

namespace vx::test {
namespace {

// One entry: record at 256, name "DATA\a.txt" at 278, data at 289.
constexpr size_t kRecord = 256;
constexpr size_t kData = 289;

class PackArchiveTest : public TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    std::string error;
    ASSERT_TRUE(WritePackArchive("good.dat", {{"DATA\\a.txt", Bytes("hello, hello, hello")}}, &error));
    good_ = ReadHostFile("good.dat");
    ASSERT_EQ(good_.size() > kData, true);
  }
  static void PutU32(std::string& s, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) s[at + i] = char(v >> (8 * i));
  }
  // Opens BYTES as an archive; on success tells whether "DATA\a.txt" reads back.
  static bool Opens(const std::string& bytes, bool* readable = nullptr) {
    WriteHostFile("test.dat", bytes);
    PackArchive archive;
    if (!archive.Open("test.dat")) return false;
    if (readable) {
      const PackEntry* e = archive.Find("data\\A.TXT");
      *readable = e && archive.ReadEntry(*e) != nullptr;
    }
    return true;
  }

  std::string good_;
};

TEST_F(PackArchiveTest, GoodArchiveReads) {
  bool readable = false;
  ASSERT_TRUE(Opens(good_, &readable));
  EXPECT_TRUE(readable);
  EXPECT_EQ(LogText(), "");
}

TEST_F(PackArchiveTest, ShortOrMissingFilesAreNoArchives) {
  EXPECT_FALSE(Opens(""));
  EXPECT_FALSE(Opens(std::string(255, '\0')));
  EXPECT_FALSE(Opens(good_.substr(0, kRecord + 10)));  // record cut off
  EXPECT_TRUE(Opens(std::string(256, '\0')));          // count 0: empty
  PackArchive archive;
  EXPECT_FALSE(archive.Open("missing.dat"));
  EXPECT_FALSE(archive.Open(nullptr));
  EXPECT_NE(LogText().find("Damaged archive 'test.dat'"), std::string::npos);
}

TEST_F(PackArchiveTest, CountThatLies) {
  std::string bytes = good_;
  PutU32(bytes, 38, 1000000);  // cannot fit in the file
  EXPECT_FALSE(Opens(bytes));
  PutU32(bytes, 38, 0x80000000u);  // negative: empty
  EXPECT_TRUE(Opens(bytes));
  // One more record than there are: the chain's zero link leads to the header,
  // which reads as a nameless entry; the real one still works.
  PutU32(bytes, 38, 2);
  bool readable = false;
  EXPECT_TRUE(Opens(bytes, &readable));
  EXPECT_TRUE(readable);
}

TEST_F(PackArchiveTest, RecordsAndNamesOutsideTheFile) {
  for (uint32_t first : {0xFFFFFFF0u, uint32_t(good_.size() - 5), uint32_t(good_.size())}) {
    std::string bytes = good_;
    PutU32(bytes, 34, first);
    EXPECT_FALSE(Opens(bytes)) << first;
  }
  for (uint32_t name : {0xFFFFFFFFu, uint32_t(good_.size() - 13), uint32_t(good_.size())}) {
    std::string bytes = good_;
    PutU32(bytes, kRecord, name);
    EXPECT_FALSE(Opens(bytes)) << name;
  }
  // A name with no terminator within 256 bytes.
  std::string bytes = good_;
  PutU32(bytes, kRecord, uint32_t(bytes.size()));
  bytes += std::string(300, 'x');
  EXPECT_FALSE(Opens(bytes));
}

TEST_F(PackArchiveTest, DamagedDataCannotBeUnpacked) {
  const uint32_t unpacked = 19;
  const uint32_t stored = uint32_t(good_.size() - kData);
  struct Case {
    const char* what;
    size_t field;
    uint32_t value;
  } cases[] = {
      {"stored size beyond the file", 16, stored + 1},
      {"huge stored size", 16, 0xFFFFFFFFu},
      {"huge unpacked size", 12, 0xFFFFFFFFu},
      {"unpacked size too large", 12, unpacked + 1},
      {"unpacked size too small", 12, unpacked - 1},
      {"stored size too small", 16, stored - 3},
  };
  for (const Case& c : cases) {
    std::string bytes = good_;
    PutU32(bytes, kRecord + c.field, c.value);
    bool readable = true;
    ASSERT_TRUE(Opens(bytes, &readable)) << c.what;
    EXPECT_FALSE(readable) << c.what;
  }
  std::string bytes = good_;
  bytes[kData + 4] = char(bytes[kData + 4] ^ 0x55);  // corrupt deflate data
  bool readable = true;
  ASSERT_TRUE(Opens(bytes, &readable));
  EXPECT_FALSE(readable);
  ASSERT_TRUE(Opens(good_.substr(0, good_.size() - 2), &readable));
  EXPECT_FALSE(readable);
  EXPECT_NE(LogText().find("Can't unpack 'DATA\\a.txt'\n"), std::string::npos);
}

TEST_F(PackArchiveTest, DamagedEntryFallsThroughToTheNextSource) {
  std::string bytes = good_;
  bytes[kData + 4] = char(bytes[kData + 4] ^ 0x55);
  WriteHostFile("Velotrix.dat", bytes);
  std::string error;
  ASSERT_TRUE(WritePackArchive("Patch.dat", {{"DATA\\a.txt", Bytes("good")}}, &error));
  ASSERT_NE(RegisterArchive("Velotrix.dat", "DATA\\", 3), 0);
  ASSERT_NE(RegisterArchive("Patch.dat", "DATA\\", 3), 0);
  FileBuffer data = ReadWholeFile("a.txt");
  ASSERT_TRUE(data);
  EXPECT_EQ(AsString(data, LastFileSize()), "good");
}

TEST_F(PackArchiveTest, RandomDamageNeverCrashes) {
  std::vector<PackSource> entries;
  for (int i = 0; i < 6; ++i)
    entries.push_back({"DATA\\f" + std::to_string(i), Bytes(std::string(40 + i * 30, char('a' + i)))});
  std::string error;
  ASSERT_TRUE(WritePackArchive("many.dat", entries, &error));
  const std::string original = ReadHostFile("many.dat");
  std::mt19937 rng(12345);
  for (int round = 0; round < 300; ++round) {
    std::string bytes = original;
    int flips = 1 + int(rng() % 8);
    for (int i = 0; i < flips; ++i) bytes[rng() % bytes.size()] = char(rng());
    if (rng() % 4 == 0) bytes.resize(rng() % bytes.size());
    WriteHostFile("test.dat", bytes);
    PackArchive archive;
    if (!archive.Open("test.dat")) continue;
    for (const PackEntry& e : archive.Entries()) {
      FileBuffer data = archive.ReadEntry(e);
      if (data) {
        EXPECT_EQ(data[e.unpackedSize], 0);
        EXPECT_EQ(data[e.unpackedSize + 1], 0);
      }
    }
  }
}

}  // namespace
}  // namespace vx::test
