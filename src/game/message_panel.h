// The message panel over the playfield: when the level ends, the quit question
// is asked, the game is paused or the boss is beaten, the "TPanel" animation
// unfolds in the middle of the screen and then carries the matching text of
// the string table, with a prompt under it while it waits for the player.
#pragma once

namespace vx {

// Follows the states and draws the panel; once per drawn frame.
void UpdateAndDrawMessagePanel();
// Whether the panel shows message with its text, which is when it starts to
// take the player's answer.
bool MessageShown(int message);

}  // namespace vx
