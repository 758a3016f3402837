#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "campaign/hiscore_table.h"
#include "resources/file_system.h"
#include "support/temp_dir.h"
#include "support/user_file_faults.h"

namespace vx {
namespace {

using test::ReadText;
using test::TempDir;
using test::WriteText;

class HiscoreTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UnregisterAllArchives();
    LoadHiscores();
  }
  TempDir dir;
};

TEST_F(HiscoreTableTest, MissingFileGivesTheDefaultsAndWritesNothing) {
  EXPECT_STREQ(gHiscores[0].name, "Hypercube");
  EXPECT_EQ(gHiscores[0].score, 100000);
  EXPECT_STREQ(gHiscores[9].name, "Dot");
  EXPECT_EQ(gHiscores[9].score, 10000);
  EXPECT_FALSE(std::filesystem::exists("Velotrix.hsc"));
}

TEST_F(HiscoreTableTest, InsertionRules) {
  // Equal to a table score: placed below it.
  EXPECT_EQ(InsertHiscore(50000), 7);
  EXPECT_STREQ(gHiscores[5].name, "Pyramid");
  EXPECT_STREQ(gHiscores[6].name, "");
  EXPECT_EQ(gHiscores[6].score, 50000);
  EXPECT_STREQ(gHiscores[7].name, "Triangle");
  EXPECT_STREQ(gHiscores[9].name, "Line") << "the last entry falls out";

  LoadHiscores();
  EXPECT_EQ(InsertHiscore(10000), 0) << "equal to the last entry does not enter";
  EXPECT_EQ(InsertHiscore(0), 0);
  EXPECT_EQ(InsertHiscore(-5), 0);
  EXPECT_EQ(InsertHiscore(10001), 10);
  EXPECT_STREQ(gHiscores[9].name, "");

  LoadHiscores();
  EXPECT_EQ(InsertHiscore(2000000), 1);
  EXPECT_STREQ(gHiscores[1].name, "Hypercube");
  EXPECT_STREQ(gHiscores[9].name, "Line");
  for (const HiscoreEntry& e : gHiscores) EXPECT_STRNE(e.name, "Dot");
}

TEST_F(HiscoreTableTest, SavedTableReadsBack) {
  InsertHiscore(95000);
  std::strcpy(gHiscores[1].name, "Zoe");
  ASSERT_EQ(SaveHiscores(), 1);
  EXPECT_EQ(std::filesystem::file_size("Velotrix.hsc"), 240u);
  const std::string bytes = ReadText("Velotrix.hsc");
  EXPECT_EQ(bytes.substr(24, 4), std::string("Zoe\0", 4));
  EXPECT_EQ(uint8_t(bytes[44]), 95000 & 255);
  EXPECT_EQ(uint8_t(bytes[45]), (95000 >> 8) & 255);

  SetDefaultHiscores();
  LoadHiscores();
  EXPECT_STREQ(gHiscores[1].name, "Zoe");
  EXPECT_EQ(gHiscores[1].score, 95000);
  EXPECT_STREQ(gHiscores[9].name, "Line");
}

TEST_F(HiscoreTableTest, HostileFilesGiveTheDefaultsOrSafeNames) {
  for (size_t size : {size_t(0), size_t(239), size_t(241), size_t(100000)}) {
    WriteText("Velotrix.hsc", std::string(size, '\x41'));
    LoadHiscores();
    EXPECT_STREQ(gHiscores[0].name, "Hypercube") << size;
    EXPECT_EQ(gHiscores[9].score, 10000) << size;
  }
  EXPECT_NE(ReadText("Log.txt").find("Ignoring 'Velotrix.hsc': 239 bytes"), std::string::npos);

  // The right size, but no name is terminated: each is cut to its field.
  std::string garbage(240, '\0');
  for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = char(0x41 + i % 26);
  WriteText("Velotrix.hsc", garbage);
  LoadHiscores();
  for (const HiscoreEntry& e : gHiscores) EXPECT_EQ(std::strlen(e.name), 19u);

  // A name with a newline would be drawn outside the table: control
  // characters are dropped, the rest of the name stays.
  ASSERT_EQ(SaveHiscores(), 1);
  std::string table = ReadText("Velotrix.hsc");
  const std::string name = "Ann\nBo\x7f\tb\rc";
  table.replace(0, 20, name + std::string(20 - name.size(), '\0'));
  WriteText("Velotrix.hsc", table);
  LoadHiscores();
  EXPECT_STREQ(gHiscores[0].name, "AnnBobc");
}

// Only what the table can use is read from a file, however large.
TEST_F(HiscoreTableTest, AHugeFileIsNotReadWhole) {
  WriteText("Velotrix.hsc", "");
  std::filesystem::resize_file("Velotrix.hsc", 50 << 20);  // sparse: nothing written
  const uint64_t before = LooseBytesRead();
  LoadHiscores();
  EXPECT_LE(LooseBytesRead() - before, 240u);
  EXPECT_STREQ(gHiscores[0].name, "Hypercube");
  EXPECT_NE(ReadText("Log.txt").find("Ignoring 'Velotrix.hsc': 52428800 bytes instead of 240"), std::string::npos);
}

TEST_F(HiscoreTableTest, FailedWriteKeepsTheOldTable) {
  ASSERT_EQ(SaveHiscores(), 1);
  const std::string before = ReadText("Velotrix.hsc");
  InsertHiscore(500000);
  std::remove("Log.txt");  // room for the one log line
  {
    test::FileSizeLimit diskFull(64);
    EXPECT_EQ(SaveHiscores(), 0);
  }
  EXPECT_EQ(ReadText("Velotrix.hsc"), before);
  EXPECT_NE(ReadText("Log.txt").find("Can't write 'Velotrix.hsc'"), std::string::npos);
}

}  // namespace
}  // namespace vx
