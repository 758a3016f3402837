#include "game/game_update.h"

#include "app/screen.h"
#include "app/sound_setup.h"
#include "base/game_record.h"
#include "game/ball.h"
#include "game/editor.h"
#include "game/enemies.h"
#include "game/falling_items.h"
#include "game/game_state.h"
#include "game/items.h"
#include "game/play_state.h"
#include "game/playfield.h"
#include "input/controls.h"
#include "platform/platform.h"
#include "sound/sound.h"

namespace vx {

namespace {

// The next slot holding an item in direction step (+1, -1) from the chosen
// one; the chosen one itself when no other holds anything.
void ChooseSlot(int step) {
  gPlay.slotChoiceShown = true;
  for (int k = 1; k < kInventorySlots; ++k) {
    const int slot = (gPlay.chosenSlot + step * k + kInventorySlots) % kInventorySlots;
    if (gGame.player.inventory[slot].id != 0) {
      gPlay.chosenSlot = slot;
      return;
    }
  }
}

void UseSlotsByTheirKeys() {
  static_assert(ACTION_SLOT_10 - ACTION_SLOT_1 + 1 == kInventorySlots, "one action per slot");
  for (int slot = 0; slot < kInventorySlots; ++slot)
    if (Controls::Pressed(ACTION_SLOT_1 + slot)) UseSlot(slot);
  if (Controls::Pressed(ACTION_SLOT_PREVIOUS)) ChooseSlot(-1);
  if (Controls::Pressed(ACTION_SLOT_NEXT)) ChooseSlot(1);
  if (Controls::Pressed(ACTION_USE_SLOT)) {
    gPlay.slotChoiceShown = true;
    UseSlot(gPlay.chosenSlot);
  }
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
  if (!won) {
    L.levelFailed = 1;
    return;
  }
  // A test of the editor's level leaves the campaign as it was.
  const int index = gGame.player.currentLevel - 1;
  if (!L.editorTest && index >= 0 && index < kLevelCount) gGame.campaign[index].completed = 1;
}

void UpdateLevelEnd() {
  LevelState& L = gGame.level;
  int32_t dx, dy;
  Input::ReadMouse(&dx, &dy, nullptr);
  MouseEvent event;
  Input::PopMouseEvent(&event);
  if (Controls::AnyPressed() || event.type == MOUSE_LEFT_DOWN) L.endAcknowledged = 1;
  if (!L.endAcknowledged) return;
  if (L.editorTest) {
    ReturnFromEditorTest();
    return;
  }
  int volume = GetMusicVolume();
  if (volume > 0) {
    SetMusicVolume(static_cast<uint8_t>(volume - 1));
    return;
  }
  StopMusic();
  SetMusicVolume(static_cast<uint8_t>(L.savedMusicVolume));
  Return(g.currentScreen, L.levelFailed ? 0 : 1);
}

bool GameStandsStill() {
  const LevelState& L = gGame.level;
  return L.paused || L.quitRequest || L.levelEnded;
}

bool LevelInPlay() { return !GameStandsStill() && !gGame.level.editMode; }

int GameUpdate() {
  LevelState& L = gGame.level;
  gPlay.frameStartTime = gPlatform ? gPlatform->clock->Milliseconds() : 0;

  if (Controls::Pressed(ACTION_PAUSE) && !L.quitRequest) L.paused = !L.paused;
  if (L.paused) {
    // The game stands still, and so does its frame count.
    --g.frameCounter;
    if (Controls::Pressed(ACTION_BACK)) L.paused = 0;
    return 1;
  }
  if (L.quitRequest) {
    --g.frameCounter;
    // With both answers at once, the level goes on.
    if (Controls::Pressed(ACTION_BACK) || Controls::Pressed(ACTION_NO)) {
      L.quitRequest = 0;
    } else if (Controls::Pressed(ACTION_YES)) {
      // Leaving a test goes back to editing.
      if (L.editorTest) {
        ReturnFromEditorTest();
        return 1;
      }
      Return(g.currentScreen, 0);
      return 0;
    }
    return 1;
  }
  if (Controls::Pressed(ACTION_BACK)) L.quitRequest = 1;

  bool checkWin = !L.levelEnded && g.currentScreen != g.screens.boss;
  if (CheckLevelTop(checkWin)) EndLevel(true);
  if (g.settings.vanishing) VanishRow();
  if (L.levelEnded) {
    UpdateLevelEnd();
    return 1;
  }

  MovePaddle();
  UpdateLaunch();
  if (g.frameCounter % 10 == 0 && Controls::Held(ACTION_FIRE) && IsActive(ITEM_CANNON)) FireCannon();
  UseSlotsByTheirKeys();
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
