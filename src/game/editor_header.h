// The level header in the editor: name, description, height, scroll speed,
// background tile set and the block types in use, edited one field at a time
// on a panel and kept within the bounds the level loader keeps.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "game/editor_history.h"

namespace vx {

enum HeaderField : int {
  FIELD_NAME, FIELD_TEXT, FIELD_HEIGHT, FIELD_SCROLL_SPEED, FIELD_TILE_SET, FIELD_BLOCK_TYPES,
  FIELD_FIRST_TYPE,  // then hit counter and score of each type in use, in turn
};

struct HeaderPanel {
  bool open = false;
  int field = FIELD_NAME;
  std::string typed;  // the chosen field as typed (8-bit text, code page 866)
  bool edited = false;  // typed differs from the level and is not set yet
  int askHeight = 0;    // > 0: asking whether to remove the rows above it
};

// Puts count block types in use (0 .. 8); a type coming into use gets what the
// loader gives a type without a section of its own (1 hit, no score) and the
// level's block images.
void UseBlockTypes(int count);
// Fields there are: the fixed ones and two for each block type in use.
int HeaderFieldCount();
// The field's value in the level, as the panel shows it.
std::string HeaderFieldText(int field);
// The same into a buffer (a frame of drawing allocates nothing).
void FormatHeaderField(int field, char* out, size_t capacity);
// The lowest and highest values of a number field.
void HeaderFieldBounds(int field, int* lo, int* hi);
bool IsNumberField(int field);
// Sets field from text as one step of history (numbers kept within bounds,
// texts cut to their lengths); the height is set whether it grows or shrinks.
// True when the level changed.
bool SetHeaderField(int field, const std::string& text, EditHistory& history);

// The panel for one frame: choosing a field, stepping a number, setting,
// undoing what was typed, and the question before rows are removed. Returns
// false when the panel closed.
bool UpdateHeaderPanel(HeaderPanel& panel, EditHistory& history);
// A typed character for the chosen field (8 takes one back).
void HeaderPanelChar(HeaderPanel& panel, uint8_t ch);
// The chosen field's text again from the level (after an undo, say).
void ReloadHeaderPanel(HeaderPanel& panel);
// Sets what was typed; false while the question about removing rows waits.
bool CommitHeaderField(HeaderPanel& panel, EditHistory& history);

}  // namespace vx
