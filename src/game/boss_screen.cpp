#include "game/boss_screen.h"

#include <algorithm>

#include "app/sound_setup.h"
#include "base/game_record.h"
#include "base/log.h"
#include "game/ball.h"
#include "game/enemies.h"
#include "game/falling_items.h"
#include "game/game_screen.h"
#include "game/game_state.h"
#include "game/game_update.h"
#include "game/message_panel.h"
#include "game/particles.h"
#include "game/play_state.h"
#include "game/status_panel.h"
#include "graphics/shared_art.h"
#include "input/controls.h"

namespace vx {

uint8_t gBossSea[kBossSeaTiles];
int32_t gBossDefeatCountdown = 0;

namespace {

bool AnyBallActive() {
  for (const Ball& b : gGame.level.balls)
    if (b.active) return true;
  return false;
}

}  // namespace

BossScreen::~BossScreen() { Graphics::ReleaseSurface(panel); }

int BossScreen::OnDisplay(Screen* previous, int argument) {
  // Coming back from the options goes on with the fight under way.
  if (previous && previous == g.screens.options) return 1;
  StartFight();
  return 1;
}

void BossScreen::StartFight() {
  PlayMusic("qel_z.s3m");
  state = BOSS_WAIT;
  hitPoints = kBossHitPoints;
  x = 320;
  y = 240;
  vx = 2.0f;
  vy = 1.0f;
  scroll = 10000000;
  for (BossMissile& m : missiles) m = BossMissile();

  LevelState& L = gGame.level;
  L.paddle.x = L.paddle.prevX = 320;
  L.paddle.y = L.paddle.prevY = kPaddleLine;
  L.paddle.dx = L.paddle.dy = 0;
  L.paddle.freeze = 0;
  L.levelEnded = 0;
  L.editorTest = 0;  // a cheat word may bring a test of the editor here
  L.levelFailed = 0;
  L.quitRequest = 0;
  gPlay.bossBeaten = gPlay.bossWaiting = 0;
  for (Ball& b : L.balls) b = Ball();
  for (Enemy& e : L.enemies) e = Enemy();
  for (Bullet& b : L.bullets) b = Bullet();
  // No blocks in the fight, and so nothing left to scroll: a field left half
  // way up would carry the balls down with it.
  std::fill(L.grid.begin(), L.grid.end(), BlockCell());
  L.scroll = 0;
  for (ItemSlot& s : gGame.player.inventory) s.active = 0;

  FillSea();
  L.ballWaiting = 1;
}

int BossScreen::InitSurfaces() {
  ReleaseSurfaces();
  if (!LoadPlayPanel(&panel)) {
    Log("Can't load panel.tga\n");
    return 0;
  }
  missileAnim.Load("ball.anm");
  missileAnim.Play("BallBoss", 1);
  // Without its picture the bar is drawn as plain rectangles.
  if (!hitPointBar.Load("BossBar.tga", "BossBar.frm")) hitPointBar.Release();
  return 1;
}

int BossScreen::ReleaseSurfaces() {
  Graphics::ReleaseSurface(panel);
  hitPointBar.Release();
  return 1;
}

bool BossScreen::GrabsPointer() { return LevelInPlay(); }

int BossScreen::OnFrame() {
  --scroll;
  if (Controls::Pressed(ACTION_OPTIONS) && g.screens.options) SwitchIfNotCurrent(g.screens.options, 0);

  // The game update takes back the frame count of every frame in which the
  // game stands still (pause, the quit question); the boss stands still then too.
  const uint32_t frameBefore = g.frameCounter;
  // A beaten boss cannot turn into a lost fight: a ball that falls out during
  // the tally waits on the paddle again instead of costing a life.
  if (state == BOSS_DEFEATED && !AnyBallActive()) gGame.level.ballWaiting = 1;
  if (!GameUpdate()) return 0;
  // The options, the end of a lost fight or the quit question may have left.
  if (g.currentScreen != this) return 0;
  const bool running = g.frameCounter == frameBefore;
  StepPlayAnimations();

  if (running) {
    MoveBoss();
    if (!RunStateMachine()) return 0;
    // A beaten boss is gone: nothing bounces off it or delays the ending.
    if (state != BOSS_DEFEATED) {
      HitByBalls();
      HitByBullets();
    }
  }

  DrawSea();
  DrawPanelSurface(panel);
  DrawPaddle();
  DrawBalls();
  DrawShield();
  DrawEnemies();
  DrawFallingItems();
  if (state != BOSS_DEFEATED) {
    DrawHitPointBar();
    gArt.boss.RenderAnim(gArt.bossAnim, x, y, ALIGN_DEFAULT);
  }
  if (running) MoveMissiles();
  DrawMissiles();
  DrawBullets();
  UpdateAndDrawParticles(running);
  DrawStatusPanel();
  // The flag of the console: how far the boss is beaten.
  DrawProgressFigure((kBossHitPoints - std::clamp(hitPoints, 0, kBossHitPoints)) * 100 /
                     kBossHitPoints);
  DrawChosenSlot();
  // Pause, the quit question and a lost fight show their messages as in a level.
  UpdateAndDrawMessagePanel();
  return 1;
}

}  // namespace vx
