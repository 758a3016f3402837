#include "game/editor.h"

#include <algorithm>

#include "base/game_record.h"
#include "game/game_state.h"
#include "game/game_text.h"
#include "game/level_files.h"
#include "game/play_state.h"
#include "game/playfield.h"
#include "graphics/shared_art.h"
#include "input/controls.h"

namespace vx {

namespace {

constexpr int kMaxEditorType = 4;

// The editor's help lines, one key each, top left of the screen.
const char16_t* const kHelpLines[] = {u"F5 - toggle edit mode", u"F3 - reload level",
                                      u"F8 - clear level", u"F2 - save level"};

// Ctrl paints the whole row, Shift the mirrored cell as well, and the cell under
// the cursor is always painted.
void PaintAt(int c, int r, int type) {
  if (Controls::Held(ACTION_EDITOR_ROW))
    for (int col = 0; col < kGridColumns; ++col) PaintCell(col, r, type);
  if (Controls::Held(ACTION_EDITOR_MIRROR)) PaintCell(kGridColumns - 1 - c, r, type);
  PaintCell(c, r, type);
}

int ClampCursor(int v, int limit) {
  if (v < 1) return 0;
  return v >= limit ? limit : v;
}

}  // namespace

void PaintCell(int c, int r, int type) {
  LevelState& L = gGame.level;
  if (c < 0 || c >= kGridColumns || r < 0 || r >= L.header.height) return;
  BlockCell* cell = GridCell(c, r);
  if (!cell) return;
  cell->type = static_cast<uint16_t>(type);
  cell->hits = type > 0 ? static_cast<uint16_t>(L.types[type - 1].hitCounter) : 0;
  // A type beyond the header's count would be saved without its section and
  // come back with whatever an earlier level left in that table entry.
  if (type > L.header.maxBlockTypes) L.header.maxBlockTypes = type;
}

void EditorUpdate() {
  LevelState& L = gGame.level;
  int32_t dx = 0, dy = 0, dz = 0;
  Input::ReadMouse(&dx, &dy, &dz);
  MouseEvent event;
  Input::PopMouseEvent(&event);

  gPlay.cursorX = ClampCursor(gPlay.cursorX + dx, g.screenWidth - 1);
  gPlay.cursorY = ClampCursor(gPlay.cursorY + dy, g.screenHeight - 1);

  int c = gPlay.cursorX / kCellWidth;
  int r = (gPlay.cursorY + L.scroll % kCellHeight) / kCellHeight + L.scroll / kCellHeight;

  if (dz > 0) ++gPlay.blockType;
  if (dz < 0) --gPlay.blockType;
  if (Controls::Held(ACTION_DOWN)) L.scroll += 5;
  if (Controls::Held(ACTION_UP)) L.scroll -= 5;
  if (Controls::Pressed(ACTION_LEFT)) --gPlay.blockType;
  if (Controls::Pressed(ACTION_RIGHT)) ++gPlay.blockType;
  L.scroll = std::clamp(L.scroll, 0, L.header.height * kCellHeight);
  gPlay.blockType = std::clamp(gPlay.blockType, 1, kMaxEditorType);

  if (Controls::Pressed(ACTION_EDITOR_CLEAR))
    for (BlockCell& cell : L.grid) cell.type = 0, cell.hits = 0;
  if (Controls::Pressed(ACTION_EDITOR_RELOAD)) LoadLevel(gGame.player.currentLevel);
  if (Controls::Pressed(ACTION_EDITOR_SAVE)) SaveLevel(false);

  if (Controls::Held(ACTION_EDITOR_PAINT)) PaintAt(c, r, gPlay.blockType);
  if (Controls::Held(ACTION_EDITOR_ERASE)) PaintAt(c, r, 0);
}

void DrawEditorOverlay() {
  DrawHelpLines(kHelpLines, static_cast<int>(sizeof kHelpLines / sizeof kHelpLines[0]));

  const int x = gPlay.cursorX, y = gPlay.cursorY;
  gArt.cursorAnim.Play("Cursor", 0);
  gArt.cursor.RenderAnim(gArt.cursorAnim, x - 10, y - 5, ALIGN_DEFAULT);

  const BlockType& type = gGame.level.types[gPlay.blockType - 1];
  BlockCell sample;
  sample.type = static_cast<uint16_t>(gPlay.blockType);
  sample.hits = static_cast<uint16_t>(type.hitCounter);
  int n = BlockImage(sample);
  Rect rect{(n / 16) * kCellWidth, (n % 16) * kCellHeight, (n / 16) * kCellWidth + kCellWidth,
            (n % 16) * kCellHeight + kCellHeight};
  gArt.blocks.Render(rect, x + 32, y + 32, ALIGN_DEFAULT);
  DrawEdgedGameText(kDebugLineSize, x + 32, y + 16 + kDebugLineSize, kTextWhite, u"%d",
                    static_cast<int>(type.hitCounter));
}

}  // namespace vx
