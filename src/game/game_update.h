// The per-frame rules of a level in play, in their fixed order, and the end of
// a level. The boss fight runs the same update.
#pragma once

namespace vx {

// One frame of the game. Returns 0 when the player left the level (the quit
// question answered with Y), else 1.
int GameUpdate();
// Paused, asking whether to quit, or ended: nothing that could touch blocks,
// score, credits, coins or balls may move, not even the background.
bool GameStandsStill();
// The level is won or lost: the music volume is remembered for the fade and
// from now on only the end-of-level handling runs. A level that has already
// ended stays as it ended.
void EndLevel(bool won);
// After the end: waits for a key or a left click, then fades the music out one
// step per frame and returns to the screen below with 1 (won) or 0 (lost).
void UpdateLevelEnd();
// The level is being played: not paused, asking or over (the game then keeps
// the system pointer).
bool LevelInPlay();

}  // namespace vx
