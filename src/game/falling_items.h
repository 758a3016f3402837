// Coins and power-ups falling out of broken blocks, and the time bomb.
#pragma once

namespace vx {

// Starts a falling item at (x, y) (top-left, screen); timer is a time bomb's
// fuse in frames. The item is lost when every slot is taken.
void DropItem(int x, int y, int kind, int timer);
// Once per game frame: fuses, gravity, the credits attractor, catching.
void UpdateFallingItems();
// What catching an item gives.
void Catch(int kind);
void DrawFallingItems();

}  // namespace vx
