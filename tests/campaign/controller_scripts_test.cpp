// The whole game driven by `velotrix-tool play` scripts without a mouse: a
// controller alone from the menu to a launched ball, controls changed on
// their page that come back after a restart, and the question before leaving
// unsaved progress.
#include <gtest/gtest.h>

#include <string>

#include "resources/file_system.h"
#include "support/play_script.h"
#include "support/temp_dir.h"

namespace vx {
namespace {

using test::ReadText;

class ControllerScripts : public test::PlayScriptTest {
 protected:
  int Play(const std::string& script) { return test::PlayScript(script); }
  std::string Err() { return ReadText("err.txt"); }
};

TEST_F(ControllerScripts, TheControllerAloneGoesFromTheMenuToALaunchedBall) {
  const std::string script =
      "frames 5\n"
      "pad a\n"
      "frames 30\n"
      "expect screen NodeScreen\n"
      "frames 60\n"
      "pad a\n"
      "frames 60\n"
      "expect screen GameScreen\n"
      "dump 1 state.txt\n"
      "frames 1\n"
      "pad a\n"
      "frames 2\n"
      "axis leftx 32767\n"
      "frames 10\n"
      "axis leftx 0\n"
      "pad start\n"
      "frames 3\n"
      "pad start\n"
      "pad b\n"
      "frames 3\n"
      "pad a\n"
      "frames 3\n"
      "expect screen NodeScreen\n"
      "quit\n";
  ASSERT_EQ(Play(script), 0) << Err();
  const std::string state = ReadText("state.txt");
  // Waiting on the ship, launched by A, the ship pushed right by the stick,
  // paused by Start, asked by B whether to leave and leaving with A.
  const size_t launched = state.find(" playing ");
  ASSERT_NE(state.find(" waiting "), std::string::npos) << state;
  ASSERT_NE(launched, std::string::npos) << state;
  EXPECT_LT(state.find(" waiting "), launched);
  EXPECT_NE(state.find("paddle 440,"), std::string::npos) << "ten steps of 12 pixels" << state;
  EXPECT_NE(state.find(" paused "), std::string::npos);
  EXPECT_NE(state.find(" quit "), std::string::npos);
}

TEST_F(ControllerScripts, OnTheMapTheShouldersWalkPlayShopSaveAndBack) {
  // From no command RB starts at Play and LB at Back.
  const std::string script =
      "frames 5\npad a\nframes 60\nexpect screen NodeScreen\n"
      "pad rightshoulder\nframes 2\npad rightshoulder\nframes 2\nshot shop-focused.png\n"
      "pad a\nframes 60\nexpect screen ShopScreen\npad b\nframes 60\nexpect screen NodeScreen\n"
      "moveto 320 250\nframes 2\npad leftshoulder\nframes 2\npad leftshoulder\nframes 2\n"
      "pad a\nframes 60\nexpect screen SaveScreen\nquit\n";
  ASSERT_EQ(Play(script), 0) << Err();
}

TEST_F(ControllerScripts, ControlsChangedOnTheirPageComeBackAfterARestart) {
  // The page from the options; Launch / fire (fifth row) takes F.
  const test::Point options = test::FrameCentre("menu.frm", "options_up", 316, 179);
  const std::string change = "frames 5\n" + test::ClickAt(options) +
                             "expect screen OptionsScreen\n" + test::ClickAt({452, 438}) +
                             "expect screen ControlsScreen\n" + test::ClickAt({200, 184}) +
                             "key F\nframes 2\nshot controls.png\nquit\n";
  ASSERT_EQ(Play(change), 0) << Err();
  const std::string ini = ReadText("run/Velotrix.ini");
  ASSERT_NE(ini.find("\n[Controls]\n"), std::string::npos) << ini;
  EXPECT_NE(ini.find("\nLaunch / fire = F\n"), std::string::npos) << ini;

  // A new run in the same folder: Space no longer launches, F does.
  const std::string use =
      "seed 7\nlevel 1\ndump 1 state2.txt\nframes 10\nkey Space\nframes 20\nkey F\nframes 10\n"
      "quit\n";
  ASSERT_EQ(Play(use), 0) << Err();
  const std::string state = ReadText("state2.txt");
  int waiting = 0;
  for (size_t at = state.find(" waiting "); at != std::string::npos;
       at = state.find(" waiting ", at + 1))
    ++waiting;
  EXPECT_GE(waiting, 32) << "Space launched: " << state;
  EXPECT_NE(state.find(" playing "), std::string::npos) << "F did not launch: " << state;
  EXPECT_NE(ReadText("run/Velotrix.ini").find("\nLaunch / fire = F\n"), std::string::npos);
}

TEST_F(ControllerScripts, LeavingUnsavedProgressAsksFirst) {
  const std::string script =
      "frames 5\npad a\nframes 100\nexpect screen NodeScreen\npad a\nframes 60\n"
      "expect screen GameScreen\ntype completed\nframes 30\npad a\nframes 200\n"
      "expect screen ShopScreen\n"
      "close\nframes 40\nshot question.png\nkey N\nframes 2\nexpect screen ShopScreen\n"
      "close\nframes 5\nkey Y\nframes 2\nexpect screen Nowhere\n";
  ASSERT_EQ(Play(script), 0) << Err();
  EXPECT_EQ(Err(), "");
  const std::string log = ReadText("run/Log.txt");
  EXPECT_NE(log.find("Quit asked: the campaign has unsaved progress\n"), std::string::npos);
  EXPECT_NE(log.find("Save config\n"), std::string::npos);
}

}  // namespace
}  // namespace vx
