// BossScreen: the boss fight at the end of the campaign. The paddle, balls,
// bullets, items and panel of a level, but instead of blocks one large boss
// drifting over a scrolling sea, firing homing missiles that freeze the paddle.
#pragma once

#include <cstdint>

#include "app/screen.h"
#include "graphics/graphics.h"
#include "graphics/sprite.h"

namespace vx {

enum BossState {
  BOSS_WAIT = 0,
  BOSS_ARM = 1,
  BOSS_FIRE = 2,
  BOSS_RELOAD = 3,
  BOSS_FREEZE = 4,
  BOSS_DEFEATED = 5,
};

constexpr int kBossHitPoints = 300;
constexpr int kBossSeaRows = 100;
constexpr int kBossSeaColumns = 8;
constexpr int kBossSeaTiles = kBossSeaRows * kBossSeaColumns;
constexpr int kBossSeaTileSize = 80;

struct BossMissile {
  uint32_t active = 0;
  float x = 0, y = 0;
  float vx = 0, vy = 0;
};

// The sea under the fight and the frames left after a defeat; they outlive the
// screen.
extern uint8_t gBossSea[kBossSeaTiles];
extern int32_t gBossDefeatCountdown;

class BossScreen : public Screen {
 public:
  ~BossScreen() override;
  const char* GetName() override { return "BossScreen"; }
  int InitSurfaces() override;
  int ReleaseSurfaces() override;
  int OnDisplay(Screen* previous, int argument) override;
  // Returns 0 when the fight has ended or the screen was left this frame.
  int OnFrame() override;
  bool GrabsPointer() override;

  // The rules of one frame, in the order OnFrame runs them.
  void StartFight();
  void MoveBoss();
  // Returns false when the fight has ended (the ending screen is current).
  bool RunStateMachine();
  void LaunchMissiles();
  void HitByBalls();
  void HitByBullets();
  void MoveMissiles();

  // Width in pixels of the blue part of the hit-point bar.
  static int HitPointBarWidth(int hitPoints);
  // One frequency-weighted draw of a tile from a set's 32 weights.
  static int DrawSeaTile(const int32_t weights[32]);

  Surface* panel = nullptr;  // "panel.tga" at the bottom
  AnimationSet missileAnim;
  CSprite hitPointBar;  // "BossBar.tga" with "BossBar.frm": casing and fill
  int32_t x = 320, y = 240;  // centre of the boss
  float vx = 2.0f, vy = 1.0f;
  int32_t state = BOSS_WAIT;
  int32_t hitPoints = kBossHitPoints;
  int32_t scroll = 10000000;  // falls by one a frame; the sea scrolls down with it
  BossMissile missiles[2];

 private:
  void FillSea();
  void DefeatedFrame(bool* ended);
  void DrawSea();
  void DrawHitPointBar();
  void DrawMissiles();
};

}  // namespace vx
