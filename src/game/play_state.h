// State of the game screen that lives beside the level state: the typed
// characters for the cheat words, the frame-rate meter, the message panel, the
// level editor's cursor and the slot chosen on the controller. One instance for the whole run.
#pragma once

#include <cstdint>

namespace vx {

// Which message the panel over the playfield shows.
enum PanelMessage {
  MESSAGE_NONE = 0,
  MESSAGE_ENDED = 1,
  MESSAGE_QUIT = 2,
  MESSAGE_PAUSE = 3,
  MESSAGE_BOSS_BEATEN = 4
};

struct PlayState {
  // Cheat words: the last typed characters, newest at ringIndex - 1.
  char typed[256] = {};
  int32_t ringIndex = 0;

  uint32_t frameStartTime = 0;
  // Frame-rate meter (while Tab is held).
  float fps = 0;
  float lastMeasure = 0;  // seconds
  int32_t framesSinceMeasure = 0;

  // Message panel: each watched state's value in the previous frame, the
  // message on show and its step (0 start "Appear", 1 appearing, 2 shown).
  int32_t wasEnded = 0, wasQuit = 0, wasPaused = 0, wasBossBeaten = 0;
  int32_t message = MESSAGE_NONE;
  int32_t panelStep = 0;
  // The boss fight's end: the boss is beaten (its message shows), and the
  // player has not yet answered the prompt under it.
  int32_t bossBeaten = 0, bossWaiting = 0;

  // Level editor.
  int32_t cursorX = 320, cursorY = 200;
  int32_t blockType = 1;

  // The inventory slot chosen with the controller's shoulder buttons; marked
  // in the panel once a player has chosen one.
  int32_t chosenSlot = 0;
  bool slotChoiceShown = false;
};

extern PlayState gPlay;

}  // namespace vx
