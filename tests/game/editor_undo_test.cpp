// The level editor as a designer uses it, through the real game screen: undo
// and redo over paint, erase, clear, reload and header edits; the header panel
// with its question before rows go; the test play from the bottom end and the
// way back; F2 writing the edited header in the level format.
#include <cstdio>
#include <string>
#include <vector>

#include "base/game_record.h"
#include "base/user_file.h"
#include "game/editor.h"
#include "game/game_state.h"
#include "game/items.h"
#include "game_screen_fixture.h"
#include "input/controls.h"
#include "support/text_ink.h"

namespace vx {
namespace {

using test::GameScreenTest;
using test::ReadText;

constexpr int kHeight = 40;

class EditorUse : public GameScreenTest {
 protected:
  void SetUp() override {
    GameScreenTest::SetUp();
    WriteBandLevel(1, kHeight, 4, 6);
  }
  // Starts the level and switches the editor on; the cursor goes to (x, y).
  void Open(int x, int y) {
    steps.push_back([] { ASSERT_EQ(StartLevelDirect(1), 1); });
    Press(KEY_F5);
    steps.push_back([this] {
      ASSERT_EQ(gGame.level.editMode, 1);
      hp.input.MoveMouse(-10000, -10000);
    });
    steps.push_back([this, x, y] { hp.input.MoveMouse(x, y); });
  }
  // A key down for one frame, then up.
  void Press(int key) {
    steps.push_back([this, key] { Down(key); });
    steps.push_back([this, key] { Up(key); });
  }
  // Ctrl (and Shift) with key.
  void Chord(int key, bool shift = false) {
    steps.push_back([this, shift] {
      Down(KEY_LCONTROL);
      if (shift) Down(KEY_LSHIFT);
    });
    Press(key);
    steps.push_back([this] {
      Up(KEY_LCONTROL);
      Up(KEY_LSHIFT);
    });
  }
  // A mouse button held over frames frames while the cursor moves by dx each.
  void Stroke(int button, int frames, int dx) {
    steps.push_back([this, button] { hp.input.SetButton(button, true); });
    for (int i = 1; i < frames; ++i) steps.push_back([this, dx] { hp.input.MoveMouse(dx, 0); });
    steps.push_back([this, button] { hp.input.SetButton(button, false); });
  }
  void Check(std::function<void()> check) { steps.push_back(std::move(check)); }
  // Types text into the header's chosen field after deleting what is there.
  void Retype(const std::string& text, int erase = 40) {
    steps.push_back([this, text, erase] {
      for (int i = 0; i < erase; ++i) hp.PushChar(8, 1);
      Type(text);
    });
  }

  static std::vector<uint16_t> Types() {
    std::vector<uint16_t> t;
    for (const BlockCell& c : gGame.level.grid) t.push_back(c.type);
    return t;
  }
  static int RowAt(int y) {
    int s = gGame.level.scroll;
    return (y + s % 16) / 16 + s / 16;
  }
  static const BlockCell& Cell(int c, int r) {
    return gGame.level.grid[static_cast<size_t>(r) * 20 + c];
  }

  std::vector<Step> steps;
};

TEST_F(EditorUse, UndoAndRedoOverPaintEraseClearAndReload) {
  std::vector<std::vector<uint16_t>> states;
  auto remember = [&] { states.push_back(Types()); };
  Open(40, 200);
  Check(remember);           // 0: as loaded
  Stroke(0, 6, 32);          // paint six cells of one row, one stroke
  Check(remember);           // 1
  Stroke(1, 3, -32);         // erase three of them
  Check(remember);           // 2
  Press(KEY_F8);             // clear
  Check(remember);           // 3
  Stroke(0, 1, 0);           // one more block on the empty field
  Check(remember);           // 4
  Press(KEY_F3);             // reload: the level file's band again
  Check(remember);           // 5
  Check([&] {
    EXPECT_EQ(EditorUndoSteps(), 5u);
    EXPECT_NE(states[1], states[0]);
    EXPECT_NE(states[2], states[1]);
    EXPECT_EQ(states[5], states[0]) << "the reload brings the file's blocks back";
  });
  for (int k = 4; k >= 0; --k) {
    Chord(KEY_Z);
    Check([&, k] { EXPECT_EQ(Types(), states[k]) << "undone to state " << k; });
  }
  Chord(KEY_Z);
  Check([&] { EXPECT_EQ(EditorRedoSteps(), 5u) << "nothing more to undo"; });
  // Redo by both chords.
  for (int k = 1; k <= 5; ++k) {
    Chord(k % 2 ? KEY_Y : KEY_Z, k % 2 == 0);
    Check([&, k] { EXPECT_EQ(Types(), states[k]) << "redone to state " << k; });
  }
  Run(steps);
}

TEST_F(EditorUse, TheHistoryLastsUntilTheLevelIsLeft) {
  Open(100, 100);
  Stroke(0, 2, 32);
  Press(KEY_F5);  // playing again keeps it
  Press(KEY_F5);
  Check([&] { EXPECT_EQ(EditorUndoSteps(), 1u); });
  Check([] { ASSERT_EQ(StartLevelDirect(1), 1); });  // a new start of the level
  Wait(steps, 1);
  Check([&] {
    EXPECT_EQ(EditorUndoSteps(), 0u);
    EXPECT_EQ(EditorRedoSteps(), 0u);
  });
  Run(steps);
}

TEST_F(EditorUse, TheHeaderIsEditedUndoneAndSavedInTheLevelFormat) {
  std::vector<uint16_t> loaded;
  Open(100, 100);
  Check([&] { loaded = Types(); });
  Press(KEY_F6);
  Check([&] { ASSERT_TRUE(EditorHeaderOpen()); });
  Retype("Blue hall");  // a name; typing spells no cheat word
  Press(KEY_ENTER);
  Check([&] { EXPECT_STREQ(gGame.level.header.name, "Blue hall"); });
  Press(KEY_DOWN);
  Retype("Mind the gap");
  Press(KEY_DOWN);  // leaving a field sets it
  Check([&] { EXPECT_STREQ(gGame.level.header.text, "Mind the gap"); });
  Retype("45");     // height: five rows more
  Press(KEY_ENTER);
  Check([&] {
    EXPECT_EQ(gGame.level.header.height, 45);
    EXPECT_EQ(Cell(0, 9).type, 1) << "the band is five rows lower";
    EXPECT_EQ(Cell(0, 4).type, 0);
  });
  Press(KEY_DOWN);  // scroll speed: one step up, held at its top
  Press(KEY_RIGHT);
  Press(KEY_ENTER);
  Check([&] { EXPECT_EQ(gGame.level.header.scrollSpeed, 2); });
  Check([&] { Type("37"); });  // a number typed replaces the one shown
  Press(KEY_ENTER);
  Check([&] { EXPECT_EQ(gGame.level.header.scrollSpeed, 37); });
  Check([&] { Type("5000"); });
  Press(KEY_ENTER);
  Check([&] { EXPECT_EQ(gGame.level.header.scrollSpeed, 1000); });
  Press(KEY_ESCAPE);  // nothing typed: the panel closes
  Check([&] {
    EXPECT_FALSE(EditorHeaderOpen());
    EXPECT_EQ(gGame.level.cheatUsed, 0);
    EXPECT_EQ(EditorUndoSteps(), 6u);
  });
  Chord(KEY_Z);
  Chord(KEY_Z);
  Chord(KEY_Z);
  Check([&] {
    EXPECT_EQ(gGame.level.header.scrollSpeed, 1);
    EXPECT_EQ(gGame.level.header.height, 45);
  });
  Chord(KEY_Z);
  Check([&] {
    EXPECT_EQ(gGame.level.header.height, kHeight);
    EXPECT_EQ(Types(), loaded);
  });
  Chord(KEY_Y);
  Press(KEY_F2);
  Run(steps);

  const std::string header = ReadText(LevelPath(1));
  EXPECT_EQ(header.rfind("[Level data]\nName = Blue hall\nText = Mind the gap\nHeight = 45\n", 0),
            0u)
      << header;
  EXPECT_NE(header.find("\nScroll speed = 1\n"), std::string::npos) << header;
  const std::string map = ReadText(LevelPath(1) + ".map");
  ASSERT_EQ(map.size(), 45u * 20);
  EXPECT_EQ(map.substr(0, 9 * 20), std::string(9 * 20, '\0'));
  EXPECT_EQ(map.substr(9 * 20, 3 * 20), std::string(3 * 20, '\1'));
}

TEST_F(EditorUse, ShrinkingAsksBeforeRowsGo) {
  Open(100, 100);
  Press(KEY_F6);
  Press(KEY_DOWN);
  Press(KEY_DOWN);
  Retype("35");
  Press(KEY_ENTER);
  Check([&] { EXPECT_EQ(gGame.level.header.height, kHeight) << "not before the answer"; });
  Press(KEY_F8);  // other keys wait for the answer
  Press(KEY_N);
  Check([&] {
    EXPECT_EQ(gGame.level.header.height, kHeight);
    EXPECT_EQ(Cell(0, 4).type, 1) << "F8 did not clear while asking";
    EXPECT_EQ(EditorUndoSteps(), 0u);
  });
  Retype("35");
  Press(KEY_ENTER);
  Press(KEY_Y);
  Check([&] {
    EXPECT_EQ(gGame.level.header.height, 35);
    // The top five rows went, and the band's row 4 with them.
    EXPECT_EQ(Cell(0, 0).type, 1);
    EXPECT_EQ(Cell(0, 1).type, 1);
    EXPECT_EQ(Cell(0, 2).type, 0);
  });
  Run(steps);
}

TEST_F(EditorUse, ATestPlaysFromTheBottomAndReturnsToTheEditing) {
  int row = -1, scroll = -1, lives = -1;
  std::vector<uint16_t> edited;
  Open(200, 150);
  steps.push_back([this] { Down(KEY_UP); });
  Wait(steps, 10);
  steps.push_back([this] { Up(KEY_UP); });
  Stroke(0, 1, 0);
  Check([&] {
    row = RowAt(150);
    edited = Types();
    scroll = gGame.level.scroll;
    lives = gGame.player.lives;
    ASSERT_NE(scroll, gGame.level.backRows * 64 - 400);
  });
  Press(KEY_F9);
  Check([&] {
    const LevelState& L = gGame.level;
    EXPECT_EQ(L.editMode, 0);
    EXPECT_EQ(L.editorTest, 1);
    EXPECT_EQ(L.scroll, L.backRows * 64 - 400) << "from the bottom end";
    EXPECT_EQ(L.ballWaiting, 1);
    EXPECT_EQ(Cell(200 / 32, row).type, 1) << "with the edited blocks";
    gGame.player.lives = 1;  // as if the test had cost lives
  });
  Check([&] { Type("completed"); });  // the level is won ...
  Wait(steps, 2);
  Check([&] {
    EXPECT_EQ(gGame.level.levelEnded, 1);
    EXPECT_EQ(gGame.level.levelFailed, 0) << "won, so the panel says so";
    EXPECT_EQ(gGame.campaign[0].completed, 0u) << "... but the campaign does not change";
  });
  Press(KEY_SPACE);  // the end acknowledged: back to editing
  Check([&] {
    const LevelState& L = gGame.level;
    EXPECT_EQ(L.editMode, 1);
    EXPECT_EQ(L.editorTest, 0);
    EXPECT_EQ(L.levelEnded, 0);
    EXPECT_EQ(L.scroll, scroll) << "where the designer left off";
    EXPECT_EQ(Types(), edited);
    EXPECT_EQ(gGame.player.lives, lives);
    EXPECT_EQ(gPlay.cursorX, 200);
    EXPECT_EQ(L.cheatUsed, 1) << "the cheat word still counts";
    EXPECT_EQ(CurrentName(), "GameScreen");
  });
  // A second test, left with F9 at once.
  Press(KEY_F9);
  Press(KEY_F9);
  Check([&] {
    EXPECT_EQ(gGame.level.editMode, 1);
    EXPECT_EQ(gGame.level.scroll, scroll);
    EXPECT_EQ(EditorUndoSteps(), 1u) << "the history survives the tests";
  });
  // Quitting a test (Escape, Y) comes back too.
  Press(KEY_F9);
  Press(KEY_ESCAPE);
  Press(KEY_Y);
  Check([&] {
    EXPECT_EQ(gGame.level.editMode, 1);
    EXPECT_EQ(CurrentName(), "GameScreen");
  });
  Run(steps);
  for (const auto& entry :
       std::filesystem::directory_iterator(std::filesystem::path(LevelPath(1)).parent_path()))
    EXPECT_FALSE(IsTempFileName(entry.path().filename().c_str())) << "nothing written";
  EXPECT_EQ(ReadText(LevelPath(1) + ".map").substr(4 * 20, 20), std::string(20, '\1'));
  EXPECT_EQ(ReadText(LevelPath(1) + ".map").find('\1', 7 * 20), std::string::npos)
      << "the painted block was never written";
}

// The help lines and the panel name the keys as the player bound them, and
// take their words from the string table.
TEST_F(EditorUse, TheHelpNamesTheKeysAsBoundInTheTablesWords) {
  test::InkRecorder ink;
  constexpr int kF4 = 62, kF7 = 65;
  steps.push_back([] {
    Controls::SetKey(ACTION_EDITOR_SAVE, kF7);
    Controls::SetKey(ACTION_EDITOR_HEADER, kF4);
    std::snprintf(g.strings.Editor[EDITOR_HELP_CLEAR], 64, "wipe it all");
  });
  Open(100, 380);
  Check([&] { ink.Clear(); });
  Check([&] {
    for (const char* line : {"F7 - save level", "F8 - wipe it all", "F4 - level header"})
      EXPECT_TRUE(ink.Drew(line)) << line << " in " << ink.Words();
    EXPECT_FALSE(ink.Drew("F2 - save level")) << ink.Words();
  });
  Press(kF4);
  Check([&] { ink.Clear(); });
  Check([&] { EXPECT_TRUE(ink.Drew("F4: close")) << ink.Words(); });
  Run(steps);
  Controls::ResetToDefaults();
}

TEST_F(EditorUse, TheKeysTheHeaderAndTheTestLineRead) {
  test::InkRecorder ink;
  Open(100, 380);
  Check([&] { ink.Clear(); });
  Check([&] {
    for (const char* line : {"Ctrl+Z - undo", "Ctrl+Y - redo", "F6 - level header",
                             "F9 - test from the bottom"})
      EXPECT_TRUE(ink.Drew(line)) << line << " in " << ink.Words();
    ink.ExpectReadable(hp.display.frame, 640, 480);
  });
  Press(KEY_F6);
  Check([&] { ink.Clear(); });
  Check([&] {
    for (const char* words : {"Level header", "Height (rows)", "Type 3 score", "Test field_"})
      EXPECT_TRUE(ink.Drew(words)) << words << " in " << ink.Words();
    ink.ExpectReadable(hp.display.frame, 640, 480);
  });
  Press(KEY_DOWN);
  Press(KEY_DOWN);
  Retype("20");
  Press(KEY_ENTER);
  Check([&] { ink.Clear(); });
  Check([&] {
    EXPECT_TRUE(ink.Drew("Remove the top 20 rows? Y / N")) << ink.Words();
    ink.ExpectReadable(hp.display.frame, 640, 480);
  });
  Press(KEY_N);
  Press(KEY_F2);
  Check([&] { ink.Clear(); });
  Check([&] {
    EXPECT_TRUE(ink.Drew("Saved Episode1\\Levels\\Level01")) << ink.Words();
    ink.ExpectReadable(hp.display.frame, 640, 480);
  });
  Press(KEY_F9);
  Check([&] { ink.Clear(); });
  Check([&] {
    EXPECT_TRUE(ink.Drew("Test play - F9: back to editing")) << ink.Words();
    ink.ExpectReadable(hp.display.frame, 640, 480);
  });
  Run(steps);
}

}  // namespace
}  // namespace vx
