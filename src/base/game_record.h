// The shell's global record: alive for the whole run, it holds the shell and
// screen-manager state, the settings and the string table. The player, the
// campaign and the level in play live in the game's own record (gGame,
// game/game_state.h); subsystems with devices (graphics, input, sound) keep
// their own state beside both.
#pragma once

#include <cstdint>

#include "base/rect.h"


namespace vx {

class Screen;

struct Settings {
  int32_t soundEnable = 0;    // "Sound enable"
  int32_t reverseStereo = 0;  // "Reverse stereo" as read; the sound engine holds the live flag
  int32_t scrollSpeed = 1;    // "Scroll speed": 1 fast, 0 slow
  int32_t vanishing = 0;      // "Vanishing"
  char language[16] = {};     // "Language": a language code, "" until chosen
};

// Room for the label of every control (the controls table has fewer).
constexpr int kActionTexts = 48;

// The level editor's words in the string table, by index.
enum EditorText {
  // What each key of the help lines does.
  EDITOR_HELP_TOGGLE, EDITOR_HELP_RELOAD, EDITOR_HELP_CLEAR, EDITOR_HELP_SAVE, EDITOR_HELP_UNDO,
  EDITOR_HELP_REDO, EDITOR_HELP_HEADER, EDITOR_HELP_TEST,
  // The header panel.
  EDITOR_HEADER, EDITOR_NAME, EDITOR_DESCRIPTION, EDITOR_HEIGHT, EDITOR_SCROLL, EDITOR_TILES,
  EDITOR_TYPES, EDITOR_TYPE_HITS, EDITOR_TYPE_SCORE, EDITOR_SHRINK, EDITOR_HINT_FIELDS,
  EDITOR_HINT_KEYS,
  // Test play and what the editor says.
  EDITOR_TEST_BANNER, EDITOR_SAVED, EDITOR_NOT_SAVED, EDITOR_NOTHING_TO_UNDO,
  EDITOR_NOTHING_TO_REDO,
  EDITOR_TEXT_COUNT
};

// Language texts, 64 bytes each (63 characters and a terminator).
struct StringTable {
  char PressKey[64], Loading[64], Donthave1[64], Donthave2[64], Descript[64],
      ActiveTime[64], SellPrice[64], BuyPrice[64], Exchange[64], Instant[64], EmptySlot[64],
      Pause[64], ExitToMenu[64], Failed[64], Complete[64], Version[64], Page[64], Level[64],
      Closelevel[64];
  char Node[4][64];  // "Node1".."Node4", one after the other
  char Credits[64], Points[64];
  // What the player is told to do next: under a finished level's message
  // ("Continue") and when the boss is beaten ("BossBeaten").
  char Continue[64], BossBeaten[64];
  char Language[64];  // the language's own name, on the options screen
  char Saved[64], SaveFailed[64];  // the save screen's word on a save
  // The quit question for unsaved progress, the name a controller gives a
  // saved game, the mouse sensitivity and the controls page with one label
  // per action.
  char QuitUnsaved[64], SaveName[64], Sensitivity[64], ControlsTitle[64], ControlsKey[64],
      ControlsPad[64], ControlsDefaults[64], ControlsPress[64];
  char Actions[kActionTexts][64];
  char Editor[EDITOR_TEXT_COUNT][64];
};

// The twelve screens; filled in before AppMain runs.
struct ScreenSet {
  Screen* menu = nullptr;
  Screen* options = nullptr;
  Screen* node = nullptr;
  Screen* game = nullptr;
  Screen* boss = nullptr;
  Screen* shop = nullptr;
  Screen* save = nullptr;
  Screen* load = nullptr;
  Screen* hiscore = nullptr;
  Screen* help = nullptr;
  Screen* happy = nullptr;
  Screen* controls = nullptr;
};

// Handles of the nine effects, in load order.
struct SoundHandles {
  int32_t hitBlock = 0, hitSolid = 0, spring = 0, fire = 0, activate = 0, lifeLoss = 0,
          killEnemy = 0, explosion = 0, barrier = 0;
  int32_t click = 0;  // never loaded: plays handle 0
};

struct GameRecord {
  // Shell.
  int32_t screenWidth = 640;
  int32_t screenHeight = 480;
  int32_t bFullScreen = 1;
  int32_t fAppActive = 0;
  int32_t bQuit = 0;
  int32_t bGraphicsReady = 0;
  int32_t bActivated = 0;
  int32_t bReleased = 0;
  uint32_t lastFrameTime = 0;
  uint32_t frameCounter = 0;
  Rect windowRect;
  Rect clientRect;

  // Screen manager.
  Screen* currentScreen = nullptr;
  Screen* screenStack[16] = {};
  int32_t screenStackDepth = 0;
  ScreenSet screens;

  Settings settings;
  StringTable strings = {};
  SoundHandles sounds;
};

extern GameRecord g;

}  // namespace vx
