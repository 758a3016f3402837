#include "game/game_update.h"

#include "base/game_record.h"
#include "app/screen.h"
#include "app/sound_setup.h"
#include "game/ball.h"
#include "game/enemies.h"
#include "game/falling_items.h"
#include "game/game_state.h"
#include "game/items.h"
#include "game/play_state.h"
#include "game/playfield.h"
#include "input/input.h"
#include "platform/platform.h"
#include "sound/sound.h"

namespace vx {

namespace {

// Digit keys 1, 2, ..., 9, 0 use inventory slots 0 to 9; their scan codes run
// from 2 (key 1) to 11 (key 0).
void UseSlotsByDigitKeys() {
  for (int slot = 0; slot < kInventorySlots; ++slot)
    if (Input::KeyPressed(KEY_1 + slot)) UseSlot(slot);
}

bool FireHeld() {
  return Input::leftHeld || Input::rightHeld || Input::KeyHeld(KEY_SPACE);
}

}  // namespace

void EndLevel(bool won) {
  LevelState& L = gGame.level;
  // A second end (the "completed" word typed during the fade) would take the
  // half-faded volume as the one to restore afterwards.
  if (L.levelEnded) return;
  L.savedMusicVolume = GetMusicVolume();
  L.endAcknowledged = 0;
  L.levelEnded = 1;
  if (won) {
    int index = gGame.player.currentLevel - 1;
    if (index >= 0 && index < kLevelCount) gGame.campaign[index].completed = 1;
  } else {
    L.levelFailed = 1;
  }
}

void UpdateLevelEnd() {
  LevelState& L = gGame.level;
  int32_t dx, dy;
  Input::ReadMouse(&dx, &dy, nullptr);
  MouseEvent event;
  Input::PopMouseEvent(&event);
  if (Input::AnyKeyPressed() != 0 || event.type == MOUSE_LEFT_DOWN) L.endAcknowledged = 1;
  if (!L.endAcknowledged) return;
  int volume = GetMusicVolume();
  if (volume > 0) {
    SetMusicVolume(static_cast<uint8_t>(volume - 1));
    return;
  }
  StopMusic();
  SetMusicVolume(static_cast<uint8_t>(L.savedMusicVolume));
  Return(g.currentScreen, L.levelFailed ? 0 : 1);
}

int GameUpdate() {
  LevelState& L = gGame.level;
  gPlay.frameStartTime = gPlatform ? gPlatform->clock->Milliseconds() : 0;

  if (Input::KeyPressed(KEY_PAUSE) && !L.quitRequest) L.paused = !L.paused;
  if (L.paused) {
    // The game stands still, and so does its frame count.
    --g.frameCounter;
    if (Input::KeyPressed(KEY_ESCAPE)) L.paused = 0;
    return 1;
  }
  if (L.quitRequest) {
    --g.frameCounter;
    int key = Input::AnyKeyPressed();
    if (key == KEY_ESCAPE || key == KEY_N) {
      L.quitRequest = 0;
    } else if (key == KEY_Y) {
      Return(g.currentScreen, 0);
      return 0;
    }
    return 1;
  }
  if (Input::KeyPressed(KEY_ESCAPE)) L.quitRequest = 1;

  bool checkWin = !L.levelEnded && g.currentScreen != g.screens.boss;
  if (CheckLevelTop(checkWin)) EndLevel(true);
  if (g.settings.vanishing) VanishRow();
  if (L.levelEnded) {
    UpdateLevelEnd();
    return 1;
  }

  MovePaddle();
  UpdateLaunch();
  if (g.frameCounter % 10 == 0 && FireHeld() && IsActive(ITEM_CANNON)) FireCannon();
  UseSlotsByDigitKeys();
  if (L.ballWaiting) UpdateAim();
  if (CheckBallLost()) EndLevel(false);

  for (int pass = 0; pass < 2; ++pass)
    for (Ball& b : L.balls)
      if (b.active) PaddleCollide(b);

  int upper = MoveBalls();
  if (IsActive(ITEM_TIMEZIP)) upper = 0;
  if (upper > 0 && L.scroll != 0) ScrollStep(upper);

  UpdateEnemies(true);
  UpdateFallingItems();
  TickItems();
  UpdateBullets();
  return 1;
}

}  // namespace vx
