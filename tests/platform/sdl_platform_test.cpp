// The SDL back end on SDL's own dummy video and audio drivers.
#include "platform/sdl/sdl_platform.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <set>
#include <thread>

#include "base/log.h"
#include "input/controls.h"
#include "support/temp_dir.h"

namespace vx {
namespace {

// Waits (boundedly) for a condition another thread makes true.
template <typename F>
bool Eventually(F done) {
  for (int i = 0; i < 400 && !done(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  return done();
}

class SdlBackEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    StartLog();
    p = CreateSdlPlatform();
    gPlatform = p;
  }
  void TearDown() override {
    gPlatform = nullptr;
    DestroySdlPlatform();
  }
  std::vector<PlatformEvent> Drain() {
    std::vector<PlatformEvent> out;
    PlatformEvent ev;
    while (p->window->PollEvent(ev)) out.push_back(ev);
    return out;
  }
  void PushKey(Uint32 type, SDL_Scancode sc, Uint16 mod = 0) {
    SDL_Event e{};
    e.type = type;
    e.key.keysym.scancode = sc;
    e.key.keysym.mod = mod;
    SDL_PushEvent(&e);
  }

  test::TempDir dir;
  Platform* p = nullptr;
};

TEST(SdlKeymap, GameKeysGetTheirScanCodes) {
  const std::pair<SDL_Scancode, int> keys[] = {
      {SDL_SCANCODE_ESCAPE, 1},     {SDL_SCANCODE_1, 2},        {SDL_SCANCODE_9, 10},
      {SDL_SCANCODE_0, 11},         {SDL_SCANCODE_TAB, 15},     {SDL_SCANCODE_LCTRL, 29},
      {SDL_SCANCODE_RCTRL, 157},    {SDL_SCANCODE_D, 32},       {SDL_SCANCODE_LSHIFT, 42},
      {SDL_SCANCODE_RSHIFT, 54},    {SDL_SCANCODE_SPACE, 57},   {SDL_SCANCODE_F2, 60},
      {SDL_SCANCODE_F3, 61},        {SDL_SCANCODE_F8, 66},      {SDL_SCANCODE_F10, 68},
      {SDL_SCANCODE_PRINTSCREEN, 183}, {SDL_SCANCODE_PAUSE, 197}, {SDL_SCANCODE_UP, 200},
      {SDL_SCANCODE_PAGEUP, 201},   {SDL_SCANCODE_LEFT, 203},   {SDL_SCANCODE_RIGHT, 205},
      {SDL_SCANCODE_DOWN, 208},     {SDL_SCANCODE_PAGEDOWN, 209}, {SDL_SCANCODE_RETURN, 28},
      {SDL_SCANCODE_BACKSPACE, 14}, {SDL_SCANCODE_Y, 21},       {SDL_SCANCODE_N, 49},
      {SDL_SCANCODE_KP_ENTER, 156}, {SDL_SCANCODE_RALT, 184},   {SDL_SCANCODE_DELETE, 211},
  };
  for (auto [sdl, code] : keys) EXPECT_EQ(SdlScancodeToSet1(sdl), code) << SDL_GetScancodeName(sdl);
}

TEST(SdlKeymap, WholeKeyboardWithoutCollisions) {
  std::set<int> seen;
  int mapped = 0;
  for (int sc = 0; sc < SDL_NUM_SCANCODES; ++sc) {
    int code = SdlScancodeToSet1(sc);
    // SysRq is Print Screen with Alt; the ISO hash key is the backslash key.
    if (!code || sc == SDL_SCANCODE_SYSREQ || sc == SDL_SCANCODE_NONUSHASH) continue;
    ++mapped;
    EXPECT_LT(code, 255) << sc;
    EXPECT_TRUE(seen.insert(code).second) << "code " << code << " twice";
  }
  for (int sc = SDL_SCANCODE_A; sc <= SDL_SCANCODE_KP_PERIOD; ++sc)
    EXPECT_NE(SdlScancodeToSet1(sc), 0) << SDL_GetScancodeName(static_cast<SDL_Scancode>(sc));
  EXPECT_GT(mapped, 120);
}

TEST_F(SdlBackEnd, WindowDisplayAndTheirEvents) {
  ASSERT_TRUE(p->window->Create("Velotrix", 640, 480, false));
  EXPECT_EQ(p->directXVersion(), 0x700);
  std::vector<PlatformEvent> first = Drain();
  ASSERT_FALSE(first.empty());
  EXPECT_EQ(first[0].type, PlatformEvent::kActivateApp);
  EXPECT_EQ(first[0].active, 1);

  uint32_t mask = 0;
  ASSERT_TRUE(p->display->Open(640, 480, false, &mask));
  EXPECT_TRUE(mask == 0x07E0 || mask == 0x03E0);
  std::vector<uint16_t> back(648 * 480, 0xF800);
  EXPECT_EQ(p->display->Present(back.data(), 648, 640, 480, true), 0);
  p->display->Close();
  EXPECT_NE(p->display->Present(back.data(), 648, 640, 480, true), 0);  // closed: lost
  ASSERT_TRUE(p->display->Open(640, 480, false, &mask));

  Drain();
  SDL_Event text{};
  text.type = SDL_TEXTINPUT;
  std::snprintf(text.text.text, sizeof text.text.text, "\xD0\x96z");  // "Жz"
  SDL_PushEvent(&text);
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_RETURN);
  PushKey(SDL_KEYUP, SDL_SCANCODE_RETURN);
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_BACKSPACE);
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_A);  // letters come as text input only
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
  std::vector<PlatformEvent> evs = Drain();
  ASSERT_EQ(evs.size(), 6u);
  EXPECT_EQ(evs[0].type, PlatformEvent::kChar);
  EXPECT_EQ(evs[0].code, 0x86u);
  EXPECT_EQ(evs[1].code, uint32_t('z'));
  EXPECT_EQ(evs[2].code, 13u);
  EXPECT_EQ(evs[2].keyData, 0x001C0001u);
  EXPECT_EQ(evs[3].code, 13u);
  EXPECT_NE(evs[3].keyData & 0x80000000u, 0u);
  EXPECT_EQ(evs[4].code, 8u);
  EXPECT_EQ(evs[5].type, PlatformEvent::kTerminate);

  p->window->PostQuit(3);
  evs = Drain();
  ASSERT_EQ(evs.size(), 1u);
  EXPECT_EQ(evs[0].type, PlatformEvent::kQuit);
  EXPECT_EQ(evs[0].code, 3u);
}

TEST_F(SdlBackEnd, AltEnterTypesNothingAndTheWindowSwitchesFullScreen) {
  ASSERT_TRUE(p->window->Create("Velotrix", 640, 480, false));
  uint32_t mask;
  ASSERT_TRUE(p->display->Open(640, 480, false, &mask));
  Drain();
  // Alt+Enter is the full-screen control, read from the keyboard state.
  for (Uint16 mod : {KMOD_LALT, KMOD_RALT}) {
    PushKey(SDL_KEYDOWN, SDL_SCANCODE_RETURN, mod);
    for (const PlatformEvent& ev : Drain()) EXPECT_NE(ev.type, PlatformEvent::kChar);
  }
  EXPECT_TRUE(p->window->SetFullScreen(true));
  EXPECT_NE(SDL_GetWindowFlags(SDL_GetWindowFromID(1)) & SDL_WINDOW_FULLSCREEN_DESKTOP, 0u);
  EXPECT_TRUE(p->window->SetFullScreen(false));
  EXPECT_EQ(SDL_GetWindowFlags(SDL_GetWindowFromID(1)) & SDL_WINDOW_FULLSCREEN_DESKTOP, 0u);
}

// The game's names of the controller's buttons and axes are SDL's numbers.
constexpr bool Same(int ours, int sdls) { return ours == sdls; }
static_assert(Same(PAD_A, SDL_CONTROLLER_BUTTON_A) && Same(PAD_B, SDL_CONTROLLER_BUTTON_B) &&
                  Same(PAD_BACK, SDL_CONTROLLER_BUTTON_BACK) &&
                  Same(PAD_START, SDL_CONTROLLER_BUTTON_START) &&
                  Same(PAD_LEFTSHOULDER, SDL_CONTROLLER_BUTTON_LEFTSHOULDER) &&
                  Same(PAD_DPUP, SDL_CONTROLLER_BUTTON_DPAD_UP) &&
                  Same(PAD_DPRIGHT, SDL_CONTROLLER_BUTTON_DPAD_RIGHT) &&
                  Same(PAD_BUTTON_COUNT, SDL_CONTROLLER_BUTTON_MISC1),
              "buttons in SDL's order");
static_assert(Same(PAD_LEFTX, SDL_CONTROLLER_AXIS_LEFTX) &&
                  Same(PAD_RIGHTY, SDL_CONTROLLER_AXIS_RIGHTY) &&
                  Same(PAD_TRIGGERRIGHT, SDL_CONTROLLER_AXIS_TRIGGERRIGHT) &&
                  Same(kPadAxisCount, SDL_CONTROLLER_AXIS_MAX),
              "axes in SDL's order");

// A game controller made by SDL itself (a virtual joystick with the standard
// controller layout), plugged in and out while the game runs.
TEST_F(SdlBackEnd, ControllersComeAndGoAndAreRead) {
  // The dummy driver's window never has the keyboard focus, without which SDL
  // holds controller input back.
  SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
  ASSERT_TRUE(p->window->Create("Velotrix", 640, 480, false));
  ASSERT_TRUE(p->input->Open(false));
  Drain();
  PadDeviceState pad;
  EXPECT_FALSE(p->input->ReadPad(pad));

  SDL_VirtualJoystickDesc desc;
  SDL_zero(desc);
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  desc.naxes = SDL_CONTROLLER_AXIS_MAX;
  desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
  desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
  desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
  desc.name = "Velotrix test pad";
  const int index = SDL_JoystickAttachVirtualEx(&desc);
  ASSERT_GE(index, 0) << SDL_GetError();
  SDL_Joystick* joystick = SDL_JoystickOpen(index);
  ASSERT_NE(joystick, nullptr) << SDL_GetError();
  Drain();  // the game opens it on its "added" event
  ASSERT_TRUE(p->input->ReadPad(pad));
  EXPECT_EQ(pad.buttons, 0u);

  SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_A, 1);
  SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_DPAD_LEFT, 1);
  SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTX, -20000);
  SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 32767);
  Drain();
  ASSERT_TRUE(p->input->ReadPad(pad));
  EXPECT_EQ(pad.buttons, 1u << PAD_A | 1u << PAD_DPLEFT);
  EXPECT_EQ(pad.axes[PAD_LEFTX], -20000);
  EXPECT_EQ(pad.axes[PAD_TRIGGERRIGHT], 32767);

  // A press let go before the game looks is seen once all the same.
  SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_A, 0);
  SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_START, 1);
  Drain();
  SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_START, 0);
  Drain();
  ASSERT_TRUE(p->input->ReadPad(pad));
  EXPECT_EQ(pad.buttons, 1u << PAD_START | 1u << PAD_DPLEFT);
  ASSERT_TRUE(p->input->ReadPad(pad));
  EXPECT_EQ(pad.buttons, 1u << PAD_DPLEFT);

  SDL_JoystickClose(joystick);
  ASSERT_EQ(SDL_JoystickDetachVirtual(index), 0) << SDL_GetError();
  Drain();
  EXPECT_FALSE(p->input->ReadPad(pad));
  const std::string log = test::ReadText("Log.txt");
  EXPECT_NE(log.find("Game controller connected: Velotrix test pad\n"), std::string::npos) << log;
  EXPECT_NE(log.find("Game controller removed: Velotrix test pad\n"), std::string::npos) << log;
}

TEST(SdlWindowSize, LargestWholeMultipleThatFitsTheUsableDesktop) {
  // A 1920 x 1080 desktop with a 40-pixel panel: twice 640 x 480.
  EXPECT_EQ(WindowScaleFor(1920, 1040, 2, 30, 640, 480), 2);
  EXPECT_EQ(WindowScaleFor(1920, 1080, 16, 40, 640, 480), 2);
  // Exactly room for three, frame included; a pixel less is two.
  EXPECT_EQ(WindowScaleFor(1936, 1480, 16, 40, 640, 480), 3);
  EXPECT_EQ(WindowScaleFor(1936, 1479, 16, 40, 640, 480), 2);
  EXPECT_EQ(WindowScaleFor(1935, 1480, 16, 40, 640, 480), 2);
  EXPECT_EQ(WindowScaleFor(3840, 2120, 16, 40, 640, 480), 4);
  // Too small for even one: one.
  EXPECT_EQ(WindowScaleFor(800, 500, 16, 40, 640, 480), 1);
  EXPECT_EQ(WindowScaleFor(0, 0, 16, 40, 640, 480), 1);
  EXPECT_EQ(WindowScaleFor(1920, 1080, 16, 40, 0, 480), 1);
}

TEST_F(SdlBackEnd, KeyboardWheelAndButtons) {
  ASSERT_TRUE(p->window->Create("Velotrix", 640, 480, false));
  ASSERT_TRUE(p->input->Open(false));
  SDL_Event wheel{};
  wheel.type = SDL_MOUSEWHEEL;
  wheel.wheel.y = 2;
  SDL_PushEvent(&wheel);
  wheel.wheel.y = -1;
  wheel.wheel.direction = SDL_MOUSEWHEEL_FLIPPED;
  SDL_PushEvent(&wheel);
  Drain();
  MouseDeviceState m;
  ASSERT_EQ(p->input->ReadMouse(m), InputDevices::kMouseOk);
  EXPECT_EQ(m.z, 360);
  ASSERT_EQ(p->input->ReadMouse(m), InputDevices::kMouseOk);
  EXPECT_EQ(m.z, 0);
  uint8_t keys[256];
  ASSERT_TRUE(p->input->ReadKeyboard(keys));
  for (int k = 0; k < 256; ++k) EXPECT_EQ(keys[k], 0) << k;
  p->input->Close();
  EXPECT_FALSE(p->input->ReadKeyboard(keys));
}

TEST_F(SdlBackEnd, TapsShorterThanAFrameAreSeenOnce) {
  ASSERT_TRUE(p->window->Create("Velotrix", 640, 480, false));
  ASSERT_TRUE(p->input->Open(false));
  // Down and up both arrive before the next poll, as a quick tap between frames.
  PushKey(SDL_KEYDOWN, SDL_SCANCODE_SPACE);
  PushKey(SDL_KEYUP, SDL_SCANCODE_SPACE);
  SDL_Event click{};
  click.type = SDL_MOUSEBUTTONDOWN;
  click.button.button = SDL_BUTTON_LEFT;
  SDL_PushEvent(&click);
  click.type = SDL_MOUSEBUTTONUP;
  SDL_PushEvent(&click);
  Drain();
  uint8_t keys[256];
  MouseDeviceState m;
  ASSERT_TRUE(p->input->ReadKeyboard(keys));
  ASSERT_EQ(p->input->ReadMouse(m), InputDevices::kMouseOk);
  EXPECT_EQ(keys[57], 0x80);
  EXPECT_EQ(m.buttons[0], 0x80);
  EXPECT_EQ(m.buttons[1], 0);
  ASSERT_TRUE(p->input->ReadKeyboard(keys));
  ASSERT_EQ(p->input->ReadMouse(m), InputDevices::kMouseOk);
  EXPECT_EQ(keys[57], 0);
  EXPECT_EQ(m.buttons[0], 0);
}

TEST_F(SdlBackEnd, TimerStopWaitsForARunningCallback) {
  struct Ctx {
    std::atomic<int> calls{0};
    std::atomic<bool> inside{false};
  } ctx;
  auto slow = [](void* u) {
    auto* c = static_cast<Ctx*>(u);
    c->inside = true;
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    ++c->calls;
    c->inside = false;
  };
  std::unique_ptr<PeriodicTimer> t(p->newTimer());
  ASSERT_TRUE(t->Start(1, slow, &ctx));
  ASSERT_TRUE(Eventually([&] { return ctx.inside.load(); }));
  t->Stop();
  EXPECT_FALSE(ctx.inside);
  int calls = ctx.calls;
  std::this_thread::sleep_for(std::chrono::milliseconds(40));
  EXPECT_EQ(ctx.calls, calls);
  // A stopped timer can start again; destroying a running one stops it.
  ASSERT_TRUE(t->Start(1, slow, &ctx));
  ASSERT_TRUE(Eventually([&] { return ctx.calls > calls; }));
  t.reset();
  calls = ctx.calls;
  std::this_thread::sleep_for(std::chrono::milliseconds(40));
  EXPECT_EQ(ctx.calls, calls);
}

TEST_F(SdlBackEnd, AudioIsPulledByItsCallbackAndFallsBackToTheDummyDriver) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  struct Ctx {
    std::atomic<int> frames{0};
  } ctx;
  auto fill = [](void* u, int16_t* out, int frames) {
    for (int i = 0; i < frames * 2; ++i) out[i] = 0;
    static_cast<Ctx*>(u)->frames += frames;
  };
  ASSERT_TRUE(p->audio->Open(44100, 2, fill, &ctx));
  EXPECT_NE(test::ReadText("Log.txt").find("sound goes to the dummy driver"), std::string::npos);
  ASSERT_TRUE(Eventually([&] { return ctx.frames > 0; }));
  int frames = ctx.frames;
  EXPECT_GT(frames, 0);
  p->audio->Close();
  frames = ctx.frames;
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(ctx.frames, frames);
}

}  // namespace
}  // namespace vx
