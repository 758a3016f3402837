// Choosing the language: codes and archive names, the environment, the
// archives found, and a language that lacks texts falling back to English.
#include "app/language.h"

#include <sys/stat.h>

#include <cstring>
#include <map>

#include "app/game_folders.h"
#include "app/settings.h"
#include "app/strings.h"
#include "input/controls.h"
#include "resources/pack_writer.h"
#include "shell_fixture.h"

namespace vx {
namespace {

using test::ReadText;
using test::WriteText;

std::map<std::string, std::string> gEnv;

const char* FakeEnv(const char* name) {
  auto it = gEnv.find(name);
  return it == gEnv.end() ? nullptr : it->second.c_str();
}

std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

class Language : public test::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    StartLog();
    gEnv.clear();
  }
  void TearDown() override {
    UseLanguage(kEnglish, ".");
    SetInstalledData("");
    ShellTest::TearDown();
  }
  static void Pack(const char* path, std::vector<PackSource> entries) {
    std::string error;
    ASSERT_TRUE(WritePackArchive(path, entries, &error)) << error;
  }
};

TEST_F(Language, CodesNameNothingButALanguage) {
  for (const char* good : {"en", "ru", "fil", "pt_BR", "zh-Hant", "sr_Latn"}) EXPECT_TRUE(IsLanguageCode(good)) << good;
  for (const char* bad : {"", "e", "english", "../ru", "r u", "ru/x", "ru_", "ru_B", "r1", "ru_BR/..", "ru_.."})
    EXPECT_FALSE(IsLanguageCode(bad)) << bad;
  EXPECT_EQ(LanguageArchive("en"), "Velotrix.lng");
  EXPECT_EQ(LanguageArchive("EN"), "Velotrix.lng");
  EXPECT_EQ(LanguageArchive(""), "Velotrix.lng");
  EXPECT_EQ(LanguageArchive("RU"), "Velotrix.ru.lng");
}

TEST_F(Language, TheFirstEnvironmentVariableSetDecides) {
  const std::vector<std::string> available = {"en", "pt_br", "ru"};
  EXPECT_EQ(LanguageFromEnvironment(available, FakeEnv), "");
  gEnv["LANG"] = "ru_RU.UTF-8";
  EXPECT_EQ(LanguageFromEnvironment(available, FakeEnv), "ru");
  gEnv["LC_ALL"] = "C";  // overrides LANG: the C locale asks for no language
  EXPECT_EQ(LanguageFromEnvironment(available, FakeEnv), "");
  gEnv["LC_ALL"] = "";  // set but empty: as if unset
  gEnv["LC_MESSAGES"] = "de_DE@euro";
  EXPECT_EQ(LanguageFromEnvironment(available, FakeEnv), "") << "German is not available";
  gEnv["LANGUAGE"] = "fr:pt_BR:ru";
  EXPECT_EQ(LanguageFromEnvironment(available, FakeEnv), "pt_br");
  gEnv["LANGUAGE"] = "uk_UA:ru_UA.KOI8-U";
  EXPECT_EQ(LanguageFromEnvironment(available, FakeEnv), "ru");
  gEnv["LANGUAGE"] = "::";
  EXPECT_EQ(LanguageFromEnvironment(available, FakeEnv), "");
  EXPECT_EQ(LanguageFromEnvironment(available, nullptr), "");
}

TEST_F(Language, TheSettingComesFirstThenTheEnvironmentThenEnglish) {
  const std::vector<std::string> available = {"en", "ru"};
  gEnv["LANG"] = "ru_RU.UTF-8";
  EXPECT_EQ(StartLanguage("en", available, FakeEnv), "en");
  EXPECT_EQ(StartLanguage("RU", available, FakeEnv), "ru");
  EXPECT_EQ(StartLanguage("", available, FakeEnv), "ru");
  EXPECT_EQ(StartLanguage("../../etc/passwd", available, FakeEnv), "ru");
  EXPECT_NE(Log().find("Language '../../etc/passwd' is no language code"), std::string::npos);
  gEnv.clear();
  EXPECT_EQ(StartLanguage("", available, FakeEnv), "en");
}

TEST_F(Language, ArchivesBesideTheGameAndInTheInstalledFolderAreOffered) {
  for (const char* name : {"Velotrix.lng", "Velotrix.ru.lng", "velotrix.DE.lng", "Velotrix.x.lng",
                           "Velotrix..lng", "Velotrix.en.lng", "Velotrix.ru.lng.bak", "Other.fr.lng"})
    WriteText(name, "");
  ASSERT_EQ(mkdir("Velotrix.fr.lng", 0755), 0);  // a folder is no archive
  ASSERT_EQ(mkdir("installed", 0755), 0);
  WriteText("installed/Velotrix.dat", "");
  WriteText("installed/Velotrix.uk.lng", "");
  WriteText("installed/Velotrix.ru.lng", "");
  SetInstalledData("installed");
  EXPECT_EQ(AvailableLanguages(), (std::vector<std::string>{"en", "de", "ru", "uk"}));
}

TEST_F(Language, AMissingTextIsReadInEnglishWithALogLine) {
  Pack("Velotrix.lng", {{"LANG\\Strings.txt", Bytes("[All strings]\nPause = Paused\nPage = Page\nLanguage = English\n")},
                        {"LANG\\help\\help0.txt", Bytes("How to play")}});
  Pack("Velotrix.ru.lng", {{"LANG\\Strings.txt", Bytes("[All strings]\nPause = \x8f\xa0\xe3\xa7\xa0\n")}});
  EXPECT_TRUE(UseLanguage("ru", "."));
  EXPECT_EQ(CurrentLanguage(), "ru");
  LoadStrings();
  EXPECT_STREQ(g.strings.Pause, "\x8f\xa0\xe3\xa7\xa0");
  EXPECT_STREQ(g.strings.Page, "Page");
  EXPECT_STREQ(g.strings.Language, "English");
  EXPECT_NE(Log().find("'Page' in [All strings] of Strings.txt is missing from the chosen language; English used\n"),
            std::string::npos);
  char page[32] = {};
  EXPECT_EQ(ReadFileInto("help\\help0.txt", page, sizeof page - 1, 1), 1);
  EXPECT_STREQ(page, "How to play");
  EXPECT_NE(Log().find("'help\\help0.txt' is missing from the chosen language; taken from ./Velotrix.lng\n"),
            std::string::npos);

  // Back to English: nothing stands behind it, and the texts are English again.
  EXPECT_TRUE(UseLanguage("en", "."));
  LoadStrings();
  EXPECT_STREQ(g.strings.Pause, "Paused");
  const std::string before = Log();
  EXPECT_EQ(ReadFileInto("help\\help1.txt", page, sizeof page - 1, 1), 0);
  EXPECT_EQ(Log(), before);
}

TEST_F(Language, ALanguageWithoutItsArchiveLeavesEnglishInUse) {
  Pack("Velotrix.lng", {{"LANG\\Strings.txt", Bytes("[All strings]\nPause = Paused\n")}});
  EXPECT_FALSE(UseLanguage("ru", "."));
  EXPECT_EQ(CurrentLanguage(), "en");
  EXPECT_NE(Log().find("Can't open the language archive './Velotrix.ru.lng'; English is used\n"),
            std::string::npos);
  EXPECT_FALSE(UseLanguage("../x", "."));
  EXPECT_EQ(CurrentLanguage(), "en");
  LoadStrings();
  EXPECT_STREQ(g.strings.Pause, "Paused");
}

TEST_F(Language, TheSettingIsTheLastLineOfTheSettingsFile) {
  WriteText("Velotrix.ini", "[Settings]\nVanishing = 1\nLanguage = ru\n");
  ASSERT_EQ(LoadSettings(), 1);
  EXPECT_STREQ(g.settings.language, "ru");
  SaveSettings();
  // The last of section Settings; the controls follow in their own.
  EXPECT_EQ(ReadText("Velotrix.ini"),
            "[Settings]\nFullscreen = 1\nSound enable = 1\nSound volume = 70\nMusic volume = 50\n"
            "Reverse stereo = 1\nScroll speed = 1\nVanishing = 1\nLanguage = ru\n" +
                Controls::SettingsSection());
  // An overlong value is cut to the field, never past it.
  WriteText("Velotrix.ini", "[Settings]\nLanguage = " + std::string(200, 'r') + "\n");
  ASSERT_EQ(LoadSettings(), 1);
  EXPECT_EQ(std::strlen(g.settings.language), sizeof g.settings.language - 1);
}

TEST_F(Language, TheGameStartsInTheLanguageOfItsSettings) {
  Pack("Velotrix.lng", {{"LANG\\Strings.txt", Bytes("[All strings]\nPause = Paused\n")}});
  Pack("Velotrix.ru.lng", {{"LANG\\Strings.txt", Bytes("[All strings]\nPause = \x8f\xa0\xe3\xa7\xa0\n")}});
  WriteText("Velotrix.ini", "[Settings]\nLanguage = ru\n");
  ASSERT_EQ(RunGame(2), 0);
  EXPECT_STREQ(g.strings.Pause, "\x8f\xa0\xe3\xa7\xa0");
  EXPECT_NE(ReadText("Velotrix.ini").find("\nLanguage = ru\n"), std::string::npos);
}

}  // namespace
}  // namespace vx
