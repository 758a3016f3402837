#include "app/quit_question.h"

#include "app/app_main.h"
#include "base/game_record.h"
#include "base/log.h"
#include "graphics/shared_art.h"
#include "graphics/text_font.h"
#include "input/controls.h"
#include "resources/text_file.h"

namespace vx {

namespace {

constexpr int kTextSize = 14;  // as the level's own quit question

bool (*gUnsavedCheck)() = nullptr;
bool gOpen = false;
int gPanelStep = 0;

void QuitNow() {
  g.bQuit = 1;
  gPlatform->window->PostQuit(0);
}

// The message panel of the playfield, appearing, then the text on it.
void Draw() {
  AnimationSet& anim = gArt.panelAnim;
  const int cx = g.screenWidth / 2, cy = g.screenHeight / 2;
  if (gPanelStep == 0) {
    anim.Play("Appear", 1);
    gPanelStep = 1;
  } else if (gPanelStep == 1 && (!anim.Play(nullptr, 0) || anim.IsFinished())) {
    // Without the "Appear" sequence (art missing) the text shows at once.
    gPanelStep = 2;
  }
  gArt.panel.RenderAnim(anim, cx, cy, 0);
  if (gPanelStep < 2) return;
  BeginText(FontB, kTextSize);
  const char16_t* text = ToWide(g.strings.QuitUnsaved, 866);
  FontB.DrawText(cx - FontB.MeasureText(text) / 2, cy + kTextSize / 2, 0xffffffu, text);
  EndText();
}

}  // namespace

void SetUnsavedProgressCheck(bool (*check)()) { gUnsavedCheck = check; }

void RequestQuit() {
  if (gOpen) return;
  // Without a display (start-up failed) nothing could be asked.
  if (gUnsavedCheck && gUnsavedCheck() && g.bGraphicsReady) {
    Log("Quit asked: the campaign has unsaved progress\n");
    gOpen = true;
    gPanelStep = 0;
    return;
  }
  QuitNow();
}

bool QuitQuestionOpen() { return gOpen; }

void RunQuitQuestion() {
  // Both answers at once keep the game, as the level's question does.
  if (Controls::Pressed(ACTION_NO) || Controls::Pressed(ACTION_BACK)) {
    gOpen = false;
    return;
  }
  if (Controls::Pressed(ACTION_YES)) {
    gOpen = false;
    QuitNow();
    return;
  }
  Draw();
}

void ResetQuitQuestion() { gOpen = false; }

}  // namespace vx
