// The editor's history and header rules on a level state of our own: more than
// 200 steps back and forth, steps that change nothing, whole-level steps, and
// the header fields held within the loader's bounds.
#include <string>
#include <vector>

#include "game/editor.h"
#include "game/editor_header.h"
#include "game/editor_history.h"
#include "game/level_files.h"
#include "game_fixture.h"

namespace vx {
namespace {

class EditorHistory : public test::GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    MakeField(kHeight, 40);
    gGame.level.backRows = BackRowsFor(kHeight);
    gGame.level.backTiles.assign(static_cast<size_t>(gGame.level.backRows) * 10, 3);
    std::snprintf(gGame.level.header.name, sizeof gGame.level.header.name, "Old name");
  }
  static std::vector<uint16_t> Types() {
    std::vector<uint16_t> t;
    for (const BlockCell& c : gGame.level.grid) t.push_back(c.type);
    return t;
  }
  // One step that gives cell i type (1 + i % 2).
  void PaintStep(int i) {
    history.Begin(false);
    const uint32_t cell = static_cast<uint32_t>(i % (kHeight * 20));
    history.Touch(cell);
    gGame.level.grid[cell].type = static_cast<uint16_t>(gGame.level.grid[cell].type % 2 + 1);
    ASSERT_TRUE(history.End());
  }
  static constexpr int kHeight = 30;
  EditHistory history;
};

TEST_F(EditorHistory, TwoHundredFiftySixStepsGoBackAndForth) {
  std::vector<std::vector<uint16_t>> states = {Types()};
  for (int i = 0; i < 300; ++i) {
    PaintStep(i * 7);
    states.push_back(Types());
  }
  ASSERT_EQ(history.UndoCount(), EditHistory::kMaxSteps);
  for (size_t k = 1; k <= EditHistory::kMaxSteps; ++k) {
    ASSERT_TRUE(history.Undo()) << k;
    ASSERT_EQ(Types(), states[300 - k]) << k;
  }
  EXPECT_FALSE(history.Undo()) << "the oldest steps gave way";
  EXPECT_EQ(Types(), states[300 - EditHistory::kMaxSteps]);
  for (size_t k = 1; k <= 200; ++k) ASSERT_TRUE(history.Redo());
  EXPECT_EQ(Types(), states[300 - EditHistory::kMaxSteps + 200]);
  EXPECT_EQ(history.RedoCount(), EditHistory::kMaxSteps - 200);

  // A new step forgets what could be redone.
  PaintStep(5);
  EXPECT_EQ(history.RedoCount(), 0u);
  EXPECT_FALSE(history.Redo());
}

TEST_F(EditorHistory, AStepThatChangesNothingIsNotKept) {
  history.Begin(false);
  history.Touch(3);
  gGame.level.grid[3].type = 1;
  gGame.level.grid[3].type = 0;  // painted and erased within one stroke
  EXPECT_FALSE(history.End());
  history.Begin(true);
  EXPECT_FALSE(history.End());
  EXPECT_FALSE(history.End()) << "nothing open";
  EXPECT_EQ(history.UndoCount(), 0u);
  // Touching outside the grid is harmless.
  history.Begin(false);
  history.Touch(1u << 30);
  EXPECT_FALSE(history.End());
}

TEST_F(EditorHistory, AnOpenStepIsClosedByUndo) {
  history.Begin(false);
  history.Touch(0);
  gGame.level.grid[0].type = 2;
  ASSERT_TRUE(history.IsOpen());
  EXPECT_TRUE(history.Undo());
  EXPECT_EQ(gGame.level.grid[0].type, 0);
  EXPECT_TRUE(history.Redo());
  EXPECT_EQ(gGame.level.grid[0].type, 2);
}

TEST_F(EditorHistory, GrowingAddsRowsAtTheTopAndShrinkingTakesThem) {
  LevelState& L = gGame.level;
  Cell(4, 0).type = 1;            // top row
  Cell(5, kHeight - 1).type = 2;  // bottom row
  const std::vector<uint16_t> before = Types();
  const std::vector<uint8_t> tilesBefore = L.backTiles;

  ASSERT_TRUE(SetHeaderField(FIELD_HEIGHT, "50", history));
  EXPECT_EQ(L.header.height, 50);
  ASSERT_EQ(L.grid.size(), 50u * 20);
  EXPECT_EQ(Cell(4, 20).type, 1) << "the old top row, 20 rows lower";
  EXPECT_EQ(Cell(5, 49).type, 2) << "the bottom stays the bottom";
  for (int r = 0; r < 20; ++r)
    for (int c = 0; c < 20; ++c) ASSERT_EQ(Cell(c, r).type, 0);
  EXPECT_EQ(L.backRows, BackRowsFor(50));
  EXPECT_EQ(L.scroll, 40 + 20 * 16) << "the same blocks stay in view";
  // The background's bottom rows stay as they were.
  EXPECT_TRUE(std::equal(tilesBefore.rbegin(), tilesBefore.rend(), L.backTiles.rbegin()));

  ASSERT_TRUE(SetHeaderField(FIELD_HEIGHT, "29", history));
  EXPECT_EQ(Cell(5, 28).type, 2);
  EXPECT_EQ(Cell(4, 0).type, 0) << "the top rows went, with the block in them";

  ASSERT_TRUE(history.Undo());
  EXPECT_EQ(L.header.height, 50);
  ASSERT_TRUE(history.Undo());
  EXPECT_EQ(L.header.height, kHeight);
  EXPECT_EQ(Types(), before);
  EXPECT_EQ(L.backTiles, tilesBefore);
  EXPECT_EQ(L.scroll, 40);
}

TEST_F(EditorHistory, NumbersStayWithinTheLoadersBounds) {
  LevelState& L = gGame.level;
  SetHeaderField(FIELD_HEIGHT, "0", history);
  EXPECT_EQ(L.header.height, kMinLevelHeight);
  SetHeaderField(FIELD_HEIGHT, "9999999", history);
  EXPECT_EQ(L.header.height, kMaxLevelHeight);
  SetHeaderField(FIELD_SCROLL_SPEED, "0", history);
  EXPECT_EQ(L.header.scrollSpeed, kMinScrollSpeed);
  SetHeaderField(FIELD_SCROLL_SPEED, "1001", history);
  EXPECT_EQ(L.header.scrollSpeed, kMaxScrollSpeed);
  SetHeaderField(FIELD_TILE_SET, "20", history);
  EXPECT_EQ(L.header.backTilesSet, 19);
  EXPECT_EQ(L.tileSet, 19) << "the background shows the set";
  // Type 1 hits, type 2 score.
  SetHeaderField(FIELD_FIRST_TYPE, "70000", history);
  EXPECT_EQ(L.types[0].hitCounter, 65535u);
  SetHeaderField(FIELD_FIRST_TYPE + 3, "1000001", history);
  EXPECT_EQ(L.types[1].score, static_cast<uint32_t>(kMaxBlockScore));
  SetHeaderField(FIELD_FIRST_TYPE + 3, "1000000", history);
  EXPECT_EQ(L.types[1].score, 1000000u);

  // Texts are cut to what the header holds.
  SetHeaderField(FIELD_NAME, std::string(40, 'n'), history);
  EXPECT_EQ(std::string(L.header.name), std::string(31, 'n'));
  SetHeaderField(FIELD_TEXT, std::string(300, 't'), history);
  EXPECT_EQ(std::string(L.header.text).size(), 255u);
  // As a reload gives them back: without the blanks round them.
  SetHeaderField(FIELD_NAME, " \t Padded name   ", history);
  EXPECT_STREQ(L.header.name, "Padded name");
  SetHeaderField(FIELD_NAME, std::string(30, 'n') + "  x", history);
  EXPECT_EQ(std::string(L.header.name), std::string(30, 'n')) << "cut, then trimmed";
}

TEST_F(EditorHistory, BlockTypesInUseKeepEveryTypeTheCellsUse) {
  LevelState& L = gGame.level;
  PutBlock(0, 3, 2);
  EXPECT_FALSE(SetHeaderField(FIELD_BLOCK_TYPES, "1", history)) << "type 2 is in use";
  EXPECT_EQ(L.header.maxBlockTypes, 2);
  EXPECT_EQ(HeaderFieldCount(), FIELD_FIRST_TYPE + 4);

  // A type coming into use: 1 hit and no score, as the loader gives it.
  L.types[2] = BlockType{0, 999, {}};
  ASSERT_TRUE(SetHeaderField(FIELD_BLOCK_TYPES, "3", history));
  EXPECT_EQ(L.types[2].hitCounter, 1u);
  EXPECT_EQ(L.types[2].score, 0u);
  EXPECT_EQ(L.types[2].image[4], L.types[0].image[4]);
  EXPECT_EQ(HeaderFieldText(FIELD_FIRST_TYPE + 4), "1");
  ASSERT_TRUE(history.Undo());
  EXPECT_EQ(L.types[2].score, 999u);
  EXPECT_EQ(L.header.maxBlockTypes, 2);
}

TEST_F(EditorHistory, ANewHitCounterReachesEveryBlockOfItsType) {
  PutBlock(1, 1, 1);
  PutBlock(2, 2, 1);
  PutBlock(3, 3, 2);
  ASSERT_TRUE(SetHeaderField(FIELD_FIRST_TYPE, "4", history));
  EXPECT_EQ(Cell(1, 1).hits, 4);
  EXPECT_EQ(Cell(2, 2).hits, 4);
  EXPECT_EQ(Cell(3, 3).hits, 0) << "a solid block of type 2";
  ASSERT_TRUE(history.Undo());
  EXPECT_EQ(Cell(1, 1).hits, 2);
  EXPECT_EQ(gGame.level.types[0].hitCounter, 2u);
}

TEST_F(EditorHistory, PaintingATypeBeyondTheCountGivesItTheLoadersValues) {
  gGame.level.types[3] = BlockType{0, 0, {}};  // never loaded
  PaintCell(2, 2, 4);
  EXPECT_EQ(gGame.level.header.maxBlockTypes, 4);
  EXPECT_EQ(Cell(2, 2).hits, 1) << "not a solid block by accident";
}

}  // namespace
}  // namespace vx
