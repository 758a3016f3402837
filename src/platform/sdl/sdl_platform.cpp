#include "platform/sdl/sdl_platform.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "platform/file_lock.h"
#include "platform/sdl/sdl_devices.h"

namespace vx {

namespace {

// One lock per user for the whole machine, as a named system lock would be,
// where only this user can create it: the runtime folder when it is this
// user's own, else the game's folder (a fixed name in /tmp could be taken by
// anyone first).
std::string LockPath(const char* name) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  struct stat st;
  if (runtime && *runtime == '/' && stat(runtime, &st) == 0 && S_ISDIR(st.st_mode) &&
      st.st_uid == getuid() && (st.st_mode & 022) == 0)
    return std::string(runtime) + "/" + name + ".lock";
  return std::string(".") + name + ".lock";
}

struct SdlPlatform {
  SdlWindow window;
  SdlClock clock;
  FileInstanceLock lock{LockPath};
  SdlDisplay display{&window};
  SdlInput input{&window};
  SdlAudio audio;
  Platform platform;

  SdlPlatform() {
    platform.window = &window;
    platform.clock = &clock;
    platform.lock = &lock;
    platform.display = &display;
    platform.input = &input;
    platform.audio = &audio;
    platform.newTimer = [] { return NewSdlTimer(); };
    platform.directXVersion = [] { return SDL_WasInit(SDL_INIT_VIDEO) ? 0x700 : 0; };
  }
};

std::unique_ptr<SdlPlatform> gSdl;

}  // namespace

Platform* CreateSdlPlatform() {
  if (!gSdl) {
    SDL_Init(0);
    gSdl = std::make_unique<SdlPlatform>();
  }
  return &gSdl->platform;
}

void DestroySdlPlatform() {
  if (!gSdl) return;
  gSdl->audio.Close();
  gSdl->input.Close();
  gSdl->display.Close();
  gSdl.reset();
  SDL_Quit();
}

}  // namespace vx
