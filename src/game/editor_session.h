// The editor's own state for the level being edited: its history, the header
// panel, the last message, and what a test play put aside.
#pragma once

#include <cstdint>
#include <string>

#include "game/editor_header.h"
#include "game/editor_history.h"
#include "game/game_types.h"
#include "game/play_state.h"

namespace vx {

struct EditorTestSnapshot {
  LevelState level;
  PlayerRecord player;
  PlayState play;
  uint32_t frameCounter = 0;
};

struct EditorSession {
  EditHistory history;
  HeaderPanel panel;
  uint32_t loadSerial = 0;  // the level load that the history belongs to
  std::string message;  // what F2 did, shown for a while
  uint32_t messageUntil = 0;
  EditorTestSnapshot test;
};

EditorSession& Session();

}  // namespace vx
