// Once a screen is up and running, its frames must not allocate memory, ask the
// file layer for files or write to the log (beyond the odd line for an event,
// such as a ball launched): each scene of `velotrix-tool bench` is played on the
// real game over the built data set and watched.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>

#include "app/app_main.h"
#include "app/screen.h"
#include "base/game_record.h"
#include "bench_scenes.h"
#include "game/game_state.h"
#include "platform/headless/headless_platform.h"
#include "resources/file_system.h"
#include "support/temp_dir.h"

namespace {

// Allocations made on this thread while counting is on.
thread_local bool tCounting = false;
std::atomic<uint64_t> gAllocations{0};

void* Allocate(std::size_t n) {
  if (tCounting) ++gAllocations;
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t n) { return Allocate(n); }
void* operator new[](std::size_t n) { return Allocate(n); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
  if (tCounting) ++gAllocations;
  return std::malloc(n ? n : 1);
}
void* operator new[](std::size_t n, const std::nothrow_t& tag) noexcept { return operator new(n, tag); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace vx {
namespace {

constexpr int kWarmUp = 150;
constexpr int kWatched = 150;

off_t LogSize() {
  struct stat st {};
  return stat("Log.txt", &st) == 0 ? st.st_size : -1;
}

struct Watch {
  uint64_t allocations = 0;
  uint32_t fileRequests = 0;
  int framesLogging = 0;
  bool entered = false;
  bool stayed = false;
  std::string screen;
};

class SteadyFrame : public ::testing::TestWithParam<const char*> {};

TEST_P(SteadyFrame, AllocatesNothingAndTouchesNoFile) {
  const tool::BenchScene* scene = tool::FindBenchScene(GetParam());
  ASSERT_NE(scene, nullptr);
  test::TempDir dir;
  for (const char* archive : {"Velotrix.dat", "Velotrix.lng"})
    std::filesystem::create_symlink(std::string(VX_BINARY_DIR) + "/" + archive, archive);
  g = GameRecord();
  gGame = GameState();
  HeadlessPlatform hp;
  Watch w;
  const int code = tool::RunGameToMenu(hp, [&] {
    tool::SceneHost host{&hp};
    w.entered = tool::EnterScene(*scene, host);
    if (!w.entered) return;
    int i = 0;
    for (; i < kWarmUp; ++i) {
      tool::PrepareFrame(*scene, host, i);
      RunFrame();
    }
    for (; i < kWarmUp + kWatched; ++i) {
      tool::PrepareFrame(*scene, host, i);
      // Only the frame itself: the scene's own set-up may allocate.
      const uint32_t before = FileRequests();
      const off_t logBefore = LogSize();
      tCounting = true;
      RunFrame();
      tCounting = false;
      w.fileRequests += FileRequests() - before;
      w.framesLogging += LogSize() != logBefore;
    }
    w.allocations = gAllocations.exchange(0);
    w.stayed = scene->stillThere(host);
    w.screen = g.currentScreen ? g.currentScreen->GetName() : "(none)";
  });
  ASSERT_GE(code, 0) << "the game did not reach the menu";
  if (!w.entered) GTEST_SKIP() << "scene " << scene->name << " is not available";
  EXPECT_TRUE(w.stayed) << "left for " << w.screen;
  EXPECT_EQ(w.allocations, 0u);
  EXPECT_EQ(w.fileRequests, 0u);
  EXPECT_LE(w.framesLogging, kWatched / 50);
}

std::vector<const char*> SceneNames() {
  std::vector<const char*> names;
  for (int i = 0; i < tool::kBenchSceneCount; ++i) names.push_back(tool::kBenchScenes[i].name);
  return names;
}

INSTANTIATE_TEST_SUITE_P(Scenes, SteadyFrame, ::testing::ValuesIn(SceneNames()),
                         [](const ::testing::TestParamInfo<const char*>& scene) {
                           return std::string(scene.param);
                         });

}  // namespace
}  // namespace vx
