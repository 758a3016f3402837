// The campaign screens without a mouse, on the real data set: the focus the
// arrows and the d-pad move, Confirm as a click, the menu's first focus, the
// map's level choice, a save named by the controller, and the controls page
// (picking, swapping, clearing, Defaults, the sensitivity, labels that fit).
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "campaign/campaign_start.h"
#include "campaign/controls_screen.h"
#include "campaign/hiscore_screen.h"
#include "campaign/hiscore_table.h"
#include "campaign/menu_screen.h"
#include "campaign/node_screen.h"
#include "campaign/options_screen.h"
#include "campaign/save_game.h"
#include "campaign/save_screen.h"
#include "input/controls.h"
#include "platform/text_codec.h"
#include "screen_fixture.h"

namespace vx::test {
namespace {

constexpr int kKeyS = 31;

class ControllerScreens : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    Controls::ResetToDefaults();
    Controls::SetMouseSensitivity(kDefaultSensitivity);
  }
  void TearDown() override {
    Controls::ResetToDefaults();
    Controls::SetMouseSensitivity(kDefaultSensitivity);
    ScreenTest::TearDown();
  }
  MenuScreen& Menu() { return *static_cast<MenuScreen*>(g.screens.menu); }
  NodeScreen& Map() { return *static_cast<NodeScreen*>(g.screens.node); }
  ControlsScreen& Page() { return *static_cast<ControlsScreen*>(g.screens.controls); }
  // A controller button down for one frame, then up for one.
  void Pad(int button) {
    hp.input.SetPadButton(button, true);
    Frame();
    hp.input.SetPadButton(button, false);
    Frame();
  }
  bool Under(const Rect& r) { return PointIn(r, gCursor.x, gCursor.y); }
};

TEST_F(ControllerScreens, MenuOpensOnNewGameAndTheArrowsMoveTheFocus) {
  Enter(g.screens.menu);
  Frame();
  EXPECT_TRUE(HasFocus(Menu().buttons[0].Area()));
  EXPECT_TRUE(Menu().buttons[0].hover);
  EXPECT_FALSE(Menu().buttons[1].hover) << "only the focus is lit";
  // Down twice: High scores; the cursor goes along.
  Key(KEY_DOWN);
  hp.input.SetPadButton(PAD_DPDOWN, true);
  Frame();
  hp.input.SetPadButton(PAD_DPDOWN, false);
  Frame();
  EXPECT_TRUE(HasFocus(Menu().buttons[2].Area()));
  EXPECT_TRUE(Under(Menu().buttons[2].Area()));
  // Nothing above New game: Up at the top stays.
  for (int i = 0; i < 4; ++i) Key(KEY_UP);
  EXPECT_TRUE(HasFocus(Menu().buttons[0].Area()));
  // The mouse takes over: the focus goes.
  hp.input.MoveMouse(3, 0);
  Frame();
  EXPECT_FALSE(AnyFocus());
  // Held, an arrow repeats after a pause.
  SetFocus(Menu().buttons[0].Area());
  hp.input.SetKey(KEY_DOWN, true);
  Frame(24);
  EXPECT_TRUE(HasFocus(Menu().buttons[1].Area()));
  Frame(8);
  EXPECT_TRUE(HasFocus(Menu().buttons[2].Area()));
  hp.input.SetKey(KEY_DOWN, false);
  Frame();
}

TEST_F(ControllerScreens, TheStickAndAFreePointerMoveTheCursor) {
  Enter(g.screens.menu);
  Frame();
  const CampaignCursor before = gCursor;
  hp.input.SetPadAxis(PAD_LEFTX, 32767);
  Frame(3);
  hp.input.SetPadAxis(PAD_LEFTX, 0);
  Frame();
  EXPECT_EQ(gCursor.x, before.x + 27) << "9 pixels a step at full tilt";
  EXPECT_EQ(gCursor.y, before.y);
  EXPECT_FALSE(AnyFocus());
  // The desktop's pointer, where it is known, is where the cursor is.
  hp.input.SetPointerPosition(50, 60);
  Frame();
  EXPECT_EQ(gCursor.x, 50);
  EXPECT_EQ(gCursor.y, 60);
  // The focus may still carry the cursor while the pointer stays put.
  Key(KEY_DOWN);
  EXPECT_NE(gCursor.y, 60);
}

TEST_F(ControllerScreens, ConfirmOnTheFirstFocusStartsAGame) {
  Enter(g.screens.menu);
  Frame();
  Pad(PAD_A);
  EXPECT_EQ(g.currentScreen, g.screens.node);

  // Enter on the keyboard does the same from a focus the arrows chose.
  ReturnToRoot();
  Frame();
  Key(KEY_DOWN);
  Key(KEY_ENTER);
  EXPECT_EQ(g.currentScreen, g.screens.load);
  EXPECT_FALSE(PointerHeld()) << "the stood-in button is let go";
}

TEST_F(ControllerScreens, MapChoosesLevelsAndPlaysTheChosenOne) {
  Enter(g.screens.menu);
  StartCampaign(1);
  Frame(40);  // the first level appears
  for (int i = 0; i < 3; ++i) gGame.campaign[i].open = gGame.campaign[i].requirementsMet = 1;
  Map().selected = 0;
  Pad(PAD_DPRIGHT);
  EXPECT_EQ(Map().selected, 1);
  Key(KEY_RIGHT);
  EXPECT_EQ(Map().selected, 2);
  Key(KEY_RIGHT);
  EXPECT_EQ(Map().selected, 0) << "round to the first";
  Pad(PAD_DPLEFT);
  EXPECT_EQ(Map().selected, 2);
  gGame.campaign[1].completed = 1;
  Key(KEY_LEFT);
  EXPECT_EQ(Map().selected, 0) << "a completed level is passed over";

  // With the cursor on Shop, A presses Shop; elsewhere it plays.
  MoveTo(231, 441);
  Pad(PAD_A);
  EXPECT_EQ(g.currentScreen, g.screens.shop);
  Pad(PAD_B);
  EXPECT_EQ(g.currentScreen, g.screens.node);
  MoveTo(600, 100);
  Pad(PAD_A);
  EXPECT_EQ(g.currentScreen, g.screens.game);
  EXPECT_EQ(gGame.player.currentLevel, 1);
}

TEST_F(ControllerScreens, ASaveWithoutTypingIsNamedForItsSlot) {
  Enter(g.screens.menu);
  StartCampaign(1);
  SwitchTo(g.screens.save, 0);
  Frame();
  // The slots are targets; Up from the one under the cursor ends at the first.
  for (int i = 0; i < kSaveSlots; ++i) Pad(PAD_DPUP);
  Pad(PAD_A);
  auto& save = *static_cast<SaveScreen*>(g.screens.save);
  ASSERT_EQ(save.editedSlot, 0);
  // While a name is edited, the arrows and Enter belong to the typing.
  Key(KEY_DOWN);
  EXPECT_EQ(save.editedSlot, 0);
  Pad(PAD_A);
  Frame(200);  // "Game saved" shows for a moment
  EXPECT_EQ(g.currentScreen, g.screens.node);
  ASSERT_EQ(ReadSlot(0), 1);
  EXPECT_STREQ(gSaveSlots[0].record.name, "Game 1");
  EXPECT_FALSE(HasUnsavedProgress());
}

TEST_F(ControllerScreens, AControllerEndsTheNameOfAHighScore) {
  Enter(g.screens.menu);
  gGame.player.score = 999999;
  gGame.hiscoreNewScore = 1;
  SwitchTo(g.screens.hiscore, 0);
  auto& table = *static_cast<HiscoreScreen*>(g.screens.hiscore);
  ASSERT_EQ(table.nameEntry, 1);
  Type("Ann");
  // A ends the name and leaves, as Enter does.
  Pad(PAD_A);
  EXPECT_EQ(table.nameEntry, 0);
  EXPECT_EQ(g.currentScreen, g.screens.menu);
  LoadHiscores();
  EXPECT_STREQ(gHiscores[0].name, "Ann");
}

class ControlsPage : public ControllerScreens {
 protected:
  void SetUp() override {
    ControllerScreens::SetUp();
    Enter(g.screens.options);
    Click(static_cast<OptionsScreen*>(g.screens.options)->controlsButton.Area());
    ASSERT_EQ(g.currentScreen, g.screens.controls);
    rows = ControlsScreen::Rows(&count);
  }
  const ControlsScreen::Row& RowOf(int action) {
    for (int i = 0; i < count; ++i)
      if (rows[i].action == action) return rows[i];
    return rows[0];
  }
  const ControlsScreen::Row* rows = nullptr;
  int count = 0;
};

TEST_F(ControlsPage, PickPressSwapClearAndDefaults) {
  // Every shown action has its row.
  int shown = 0;
  for (int a = 0; a < ACTION_COUNT; ++a) shown += GetActionInfo(a).shown;
  EXPECT_EQ(count, shown);

  Click(RowOf(ACTION_PAUSE).key);
  EXPECT_EQ(Page().waitingRow, &RowOf(ACTION_PAUSE) - rows);
  Key(KEY_SPACE);  // launch / fire's: the two swap
  EXPECT_EQ(Controls::Key(ACTION_PAUSE), KEY_SPACE);
  EXPECT_EQ(Controls::Key(ACTION_FIRE), KEY_PAUSE);
  EXPECT_EQ(Page().swappedRow, &RowOf(ACTION_FIRE) - rows);
  EXPECT_EQ(Page().waitingRow, -1);

  // Escape keeps the old key and does not leave the page.
  Click(RowOf(ACTION_PAUSE).key);
  Key(KEY_ESCAPE);
  EXPECT_EQ(Controls::Key(ACTION_PAUSE), KEY_SPACE);
  EXPECT_EQ(g.currentScreen, g.screens.controls);
  // Delete takes it away; Alt makes a chord.
  Click(RowOf(ACTION_SCREENSHOT).key);
  Key(KEY_DELETE);
  EXPECT_EQ(Controls::Key(ACTION_SCREENSHOT), kNoKey);
  Click(RowOf(ACTION_SCREENSHOT).key);
  hp.input.SetKey(KEY_LALT, true);
  Frame();
  EXPECT_GE(Page().waitingRow, 0) << "Alt alone waits for its key";
  Key(kKeyS);
  hp.input.SetKey(KEY_LALT, false);
  Frame();
  EXPECT_EQ(Controls::Key(ACTION_SCREENSHOT), kKeyS | kKeyAlt);
  // Ctrl makes a chord too; Shift let go alone is a key of its own.
  Click(RowOf(ACTION_PAUSE).key);
  hp.input.SetKey(KEY_LCONTROL, true);
  Frame();
  Key(kKeyS);
  hp.input.SetKey(KEY_LCONTROL, false);
  Frame();
  EXPECT_EQ(Controls::Key(ACTION_PAUSE), kKeyS | kKeyCtrl);
  EXPECT_EQ(Controls::Key(ACTION_SCREENSHOT), kKeyS | kKeyAlt) << "no clash with the Alt chord";
  Click(RowOf(ACTION_PAUSE).key);
  hp.input.SetKey(KEY_LSHIFT, true);
  Frame();
  EXPECT_GE(Page().waitingRow, 0) << "Shift held still waits";
  hp.input.SetKey(KEY_LSHIFT, false);
  Frame();
  EXPECT_EQ(Controls::Key(ACTION_PAUSE), KEY_LSHIFT);

  // A controller cell takes the next button, not the press that chose it.
  SetFocus(RowOf(ACTION_PAUSE).pad);
  Pad(PAD_A);
  EXPECT_GE(Page().waitingRow, 0);
  EXPECT_TRUE(Page().waitingPad);
  Pad(PAD_Y);
  EXPECT_EQ(Controls::Pad(ACTION_PAUSE), PAD_Y);

  Click(Page().defaults.Area());
  EXPECT_EQ(Controls::Key(ACTION_PAUSE), KEY_PAUSE);
  EXPECT_EQ(Controls::Key(ACTION_SCREENSHOT), KEY_PRINTSCREEN);
  EXPECT_EQ(Controls::Pad(ACTION_PAUSE), PAD_START);

  // B leaves, unless a controller cell waits for it.
  Pad(PAD_B);
  EXPECT_EQ(g.currentScreen, g.screens.options);
}

TEST_F(ControlsPage, SensitivityStaysWithinItsBounds) {
  Hold(Page().slower.Area(), 80);
  EXPECT_EQ(Controls::MouseSensitivity(), kMinSensitivity);
  Hold(Page().faster.Area(), 200);
  EXPECT_EQ(Controls::MouseSensitivity(), kMaxSensitivity);
}

// Labels in the two languages, as the page draws them.
std::string RussianLabel(const std::string& key) {
  std::ifstream in(std::string(VX_SOURCE_DIR) + "/data/texts/ru/Strings.txt");
  for (std::string line; std::getline(in, line);)
    if (line.rfind(key + " = ", 0) == 0) return Utf8ToCp866(line.substr(key.size() + 3));
  return "";
}

TEST_F(ControlsPage, LabelsFitTheirCellsInEveryLanguage) {
  FontB.SetSize(12);
  for (int i = 0; i < count; ++i) {
    const int action = rows[i].action;
    const std::string key = std::string("Control ") + GetActionInfo(action).name;
    const std::string russian = RussianLabel(key);
    EXPECT_FALSE(russian.empty()) << key;
    for (const std::string& label : {std::string(g.strings.Actions[action]), russian})
      EXPECT_LE(MeasureText8(FontB, label.c_str()) + 2, rows[i].label.right - rows[i].label.left)
          << key;
  }
  // Every key's name, with Alt too, and every button's fits its cell.
  for (int code = 1; code < 256; ++code) {
    const std::string name = Controls::KeyName(code | kKeyAlt);
    EXPECT_LE(MeasureText8(FontB, name.c_str()) + 3, rows[0].key.right - rows[0].key.left) << name;
  }
  for (const char* name : {"D-pad right", "D-pad down", "L stick", "R stick"})
    EXPECT_LE(MeasureText8(FontB, name) + 3, rows[0].pad.right - rows[0].pad.left) << name;
}

}  // namespace
}  // namespace vx::test
