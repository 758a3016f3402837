#include <gtest/gtest.h>

#include <vector>

#include "graphics/fake_platform.h"
#include "input/input.h"

namespace vx {
namespace {

struct InputFixture : ::testing::Test {
  test::TempDir dir;
  test::FakePlatform fake;
  void SetUp() override { ASSERT_EQ(Input::Init(1), 1); }
  void TearDown() override { Input::Shutdown(); }

  void Frame(uint32_t ms = 13) {
    fake.clock.now += ms;
    Input::Poll();
  }
  void SetLeft(bool held) { fake.input.mouse.buttons[0] = held ? 0x80 : 0; }
  void SetRight(bool held) { fake.input.mouse.buttons[1] = held ? 0x80 : 0; }
  std::vector<uint32_t> Drain() {
    std::vector<uint32_t> out;
    MouseEvent e;
    for (Input::PopMouseEvent(&e); e.type; Input::PopMouseEvent(&e)) out.push_back(e.type);
    return out;
  }
  // A click: press now, release a frame later, then wait `gap` before the next.
  void Click(void (InputFixture::*set)(bool), uint32_t gap) {
    (this->*set)(true);
    Frame(0);
    (this->*set)(false);
    Frame(0);
    fake.clock.now += gap;
  }
};

TEST_F(InputFixture, KeyPressedOnlyOnTheFirstFrame) {
  fake.input.keys[KEY_SPACE] = 0x80;
  Frame();
  EXPECT_EQ(Input::KeyPressed(KEY_SPACE), 1);
  EXPECT_NE(Input::KeyHeld(KEY_SPACE), 0);
  EXPECT_EQ(Input::AnyKeyPressed(), KEY_SPACE);
  Frame();
  Frame();
  EXPECT_EQ(Input::KeyPressed(KEY_SPACE), 0);
  EXPECT_NE(Input::KeyHeld(KEY_SPACE), 0);
  EXPECT_EQ(Input::AnyKeyPressed(), 0);
  fake.input.keys[KEY_SPACE] = 0;
  Frame();
  EXPECT_EQ(Input::KeyHeld(KEY_SPACE), 0);
  EXPECT_EQ(Input::KeyPressed(KEY_SPACE), 0);
  fake.input.keys[KEY_SPACE] = 0x80;
  Frame();
  EXPECT_EQ(Input::KeyPressed(KEY_SPACE), 1);
}

TEST_F(InputFixture, AnyKeyPressedIsTheLowestAndNever255) {
  fake.input.keys[255] = 0x80;
  Frame();
  EXPECT_EQ(Input::AnyKeyPressed(), 0);
  fake.input.keys[KEY_DOWN] = 0x80;
  fake.input.keys[KEY_ESCAPE] = 0x80;
  Frame();
  EXPECT_EQ(Input::AnyKeyPressed(), KEY_ESCAPE);
}

TEST_F(InputFixture, FailedKeyboardReadReportsNoNewPress) {
  fake.input.keys[KEY_ENTER] = 0x80;
  Frame();
  fake.input.keyboardOk = false;
  Frame();
  EXPECT_EQ(Input::KeyPressed(KEY_ENTER), 0);
  EXPECT_NE(Input::KeyHeld(KEY_ENTER), 0);  // the old state stays
}

TEST_F(InputFixture, LeftDoubleClickWindow) {
  Click(&InputFixture::SetLeft, 250);
  Click(&InputFixture::SetLeft, 250);
  Click(&InputFixture::SetLeft, 400);
  Click(&InputFixture::SetLeft, 0);
  EXPECT_EQ(Drain(), (std::vector<uint32_t>{1, 2, 3, 2, 3, 2, 1, 2}));
}

TEST_F(InputFixture, RightWindowIsShorter) {
  Click(&InputFixture::SetRight, 200);
  Click(&InputFixture::SetRight, 100);
  Click(&InputFixture::SetRight, 0);
  EXPECT_EQ(Drain(), (std::vector<uint32_t>{11, 12, 11, 12, 13, 12}));
  EXPECT_EQ(Input::rightHeld, 0);
  SetRight(true);
  Frame();
  EXPECT_EQ(Input::rightHeld, 1);
}

TEST_F(InputFixture, FullQueueDropsNewEvents) {
  for (int i = 0; i < 15; ++i) Click(&InputFixture::SetLeft, 1000);  // 30 events
  std::vector<uint32_t> got = Drain();
  ASSERT_EQ(got.size(), 19u);
  for (size_t i = 0; i < got.size(); ++i) EXPECT_EQ(got[i], i % 2 ? 2u : 1u);
  Click(&InputFixture::SetLeft, 1000);
  EXPECT_EQ(Drain(), (std::vector<uint32_t>{1, 2}));
}

TEST_F(InputFixture, MotionAccumulatesUntilRead) {
  fake.input.mouse.x = 5;
  fake.input.mouse.y = -3;
  fake.input.mouse.z = 120;
  Frame();
  fake.input.mouse.x = 2;
  SetLeft(true);
  Frame();
  int32_t dx, dy, dz;
  Input::ReadMouse(&dx, &dy, &dz);
  EXPECT_EQ(dx, 7);
  EXPECT_EQ(dy, -3);
  EXPECT_EQ(dz, 120);
  Input::ReadMouse(&dx, &dy, nullptr);
  EXPECT_EQ(dx, 0);
  EXPECT_EQ(dy, 0);
  MouseEvent e;
  Input::PopMouseEvent(&e);
  EXPECT_EQ(e.type, 1u);
  EXPECT_EQ(e.dx, 7);  // the motion when it was queued
}

TEST_F(InputFixture, LostAndFailedMouse) {
  fake.input.mouse.x = 9;
  Frame();
  fake.input.mouseResult = InputDevices::kMouseFailed;
  Frame();
  int32_t dx, dy;
  Input::ReadMouse(&dx, &dy, nullptr);
  EXPECT_EQ(dx, 0);  // a failed read clears the motion
  fake.input.mouseResult = InputDevices::kMouseLost;
  SetLeft(true);
  Frame();
  EXPECT_TRUE(fake.input.acquired);
  EXPECT_EQ(Input::leftHeld, 0);  // no state was read
  Input::Activate(0);
  EXPECT_FALSE(fake.input.acquired);
}

// A mouse lost while a button is held and acquired again has read nothing:
// the button stays held, and neither a release nor a second press (which would
// count as a double click) is made up.
TEST_F(InputFixture, AReacquiredMouseInventsNoButtonEdges) {
  SetLeft(true);
  SetRight(true);
  Frame();
  EXPECT_EQ(Drain(), (std::vector<uint32_t>{1, 11}));
  fake.input.mouseResult = InputDevices::kMouseLost;
  Frame();
  EXPECT_TRUE(fake.input.acquired);
  EXPECT_EQ(Input::leftHeld, 1);
  EXPECT_EQ(Input::rightHeld, 1);
  fake.input.mouseResult = InputDevices::kMouseOk;
  Frame();
  EXPECT_EQ(Drain(), std::vector<uint32_t>{}) << "still held: no edge at all";
  EXPECT_EQ(Input::leftHeld, 1);

  // A release made while the mouse was lost is seen at the next good read.
  fake.input.mouseResult = InputDevices::kMouseLost;
  Frame();
  SetLeft(false);
  fake.input.mouseResult = InputDevices::kMouseOk;
  Frame();
  EXPECT_EQ(Drain(), std::vector<uint32_t>{2});
  EXPECT_EQ(Input::leftHeld, 0);
  EXPECT_EQ(Input::rightHeld, 1);
}

}  // namespace
}  // namespace vx
