// velotrix-level N: the game in its real window, started straight
// in level N instead of the main menu; a development aid for playing and
// checking one level. When the level ends (or is left), the program quits.
// It runs in the current directory, like the game, with its archives there.
#include <cstdio>
#include <cstdlib>

#include "app/app_main.h"
#include "app/screen.h"
#include "base/game_record.h"
#include "game/game_types.h"
#include "game/level_start.h"
#include "main/screens.h"
#include "platform/sdl/sdl_platform.h"

namespace {

// The root screen: starts the level on its first frame and ends the program
// when the level returns to it.
class LevelLauncher : public vx::Screen {
 public:
  explicit LevelLauncher(int level) : level_(level) {}
  const char* GetName() override { return "LevelLauncher"; }
  int InitSurfaces() override { return 1; }
  int OnDisplay(vx::Screen* previous, int argument) override {
    if (previous) {
      std::printf("level %d: %s\n", level_, argument ? "won" : "not won");
      vx::QuitApplication();
    }
    return 1;
  }
  int OnFrame() override {
    if (!started_) {
      started_ = true;
      if (!vx::StartLevelDirect(level_)) vx::QuitApplication();
    }
    return 1;
  }

 private:
  int level_;
  bool started_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  int level = argc >= 2 ? std::atoi(argv[1]) : 0;
  if (level < 1 || level > vx::kLevelCount || argc != 2) {
    std::fprintf(stderr, "usage: velotrix-level N   (N from 1 to 100)\n");
    return 2;
  }
  static LevelLauncher launcher(level);
  vx::gPlatform = vx::CreateSdlPlatform();
  vx::InstallScreens();
  vx::g.screens.menu = &launcher;
  int code = vx::AppMain(nullptr, 1);
  vx::DestroySdlPlatform();
  vx::gPlatform = nullptr;
  return code;
}
