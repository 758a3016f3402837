#include "platform/headless/headless_platform.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace vx {
namespace {

// Drives the pump the way the game's message loop does and records what it sees.
struct PumpTrace {
  std::vector<std::string> seen;
  void Run(HeadlessPlatform& hp, int iterations, bool active = true) {
    for (int i = 0; i < iterations; ++i) {
      PlatformEvent ev;
      if (hp.window.PollEvent(ev))
        seen.push_back("event " + std::to_string(ev.type) + " @" + std::to_string(hp.clock.now));
      else if (active)
        seen.push_back("frame @" + std::to_string(hp.clock.now));
      else
        hp.window.WaitEvent();
    }
  }
};

TEST(HeadlessPump, OneDriverCallAndThirteenMillisecondsPerFrame) {
  HeadlessPlatform hp;
  hp.clock.now = 0;
  ASSERT_TRUE(hp.window.Create("Velotrix", 640, 480, false));
  int calls = 0;
  hp.onFrameBoundary = [&] {
    ++calls;
    if (calls == 2) hp.PushChar('a');
  };
  PumpTrace t;
  t.Run(hp, 5);
  // The activation queued by Create comes first, then frames; the character
  // injected for the second frame arrives before that frame's time passes.
  EXPECT_EQ(t.seen, (std::vector<std::string>{"event 1 @0", "frame @13", "event 4 @13", "frame @26",
                                              "frame @39"}));
  EXPECT_EQ(calls, 3);
}

TEST(HeadlessPump, InactiveGameSleepsInFrameStepsUntilAnEventArrives) {
  HeadlessPlatform hp;
  hp.clock.now = 0;
  hp.window.activateOnCreate = false;
  hp.window.Create("Velotrix", 640, 480, false);
  int calls = 0;
  hp.onFrameBoundary = [&] {
    if (++calls == 4) hp.PushActivate(1);
  };
  PumpTrace t;
  t.Run(hp, 2, /*active=*/false);
  EXPECT_EQ(calls, 4);
  EXPECT_EQ(t.seen, (std::vector<std::string>{"event 1 @39"}));

  // Without any driver the wait gives up and ends the game.
  HeadlessPlatform idle;
  idle.window.maxIdleSteps = 10;
  idle.window.WaitEvent();
  PlatformEvent ev;
  ASSERT_TRUE(idle.window.PollEvent(ev));
  EXPECT_EQ(ev.type, PlatformEvent::kTerminate);
}

TEST(HeadlessTimers, FollowTheVirtualClockAndStop) {
  HeadlessPlatform hp;
  hp.clock.now = 0;
  hp.timersFollowClock = true;
  std::vector<uint32_t> fired;
  std::unique_ptr<PeriodicTimer> a(hp.platform()->newTimer());
  std::unique_ptr<PeriodicTimer> b(hp.platform()->newTimer());
  struct Ctx {
    HeadlessPlatform* hp;
    std::vector<uint32_t>* fired;
    uint32_t tag;
  } ca{&hp, &fired, 1000000}, cb{&hp, &fired, 2000000};
  auto record = [](void* u) {
    auto* c = static_cast<Ctx*>(u);
    c->fired->push_back(c->tag + c->hp->clock.now);
  };
  ASSERT_TRUE(a->Start(100, record, &ca));
  ASSERT_TRUE(b->Start(150, record, &cb));
  hp.Advance(320);
  EXPECT_EQ(fired, (std::vector<uint32_t>{1000100, 2000150, 1000200, 1000300, 2000300}));
  EXPECT_EQ(hp.clock.now, 320u);
  a->Stop();
  fired.clear();
  hp.Advance(100);
  EXPECT_TRUE(fired.empty());
  hp.Advance(40);
  EXPECT_EQ(fired, (std::vector<uint32_t>{2000450}));
  fired.clear();
  hp.TickTimers();
  EXPECT_EQ(fired, (std::vector<uint32_t>{2000460}));
  a.reset();
  EXPECT_EQ(hp.timers().size(), 1u);
  EXPECT_FALSE(b->Start(0, record, &cb));
}

TEST(HeadlessAudio, PullsTheCallbackAndFollowsTheClock) {
  HeadlessPlatform hp;
  int16_t buf[8];
  hp.audio.Pull(buf, 4);  // closed: silence
  for (int16_t s : buf) EXPECT_EQ(s, 0);

  struct Gen {
    int16_t next = 1;
    int64_t frames = 0;
  } gen;
  auto cb = [](void* u, int16_t* out, int frames) {
    auto* g = static_cast<Gen*>(u);
    for (int i = 0; i < frames * 2; ++i) out[i] = g->next++;
    g->frames += frames;
  };
  ASSERT_TRUE(hp.platform()->audio->Open(44100, 2, cb, &gen));
  hp.audio.Pull(buf, 4);
  EXPECT_EQ(buf[0], 1);
  EXPECT_EQ(buf[7], 8);

  hp.audio.followClock = true;
  hp.audio.capture = true;
  gen.frames = 0;
  for (int i = 0; i < 3; ++i) hp.Advance(13);  // 573.3 frames each
  EXPECT_EQ(gen.frames, 1719);
  hp.Advance(1000 - 39);
  EXPECT_EQ(gen.frames, 44100);
  EXPECT_EQ(hp.audio.captured.size(), 88200u);
  EXPECT_EQ(hp.audio.captured[0], 9);

  hp.audio.failOpen = true;
  hp.audio.Close();
  EXPECT_FALSE(hp.audio.Open(44100, 2, cb, &gen));
}

TEST(InstanceLock, SecondHolderInTheSameFolderIsRefused) {
  test::TempDir dir;
  auto first = std::make_unique<HeadlessPlatform>();
  ASSERT_TRUE(first->platform()->lock->Acquire("Velotrix.exe running"));
  HeadlessPlatform second;
  EXPECT_FALSE(second.platform()->lock->Acquire("Velotrix.exe running"));
  first.reset();  // the lock ends with its holder
  HeadlessPlatform third;
  EXPECT_TRUE(third.platform()->lock->Acquire("Velotrix.exe running"));
  {
    test::TempDir other;  // another folder is another game
    HeadlessPlatform fourth;
    EXPECT_TRUE(fourth.platform()->lock->Acquire("Velotrix.exe running"));
  }
}

}  // namespace
}  // namespace vx
