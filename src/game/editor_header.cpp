#include "game/editor_header.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "game/game_state.h"
#include "game/level_files.h"
#include "graphics/shared_art.h"
#include "input/controls.h"

namespace vx {

namespace {

constexpr size_t kMaxDigits = 7;

int TypeOfField(int field) { return (field - FIELD_FIRST_TYPE) / 2 + 1; }
bool IsScoreField(int field) { return (field - FIELD_FIRST_TYPE) % 2 == 1; }

int HighestTypeInGrid() {
  int highest = 0;
  for (const BlockCell& cell : gGame.level.grid)
    if (cell.type <= kMaxBlockTypes) highest = std::max<int>(highest, cell.type);
  return highest;
}

int ParseNumber(const std::string& text, int lo, int hi) {
  long v = text.empty() ? lo : std::strtol(text.c_str(), nullptr, 10);
  return static_cast<int>(std::clamp<long>(v, lo, hi));
}

// The header file reads a value without the blanks round it: the level keeps
// its text as a reload will give it back.
void CopyText(char* out, size_t capacity, const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  std::string kept = first == std::string::npos ? "" : text.substr(first);
  kept.resize(std::min(kept.size(), capacity - 1));
  while (!kept.empty() && kept.back() == ' ') kept.pop_back();
  std::snprintf(out, capacity, "%s", kept.c_str());
}

// Hit counter of a type for every cell of it, so the editor shows the blocks
// as a test or a reload will.
void SetHitCounter(int type, int hits, EditHistory& history) {
  LevelState& L = gGame.level;
  L.types[type - 1].hitCounter = static_cast<uint32_t>(hits);
  for (size_t i = 0; i < L.grid.size(); ++i) {
    if (L.grid[i].type != type) continue;
    history.Touch(static_cast<uint32_t>(i));
    L.grid[i].hits = static_cast<uint16_t>(hits);
  }
}

}  // namespace

void UseBlockTypes(int count) {
  LevelHeader& H = gGame.level.header;
  count = std::clamp(count, 0, kMaxBlockTypes);
  // A type comes into use as the loader gives a type without its own section.
  for (int t = H.maxBlockTypes + 1; t <= count; ++t) {
    BlockType& type = gGame.level.types[t - 1];
    type.hitCounter = 1;
    type.score = 0;
    if (t > 1) std::copy(std::begin(gGame.level.types[0].image),
                         std::end(gGame.level.types[0].image), std::begin(type.image));
  }
  H.maxBlockTypes = count;
}

int HeaderFieldCount() {
  return FIELD_FIRST_TYPE + 2 * std::clamp(gGame.level.header.maxBlockTypes, 0, kMaxBlockTypes);
}

bool IsNumberField(int field) { return field != FIELD_NAME && field != FIELD_TEXT; }

void HeaderFieldBounds(int field, int* lo, int* hi) {
  *lo = 0;
  *hi = 0;
  switch (field) {
    case FIELD_NAME:
    case FIELD_TEXT: return;
    case FIELD_HEIGHT: *lo = kMinLevelHeight, *hi = kMaxLevelHeight; return;
    case FIELD_SCROLL_SPEED: *lo = kMinScrollSpeed, *hi = kMaxScrollSpeed; return;
    case FIELD_TILE_SET: *hi = kMaxTileSets - 1; return;
    // A type that cells use keeps its section.
    case FIELD_BLOCK_TYPES: *lo = HighestTypeInGrid(), *hi = kMaxBlockTypes; return;
    default: *hi = IsScoreField(field) ? kMaxBlockScore : kMaxBlockHits; return;
  }
}

void FormatHeaderField(int field, char* out, size_t capacity) {
  const LevelState& L = gGame.level;
  const LevelHeader& H = L.header;
  long long v = 0;
  switch (field) {
    case FIELD_NAME: std::snprintf(out, capacity, "%s", H.name); return;
    case FIELD_TEXT: std::snprintf(out, capacity, "%s", H.text); return;
    case FIELD_HEIGHT: v = H.height; break;
    case FIELD_SCROLL_SPEED: v = H.scrollSpeed; break;
    case FIELD_TILE_SET: v = H.backTilesSet; break;
    case FIELD_BLOCK_TYPES: v = H.maxBlockTypes; break;
    default: {
      if (field < FIELD_FIRST_TYPE || field >= HeaderFieldCount()) {
        if (capacity) out[0] = 0;
        return;
      }
      const BlockType& type = L.types[TypeOfField(field) - 1];
      v = IsScoreField(field) ? type.score : type.hitCounter;
    }
  }
  std::snprintf(out, capacity, "%lld", v);
}

std::string HeaderFieldText(int field) {
  char text[sizeof(LevelHeader::text)];
  FormatHeaderField(field, text, sizeof text);
  return text;
}

bool SetHeaderField(int field, const std::string& text, EditHistory& history) {
  if (field < 0 || field >= HeaderFieldCount()) return false;
  LevelState& L = gGame.level;
  LevelHeader& H = L.header;
  int lo = 0, hi = 0;
  HeaderFieldBounds(field, &lo, &hi);
  const int v = ParseNumber(text, lo, hi);
  // The height and the background change the grids: those steps keep the whole level.
  history.Begin(field == FIELD_HEIGHT || field == FIELD_TILE_SET);
  switch (field) {
    case FIELD_NAME: CopyText(H.name, sizeof H.name, text); break;
    case FIELD_TEXT: CopyText(H.text, sizeof H.text, text); break;
    case FIELD_HEIGHT: SetLevelHeight(v); break;
    case FIELD_SCROLL_SPEED: H.scrollSpeed = v; break;
    case FIELD_TILE_SET: UseTileSet(v); break;
    case FIELD_BLOCK_TYPES: UseBlockTypes(v); break;
    default:
      if (IsScoreField(field))
        L.types[TypeOfField(field) - 1].score = static_cast<uint32_t>(v);
      else
        SetHitCounter(TypeOfField(field), v, history);
  }
  return history.End();
}

void ReloadHeaderPanel(HeaderPanel& panel) {
  panel.field = std::clamp(panel.field, 0, HeaderFieldCount() - 1);
  panel.typed = HeaderFieldText(panel.field);
  panel.edited = false;
  panel.askHeight = 0;
}

bool CommitHeaderField(HeaderPanel& panel, EditHistory& history) {
  if (!panel.edited) return true;
  if (panel.field == FIELD_HEIGHT) {
    const int height = ParseNumber(panel.typed, kMinLevelHeight, kMaxLevelHeight);
    if (height < gGame.level.header.height) {
      panel.askHeight = height;
      return false;
    }
  }
  SetHeaderField(panel.field, panel.typed, history);
  ReloadHeaderPanel(panel);
  return true;
}

namespace {

void AnswerHeightQuestion(HeaderPanel& panel, EditHistory& history) {
  if (Controls::Pressed(ACTION_YES)) {
    SetHeaderField(FIELD_HEIGHT, std::to_string(panel.askHeight), history);
    ReloadHeaderPanel(panel);
  } else if (Controls::Pressed(ACTION_NO) || Controls::Pressed(ACTION_BACK)) {
    ReloadHeaderPanel(panel);
  }
}

void StepNumber(HeaderPanel& panel, int delta) {
  int lo = 0, hi = 0;
  HeaderFieldBounds(panel.field, &lo, &hi);
  const int v = ParseNumber(panel.typed, lo, hi);
  const int stepped = std::clamp(v + delta, lo, hi);
  panel.typed = std::to_string(stepped);
  panel.edited = panel.typed != HeaderFieldText(panel.field);
}

}  // namespace

bool UpdateHeaderPanel(HeaderPanel& panel, EditHistory& history) {
  if (panel.askHeight > 0) {
    AnswerHeightQuestion(panel, history);
    return true;
  }
  const int count = HeaderFieldCount();
  int move = 0;
  if (Controls::Pressed(ACTION_UP)) move = -1;
  if (Controls::Pressed(ACTION_DOWN)) move = 1;
  if (move != 0 && CommitHeaderField(panel, history)) {
    panel.field = (panel.field + move + count) % count;
    ReloadHeaderPanel(panel);
  }
  if (IsNumberField(panel.field)) {
    if (Controls::Pressed(ACTION_LEFT)) StepNumber(panel, -1);
    if (Controls::Pressed(ACTION_RIGHT)) StepNumber(panel, 1);
  }
  if (Controls::Pressed(ACTION_CONFIRM)) CommitHeaderField(panel, history);
  if (Controls::Pressed(ACTION_BACK)) {
    // Escape takes back what was typed, and then closes the panel.
    if (panel.edited) {
      ReloadHeaderPanel(panel);
    } else {
      panel.open = false;
      return false;
    }
  }
  return true;
}

void HeaderPanelChar(HeaderPanel& panel, uint8_t ch) {
  if (!panel.open || panel.askHeight > 0) return;
  std::string& typed = panel.typed;
  if (ch == 8) {
    if (!typed.empty()) typed.pop_back();
  } else if (IsNumberField(panel.field)) {
    if (ch < '0' || ch > '9') return;
    // The first digit typed replaces the number shown.
    if (!panel.edited || typed == "0") typed.clear();
    if (typed.size() >= kMaxDigits) return;
    typed += static_cast<char>(ch);
  } else {
    const size_t limit = panel.field == FIELD_NAME ? sizeof(LevelHeader::name) - 1
                                                   : sizeof(LevelHeader::text) - 1;
    // Control characters (Enter, Escape, Tab) are keys, not text.
    if (ch < 32 || ch == 127 || typed.size() >= limit) return;
    typed += static_cast<char>(ch);
  }
  panel.edited = typed != HeaderFieldText(panel.field);
}

}  // namespace vx
