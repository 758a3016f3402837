// The program's entry and heartbeat: start-up, the message loop with its 13 ms
// frame tick, activation changes and shutdown.
#pragma once

#include "platform/platform.h"

namespace vx {

// The whole run on gPlatform; g.screens must be filled (InstallScreens) first.
// Returns the process exit code.
int AppMain(void* instance, int showCommand);

// 1 on success, 0 on failure, -1 when only the input devices failed.
int InitDisplayAndInput(int fullScreen);
int EnterFirstScreen();
// The frame tick: runs a frame when 13 ms have passed since the last one.
void RunFrame();
// The window procedure: handles one message of the game window.
void WindowProc(const PlatformEvent& ev);
// Switches between full screen and a window (the full-screen control).
void ToggleFullScreen();
// Ends the program the way closing the window does (settings are saved).
void QuitApplication();
// The game refuses to start without its data; tests and tools run the shell
// on whatever folder they are given. Off until set.
void RequireGameData(bool required);

constexpr uint32_t kFrameIntervalMs = 13;

}  // namespace vx
