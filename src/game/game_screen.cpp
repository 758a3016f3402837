#include "game/game_screen.h"

#include "base/game_record.h"
#include "base/log.h"
#include "game/ball.h"
#include "game/cheat_words.h"
#include "game/editor.h"
#include "game/enemies.h"
#include "game/falling_items.h"
#include "game/game_state.h"
#include "game/game_text.h"
#include "game/game_update.h"
#include "game/items.h"
#include "game/message_panel.h"
#include "game/particles.h"
#include "game/play_state.h"
#include "game/playfield.h"
#include "game/status_panel.h"
#include "graphics/shared_art.h"
#include "input/controls.h"
#include "platform/platform.h"

namespace vx {

PlayState gPlay;

GameScreen::~GameScreen() { Graphics::ReleaseSurface(panel_); }

void GameScreen::OnChar(uint8_t ch) {
  // Text typed into the level header spells no cheat word.
  if (!EditorTakesChar(ch)) FeedCheatChar(ch);
}

int GameScreen::InitSurfaces() {
  Log("Call GameScreen::InitSurfaces()\n");
  ReleaseSurfaces();
  if (!LoadPlayPanel(&panel_)) {
    Log("Can't load panel.tga\n");
    return 0;
  }
  Log("Return GameScreen::InitSurfaces()\n");
  return 1;
}

int GameScreen::ReleaseSurfaces() {
  Graphics::ReleaseSurface(panel_);
  return 1;
}

int GameScreen::OnDisplay(Screen* previous, int argument) {
  gGame.level.paused = 0;
  return 1;
}

bool GameScreen::GrabsPointer() { return LevelInPlay(); }

int GameScreen::OnFrame() {
  if (Controls::Pressed(ACTION_OPTIONS) && g.screens.options) SwitchIfNotCurrent(g.screens.options, 0);
  LevelState& L = gGame.level;
  if (L.editorTest && (Controls::Pressed(ACTION_EDITOR) || Controls::Pressed(ACTION_EDITOR_RESUME))) {
    ReturnFromEditorTest();
    // The key that ends a test starts one in the editor: not in this frame.
    DrawEditor();
    return 1;
  } else if (Controls::Pressed(ACTION_EDITOR)) {
    if (L.editMode) LeaveEditing();
    L.editMode = !L.editMode;
  }

  if (!gGame.level.editMode) {
    if (!GameUpdate()) return 0;
    // A cheat word or the end of the level may have left the screen, or the
    // end of a test gone back to editing.
    if (g.currentScreen != this) return 0;
    if (gGame.level.editMode) {
      DrawEditor();
      return 1;
    }
    StepPlayAnimations();
    DrawPlay();
  } else {
    EditorUpdate();
    DrawEditor();
  }
  return 1;
}

void StepPlayAnimations() {
  const LevelState& L = gGame.level;
  gArt.shipAnim.Play(IsActive(ITEM_WIDE_BUSTER) ? "Wide" : "Normal", 0);
  bool fire = IsActive(ITEM_PIERCING);
  if (L.ballWaiting)
    gArt.ballAnim.Play(fire ? "AssignedBallFire" : "AssignedBall", 0);
  else
    gArt.ballAnim.Play(fire ? "BallFire" : "Ball", 0);
  for (AnimationSet& a : gArt.creditAnims) a.Play("Rotation", 0);
  for (AnimationSet& a : gArt.enemyAnims) a.Play("Rotation", 0);
  for (int t = 0; t < kMaxTileSets; ++t) {
    int loaded = gArt.backObjectCount[t];
    if (loaded > kMaxBackObjectsPerSet) loaded = kMaxBackObjectsPerSet;
    for (int k = 0; k < loaded; ++k) gArt.backObjectAnims[t][k].Play("Rotation", 0);
  }
  gArt.containerAnim.Play("Rotation", 0);
  StepInventoryIcons();
}

int LoadPlayPanel(Surface** panel) {
  if (!Graphics::LoadSurface("panel.tga", panel, 0)) return 0;
  Graphics::SetColorKey(*panel, Graphics::MakePixel(255, 0, 255));
  return 1;
}

void DrawPanelSurface(Surface* panel) {
  if (!panel) return;
  Rect rect{0, 0, panel->width, panel->height};
  int x = 0, y = g.screenHeight - kPanelHeight;
  ClipToScreen(&x, &y, &rect);
  if (rect.right > rect.left && rect.bottom > rect.top) Graphics::Blit(nullptr, x, y, panel, rect, true);
}

void DrawPlayLayers(Surface* panel) {
  const bool moving = !GameStandsStill();
  DrawBackground();
  UpdateBackObjects(moving);
  DrawBlocks();
  DrawPanelSurface(panel);
  DrawPaddle();
  DrawBalls();
  DrawShield();
  DrawEnemies();
  DrawFallingItems();
  DrawBullets();
  UpdateAndDrawParticles(moving);
  DrawLevelProgress();
  DrawStatusPanel();
  DrawChosenSlot();
  UpdateAndDrawMessagePanel();
}

void GameScreen::DrawPlay() {
  DrawPlayLayers(panel_);
  if (Controls::Held(ACTION_FRAME_RATE)) DrawFrameRate();
  if (gGame.level.editorTest) DrawEditorTestBanner();
}

void GameScreen::DrawEditor() {
  DrawBackground();
  DrawBlocks();
  DrawPanelSurface(panel_);
  DrawLevelProgress();
  DrawStatusPanel();
  DrawEditorOverlay();
}

void GameScreen::DrawFrameRate() {
  float now = static_cast<float>(gPlatform->clock->Milliseconds()) / 1000.0f;
  ++gPlay.framesSinceMeasure;
  float elapsed = now - gPlay.lastMeasure;
  if (elapsed >= 1.0f) {
    gPlay.fps = static_cast<float>(gPlay.framesSinceMeasure) / elapsed;
    gPlay.lastMeasure = now;
    gPlay.framesSinceMeasure = 0;
  }
  BeginText(FontB, kDebugLineSize);
  FontB.SetSize(kDebugLineSize);
  FontB.DrawText(0, kDebugLineSize, kTextWhite, u"Frame: %d", g.frameCounter);
  FontB.DrawText(0, 20 + kDebugLineSize, kTextWhite, u"FPS: %2.3f", gPlay.fps);
  FontB.DrawText(0, 50 + kDebugLineSize, kTextWhite, u"Back Objetcs = %d", LiveBackObjects());
  EndText();
}

}  // namespace vx
