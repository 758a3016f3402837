#include "game/message_panel.h"

#include "base/game_record.h"
#include "game/game_state.h"
#include "game/game_text.h"
#include "game/play_state.h"
#include "graphics/shared_art.h"

namespace vx {

namespace {

int32_t StateOf(int message) {
  const LevelState& L = gGame.level;
  switch (message) {
    case MESSAGE_ENDED: return L.levelEnded;
    case MESSAGE_QUIT: return L.quitRequest;
    case MESSAGE_PAUSE: return L.paused;
    case MESSAGE_BOSS_BEATEN: return gPlay.bossBeaten;
    default: return 0;
  }
}

// A state that has just been set brings its own message up from the start.
void Watch(int message, int32_t* previous) {
  int32_t now = StateOf(message) ? 1 : 0;
  if (now && !*previous) {
    gPlay.message = message;
    gPlay.panelStep = 0;
  }
  *previous = now;
}

// The unfolded panel, 320 x 72 about the screen's centre, holds the text.
constexpr int kPanelHalfWidth = 160, kPanelHalfHeight = 36;

Rect Panel() {
  const int cx = g.screenWidth / 2, cy = g.screenHeight / 2;
  return Rect{cx - kPanelHalfWidth, cy - kPanelHalfHeight, cx + kPanelHalfWidth, cy + kPanelHalfHeight};
}

// Under the message, while the panel waits for a key or a click.
void DrawPrompt() {
  DrawCentredText8(kPromptSize, g.screenWidth / 2, g.screenHeight / 2 + kPromptDrop,
                   Graphics::MakePixelRGB(kPromptRGB), g.strings.Continue, Panel());
}

void DrawMessageText() {
  const StringTable& s = g.strings;
  const int cx = g.screenWidth / 2, y = g.screenHeight / 2;
  const Rect panel = Panel();
  switch (gPlay.message) {
    case MESSAGE_ENDED:
      // Pure red is too dark on the panel: a lighter red keeps the meaning.
      if (gGame.level.levelFailed)
        DrawCentredText8(kFailedSize, cx, y, Graphics::MakePixelRGB(kFailedRGB), s.Failed, panel);
      else
        DrawCentredText8(kCompleteSize, cx, y, StandardColors[8], s.Complete, panel);
      if (!gGame.level.endAcknowledged) DrawPrompt();
      break;
    case MESSAGE_BOSS_BEATEN:
      DrawCentredText8(kCompleteSize, cx, y, StandardColors[8], s.BossBeaten, panel);
      if (gPlay.bossWaiting) DrawPrompt();
      break;
    case MESSAGE_QUIT:
      DrawCentredText8(kExitToMenuSize, cx, y, kTextWhite, s.ExitToMenu, panel);
      break;
    case MESSAGE_PAUSE:
      DrawCentredText8(kPauseSize, cx, y, kTextWhite, s.Pause, panel);
      break;
    default:
      break;
  }
}

}  // namespace

bool MessageShown(int message) { return gPlay.message == message && gPlay.panelStep == 2; }

void UpdateAndDrawMessagePanel() {
  Watch(MESSAGE_ENDED, &gPlay.wasEnded);
  Watch(MESSAGE_QUIT, &gPlay.wasQuit);
  Watch(MESSAGE_PAUSE, &gPlay.wasPaused);
  Watch(MESSAGE_BOSS_BEATEN, &gPlay.wasBossBeaten);
  // When the message on show goes away, one still standing takes its place.
  if (!StateOf(gPlay.message)) {
    gPlay.message = MESSAGE_NONE;
    for (int m : {MESSAGE_QUIT, MESSAGE_PAUSE, MESSAGE_ENDED, MESSAGE_BOSS_BEATEN})
      if (StateOf(m)) {
        gPlay.message = m;
        break;
      }
  }
  if (gPlay.message == MESSAGE_NONE) return;

  AnimationSet& anim = gArt.panelAnim;
  const int cx = g.screenWidth / 2, cy = g.screenHeight / 2;
  switch (gPlay.panelStep) {
    case 0:
      anim.Play("Appear", 1);
      gArt.panel.RenderAnim(anim, cx, cy, 0);
      gPlay.panelStep = 1;
      break;
    case 1:
      // Without the "Appear" sequence (art missing) the text shows at once.
      if (!anim.Play(nullptr, 0) || anim.IsFinished()) gPlay.panelStep = 2;
      gArt.panel.RenderAnim(anim, cx, cy, 0);
      break;
    default:
      gArt.panel.RenderAnim(anim, cx, cy, 0);
      DrawMessageText();
      break;
  }
}

}  // namespace vx
