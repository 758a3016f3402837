#include "game/level_files.h"
#include "game/play_state.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "base/game_record.h"
#include "base/log.h"
#include "base/random.h"
#include "game/game_state.h"
#include "game/host_file.h"
#include "graphics/shared_art.h"
#include "platform/platform.h"
#include "resources/file_system.h"
#include "resources/text_file.h"

namespace vx {
namespace {

const char kLevelSection[] = "Level data";

int Clamp(int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); }

// Reads an integer key and keeps it within lo .. hi, saying so in the log.
int ReadBounded(TextFile& tf, const char* section, const char* key, int def, int lo, int hi,
                const char* file) {
  int v = tf.GetInt(section, key, def);
  int c = Clamp(v, lo, hi);
  if (c != v) Log("Level '%s': %s = %d out of range, using %d\n", file, key, v, c);
  return c;
}

// Walks the weights from the first, subtracting each from the draw r (0 ..
// total - 1), and takes the entry that makes it negative, so an entry of weight
// 0 is never taken. A zero total gives entry 0.
int PickWeighted(const int32_t* weights, int count, int r) {
  for (int i = 0; i < count; ++i) {
    if (weights[i] > 0) r -= weights[i];
    if (r < 0) return i;
  }
  return 0;
}

// Sum of the weights; negative ones count as 0 and the sum saturates.
int TotalWeight(const int32_t* weights, int count) {
  int64_t total = 0;
  for (int i = 0; i < count; ++i)
    if (weights[i] > 0) total += weights[i];
  return total > INT32_MAX ? INT32_MAX : static_cast<int>(total);
}

int ChooseTileSet() {
  int32_t counts[kMaxTileSets];
  for (int i = 0; i < kMaxTileSets; ++i) counts[i] = gArt.tileSets[i].count;
  return PickWeighted(counts, kMaxTileSets, Random(TotalWeight(counts, kMaxTileSets)));
}

void DrawImageNumbers(uint16_t out[5]) {
  int n = 0;
  while (n < 5) {
    int v = Random(41) + 1;
    bool seen = false;
    for (int i = 0; i < n; ++i) seen = seen || out[i] == v;
    if (!seen) out[n++] = static_cast<uint16_t>(v);
  }
}

void ReadBlockMap(const char* header) {
  LevelState& L = gGame.level;
  std::string mapName = std::string(header) + ".map";
  FileBuffer map = ReadWholeFile(mapName.c_str());
  if (!map) {
    Log("Level map '%s' not found; the field has no blocks\n", mapName.c_str());
    return;
  }
  uint32_t size = LastFileSize();
  uint32_t wanted = static_cast<uint32_t>(L.header.height) * kGridColumns;
  if (size < wanted)
    Log("Level map '%s' holds %u of %u bytes; the rest stays empty\n", mapName.c_str(), size,
        wanted);
  uint32_t unknown = 0;
  uint32_t n = size < wanted ? size : wanted;
  for (uint32_t i = 0; i < n; ++i) {
    uint8_t type = map[i];
    if (type == 0) continue;
    if (type > 8) {
      ++unknown;
      continue;
    }
    L.grid[i].type = type;
    L.grid[i].hits = static_cast<uint16_t>(L.types[type - 1].hitCounter);
  }
  if (unknown)
    Log("Level map '%s': %u cells of unknown block types left empty\n", mapName.c_str(), unknown);
}

// Tiles from..to of the background grid, drawn from the level's tile set.
void DrawBackTiles(size_t from, size_t to) {
  LevelState& L = gGame.level;
  const TileSet& set = gArt.tileSets[L.tileSet];
  int total = TotalWeight(set.freq, 32);
  for (size_t i = from; i < to && i < L.backTiles.size(); ++i)
    L.backTiles[i] = static_cast<uint8_t>(PickWeighted(set.freq, 32, Random(total)));
}

void ClearPerLevelState() {
  LevelState& L = gGame.level;
  L.paddle.mayFly = 0;
  L.levelEnded = 0;
  L.quitRequest = 0;
  L.levelFailed = 0;
  L.paddle.freeze = 0;
  // A boss fight left during its defeat must not carry its message along.
  gPlay.bossBeaten = gPlay.bossWaiting = 0;
  for (Ball& b : L.balls) b = Ball();
  for (FallingItem& f : L.items) f = FallingItem();
  for (Enemy& e : L.enemies) e = Enemy();
  for (Bullet& b : L.bullets) b = Bullet();
  for (ItemSlot& s : gGame.player.inventory) s.active = 0;
  for (ItemSlot& s : L.wordEffects) {
    s.id = 0;
    s.active = 0;
  }
  L.editorTest = 0;
}

}  // namespace

void LevelFileName(int level, char* out, size_t capacity) {
  if (level > 50)
    std::snprintf(out, capacity, "Episode2\\Levels\\Level%02d", level - 50);
  else
    std::snprintf(out, capacity, "Episode1\\Levels\\Level%02d", level);
}

int LoadLevel(int level) {
  LevelState& L = gGame.level;
  LevelHeader& H = L.header;

  SeedRandom(CalendarSecondsNow());
  gGame.player.currentLevel = level;
  H.scrollSpeed = 1;
  g.frameCounter = 0;
  L.enemySpawnInterval = 500;

  char name[64];
  LevelFileName(level, name, sizeof name);
  TextFile tf(name);
  if (!tf.IsOpen()) Log("Level '%s' not found; using defaults\n", name);

  H.height = ReadBounded(tf, kLevelSection, "Height", 500, kMinLevelHeight, kMaxLevelHeight, name);
  H.backTilesSet = tf.GetInt(kLevelSection, "Back tiles set", 1);

  L.tileSet = ChooseTileSet();
  H.backTilesSet = L.tileSet;

  H.scrollSpeed =
      ReadBounded(tf, kLevelSection, "Scroll speed", 1, kMinScrollSpeed, kMaxScrollSpeed, name);
  tf.GetString(kLevelSection, "Name", "", H.name, sizeof H.name);
  tf.GetString(kLevelSection, "Text", "", H.text, sizeof H.text);
  tf.GetString(kLevelSection, "Requires", "", H.requires, sizeof H.requires);

  uint16_t images[5] = {};
  DrawImageNumbers(images);

  H.maxBlockTypes = ReadBounded(tf, kLevelSection, "Max blocks types", 1, 0, kMaxBlockTypes, name);
  for (int t = 1; t <= H.maxBlockTypes; ++t) {
    char section[32];
    std::snprintf(section, sizeof section, "%s %d", "Block type", t);
    BlockType& type = L.types[t - 1];
    type.hitCounter =
        static_cast<uint32_t>(ReadBounded(tf, section, "Hit counter", 1, 0, kMaxBlockHits, name));
    type.score = static_cast<uint32_t>(ReadBounded(tf, section, "Score", 0, 0, kMaxBlockScore, name));
    std::memcpy(type.image, images, sizeof images);
  }

  L.backRows = BackRowsFor(H.height);
  L.grid.assign(static_cast<size_t>(H.height) * kGridColumns, BlockCell());
  L.backTiles.assign(static_cast<size_t>(L.backRows) * 10, 0);

  ReadBlockMap(name);

  SeedRandom(CalendarSecondsNow());
  for (BlockCell& cell : L.grid) {
    int p = Random(100);
    if (p < 50)
      cell.content = 0;
    else if (p < 80)
      cell.content = ITEM_CREDIT2;
    else if (p < 99)
      cell.content = ITEM_CREDIT1;
    else
      cell.content = static_cast<uint16_t>(RandomRange(kFirstBlockItem, kLastBlockItem + 1));
  }

  DrawBackTiles(0, L.backTiles.size());
  StartFromBottom();
  // Never 0 and never used twice in a run, even across fresh game records.
  static uint32_t serial = 0;
  L.loadSerial = ++serial;
  return tf.IsOpen() ? 1 : 0;
}

void StartFromBottom() {
  LevelState& L = gGame.level;
  L.scroll = L.backRows * 64 - kFieldBottom;

  L.paddle.x = g.screenWidth / 2;
  L.paddle.y = kPaddleLine;
  L.paddle.w = 100;
  L.paddle.h = 10;
  L.paddle.prevX = L.paddle.x;
  L.paddle.prevY = L.paddle.y;
  L.paddle.dx = L.paddle.dy = 0;
  L.paddleDrawnX = L.paddle.x;

  ClearPerLevelState();
  L.ballWaiting = 1;
}

void SetLevelHeight(int height) {
  LevelState& L = gGame.level;
  height = Clamp(height, kMinLevelHeight, kMaxLevelHeight);
  const int old = L.header.height;
  if (height == old) return;
  const size_t columns = kGridColumns;
  // The bottom end is where play starts: rows come and go at the top.
  std::vector<BlockCell> grid(static_cast<size_t>(height) * columns);
  const size_t kept = std::min({static_cast<size_t>(height), static_cast<size_t>(old > 0 ? old : 0),
                                L.grid.size() / columns});
  std::copy(L.grid.end() - static_cast<ptrdiff_t>(kept * columns), L.grid.end(),
            grid.end() - static_cast<ptrdiff_t>(kept * columns));
  L.grid.swap(grid);
  L.header.height = height;

  const int backRows = BackRowsFor(height);
  const size_t keptTiles =
      std::min(static_cast<size_t>(std::min(backRows, L.backRows)) * 10, L.backTiles.size());
  std::vector<uint8_t> tiles(static_cast<size_t>(backRows) * 10);
  std::copy(L.backTiles.end() - static_cast<ptrdiff_t>(keptTiles), L.backTiles.end(),
            tiles.end() - static_cast<ptrdiff_t>(keptTiles));
  L.backTiles.swap(tiles);
  L.backRows = backRows;
  DrawBackTiles(0, L.backTiles.size() - keptTiles);

  // The same blocks stay in view.
  L.scroll = Clamp(L.scroll + (height - old) * 16, 0, height * 16);
}

void UseTileSet(int set) {
  LevelState& L = gGame.level;
  set = Clamp(set, 0, kMaxTileSets - 1);
  L.header.backTilesSet = set;
  if (set == L.tileSet) return;
  L.tileSet = set;
  DrawBackTiles(0, L.backTiles.size());
}

int SaveLevel(bool asScratch) {
  const LevelState& L = gGame.level;
  const LevelHeader& H = L.header;
  Log("Save Level\n");

  char name[64];
  if (asScratch)
    std::snprintf(name, sizeof name, "Level");
  else
    LevelFileName(gGame.player.currentLevel, name, sizeof name);

  std::string text;
  char line[320];
  auto add = [&](const char* fmt, auto... args) {
    std::snprintf(line, sizeof line, fmt, args...);
    text += line;
  };
  add("[%s]\n", kLevelSection);
  add("Name = %s\n", H.name);
  add("Text = %s\n", H.text);
  add("Height = %d\n", H.height);
  add("Back tiles set = %d\n", H.backTilesSet);
  add("Max blocks types = %d\n", H.maxBlockTypes);
  add("Scroll speed = %d\n", H.scrollSpeed);
  add("Requires = %s\n", H.requires);
  text += "\n\n";
  int types = H.maxBlockTypes < 8 ? H.maxBlockTypes : 8;
  for (int t = 1; t <= types; ++t) {
    const BlockType& type = L.types[t - 1];
    add("[%s %d]\n", "Block type", t);
    add("Score = %u\n", type.score);
    add("Hit counter = %u\n", type.hitCounter);
    uint32_t packs = type.hitCounter > 0 ? type.hitCounter : 1;
    // Only five images exist per type; stronger blocks keep showing the last.
    for (uint32_t k = 1; k <= packs; ++k)
      add("Image pack %u = %u\n", k, static_cast<unsigned>(type.image[k - 1 < 4 ? k - 1 : 4]));
    text += "\n";
  }

  size_t cells = static_cast<size_t>(H.height > 0 ? H.height : 0) * kGridColumns;
  std::string map(cells, '\0');
  for (size_t i = 0; i < cells && i < L.grid.size(); ++i)
    map[i] = static_cast<char>(L.grid[i].type & 0xff);

  std::string mapName = std::string(name) + ".map";
  bool ok = WriteHostFile(name, text.data(), text.size());
  ok = WriteHostFile(mapName.c_str(), map.data(), map.size()) && ok;
  return ok ? 1 : 0;
}

int WriteCoordinates() {
  std::string text = "[Coordinates]\n";
  char line[64];
  for (int i = 1; i <= kLevelCount; ++i) {
    std::snprintf(line, sizeof line, "Level %d = %d, %d\n", i, gGame.campaign[i - 1].x,
                  gGame.campaign[i - 1].y);
    text += line;
  }
  return WriteHostFile("Data\\Levels\\xy", text.data(), text.size()) ? 1 : 0;
}

}  // namespace vx
