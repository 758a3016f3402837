#include "resources/text_file.h"

#include <cstring>

#include "resources/pack_writer.h"
#include "resources/temp_dir.h"

namespace vx::test {
namespace {

class TextFileTest : public TempDirTest {
 protected:
  TextFile Load(const std::string& text) {
    WriteHostFile("file.txt", text);
    TextFile file("file.txt");
    EXPECT_TRUE(file.IsOpen());
    return file;
  }
  static std::string Get(TextFile& f, const char* section, const char* key, const char* def = "<def>") {
    char value[256];
    f.GetString(section, key, def, value, sizeof value);
    return value;
  }
};

TEST_F(TextFileTest, ValuesAndBlanks) {
  TextFile f = Load(
      "[Settings]\n"
      "Sound volume=80\n"
      "Music volume   =    70\r\n"
      "Name =  Velo trix   \n"
      "Gamma = 1.5\n"
      "Empty =    \n"
      "Negative = -12abc\n"
      "Huge = 99999999999999999999\n");
  EXPECT_EQ(f.GetInt("Settings", "Sound volume", 0), 80);
  EXPECT_EQ(f.GetInt("Settings", "Music volume", 0), 70);
  EXPECT_EQ(Get(f, "Settings", "Name"), "Velo trix");
  EXPECT_EQ(f.GetInt(nullptr, "Negative", 0), -12);
  EXPECT_EQ(f.GetInt(nullptr, "Huge", 0), 2147483647);
  EXPECT_EQ(f.GetInt(nullptr, "Name", 5), 0);  // no digits
  EXPECT_FLOAT_EQ(f.GetFloat(nullptr, "Gamma", 0), 1.5f);
  EXPECT_EQ(Get(f, nullptr, "Empty"), "<def>");
  EXPECT_EQ(f.GetInt(nullptr, "Empty", 7), 7);
  EXPECT_EQ(Get(f, nullptr, "Missing", nullptr), "");
}

TEST_F(TextFileTest, SubstringLookup) {
  TextFile f = Load(
      "[Levels]\n"
      "free text stands anywhere\n"
      "Other = mentions Level 1 in its value\n"
      "Level 10 = 5, 6\n"
      "Level 1 = 1, 2\n"
      "[Next]\n"
      "Only = next\n"
      "[Broken]\n"
      "Key without equals\n"
      "Key = after\n"
      "[Settings]\n"
      "Where = settings\n"
      " [Leading]\n"
      "Lead = x\n");
  EXPECT_EQ(Get(f, "Levels", "Level 1"), "5, 6");  // the longer key's line comes first
  EXPECT_EQ(Get(f, "Levels", "Only"), "<def>");    // never from the next section
  EXPECT_EQ(Get(f, "Next", "Only"), "next");
  EXPECT_EQ(Get(f, "Broken", "Key"), "<def>");     // a key line with no "=" ends the search
  EXPECT_EQ(Get(f, "Set", "Where"), "settings");   // "Set" is found in "[Settings]"
  EXPECT_EQ(Get(f, "Leading", "Lead"), "<def>");   // header with a leading blank
  EXPECT_EQ(Get(f, "Nowhere", "Where"), "<def>");
  EXPECT_TRUE(f.SelectSection("Next"));
  EXPECT_EQ(Get(f, nullptr, "Only"), "next");
  EXPECT_TRUE(f.FindSection("Leading"));  // section finding is looser than key lookup
  EXPECT_FALSE(f.SelectSection("Absent"));
}

TEST_F(TextFileTest, CapacityCutsValues) {
  TextFile f = Load("[S]\nLong = " + std::string(100, 'v') + "\n");
  char value[64];
  std::memset(value, '#', sizeof value);
  EXPECT_EQ(f.GetString("S", "Long", nullptr, value, 64), 63);
  EXPECT_EQ(std::strlen(value), 63u);
  EXPECT_EQ(f.GetString("S", "Missing", "default", value, 4), 3);
  EXPECT_STREQ(value, "def");
  EXPECT_EQ(f.GetString("S", "Long", nullptr, value, 1), 0);
  EXPECT_STREQ(value, "");
}

TEST_F(TextFileTest, MissingFileGivesDefaults) {
  TextFile f("absent.txt");
  EXPECT_FALSE(f.IsOpen());
  EXPECT_EQ(f.GetInt("S", "K", 42), 42);
  EXPECT_FLOAT_EQ(f.GetFloat("S", "K", 2.5f), 2.5f);
  EXPECT_EQ(Get(f, "S", "K"), "<def>");
  EXPECT_FALSE(f.SelectSection("S"));
}

TEST_F(TextFileTest, HostileText) {
  // No final newline.
  TextFile a = Load("[S]\nK = last");
  EXPECT_EQ(Get(a, "S", "K"), "last");
  // A zero byte ends the text.
  TextFile b = Load(std::string("[S]\nA = 1\n\0B = 2\n", 18));
  EXPECT_EQ(b.GetInt("S", "A", 0), 1);
  EXPECT_EQ(b.GetInt("S", "B", 0), 0);
  // Carriage returns only: the whole file is one line, cut to 255 characters.
  TextFile c = Load("[S]\rK = 1\r" + std::string(5000, '\r'));
  EXPECT_EQ(c.GetInt("S", "K", -1), -1);
  // Lines of 10 KB are cut, never overrun; the lines after them still read.
  std::string huge(10000, 'k');
  TextFile d = Load("[" + huge + "]\n" + huge + " = " + huge + "\n[S]\nK = 3\n" + huge);
  EXPECT_EQ(d.GetInt("S", "K", 0), 3);
  EXPECT_EQ(Get(d, huge.c_str(), "k"), "<def>");
  TextFile g = Load("[S]\nK = " + huge + "\n[T]\nJ = 4\n");
  EXPECT_EQ(Get(g, "S", "K"), std::string(255 - 4, 'k'));  // the line is cut at 255
  EXPECT_EQ(g.GetInt("T", "J", 0), 4);
  // Garbage bytes.
  std::string garbage;
  for (int i = 0; i < 4096; ++i) garbage += char((i * 7919) % 255 + 1);
  TextFile e = Load(garbage);
  EXPECT_EQ(e.GetInt("S", "K", 9), 9);
  TextFile empty = Load("");
  EXPECT_EQ(empty.GetInt("S", "K", 9), 9);
}

TEST_F(TextFileTest, OpensTextInMemory) {
  TextFile f;
  ASSERT_TRUE(f.OpenFromMemory("[All strings]\nPause = Pause\n", 28));
  EXPECT_EQ(Get(f, "All strings", "Pause"), "Pause");
}

TEST(WideText, CodePagesAndPercent) {
  // CP866 0x80 is Cyrillic A; in CP1251 it is Cyrillic capital DJE.
  EXPECT_EQ(std::u16string(ToWide("\x80\xA0 100%%", 866)), u"\u0410\u0430 100%");
  EXPECT_EQ(std::u16string(ToWide("\xC0\x80", 1251)), u"\u0410\u0402");
  // A byte 1251 leaves undefined becomes the replacement character.
  EXPECT_EQ(std::u16string(ToWide("a\x98z", 1251)), u"a\uFFFDz");
  // A stray conversion is kept as text, never read as an argument.
  EXPECT_EQ(std::u16string(ToWide("%s %d %", 866)), u"%s %d %");
  EXPECT_EQ(std::u16string(ToWide("", 866)), u"");
  EXPECT_EQ(std::u16string(ToWide(std::string(5000, 'x').c_str(), 866)).size(), 2047u);

  char16_t dest[8];
  Widen("A\xE9", dest);
  EXPECT_EQ(std::u16string(dest), u"A\u00E9");
}

TEST_F(TextFileTest, ALanguageTextTakesWhatItLacksFromEnglishWithALogLine) {
  std::string error;
  ASSERT_TRUE(WritePackArchive("Velotrix.lng",
                               {{"LANG\\Strings.txt",
                                 Bytes("[All strings]\nPause = Paused\nPage = Page\nLevels = 100\n"
                                       "[ITEM_BALL]\nName = Extra Ship\n")}},
                               &error))
      << error;
  ASSERT_NE(RegisterArchive("Velotrix.lng", "LANG\\", 1 | kSourceFallback), 0);
  // The chosen language's copy, loose here, lacks "Page", "Levels" and a section.
  WriteHostFile("Strings.txt", "[All strings]\nPause = Пауза\n");
  LanguageTextFile f("Strings.txt");
  ASSERT_TRUE(f.IsOpen());
  char value[64];
  f.GetString("All strings", "Pause", "", value, sizeof value);
  EXPECT_STREQ(value, "Пауза");
  EXPECT_EQ(LogText(), "");
  f.GetString("All strings", "Page", "", value, sizeof value);
  EXPECT_STREQ(value, "Page");
  EXPECT_NE(LogText().find("'Page' in [All strings] of Strings.txt is missing from the chosen language; "
                           "English used"),
            std::string::npos);
  EXPECT_EQ(f.GetInt("All strings", "Levels", 7), 100);
  EXPECT_TRUE(f.HasSection("ITEM_BALL"));
  f.GetString("ITEM_BALL", "Name", "", value, sizeof value);
  EXPECT_STREQ(value, "Extra Ship");
  // Missing from both: the default, and nothing to say.
  const std::string before = LogText();
  f.GetString("All strings", "Nowhere", "def", value, sizeof value);
  EXPECT_STREQ(value, "def");
  EXPECT_EQ(f.GetInt("All strings", "Nowhere", 7), 7);
  EXPECT_FALSE(f.HasSection("ITEM_SHIELD"));
  EXPECT_EQ(LogText(), before);
}

TEST_F(TextFileTest, ALanguageTextWithoutAFallbackReadsLikeAPlainOne) {
  WriteHostFile("Strings.txt", "[All strings]\nPause = Paused\n");
  LanguageTextFile f("Strings.txt");
  char value[64];
  f.GetString("All strings", "Page", "def", value, sizeof value);
  EXPECT_STREQ(value, "def");
  LanguageTextFile none("Absent.txt");
  EXPECT_FALSE(none.IsOpen());
  none.GetString("All strings", "Pause", "def", value, sizeof value);
  EXPECT_STREQ(value, "def");
  EXPECT_EQ(LogText(), "");
}

}  // namespace
}  // namespace vx::test
