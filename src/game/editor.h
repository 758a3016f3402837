// The level editor: a mode of the game screen in which the block grid of the
// loaded level is painted with the mouse, cleared, reloaded and saved.
#pragma once

namespace vx {

// One frame of the editor in place of the game update.
void EditorUpdate();
// Help lines, cursor and the preview of the current block type.
void DrawEditorOverlay();
// Gives cell (c, r) the block type (0 erases), with that type's hit counter;
// cells outside the grid are left alone.
void PaintCell(int c, int r, int type);

}  // namespace vx
