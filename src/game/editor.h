// The level editor: a mode of the game screen in which the block grid and the
// header of the loaded level are edited, with undo and redo, cleared,
// reloaded, tried out from the bottom end and saved.
#pragma once

#include <cstddef>
#include <cstdint>

namespace vx {

// One frame of the editor in place of the game update.
void EditorUpdate();
// Help lines, cursor, the preview of the current block type and the header.
void DrawEditorOverlay();
// Gives cell (c, r) the block type (0 erases), with that type's hit counter;
// cells outside the grid are left alone.
void PaintCell(int c, int r, int type);

// A typed character while editing; true when the header took it (it is then
// no cheat word's).
bool EditorTakesChar(uint8_t ch);
// Edit mode goes off: a stroke under way and the header field being typed are
// set, a question about removing rows is dropped.
void LeaveEditing();

// The edited level played as a player meets it: from the bottom end, blocks
// whole, lives, credits, score and items as they are. Nothing is written and
// the campaign does not change.
void StartEditorTest();
// Back to editing where the designer left off: the level, the player and the
// view as they were when the test began.
void ReturnFromEditorTest();
// The line over a test: how to go back.
void DrawEditorTestBanner();

// Steps that undo and redo would take (tests, the overlay).
size_t EditorUndoSteps();
size_t EditorRedoSteps();
bool EditorHeaderOpen();

}  // namespace vx
