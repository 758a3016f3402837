// Enemies that wander the window, and the paddle's cannon bullets.
#pragma once

#include "game/game_types.h"

namespace vx {

enum EnemyState { ENEMY_NORMAL = 0, ENEMY_DYING = 1, ENEMY_FLEEING = 2 };

// Once per game frame: spawning (when allowed), paddle contact, movement.
void UpdateEnemies(bool spawnAllowed);
void SpawnEnemy(float x, float y, int kind);
void KillEnemy(Enemy& enemy);
void DrawEnemies();

// Two bullets from the paddle's muzzles.
void FireCannon();
// Once per game frame: flight, enemy and block hits.
void UpdateBullets();
void DrawBullets();

}  // namespace vx
