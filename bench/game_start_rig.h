// The real game started as the player starts it, up to its first screen, with
// copies of the built archives in a scratch folder.
#pragma once

#include <filesystem>
#include <string>

#include "app/app_main.h"
#include "app/screen.h"
#include "base/log.h"
#include "bench_rig.h"
#include "main/screens.h"

namespace vx::bench {

struct GameStartRig {
  HeadlessPlatform hp;
  ScratchFolder folder;
  GameStartRig() {
    for (const char* f : {"Velotrix.dat", "Velotrix.lng"}) {
      std::error_code ec;
      std::filesystem::copy_file(std::string(VX_BINARY_DIR) + "/" + f, folder.dir + "/" + f, ec);
    }
    gPlatform = hp.platform();
    InstallScreens();
    StartLog();
    RegisterArchive("Velotrix.dat", "DATA\\", 3);
    RegisterArchive("Velotrix.lng", "LANG\\", 3);
    InitDisplayAndInput(0);
    EnterFirstScreen();
  }
  void Frames(int n) {
    for (int i = 0; i < n; ++i) {
      hp.Advance(kFrameIntervalMs);
      RunFrame();
    }
  }
};

}  // namespace vx::bench
