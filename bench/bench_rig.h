// What the benchmarks over the built data set share: a scratch folder to run
// in (the game writes its log and settings into the current folder) and the
// two ways of starting, the whole game or just the art.
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "base/game_record.h"
#include "graphics/graphics.h"
#include "graphics/shared_art.h"
#include "platform/headless/headless_platform.h"
#include "resources/file_system.h"

namespace vx::bench {

// Made and entered at construction, removed with everything in it at the end.
struct ScratchFolder {
  std::string dir;
  ScratchFolder() {
    char buf[] = "/tmp/vx_bench_XXXXXX";
    if (!mkdtemp(buf) || chdir(buf) != 0) std::abort();
    dir = buf;
  }
  ~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
};

// The built data archive, the display and the shared art, without the screens.
struct ArtRig {
  HeadlessPlatform hp;
  ScratchFolder folder;
  ArtRig() {
    gPlatform = hp.platform();
    RegisterArchive(VX_BINARY_DIR "/Velotrix.dat", "DATA\\", 1);
    Graphics::Init(640, 480, 0);
    BuildStandardColors();
    LoadSharedArt(g.strings.Loading);
  }
};

}  // namespace vx::bench
