// The boss's own rules: its drift, the attack routine, the missiles, the hits
// it takes and the bonus tally after its defeat.
#include <cmath>

#include "base/game_record.h"
#include "base/random.h"
#include "game/angles.h"
#include "game/ball.h"
#include "game/boss_screen.h"
#include "game/game_state.h"
#include "game/message_panel.h"
#include "game/particles.h"
#include "game/play_state.h"
#include "graphics/shared_art.h"
#include "input/controls.h"
#include "sound/sound.h"

namespace vx {

namespace {

// The box the boss's centre keeps to, and its half size for the hits.
constexpr int kBoxLeft = 100, kBoxRight = 540, kBoxTop = 100, kBoxBottom = 280;
constexpr int kHalf = 40;

// The sequence of "Boss.anm" each state plays, by state number.
const char* const kSequences[] = {"Wait", "Arm", "Fire", "Reload", "Freeze"};

int Pan(float x) { return static_cast<int>(100 * x / 640); }

}  // namespace

int BossScreen::DrawSeaTile(const int32_t weights[32]) {
  int32_t sum = 0;
  for (int k = 0; k < 32; ++k) sum += weights[k];
  int r = Random(sum);
  int k = 0;
  while (k < 32 && (r -= weights[k]) > 0) ++k;
  return k;
}

void BossScreen::FillSea() {
  int set = gGame.level.tileSet;
  static const int32_t kNone[32] = {};
  const int32_t* weights = set >= 0 && set < kMaxTileSets ? gArt.tileSets[set].freq : kNone;
  for (uint8_t& tile : gBossSea) tile = static_cast<uint8_t>(DrawSeaTile(weights));
}

void BossScreen::MoveBoss() {
  x = static_cast<int32_t>(static_cast<float>(x) + vx);
  y = static_cast<int32_t>(static_cast<float>(y) + vy);
  if (x < kBoxLeft) {
    x = kBoxLeft;
    vx = -vx;
  }
  if (x > kBoxRight) {
    x = kBoxRight;
    vx = -vx;
  }
  if (y < kBoxTop) {
    y = kBoxTop;
    vy = -vy;
  }
  if (y > kBoxBottom) {
    y = kBoxBottom;
    vy = -vy;
  }
}

bool BossScreen::RunStateMachine() {
  if (hitPoints < 0) {
    state = BOSS_DEFEATED;
    gBossDefeatCountdown = 100;
    hitPoints = 0;
    // The player is told first; the tally waits for a key or a click.
    gPlay.bossBeaten = 1;
    gPlay.bossWaiting = 1;
  }
  // The D key beats the boss on the next frame; a defeat already under way
  // keeps its countdown.
  if (state != BOSS_DEFEATED && Controls::Pressed(ACTION_DEFEAT_BOSS)) hitPoints = -1;

  if (state == BOSS_DEFEATED) {
    bool ended = false;
    DefeatedFrame(&ended);
    return !ended;
  }
  if (state < 0 || state > BOSS_FREEZE) state = BOSS_WAIT;
  AnimationSet& anim = gArt.bossAnim;
  anim.Play(kSequences[state], 0);
  switch (state) {
    case BOSS_WAIT:
      if (Random(20) == 0) state = BOSS_ARM;
      break;
    case BOSS_ARM:
      if (anim.IsFinished()) state = BOSS_FREEZE;
      break;
    case BOSS_FREEZE:
      if (anim.IsFinished()) state = BOSS_FIRE;
      break;
    case BOSS_FIRE:
      LaunchMissiles();
      if (anim.IsFinished()) state = BOSS_RELOAD;
      break;
    case BOSS_RELOAD:
      if (anim.IsFinished()) state = BOSS_WAIT;
      break;
  }
  return true;
}

void BossScreen::DefeatedFrame(bool* ended) {
  static const int kKinds[] = {5, 0, 1, 2, 4};
  static const float kSpeeds[] = {2.0f, 1.0f, 2.0f, 1.0f, 1.0f};
  for (int i = 0; i < 5; ++i) SpawnBurst(335, 200, 100, kKinds[i], kSpeeds[i]);

  if (gPlay.bossWaiting) {
    // Only once the message can be read does an answer count.
    const bool answered = Controls::AnyPressed() != 0 || gGame.level.mouseEvent == MOUSE_LEFT_DOWN;
    if (MessageShown(MESSAGE_BOSS_BEATEN) && answered) gPlay.bossWaiting = 0;
    return;
  }

  PlayerRecord& P = gGame.player;
  const uint32_t t = frames;
  if (P.credits > 0) {
    if (t % 2 == 0) {
      P.credits = P.credits > 10 ? P.credits - 10 : 0;
      AddClamped(P.score, 750);
    }
  } else if (P.lives > 0) {
    if (t % 4 == 0) {
      --P.lives;
      AddClamped(P.score, 10);
    }
  } else if (gBossDefeatCountdown > 0) {
    --gBossDefeatCountdown;
  } else {
    gPlay.bossBeaten = 0;
    SwitchIfNotCurrent(g.screens.happy, 0);
    *ended = true;
  }
}

void BossScreen::LaunchMissiles() {
  const Paddle& paddle = gGame.level.paddle;
  for (int j = 0; j < 2; ++j) {
    BossMissile& m = missiles[j];
    if (m.active) continue;
    m.active = 1;
    m.x = static_cast<float>(j == 0 ? x + 40 : x - 40);
    m.y = static_cast<float>(y + 40);
    Vec2 v{static_cast<float>(paddle.x) - m.x, static_cast<float>(paddle.y) - m.y};
    float length = std::sqrt(v.x * v.x + v.y * v.y);
    if (length != 0) {
      v.x /= length;
      v.y /= length;
    }
    m.vx = v.x * 80;
    m.vy = v.y * 80;
  }
}

void BossScreen::MoveMissiles() {
  Paddle& paddle = gGame.level.paddle;
  for (BossMissile& m : missiles) {
    if (!m.active) continue;
    m.x += m.vx / 12;
    m.y += m.vy / 12;
    // A missile freezes the paddle and flies on through it.
    if (static_cast<float>(paddle.x - 40) < m.x && m.x < static_cast<float>(paddle.x + 40) &&
        std::fabs(m.y - static_cast<float>(paddle.y)) < 20)
      paddle.freeze = 100;
    if (m.x < 0 || m.x >= 640 || m.y < 0 || m.y >= 480) m.active = 0;
  }
}

void BossScreen::HitByBalls() {
  const float x0 = static_cast<float>(x - kHalf), x1 = static_cast<float>(x + kHalf);
  const float y0 = static_cast<float>(y - kHalf), y1 = static_cast<float>(y + kHalf);
  for (Ball& b : gGame.level.balls) {
    if (!b.active) continue;
    for (int step = 0; step < static_cast<int>(b.speed); ++step) {
      b.prevX = b.x;
      b.prevY = b.y;
      Vec2 d = Dir(b.angle);
      b.x += d.x;
      b.y += d.y;
      bool hit = false;
      if (y0 < b.y && b.y < y1) {
        if (x1 - 2 < b.x && b.x < x1) {
          b.x = x1 + 1;
          Bounce(b, BOUNCE_SIDE, 30);
          hit = true;
        }
        if (x0 < b.x && b.x < x0 + 2) {
          b.x = x0 - 1;
          Bounce(b, BOUNCE_SIDE, 30);
          hit = true;
        }
      }
      if (x0 < b.x && b.x < x1) {
        if (y1 - 2 < b.y && b.y < y1) {
          b.y = y1 + 1;
          Bounce(b, BOUNCE_FLOOR, 30);
          hit = true;
        }
        if (y0 < b.y && b.y < y0 + 2) {
          b.y = y0 - 1;
          Bounce(b, BOUNCE_FLOOR, 30);
          hit = true;
        }
      }
      if (hit) {
        --hitPoints;
        PlaySample(g.sounds.hitBlock, 100, Pan(b.x));
      }
    }
  }
}

void BossScreen::HitByBullets() {
  for (Bullet& b : gGame.level.bullets) {
    if (!b.active) continue;
    if (x - kHalf <= b.x && b.x < x + kHalf && y - kHalf <= b.y && b.y < y + kHalf) {
      b.active = 0;
      --hitPoints;
    }
  }
}

int BossScreen::HitPointBarWidth(int hp) {
  // Hits after the last point leave it below zero until the defeat next frame.
  if (hp < 0) hp = 0;
  if (hp > kBossHitPoints) hp = kBossHitPoints;
  return hp * 200 / kBossHitPoints;
}

}  // namespace vx
