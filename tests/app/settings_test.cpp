// Settings file, string table and the log.
#include "app/settings.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "app/strings.h"
#include "base/user_file.h"
#include "input/controls.h"
#include "shell_fixture.h"
#include "support/user_file_faults.h"

namespace vx {
namespace {

using test::ReadText;
using test::WriteText;

class Settings : public test::ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    StartLog();
  }
};

const char kDefaultsFile[] =
    "[Settings]\n"
    "Fullscreen = 1\n"
    "Sound enable = 1\n"
    "Sound volume = 70\n"
    "Music volume = 50\n"
    "Reverse stereo = 1\n"
    "Scroll speed = 1\n"
    "Vanishing = 0\n";

// The eight lines, then the controls.
std::string Written(const std::string& settings) { return settings + Controls::SettingsSection(); }

TEST_F(Settings, FileWithoutKeysGivesTheDefaultsAndTheEightLineFile) {
  WriteText("Velotrix.ini", "[Settings]\r\nUnrelated = 5\r\n");
  EXPECT_EQ(LoadSettings(), 1);
  SaveSettings();
  EXPECT_EQ(ReadText("Velotrix.ini"), Written(kDefaultsFile));
  EXPECT_NE(Log().find("Save config\n"), std::string::npos);
}

TEST_F(Settings, NoFileKeepsTheInitialValues) {
  EXPECT_EQ(LoadSettings(), 0);
  EXPECT_EQ(g.bFullScreen, 1);
  EXPECT_EQ(g.settings.soundEnable, 0);
  EXPECT_EQ(g.settings.scrollSpeed, 1);
  EXPECT_EQ(g.settings.vanishing, 0);
  EXPECT_EQ(GetSampleVolume(), 100);
  EXPECT_EQ(GetMusicVolume(), 100);
  EXPECT_EQ(GetReverseStereo(), 0);
}

TEST_F(Settings, RoundTripAndVolumeClamping) {
  WriteText("Velotrix.ini",
            "[Settings]\nFullscreen = 0\nSound enable = 0\nSound volume = 250\nMusic volume=0\n"
            "Reverse stereo = 0\nScroll speed   =    0\nVanishing = 1\n");
  ASSERT_EQ(LoadSettings(), 1);
  EXPECT_EQ(GetSampleVolume(), 100);
  EXPECT_EQ(GetMusicVolume(), 0);
  SaveSettings();
  EXPECT_EQ(ReadText("Velotrix.ini"),
            Written("[Settings]\nFullscreen = 0\nSound enable = 0\nSound volume = 100\n"
                    "Music volume = 0\nReverse stereo = 0\nScroll speed = 0\nVanishing = 1\n"));

  // A negative volume must not wrap round to a loud byte.
  WriteText("Velotrix.ini", "[Settings]\nSound volume = -5\nMusic volume = 101\n");
  ASSERT_EQ(LoadSettings(), 1);
  EXPECT_EQ(GetSampleVolume(), 0);
  EXPECT_EQ(GetMusicVolume(), 100);
}

TEST_F(Settings, AFileThatCannotBeWrittenLeavesTheOldOneWhole) {
  WriteText("Velotrix.ini", kDefaultsFile);
  g.bFullScreen = 0;
  std::remove("Log.txt");  // room for the log lines
  {
    test::FileSizeLimit diskFull(64);
    EXPECT_EQ(SaveSettings(), 0);
  }
  EXPECT_EQ(ReadText("Velotrix.ini"), kDefaultsFile);
  EXPECT_NE(ReadText("Log.txt").find("Can't write 'Velotrix.ini'\n"), std::string::npos);
  EXPECT_EQ(SaveSettings(), 1);
  EXPECT_NE(ReadText("Velotrix.ini").find("Fullscreen = 0\n"), std::string::npos);
  for (const auto& e : std::filesystem::directory_iterator("."))
    EXPECT_FALSE(IsTempFileName(e.path().filename().c_str())) << "left behind: " << e.path();
}

TEST_F(Settings, ControlsComeBackAfterARestart) {
  Controls::ResetToDefaults();
  EXPECT_EQ(Controls::SetKey(ACTION_FIRE, KEY_LCONTROL), -1);
  EXPECT_EQ(Controls::SetKey(ACTION_PAUSE, KEY_ENTER | kKeyAlt), ACTION_FULL_SCREEN);
  EXPECT_EQ(Controls::SetPad(ACTION_BACK, PAD_Y), -1);
  Controls::SetMouseSensitivity(150);
  const Bindings before = Controls::Current();
  SaveSettings();
  Controls::ResetToDefaults();
  Controls::SetMouseSensitivity(100);
  ASSERT_EQ(LoadSettings(), 1);
  for (int a = 0; a < ACTION_COUNT; ++a) {
    EXPECT_EQ(Controls::Key(a), before.key[a]) << GetActionInfo(a).name;
    EXPECT_EQ(Controls::Pad(a), before.pad[a]) << GetActionInfo(a).name;
  }
  EXPECT_EQ(Controls::MouseSensitivity(), 150);
  const std::string file = ReadText("Velotrix.ini");
  EXPECT_NE(file.find("Vanishing = 0\n[Controls]\nMouse sensitivity = 150\n"), std::string::npos);
  EXPECT_NE(file.find("\nPause = Alt+Enter\n"), std::string::npos);
  EXPECT_NE(file.find("\nBack pad = y\n"), std::string::npos);
  EXPECT_EQ(Log().find("Controls:"), std::string::npos) << "nothing damaged";
  Controls::ResetToDefaults();
  Controls::SetMouseSensitivity(100);
}

TEST_F(Settings, DamagedControlsKeepTheirDefaultsAndAreLogged) {
  WriteText("Velotrix.ini",
            "Pause = Y\n[Settings]\nFullscreen = 0\n[Controls]\nMouse sensitivity = 250\n"
            "Pause = Bogus\nBack pad = z\n  Launch / fire   =   F  \nMove left = Alt+\n"
            "Move left pad\nSomething new = 5\nNo = \x01\xff\n[Other]\nYes = D\n");
  ASSERT_EQ(LoadSettings(), 1);
  EXPECT_EQ(g.bFullScreen, 0);
  EXPECT_EQ(Controls::MouseSensitivity(), 100);
  EXPECT_EQ(Controls::Key(ACTION_PAUSE), KEY_PAUSE);
  EXPECT_EQ(Controls::Pad(ACTION_BACK), PAD_B);
  EXPECT_EQ(Controls::Key(ACTION_FIRE), 33);  // F
  EXPECT_EQ(Controls::Key(ACTION_LEFT), KEY_LEFT);
  EXPECT_EQ(Controls::Key(ACTION_NO), KEY_N);
  EXPECT_EQ(Controls::Key(ACTION_YES), KEY_Y) << "only its own section counts";
  const std::string log = Log();
  for (const char* line : {"Controls: 'Mouse sensitivity = 250' can't be read; the default stays\n",
                           "Controls: 'Pause = Bogus' can't be read; the default stays\n",
                           "Controls: 'Back pad = z' can't be read; the default stays\n",
                           "Controls: 'Move left = Alt+' can't be read; the default stays\n"})
    EXPECT_NE(log.find(line), std::string::npos) << line;
  EXPECT_EQ(log.find("Something new"), std::string::npos) << "unknown keys are someone else's";

  // A key given twice in one context swaps, so no two actions ever share it.
  WriteText("Velotrix.ini", "[Controls]\nPause = Space\nMouse sensitivity = 50\n");
  ASSERT_EQ(LoadSettings(), 1);
  EXPECT_EQ(Controls::Key(ACTION_PAUSE), KEY_SPACE);
  EXPECT_EQ(Controls::Key(ACTION_FIRE), KEY_PAUSE);
  EXPECT_EQ(Controls::MouseSensitivity(), 50);

  // Not a file at all: no settings file, everything keeps its initial value.
  Controls::ResetToDefaults();
  Controls::SetMouseSensitivity(100);
  std::remove("Velotrix.ini");
  ASSERT_EQ(mkdir("Velotrix.ini", 0755), 0);
  EXPECT_EQ(LoadSettings(), 0);
  EXPECT_EQ(Controls::Key(ACTION_PAUSE), KEY_PAUSE);
  EXPECT_EQ(Controls::MouseSensitivity(), 100);
  rmdir("Velotrix.ini");
}

TEST_F(Settings, StringsAreCutAndSomeKeysHaveDefaults) {
  std::string seventy(70, 'x');
  WriteText("Strings.txt",
            "[All strings]\nPause = Pause  \nLoading = " + seventy +
                "\nNode1 = Play\nNode2 = Shop\nNode3 = Save\nNode4 = Back\n\n[Other]\nPoints = no\n");
  LoadStrings();
  EXPECT_STREQ(g.strings.Pause, "Pause");
  EXPECT_EQ(std::strlen(g.strings.Loading), 63u);
  EXPECT_STREQ(g.strings.Credits, "cr");
  EXPECT_STREQ(g.strings.Points, "sp");
  EXPECT_STREQ(g.strings.Continue, "Press a key or click to continue");
  EXPECT_STREQ(g.strings.BossBeaten, "The guardian is beaten!");
  EXPECT_STREQ(g.strings.Saved, "Game saved");
  EXPECT_STREQ(g.strings.SaveFailed, "The game could not be saved");
  EXPECT_STREQ(g.strings.Version, "");
  // The map's buttons index the four labels from the first one.
  const char* node1 = g.strings.Node[0];
  EXPECT_STREQ(node1 + 64 * 3, "Back");
}

TEST_F(Settings, NoStringFileLeavesEveryTextEmptyButTheSaveScreensWords) {
  LoadStrings();
  EXPECT_STREQ(g.strings.Pause, "");
  EXPECT_STREQ(g.strings.Credits, "");
  // A save's outcome is told even then.
  EXPECT_STREQ(g.strings.Saved, "Game saved");
  EXPECT_STREQ(g.strings.SaveFailed, "The game could not be saved");
}

TEST_F(Settings, StringTableComesFromTheLanguageArchiveDirectory) {
  // Without archives the registered directories serve the files.
  WriteText("LANG/Strings.txt", "[All strings]\nEmptySlot = <empty>\n");
  RegisterArchive("Velotrix.lng", "LANG\\", 3);
  LoadStrings();
  EXPECT_STREQ(g.strings.EmptySlot, "<empty>");
}

}  // namespace
}  // namespace vx
