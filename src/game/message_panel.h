// The message panel over the playfield: when the level ends, the quit question
// is asked or the game is paused, the "TPanel" animation unfolds in the middle
// of the screen and then carries the matching text of the string table.
#pragma once

namespace vx {

// Follows the three states and draws the panel; once per drawn frame.
void UpdateAndDrawMessagePanel();

}  // namespace vx
