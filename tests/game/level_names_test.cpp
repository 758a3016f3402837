// The level names and descriptions the map shows: the language's file, the
// English one behind it, the level header last; and files that are damaged.
#include "game/level_names.h"

#include <cstring>
#include <string>

#include "app/language.h"
#include "base/log.h"
#include "game_fixture.h"
#include "resources/pack_writer.h"

namespace vx::test {
namespace {

std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

class LevelNames : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    StartLog();
    LoadLevelNames();
  }
  void TearDown() override {
    UseLanguage(kEnglish, ".");
    LoadLevelNames();
    GameTest::TearDown();
  }
  static void Pack(const char* path, const std::vector<PackSource>& entries) {
    std::string error;
    ASSERT_TRUE(WritePackArchive(path, entries, &error)) << error;
  }
  static std::vector<LevelTitle> Parse(const std::string& text, int levels = 3) {
    std::vector<LevelTitle> titles(static_cast<size_t>(levels));
    ParseLevelNames(text.data(), text.size(), titles.data(), levels);
    return titles;
  }
};

TEST_F(LevelNames, SectionsAreMatchedExactly) {
  auto t = Parse("[Level 10]\nName = Ten\n[Level 2]\r\nName   =  Two  \r\nText = The second.\n"
                 "[Level 3] \nName=Three\nName = Again\n");
  EXPECT_FALSE(t[0].hasName) << "level 1 must not borrow the name of level 10";
  EXPECT_STREQ(t[1].name, "Two");
  EXPECT_STREQ(t[1].text, "The second.");
  EXPECT_STREQ(t[2].name, "Again") << "the last line of a key wins";
  EXPECT_FALSE(t[2].hasText);
}

TEST_F(LevelNames, DamagedFilesGiveWhatCanBeReadAndNeverMore) {
  // Garbage, keys outside sections, numbers out of range or far too long,
  // headers cut short, a key without '=', an empty value, a file cut mid-line.
  auto t = Parse(std::string("\x01\xff garbage\nName = Before\n[Level 0]\nName = Zero\n[Level 4]\nName = Four\n"
                             "[Level 99999999999999999999]\nName = Huge\n[Level \n[Level 1\nName = Open\n"
                             "[Level x]\nName = X\n[Level 1]\nName\nText =\nName = One\nText = Cut sh"));
  EXPECT_STREQ(t[0].name, "One");
  EXPECT_STREQ(t[0].text, "Cut sh");
  EXPECT_FALSE(t[1].hasName);
  EXPECT_FALSE(t[2].hasName);
  // Values longer than the fields are cut, terminated.
  const std::string longName(300, 'n');
  t = Parse("[Level 1]\nName = " + longName + "\nText = " + std::string(1000, 't') + "\n", 1);
  EXPECT_EQ(std::strlen(t[0].name), static_cast<size_t>(kLevelNameSize - 1));
  EXPECT_EQ(std::strlen(t[0].text), static_cast<size_t>(kLevelTextSize - 1));
  // Nothing at all.
  ParseLevelNames(nullptr, 5, t.data(), 1);
  t = Parse("", 1);
  EXPECT_FALSE(t[0].hasName);
}

TEST_F(LevelNames, TheLanguageThenEnglishThenTheLevelHeader) {
  Pack("Velotrix.lng",
       {{"LANG\\LevelNames.txt",
         Bytes("[Level 1]\nName = First Light\nText = A calm field.\n[Level 2]\nName = Morning Tide\n")}});
  Pack("Velotrix.ru.lng",
       {{"LANG\\LevelNames.txt", Bytes("[Level 1]\nName = \x8f\xa5\xe0\xa2\xeb\xa9 \xe1\xa2\xa5\xe2\n")}});
  WriteText("Episode1/Levels/Level02", "[Level data]\nName = Header Two\nText = The header's text.\n");
  WriteText("Episode2/Levels/Level50", "[Level data]\nName = Last\n");
  ASSERT_TRUE(UseLanguage("ru", "."));
  LoadLevelNames();
  EXPECT_STREQ(LevelName(1), "\x8f\xa5\xe0\xa2\xeb\xa9 \xe1\xa2\xa5\xe2");
  EXPECT_STREQ(LevelDescription(1), "A calm field.") << "English stands in for a missing text";
  EXPECT_STREQ(LevelName(2), "Morning Tide");
  EXPECT_STREQ(LevelDescription(2), "The header's text.") << "neither file has it";
  EXPECT_STREQ(LevelName(100), "Last");
  EXPECT_STREQ(LevelDescription(100), "");
  EXPECT_STREQ(LevelName(3), "") << "nothing anywhere";
  EXPECT_NE(ReadText("Log.txt").find(
                "2 level names or descriptions are missing from the chosen language; English used\n"),
            std::string::npos);
  for (int bad : {0, -1, 101}) {
    EXPECT_STREQ(LevelName(bad), "");
    EXPECT_STREQ(LevelDescription(bad), "");
  }

  // A change of language reads the names anew.
  ASSERT_TRUE(UseLanguage("en", "."));
  LoadLevelNames();
  EXPECT_STREQ(LevelName(1), "First Light");
}

}  // namespace
}  // namespace vx::test
