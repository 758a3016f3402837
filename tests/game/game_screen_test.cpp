// The game screen driven frame by frame on the headless platform: the quit
// question, pause, the end of a level with its fade, cheat words, the options
// key, the inventory keys and the screenshot key.
#include <sys/stat.h>

#include "game/ball.h"
#include "game/game_state.h"
#include "game/game_update.h"
#include "game/items.h"
#include "game/playfield.h"
#include "game_screen_fixture.h"
#include "support/text_ink.h"

namespace vx {
namespace {

using test::GameScreenTest;

class GameScreenPlay : public GameScreenTest {
 protected:
  void SetUp() override {
    GameScreenTest::SetUp();
    WriteBandLevel(1, 40, 4, 6);
  }
  Step Start() {
    return [] { ASSERT_EQ(StartLevelDirect(1), 1); };
  }
};

TEST_F(GameScreenPlay, EscapeThenYLeavesTheLevelAsNotWon) {
  uint32_t standing = 0;
  Run({Start(),
       [&] {
         // Nearly done: the field is scrolled to its top.
         gGame.level.scroll = 0;
         Down(KEY_ESCAPE);
       },
       [&] {
         Up(KEY_ESCAPE);
         EXPECT_EQ(gGame.level.quitRequest, 1);
         standing = g.frameCounter;
       },
       [&] {
         EXPECT_EQ(g.frameCounter, standing) << "the game stands still during the question";
         Down(KEY_Y);
       },
       [&] {
         EXPECT_EQ(CurrentName(), "SpyRoot");
         ASSERT_EQ(root.entries.size(), 2u);
         EXPECT_EQ(root.entries[1].previous, g.screens.game);
         EXPECT_EQ(root.entries[1].argument, 0);
         EXPECT_EQ(gGame.campaign[0].completed, 0u);
       }});
}

TEST_F(GameScreenPlay, EscapeOrNAnswerTheQuestionAndPlayGoesOn) {
  Run({Start(), [&] { Down(KEY_ESCAPE); },
       [&] { Up(KEY_ESCAPE); },
       [&] { Down(KEY_N); },
       [&] {
         Up(KEY_N);
         EXPECT_EQ(gGame.level.quitRequest, 0);
         Down(KEY_ESCAPE);
       },
       [&] { Up(KEY_ESCAPE); },
       [&] {
         EXPECT_EQ(gGame.level.quitRequest, 1);
         Down(KEY_ESCAPE);
       },
       [&] {
         EXPECT_EQ(gGame.level.quitRequest, 0);
         EXPECT_EQ(CurrentName(), "GameScreen");
       }});
}

TEST_F(GameScreenPlay, PauseHasNoEffectDuringTheQuitQuestion) {
  Run({Start(), [&] { Down(KEY_ESCAPE); },
       [&] {
         Up(KEY_ESCAPE);
         Down(KEY_PAUSE);
       },
       [&] {
         Up(KEY_PAUSE);
         EXPECT_EQ(gGame.level.paused, 0);
         EXPECT_EQ(gGame.level.quitRequest, 1);
       }});
}

TEST_F(GameScreenPlay, EscapeDuringPauseOnlyEndsThePause) {
  uint32_t standing = 0;
  std::vector<Step> steps = {Start(), [&] { Down(KEY_PAUSE); },
                             [&] {
                               Up(KEY_PAUSE);
                               EXPECT_EQ(gGame.level.paused, 1);
                               standing = g.frameCounter;
                             }};
  Wait(steps, 40);
  steps.push_back([&] {
    EXPECT_EQ(g.frameCounter, standing);
    EXPECT_EQ(gPlay.message, MESSAGE_PAUSE);
    EXPECT_EQ(gPlay.panelStep, 2) << "the panel has unfolded and carries its text";
    Down(KEY_ESCAPE);
  });
  steps.push_back([&] {
    Up(KEY_ESCAPE);
    EXPECT_EQ(gGame.level.paused, 0);
    EXPECT_EQ(gGame.level.quitRequest, 0);
    EXPECT_EQ(gPlay.message, MESSAGE_NONE);
    EXPECT_EQ(g.frameCounter, standing);
  });
  steps.push_back([&] { EXPECT_EQ(g.frameCounter, standing + 1); });
  Run(steps);
}

TEST_F(GameScreenPlay, FailedPanelWaitsForAKeyThenTheMusicFadesOneStepPerFrame) {
  std::vector<Step> steps = {Start(), [&] {
                               SetMusicVolume(5);
                               gGame.player.lives = 0;
                               gGame.level.ballWaiting = 0;  // no ball and no life left
                             }};
  steps.push_back([&] {
    EXPECT_EQ(gGame.level.levelEnded, 1);
    EXPECT_EQ(gGame.level.levelFailed, 1);
  });
  Wait(steps, 50);
  steps.push_back([&] {
    EXPECT_EQ(CurrentName(), "GameScreen");
    EXPECT_EQ(GetMusicVolume(), 5) << "nothing happens before a key";
    EXPECT_EQ(gPlay.message, MESSAGE_ENDED);
    Down(KEY_SPACE);
  });
  for (int v = 4; v >= 0; --v)
    steps.push_back([&, v] {
      Up(KEY_SPACE);
      EXPECT_EQ(GetMusicVolume(), v);
      EXPECT_EQ(CurrentName(), "GameScreen");
    });
  steps.push_back([&] {
    EXPECT_EQ(CurrentName(), "SpyRoot");
    ASSERT_EQ(root.entries.size(), 2u);
    EXPECT_EQ(root.entries[1].argument, 0);
    EXPECT_EQ(GetMusicVolume(), 5) << "the volume is given back after the fade";
  });
  Run(steps);
}

TEST_F(GameScreenPlay, TheEndMessagesSayWhatToDoUntilAnsweredAndRead) {
  test::InkRecorder ink;
  const std::string prompt = "Press a key or click to continue";
  std::vector<Step> steps = {Start(), [&] {
                               SetMusicVolume(5);
                               gGame.player.lives = 0;
                               gGame.level.ballWaiting = 0;
                             }};
  // The panel unfolds first, with nothing on it.
  steps.push_back([&] { ink.Clear(); });
  steps.push_back([&] {
    EXPECT_FALSE(ink.Drew("Level failed"));
    EXPECT_FALSE(ink.Drew(prompt));
  });
  Wait(steps, 40);
  steps.push_back([&] { ink.Clear(); });
  steps.push_back([&] {
    EXPECT_TRUE(ink.Drew("Level failed")) << ink.Words();
    EXPECT_TRUE(ink.Drew(prompt)) << ink.Words();
    ink.ExpectReadable(hp.display.frame, 640, 480);
    Down(KEY_SPACE);
  });
  steps.push_back([&] {
    Up(KEY_SPACE);
    ink.Clear();
  });
  steps.push_back([&] {
    EXPECT_TRUE(ink.Drew("Level failed")) << "the message stays while the music fades";
    EXPECT_FALSE(ink.Drew(prompt)) << "answered: nothing more to do";
  });
  Run(steps);
}

TEST_F(GameScreenPlay, TheWonLevelsMessageAndTheEditorsKeysRead) {
  test::InkRecorder ink;
  std::vector<Step> steps = {Start(), [&] { Down(KEY_F5); }, [&] { Up(KEY_F5); }};
  steps.push_back([&] { ink.Clear(); });
  steps.push_back([&] {
    for (const char* line : {"F5 - toggle edit mode", "F3 - reload level", "F8 - clear level",
                             "F2 - save level"})
      EXPECT_TRUE(ink.Drew(line)) << line << " in " << ink.Words();
    ink.ExpectReadable(hp.display.frame, 640, 480);
    Down(KEY_F5);
  });
  steps.push_back([&] {
    Up(KEY_F5);
    Type("completed");
  });
  Wait(steps, 40);
  steps.push_back([&] { ink.Clear(); });
  steps.push_back([&] {
    EXPECT_TRUE(ink.Drew("Level complete! Press a key or click to continue")) << ink.Words();
    ink.ExpectReadable(hp.display.frame, 640, 480);
  });
  Run(steps);
}

TEST_F(GameScreenPlay, AWonLevelIsMarkedCompletedAndReportedWithOneAfterAClick) {
  std::vector<Step> steps = {Start(), [&] {
                               SetMusicVolume(2);
                               Type("completed");
                             }};
  steps.push_back([&] {
    EXPECT_EQ(gGame.level.levelEnded, 1);
    EXPECT_EQ(gGame.level.levelFailed, 0);
    EXPECT_EQ(gGame.campaign[0].completed, 1u);
    EXPECT_EQ(gGame.level.cheatUsed, 1);
    hp.input.SetButton(0, true);
  });
  steps.push_back([&] { hp.input.SetButton(0, false); });
  Wait(steps, 3);
  steps.push_back([&] {
    ASSERT_EQ(root.entries.size(), 2u);
    EXPECT_EQ(root.entries[1].argument, 1);
  });
  Run(steps);
}

TEST_F(GameScreenPlay, ASecondEndDuringTheFadeKeepsTheVolumeToGiveBack) {
  std::vector<Step> steps = {Start(), [&] {
                               SetMusicVolume(10);
                               gGame.player.lives = 0;
                               gGame.level.ballWaiting = 0;
                             },
                             [&] { Down(KEY_SPACE); }, [&] { Up(KEY_SPACE); }};
  Wait(steps, 2);
  steps.push_back([&] {
    EXPECT_LT(GetMusicVolume(), 10);
    Type("completed");
  });
  Wait(steps, 12);
  steps.push_back([&] {
    EXPECT_EQ(CurrentName(), "SpyRoot");
    EXPECT_EQ(GetMusicVolume(), 10);
    ASSERT_EQ(root.entries.size(), 2u);
    EXPECT_EQ(root.entries[1].argument, 0) << "a lost level stays lost";
  });
  Run(steps);
}

TEST_F(GameScreenPlay, CheatWordsMatchWithinOtherTyping) {
  int lives = 0, score = 0;
  std::vector<Step> steps = {Start(), [&] {
                               lives = gGame.player.lives;
                               score = gGame.player.score;
                               Type("xyzfire");
                             }};
  steps.push_back([&] {
    EXPECT_TRUE(IsActive(ITEM_CANNON));
    EXPECT_EQ(gGame.level.cheatUsed, 1);
    Type("ball");
  });
  steps.push_back([&] { Type("ball"); });
  steps.push_back([&] {
    EXPECT_EQ(gGame.player.lives, lives + 2) << "\"ball\" twice gives two lives";
    Type("getmescoresgetmecredits");
  });
  steps.push_back([&] {
    EXPECT_EQ(gGame.player.score, score + 10000);
    EXPECT_EQ(gGame.player.credits, 150 + 1000);
    // Across the end of the ring of typed characters.
    Type(std::string(254, 'q') + "longlive");
  });
  steps.push_back([&] {
    EXPECT_EQ(gGame.player.lives, lives + 12);
    Down(KEY_PAUSE);
  });
  steps.push_back([&] {
    Up(KEY_PAUSE);
    Type("longlive");
  });
  steps.push_back([&] { EXPECT_EQ(gGame.player.lives, lives + 12) << "ignored while paused"; });
  Run(steps);
}

TEST_F(GameScreenPlay, TheWordBossLeavesTheLevelForTheBossFightOverTheRoot) {
  Run({Start(), [&] { Type("boss"); },
       [&] {
         EXPECT_EQ(CurrentName(), "BossScreen");
         EXPECT_EQ(g.screenStackDepth, 2);
         EXPECT_EQ(g.screenStack[1], &root);
         EXPECT_EQ(gGame.campaign[0].completed, 0u);
       }});
}

TEST_F(GameScreenPlay, F10OpensTheOptionsAndComingBackEndsThePause) {
  Run({Start(), [&] { Down(KEY_PAUSE); },
       [&] {
         Up(KEY_PAUSE);
         Down(KEY_F10);
       },
       [&] {
         Up(KEY_F10);
         EXPECT_EQ(CurrentName(), "OptionsScreen");
         EXPECT_EQ(gGame.level.paused, 1);
         Down(KEY_ESCAPE);
       },
       [&] {
         Up(KEY_ESCAPE);
         EXPECT_EQ(CurrentName(), "GameScreen");
         EXPECT_EQ(gGame.level.paused, 0);
       }});
}

TEST_F(GameScreenPlay, DigitKeysSwitchOnTheirInventorySlots) {
  Run({Start(),
       [&] {
         gGame.player.inventory[0] = ItemSlot{ITEM_WIDE_BUSTER, 2, 0, 0, 0, 0};
         gGame.player.inventory[9] = ItemSlot{ITEM_SHIELD, 1, 0, 0, 0, 0};
         Down(KEY_1);
         Down(KEY_0);
       },
       [&] {
         Up(KEY_1);
         Up(KEY_0);
         EXPECT_EQ(gGame.player.inventory[0].count, 1);
         EXPECT_TRUE(IsActive(ITEM_WIDE_BUSTER));
         EXPECT_TRUE(IsActive(ITEM_SHIELD));
       },
       [&] { EXPECT_EQ(gGame.level.paddle.w, 120); }});
}

TEST_F(GameScreenPlay, TheProgressFigureRunsFromZeroToAHundred) {
  Run({Start(),
       [&] {
         EXPECT_EQ(LevelProgress(), 0);
         // 15 rows to play; the last one left is under one percent of them only at the top.
         gGame.level.scroll = 16 * 1;
         EXPECT_EQ(LevelProgress(), 93);
         gGame.level.scroll = 15;
         EXPECT_EQ(LevelProgress(), 100);
       }});
}

TEST_F(GameScreenPlay, HoldingPrintScreenWritesOnePicture) {
  std::vector<Step> steps = {Start(), [&] { Down(KEY_PRINTSCREEN); }};
  Wait(steps, 5);
  steps.push_back([&] { Up(KEY_PRINTSCREEN); });
  Run(steps);
  struct stat st;
  EXPECT_EQ(stat("screen00.pcx", &st), 0);
  EXPECT_EQ(st.st_size > 128, true);
  EXPECT_NE(stat("screen01.pcx", &st), 0);
}

}  // namespace
}  // namespace vx
