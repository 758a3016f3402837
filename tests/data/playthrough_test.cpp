// Every level of the built data set, loaded by the game's loader and played
// with the real rules by a steady player who keeps the paddle under the lowest
// ball: each must be won, with no trap that keeps the ball from the top.
#include <gtest/gtest.h>

#include "game/game_fixture.h"
#include "game/game_state.h"
#include "game/level_files.h"
#include "game/playfield.h"

namespace vx {
namespace {

class Playthrough : public test::GameTest, public ::testing::WithParamInterface<int> {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    ASSERT_NE(RegisterArchive(VX_BINARY_DIR "/Velotrix.dat", "DATA\\", 1), 0);
  }
};

TEST_P(Playthrough, EveryLevelOfTheEpisodeCanBeWon) {
  const int first = GetParam() == 1 ? 1 : 51;
  for (int level = first; level < first + 50; ++level) {
    SCOPED_TRACE("level " + std::to_string(level));
    g = GameRecord();
    gGame = GameState();
    PinClock(1000 + level);
    ASSERT_EQ(LoadLevel(level), 1);
    // The slowest level takes this player about 100000 frames (22 minutes).
    int frames = 0;
    while (frames < 250000 && PlayFrame()) ++frames;
    EXPECT_LT(frames, 250000) << "the player got stuck";
    bool atTop = false;
    for (const Ball& b : gGame.level.balls) atTop = atTop || (b.active && b.y < 15);
    EXPECT_TRUE(atTop && gGame.level.scroll == 0) << "the level ended without a win";
  }
}

INSTANTIATE_TEST_SUITE_P(Episodes, Playthrough, ::testing::Values(1, 2));

}  // namespace
}  // namespace vx
