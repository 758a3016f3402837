// Balls and paddle: input, launch, the one-pixel ball steps and the bounces.
#pragma once

#include "game/game_types.h"

namespace vx {

enum BounceMode { BOUNCE_SIDE = 0, BOUNCE_FLOOR = 1, BOUNCE_REVERSE = 2, BOUNCE_RANDOM = 3 };

// Paddle from this frame's mouse motion and arrow keys.
void MovePaddle();
// Paddle moved by (dx, dy), within its limits; the frame's movement is kept.
void MovePaddleBy(int dx, int dy);
// Launches a waiting ball on a left click or Space.
void UpdateLaunch();
// Launches the waiting ball, if any.
void LaunchBall();
// Whether the launch takes the sweeping aim angle instead of 45 degrees.
bool LaunchIsAimed();
// Sweeps the aim angle while a ball waits.
void UpdateAim();
// Takes the first free ball slot; nothing when all are in use.
void AddBall(float x, float y, float angle, float speed);
// The paddle (and shadow paddle) test of one ball.
void PaddleCollide(Ball& ball);
// Moves all balls one frame; returns how many were in the upper half.
int MoveBalls();
void Bounce(Ball& ball, int mode, int chance);
// Bounce off the occupied cell (c1, r1) entered in direction (dc, dr).
void BounceOffBlock(Ball& ball, int c1, int r1, int dc, int dr);
// Every ball faster or slower, kept within these.
constexpr float kMinBallSpeed = 2.0f, kMaxBallSpeed = 5.0f;
void AddSpeed(float delta);
// With no ball in play and none waiting, a life is spent. Returns 1 when none
// was left (the level is lost).
int CheckBallLost();

// Paddle and shadow paddle, with the exhaust.
void DrawPaddle();
// The waiting ball with its aim lines, the balls and the rubber bands.
void DrawBalls();
// The barrier lines while the shield runs.
void DrawShield();

}  // namespace vx
