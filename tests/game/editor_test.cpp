// The level editor over the game screen: painting with Shift and Ctrl, erasing,
// the block type and scroll limits, clearing, saving and reloading.
#include "game/items.h"

#include "game/game_state.h"
#include "game_screen_fixture.h"

namespace vx {
namespace {

using test::GameScreenTest;
using test::ReadText;

constexpr int kHeight = 40;

class Editor : public GameScreenTest {
 protected:
  void SetUp() override {
    GameScreenTest::SetUp();
    WriteBandLevel(1, kHeight, 4, 6);
  }
  // Starts the level and switches the editor on; the cursor goes to (x, y).
  void Open(std::vector<Step>& steps, int x, int y) {
    steps.push_back([] { ASSERT_EQ(StartLevelDirect(1), 1); });
    steps.push_back([&] { Down(KEY_F5); });
    steps.push_back([&, x, y] {
      Up(KEY_F5);
      ASSERT_EQ(gGame.level.editMode, 1);
      hp.input.MoveMouse(-10000, -10000);
    });
    steps.push_back([&, x, y] { hp.input.MoveMouse(x, y); });
    steps.push_back([&, x, y] {
      ASSERT_EQ(gPlay.cursorX, x);
      ASSERT_EQ(gPlay.cursorY, y);
    });
  }
  // Row under the cursor at screen y.
  static int RowAt(int y) {
    int s = gGame.level.scroll;
    return (y + s % 16) / 16 + s / 16;
  }
  static const BlockCell& Cell(int c, int r) {
    return gGame.level.grid[static_cast<size_t>(r) * 20 + c];
  }
  static int TypesInRow(int r) {
    int n = 0;
    for (int c = 0; c < 20; ++c) n += Cell(c, r).type != 0;
    return n;
  }
};

TEST_F(Editor, ShiftPaintsTheMirroredCellAndCtrlTheWholeRow) {
  int row = -1;
  std::vector<Step> steps;
  Open(steps, 3 * 32 + 5, 100);
  steps.push_back([&] {
    row = RowAt(100);
    Down(KEY_LSHIFT);
    hp.input.SetButton(0, true);
  });
  steps.push_back([&] {
    hp.input.SetButton(0, false);
    Up(KEY_LSHIFT);
    EXPECT_EQ(Cell(3, row).type, 1);
    EXPECT_EQ(Cell(3, row).hits, 1);
    EXPECT_EQ(Cell(16, row).type, 1);
    EXPECT_EQ(TypesInRow(row), 2);
    hp.input.MoveMouse(0, 32);  // two rows lower
    hp.input.TurnWheel(120);    // type 2
  });
  steps.push_back([&] {
    EXPECT_EQ(gPlay.blockType, 2);
    Down(KEY_RCONTROL);
    hp.input.SetButton(0, true);
  });
  steps.push_back([&] {
    hp.input.SetButton(0, false);
    Up(KEY_RCONTROL);
    EXPECT_EQ(TypesInRow(row + 2), 20);
    EXPECT_EQ(Cell(0, row + 2).hits, 2);
    EXPECT_EQ(TypesInRow(row), 2) << "the first row is untouched";
    // Right button with Shift erases the cell and its mirror.
    hp.input.MoveMouse(0, -32);
    Down(KEY_RSHIFT);
    hp.input.SetButton(1, true);
  });
  steps.push_back([&] {
    hp.input.SetButton(1, false);
    Up(KEY_RSHIFT);
    EXPECT_EQ(TypesInRow(row), 0);
  });
  Run(steps);
}

TEST_F(Editor, TheGameStandsStillWhileEditing) {
  float y = 0;
  uint32_t frame = 0;
  std::vector<Step> steps = {[] { ASSERT_EQ(StartLevelDirect(1), 1); }, [&] { Down(KEY_SPACE); },
                             [&] { Up(KEY_SPACE); }, [&] { Down(KEY_F5); },
                             [&] {
                               Up(KEY_F5);
                               ASSERT_EQ(gGame.level.balls[0].active, 1);
                               y = gGame.level.balls[0].y;
                               frame = g.frameCounter;
                             }};
  Wait(steps, 20);
  steps.push_back([&] {
    EXPECT_EQ(gGame.level.balls[0].y, y);
    Down(KEY_F5);
  });
  steps.push_back([&] { Up(KEY_F5); });
  steps.push_back([&] {
    EXPECT_EQ(gGame.level.editMode, 0);
    EXPECT_NE(gGame.level.balls[0].y, y) << "the game resumes";
    EXPECT_GT(g.frameCounter, frame);
  });
  Run(steps);
}

TEST_F(Editor, TypeAndScrollStayWithinTheirLimits) {
  std::vector<Step> steps;
  Open(steps, 100, 100);
  for (int i = 0; i < 8; ++i) steps.push_back([&] { hp.input.TurnWheel(120); });
  steps.push_back([&] {
    EXPECT_EQ(gPlay.blockType, 4);
    Down(KEY_LEFT);
  });
  steps.push_back([&] { Up(KEY_LEFT); });
  steps.push_back([&] {
    EXPECT_EQ(gPlay.blockType, 3);
    for (int i = 0; i < 3; ++i) hp.input.TurnWheel(-120);
  });
  Wait(steps, 1);
  steps.push_back([&] {
    EXPECT_EQ(gPlay.blockType, 2) << "one step per frame, whatever the wheel did";
    Down(KEY_UP);
  });
  Wait(steps, 80);
  steps.push_back([&] {
    EXPECT_EQ(gGame.level.scroll, 0);
    Up(KEY_UP);
    Down(KEY_DOWN);
  });
  Wait(steps, 140);
  steps.push_back([&] {
    Up(KEY_DOWN);
    EXPECT_EQ(gGame.level.scroll, kHeight * 16);
  });
  Run(steps);
}

TEST_F(Editor, ClearThenSaveWritesAnEmptyBlockMap) {
  std::vector<Step> steps;
  Open(steps, 100, 100);
  steps.push_back([&] { Down(KEY_F8); });
  steps.push_back([&] {
    Up(KEY_F8);
    EXPECT_EQ(TypesInRow(5), 0);
    Down(KEY_F2);
  });
  steps.push_back([&] { Up(KEY_F2); });
  Run(steps);
  std::string map = ReadText(LevelPath(1) + ".map");
  EXPECT_EQ(map, std::string(kHeight * 20, '\0'));
  std::string header = ReadText(LevelPath(1));
  EXPECT_NE(header.find("Height = 40\n"), std::string::npos) << header;
}

TEST_F(Editor, SaveThenClearThenReloadBringsThePaintingBack) {
  int row = -1;
  std::vector<Step> steps;
  Open(steps, 200, 50);
  steps.push_back([&] {
    row = RowAt(50);
    hp.input.SetButton(0, true);
  });
  steps.push_back([&] {
    hp.input.SetButton(0, false);
    Down(KEY_F2);
  });
  steps.push_back([&] {
    Up(KEY_F2);
    Down(KEY_F8);
  });
  steps.push_back([&] {
    Up(KEY_F8);
    EXPECT_EQ(TypesInRow(row), 0);
    Down(KEY_F3);
  });
  steps.push_back([&] {
    Up(KEY_F3);
    EXPECT_EQ(Cell(200 / 32, row).type, 1);
    EXPECT_EQ(TypesInRow(row), 1);
    EXPECT_EQ(TypesInRow(5), 20) << "the band of the level file";
  });
  Run(steps);
}

TEST_F(Editor, PaintingATypeBeyondTheHeaderSavesItsSection) {
  // A level with two block types; the editor offers four.
  std::string map(kHeight * 20, '\0');
  WriteLevel(1, test::LevelHeader(kHeight, 2), map);
  std::vector<Step> steps;
  Open(steps, 100, 100);
  for (int i = 0; i < 3; ++i) steps.push_back([&] { hp.input.TurnWheel(120); });
  steps.push_back([&] {
    EXPECT_EQ(gPlay.blockType, 4);
    hp.input.SetButton(0, true);
  });
  steps.push_back([&] {
    hp.input.SetButton(0, false);
    Down(KEY_F2);
  });
  steps.push_back([&] { Up(KEY_F2); });
  Run(steps);
  std::string header = ReadText(LevelPath(1));
  EXPECT_NE(header.find("Max blocks types = 4\n"), std::string::npos) << header;
  EXPECT_NE(header.find("[Block type 4]\n"), std::string::npos) << header;
}

}  // namespace
}  // namespace vx
