// Small stand-ins for the platform's display, input devices and clock, so that
// graphics and input tests run without a window.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <deque>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace vx::test {

struct FakeDisplay : Display {
  uint32_t greenMask = 0x07E0;
  bool openResult = true;
  bool isOpen = false;
  int presents = 0;
  std::deque<int> presentResults;  // answers for the next presents, then 0
  std::vector<uint16_t> lastFrame;
  bool Open(int, int, bool, uint32_t* mask) override {
    *mask = greenMask;
    isOpen = openResult;
    return openResult;
  }
  void Close() override { isOpen = false; }
  int Present(const uint16_t* pixels, int pitch, int w, int h, bool) override {
    ++presents;
    lastFrame.assign(static_cast<size_t>(w) * h, 0);
    for (int y = 0; y < h; ++y)
      std::memcpy(&lastFrame[static_cast<size_t>(y) * w], pixels + static_cast<size_t>(y) * pitch,
                  static_cast<size_t>(w) * 2);
    if (presentResults.empty()) return 0;
    int r = presentResults.front();
    presentResults.pop_front();
    return r;
  }
  void RestoreDesktopMode() override {}
  bool VideoMemory(uint32_t* total, uint32_t* free) override {
    *total = 0;
    *free = 0;
    return true;
  }
};

struct FakeClock : Clock {
  uint32_t now = 100000;
  uint32_t Milliseconds() override { return now; }
  void SetHighResolution(bool) override {}
  void SleepMs(uint32_t ms) override { now += ms; }
};

struct FakeInput : InputDevices {
  uint8_t keys[256] = {};
  MouseDeviceState mouse;
  MouseResult mouseResult = kMouseOk;
  bool keyboardOk = true;
  bool acquired = false;
  bool Open(bool) override { return true; }
  void Close() override {}
  bool ReadKeyboard(uint8_t state[256]) override {
    if (!keyboardOk) return false;
    std::memcpy(state, keys, 256);
    return true;
  }
  MouseResult ReadMouse(MouseDeviceState& s) override {
    if (mouseResult == kMouseOk) {
      s = mouse;
      mouse.x = mouse.y = mouse.z = 0;  // relative: reported once
    }
    return mouseResult;
  }
  bool AcquireMouse(bool a) override {
    acquired = a;
    return true;
  }
};

struct FakePlatform {
  FakeDisplay display;
  FakeClock clock;
  FakeInput input;
  Platform platform;
  Platform* saved;
  FakePlatform() : saved(gPlatform) {
    platform.display = &display;
    platform.clock = &clock;
    platform.input = &input;
    gPlatform = &platform;
  }
  ~FakePlatform() { gPlatform = saved; }
};

// A fresh temporary working directory for one test (the log is written there).
struct TempDir {
  std::string path;
  std::string oldCwd;
  TempDir() {
    char tmpl[] = "/tmp/vx_gfx_XXXXXX";
    path = mkdtemp(tmpl);
    char buf[4096];
    oldCwd = getcwd(buf, sizeof buf) ? buf : "/";
    if (chdir(path.c_str()) != 0) std::abort();
  }
  ~TempDir() {
    if (chdir(oldCwd.c_str()) != 0) return;
    std::string cmd = "rm -rf '" + path + "'";
    if (std::system(cmd.c_str()) != 0) return;
  }
};

inline std::string ReadText(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

}  // namespace vx::test
