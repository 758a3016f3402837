#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graphics/fake_platform.h"
#include "graphics/sprite.h"
#include "graphics/test_images.h"

namespace vx {
namespace {

const char* kAnm =
    "*ALL_FRAMES\n"
    "{\n"
    "  *F a, 0, 0, 10, 10\n"
    "  *F b 10 0 10 10\n"
    "  *frame c,20,0,5,6\n"
    "}\n"
    "*ANIMATION Cycle\n"
    "{\n"
    "  *FRAME a 3\n"
    "  *FRAME b\n"
    "  *LOOP\n"
    "}\n"
    "*animation Once { *FRAME -5 B\n *frame 7 8 c 1\n *UNKNOWN 3\n *PAUSE\n }\n"
    "*ANIMATION Hold\n{\n*FRAME a 0\n*FRAME b\n}\n"
    "*ANIMATION Missing\n{\n*FRAME nothere 2\n*FRAME\n}\n";

AnimationSet Parsed() {
  AnimationSet a;
  a.Parse(kAnm, static_cast<uint32_t>(std::string(kAnm).size()));
  return a;
}

std::vector<int> Frames(AnimationSet& a, const char* name, int steps, int restart = 0) {
  std::vector<int> out;
  for (int i = 0; i < steps; ++i) {
    a.Play(name, restart);
    out.push_back(a.CurrentFrame());
  }
  return out;
}

TEST(Animation, ParsesFramesAndCommands) {
  AnimationSet a = Parsed();
  ASSERT_EQ(a.FrameCount(), 3);
  EXPECT_STREQ(a.Frame(1).name, "b");
  EXPECT_EQ(a.Frame(2).rect.right, 25);
  EXPECT_EQ(a.Frame(2).rect.bottom, 6);
  ASSERT_EQ(a.SequenceCount(), 4);
  const AnimSequence& once = a.Sequence(1);
  EXPECT_STREQ(once.name, "Once");
  // SETX -5, SETY 0, SHOW b; SETX 7, SETY 8, SHOW c, PAUSE 1; the bare *PAUSE adds nothing.
  std::vector<int> codes(once.code, once.code + once.count);
  EXPECT_EQ(codes, (std::vector<int>{4, 5, 1, 4, 5, 1, 2}));
  EXPECT_EQ(once.arg[0], -5);
  EXPECT_EQ(once.arg[1], 0);
  EXPECT_EQ(once.arg[2], 1);
  EXPECT_EQ(once.arg[4], 8);
  // An unknown frame adds only the offsets; a bare *FRAME adds nothing.
  EXPECT_EQ(a.Sequence(3).count, 2);
  EXPECT_EQ(a.FindSequence("cycle"), 0);
}

TEST(Animation, StepsAndLoops) {
  AnimationSet a = Parsed();
  // a for five steps (SHOW and PAUSE 3), b for two (SHOW and the LOOP step).
  EXPECT_EQ(Frames(a, "Cycle", 14), (std::vector<int>{0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 1, 1}));
  EXPECT_EQ(a.CurrentRect().left, 10);
  EXPECT_EQ(a.IsFinished(), 0);
  // Restarting every step stays on the first SHOW.
  EXPECT_EQ(Frames(a, "Cycle", 8, 1), std::vector<int>(8, 0));
  // Without a name the selected sequence runs on.
  a.Play("Cycle", 1);
  EXPECT_EQ(Frames(a, nullptr, 5), (std::vector<int>{0, 0, 0, 0, 1}));
}

TEST(Animation, FinishesOnTheStepAfterItsLastCommand) {
  AnimationSet a = Parsed();
  a.Play("Once", 0);
  EXPECT_EQ(a.CurrentFrame(), 1);
  EXPECT_EQ(a.OffsetX(), -5);
  a.Play(nullptr, 0);
  EXPECT_EQ(a.CurrentFrame(), 2);
  EXPECT_EQ(a.OffsetX(), 7);
  EXPECT_EQ(a.OffsetY(), 8);
  a.Play(nullptr, 0);  // PAUSE 1 loads
  a.Play(nullptr, 0);  // and ends
  EXPECT_EQ(a.IsFinished(), 0);
  a.Play(nullptr, 0);
  EXPECT_EQ(a.IsFinished(), 1);
  EXPECT_EQ(a.CurrentFrame(), 2);  // stays on its last frame
}

TEST(Animation, PauseZeroHoldsForEver) {
  AnimationSet a = Parsed();
  EXPECT_EQ(Frames(a, "Hold", 50), std::vector<int>(50, 0));
}

TEST(Animation, UnknownNamesAndMissingFiles) {
  test::TempDir dir;
  AnimationSet a = Parsed();
  a.Play("Cycle", 0);
  EXPECT_EQ(a.Play("NoSuch", 0), 0);
  EXPECT_EQ(a.OffsetX(), 0);
  EXPECT_EQ(a.Play(nullptr, 0), 0);  // still nothing selected

  AnimationSet missing;
  EXPECT_EQ(missing.Load("Nothing.anm"), 0);
  EXPECT_FALSE(missing.IsLoaded());
  EXPECT_EQ(missing.Play(nullptr, 0), 0);
  EXPECT_EQ(missing.CurrentRect().right, 0);

  // Played without a name, a loaded set runs its first sequence.
  test::WriteText("Buttons.anm", kAnm);
  AnimationSet first;
  ASSERT_EQ(first.Load("Buttons.anm"), 1);
  EXPECT_EQ(first.Play(nullptr, 0), 1);
  EXPECT_EQ(first.CurrentFrame(), 0);
}

TEST(Animation, LimitsAndHostileText) {
  std::string text = "*ALL_FRAMES {\n";
  for (int i = 0; i < 200; ++i) text += "*F f" + std::to_string(i) + " 0 0 1 1\n";
  text += "}\n";
  for (int i = 0; i < 70; ++i) {
    text += "*ANIMATION s" + std::to_string(i) + " {\n";
    for (int j = 0; j < 300; ++j) text += "*LOOP\n";
    text += "}\n";
  }
  AnimationSet a;
  a.Parse(text.c_str(), static_cast<uint32_t>(text.size()));
  EXPECT_EQ(a.FrameCount(), 128);
  EXPECT_EQ(a.SequenceCount(), 64);
  EXPECT_EQ(a.Sequence(63).count, 256);

  // Unclosed blocks, lone stars and braces: parsed without reading past the end.
  const char* junk[] = {"*", "*ALL_FRAMES", "*ALL_FRAMES {", "*ANIMATION", "*ANIMATION x {*FRAME",
                        "}}}{{{*ANIMATION {*FRAME 1 2", "*ANIMATION a\n{\n*FRAME -"};
  for (const char* j : junk) {
    std::string s(j);
    std::vector<char> exact(s.begin(), s.end());
    AnimationSet b;
    b.Parse(exact.data(), static_cast<uint32_t>(exact.size()));
    b.Play(nullptr, 0);
  }
}

}  // namespace
}  // namespace vx
