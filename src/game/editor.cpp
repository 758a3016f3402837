#include "game/editor.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "base/game_record.h"
#include "game/editor_draw.h"
#include "game/editor_header.h"
#include "game/editor_history.h"
#include "game/editor_session.h"
#include "game/game_state.h"
#include "game/game_text.h"
#include "game/level_files.h"
#include "game/play_state.h"
#include "game/playfield.h"
#include "graphics/shared_art.h"
#include "input/controls.h"
#include "resources/text_file.h"

namespace vx {

namespace {

constexpr int kMaxEditorType = 4;
constexpr uint32_t kMessageFrames = 230;  // about three seconds

// The editor's help lines, top left of the screen: each key as bound now and
// what it does.
struct HelpLine {
  int action;
  EditorText words;
};
const HelpLine kHelpLines[] = {
    {ACTION_EDITOR, EDITOR_HELP_TOGGLE},        {ACTION_EDITOR_RELOAD, EDITOR_HELP_RELOAD},
    {ACTION_EDITOR_CLEAR, EDITOR_HELP_CLEAR},   {ACTION_EDITOR_SAVE, EDITOR_HELP_SAVE},
    {ACTION_EDITOR_UNDO, EDITOR_HELP_UNDO},     {ACTION_EDITOR_REDO, EDITOR_HELP_REDO},
    {ACTION_EDITOR_HEADER, EDITOR_HELP_HEADER}, {ACTION_EDITOR_TEST, EDITOR_HELP_TEST}};
constexpr int kHelpCount = static_cast<int>(sizeof kHelpLines / sizeof kHelpLines[0]);
constexpr size_t kHelpUnits = 96;

// The session belongs to one level: a new load leaves the old level, and its
// history with it.
EditorSession& CurrentSession() {
  EditorSession& s = Session();
  if (s.loadSerial != gGame.level.loadSerial) {
    s.history.Clear();
    s.panel = HeaderPanel();
    s.loadSerial = gGame.level.loadSerial;
  }
  return s;
}

void PaintNoted(int c, int r, int type) {
  if (c >= 0 && c < kGridColumns && r >= 0 && r < gGame.level.header.height)
    Session().history.Touch(static_cast<uint32_t>(r * kGridColumns + c));
  PaintCell(c, r, type);
}

// Ctrl paints the whole row, Shift the mirrored cell as well, and the cell under
// the cursor is always painted.
void PaintAt(int c, int r, int type) {
  if (Controls::Held(ACTION_EDITOR_ROW))
    for (int col = 0; col < kGridColumns; ++col) PaintNoted(col, r, type);
  if (Controls::Held(ACTION_EDITOR_MIRROR)) PaintNoted(kGridColumns - 1 - c, r, type);
  PaintNoted(c, r, type);
}

int ClampCursor(int v, int limit) {
  if (v < 1) return 0;
  return v >= limit ? limit : v;
}

void Say(EditorSession& s, const std::string& text) {
  s.message = text;
  s.messageUntil = g.frameCounter + kMessageFrames;
}

void ClearLevel(EditHistory& history) {
  std::vector<BlockCell>& grid = gGame.level.grid;
  history.Begin(false);
  for (size_t i = 0; i < grid.size(); ++i) {
    if (grid[i].type == 0 && grid[i].hits == 0) continue;
    history.Touch(static_cast<uint32_t>(i));
    grid[i].type = 0;
    grid[i].hits = 0;
  }
  history.End();
}

void ReloadLevel(EditorSession& s) {
  s.history.Begin(true);
  LoadLevel(gGame.player.currentLevel);
  // Reloading keeps the level: its history stays.
  s.loadSerial = gGame.level.loadSerial;
  s.history.End();
}

void SaveEditedLevel(EditorSession& s) {
  char name[64];
  LevelFileName(gGame.player.currentLevel, name, sizeof name);
  Say(s, std::string(g.strings.Editor[SaveLevel(false) ? EDITOR_SAVED : EDITOR_NOT_SAVED]) + " " + name);
}

void TakeBack(EditorSession& s, bool redo) {
  bool done = redo ? s.history.Redo() : s.history.Undo();
  if (s.panel.open) ReloadHeaderPanel(s.panel);
  if (!done) Say(s, g.strings.Editor[redo ? EDITOR_NOTHING_TO_REDO : EDITOR_NOTHING_TO_UNDO]);
}

// Wheel and arrows over the field while the header is closed.
void EditField(int dz) {
  LevelState& L = gGame.level;
  if (dz > 0) ++gPlay.blockType;
  if (dz < 0) --gPlay.blockType;
  if (Controls::Held(ACTION_DOWN)) L.scroll += 5;
  if (Controls::Held(ACTION_UP)) L.scroll -= 5;
  if (Controls::Pressed(ACTION_LEFT)) --gPlay.blockType;
  if (Controls::Pressed(ACTION_RIGHT)) ++gPlay.blockType;
}

void PaintStroke(EditorSession& s, int c, int r) {
  const bool paint = Controls::Held(ACTION_EDITOR_PAINT) != 0;
  const bool erase = Controls::Held(ACTION_EDITOR_ERASE) != 0;
  // One stroke of the mouse, from press to release, is one step.
  if ((paint || erase) && !s.history.IsOpen()) s.history.Begin(false);
  if (paint) PaintAt(c, r, gPlay.blockType);
  if (erase) PaintAt(c, r, 0);
  if (!paint && !erase && s.history.IsOpen()) s.history.End();
}

}  // namespace

EditorSession& Session() {
  static EditorSession session;
  return session;
}

void PaintCell(int c, int r, int type) {
  LevelState& L = gGame.level;
  if (c < 0 || c >= kGridColumns || r < 0 || r >= L.header.height) return;
  BlockCell* cell = GridCell(c, r);
  if (!cell) return;
  // A type beyond the header's count would be saved without its section and
  // come back with whatever an earlier level left in that table entry.
  if (type > L.header.maxBlockTypes) UseBlockTypes(type);
  cell->type = static_cast<uint16_t>(type);
  cell->hits = type > 0 ? static_cast<uint16_t>(L.types[type - 1].hitCounter) : 0;
}

void EditorUpdate() {
  LevelState& L = gGame.level;
  EditorSession& s = CurrentSession();
  int32_t dx = 0, dy = 0, dz = 0;
  Input::ReadMouse(&dx, &dy, &dz);
  MouseEvent event;
  Input::PopMouseEvent(&event);

  gPlay.cursorX = ClampCursor(gPlay.cursorX + dx, g.screenWidth - 1);
  gPlay.cursorY = ClampCursor(gPlay.cursorY + dy, g.screenHeight - 1);

  int c = gPlay.cursorX / kCellWidth;
  int r = (gPlay.cursorY + L.scroll % kCellHeight) / kCellHeight + L.scroll / kCellHeight;

  // The question before rows are removed waits for its answer alone.
  if (s.panel.askHeight > 0) {
    UpdateHeaderPanel(s.panel, s.history);
    return;
  }
  if (s.panel.open)
    UpdateHeaderPanel(s.panel, s.history);
  else
    EditField(dz);
  L.scroll = std::clamp(L.scroll, 0, L.header.height * kCellHeight);
  gPlay.blockType = std::clamp(gPlay.blockType, 1, kMaxEditorType);
  if (s.panel.askHeight > 0) return;

  if (Controls::Pressed(ACTION_EDITOR_UNDO)) TakeBack(s, false);
  if (Controls::Pressed(ACTION_EDITOR_REDO)) TakeBack(s, true);
  if (Controls::Pressed(ACTION_EDITOR_HEADER)) {
    if (!s.panel.open) {
      s.panel.open = true;
      ReloadHeaderPanel(s.panel);
    } else if (CommitHeaderField(s.panel, s.history)) {
      s.panel.open = false;
    }
  }
  if (Controls::Pressed(ACTION_EDITOR_CLEAR)) ClearLevel(s.history);
  if (Controls::Pressed(ACTION_EDITOR_RELOAD)) ReloadLevel(s);
  if (Controls::Pressed(ACTION_EDITOR_SAVE)) SaveEditedLevel(s);
  if (Controls::Pressed(ACTION_EDITOR_TEST)) {
    StartEditorTest();
    return;
  }
  if (s.panel.open) {
    if (s.history.IsOpen()) s.history.End();
    return;
  }
  PaintStroke(s, c, r);
}

bool EditorTakesChar(uint8_t ch) {
  EditorSession& s = Session();
  if (!gGame.level.editMode || !s.panel.open) return false;
  HeaderPanelChar(s.panel, ch);
  return true;
}

void LeaveEditing() {
  EditorSession& s = Session();
  s.history.End();
  if (s.panel.askHeight > 0)
    ReloadHeaderPanel(s.panel);
  else if (s.panel.open)
    CommitHeaderField(s.panel, s.history);
}

void StartEditorTest() {
  EditorSession& s = CurrentSession();
  LeaveEditing();
  if (s.panel.askHeight > 0) return;
  LevelState& L = gGame.level;
  s.test.level = L;
  s.test.player = gGame.player;
  s.test.play = gPlay;
  s.test.frameCounter = g.frameCounter;

  // As LoadLevel leaves a level, with the edited blocks whole.
  L.editMode = 0;
  L.paused = 0;
  L.endAcknowledged = 0;
  L.enemySpawnInterval = 500;
  g.frameCounter = 0;
  for (BlockCell& cell : L.grid)
    if (cell.type > 0 && cell.type <= kMaxBlockTypes) cell.hits = static_cast<uint16_t>(L.types[cell.type - 1].hitCounter);
  for (Particle& p : L.particles) p = Particle();
  StartFromBottom();
  L.editorTest = 1;
}

void ReturnFromEditorTest() {
  EditorSession& s = Session();
  LevelState& L = gGame.level;
  if (!L.editorTest) return;
  // A cheat word typed during the test still counts.
  const int32_t cheated = L.cheatUsed;
  L = s.test.level;
  L.cheatUsed = L.cheatUsed || cheated;
  L.editMode = 1;
  gGame.player = s.test.player;
  gPlay = s.test.play;
  g.frameCounter = s.test.frameCounter;
  s.test = EditorTestSnapshot();
}

void DrawEditorOverlay() {
  EditorSession& s = CurrentSession();
  // The message counts down from when it was given; a reload restarts the count.
  const bool saying = g.frameCounter < s.messageUntil && s.messageUntil - g.frameCounter <= kMessageFrames;
  char16_t text[kHelpCount + 1][kHelpUnits];
  const char16_t* lines[kHelpCount + 1];
  for (int i = 0; i < kHelpCount; ++i) {
    HelpLineInto(kHelpLines[i].action, g.strings.Editor[kHelpLines[i].words], text[i], kHelpUnits);
    lines[i] = text[i];
  }
  if (saying) {
    WidenInto(s.message.c_str(), text[kHelpCount], kHelpUnits);
    lines[kHelpCount] = text[kHelpCount];
  }
  DrawHelpLines(lines, saying ? kHelpCount + 1 : kHelpCount);
  if (s.panel.open) DrawHeaderPanel(s.panel);

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

size_t EditorUndoSteps() { return CurrentSession().history.UndoCount(); }
size_t EditorRedoSteps() { return CurrentSession().history.RedoCount(); }
bool EditorHeaderOpen() { return CurrentSession().panel.open; }

}  // namespace vx
