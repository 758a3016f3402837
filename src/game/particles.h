// The small particle system behind bursts, ball and bullet trails and exhausts.
#pragma once

#include "game/game_types.h"

namespace vx {

// Up to count particles flying out of (x, y) in random directions.
void SpawnBurst(float x, float y, int count, int kind, float speedDivisor);
// One particle rising slowly; the caller may change its life and velocity.
// Returns the particle, or nullptr when every slot is taken.
Particle* SpawnTrail(float x, float y, int kind, int frame);
// Moves every live particle one frame and retires the spent ones.
void UpdateParticles();
// Draws the live particles.
void DrawParticles();
// One frame of the particles: move (unless the game stands still), then draw.
void UpdateAndDrawParticles(bool moving);

int LiveParticles();

}  // namespace vx
