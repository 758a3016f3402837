// The program's entry and heartbeat: start-up, the message loop with its 13 ms
// steps whatever the display's rate, activation changes and shutdown.
#pragma once

#include "platform/platform.h"

namespace vx {

// The whole run on gPlatform; g.screens must be filled (InstallScreens) first.
// Returns the process exit code.
int AppMain(void* instance, int showCommand);

// 1 on success, 0 on failure, -1 when only the input devices failed.
int InitDisplayAndInput(int fullScreen);
int EnterFirstScreen();
// The frame tick: runs one 13 ms step of the game for every 13 ms of real time
// since the last (a few at most), then presents the newest picture.
void RunFrame();
// The window procedure: handles one message of the game window.
void WindowProc(const PlatformEvent& ev);
// Switches between full screen and a window (the full-screen control).
void ToggleFullScreen();
// Ends the program the way closing the window does (settings are saved),
// after asking when the campaign has unsaved progress.
void QuitApplication();
// The game refuses to start without its data; tests and tools run the shell
// on whatever folder they are given. Off until set.
void RequireGameData(bool required);

constexpr uint32_t kFrameIntervalMs = 13;
// After a short delay, at most this many steps run before one presentation;
// a longer stall is not made up for.
constexpr int kMaxCatchUpSteps = 4;

}  // namespace vx
