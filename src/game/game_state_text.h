// The state of the level in play as one line of text: what replays record
// every few frames and compare with their expected files.
#pragma once

#include <string>

namespace vx {

// Blocks still in the grid, indestructible ones included.
int BlocksLeft();
// "frame F scroll S score S credits C lives L blocks B enemies E STATE paddle X,Y
// balls N [x y angle speed]..." with STATE one of waiting, playing, paused, quit, won and
// lost; newline-terminated.
std::string GameStateLine();

}  // namespace vx
