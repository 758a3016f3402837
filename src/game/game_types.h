// Plain records of the player, the campaign and the level in play. They live in
// the global game record (app/game_record.h); the rules are free functions in
// src/game/ and src/campaign/.
#pragma once

#include <cstdint>
#include <vector>

#include "base/item_catalogue.h"

namespace vx {

constexpr int kInventorySlots = 10;

struct ItemSlot {
  uint16_t id = 0;
  uint16_t count = 0;
  uint16_t active = 0;
  uint16_t remaining = 0;
  uint16_t total = 0;
  uint16_t elapsed = 0;
};

struct ItemInfo {
  uint16_t id = 0;
  uint16_t activeTime = 0;
  uint16_t price = 0;
  uint16_t sellPrice = 0;
  uint16_t available = 0;
  char name[32] = {};
  char description[128] = {};
};

struct PlayerRecord {
  int32_t lives = 8;
  int32_t credits = 150;
  int32_t score = 0;
  ItemSlot inventory[kInventorySlots];
  int32_t currentLevel = 1;  // 1..100
};

// Adds to a score, credit or life count, stopping at the ends of its 32 bits:
// a level file or a saved game may carry numbers large enough to wrap it round.
inline void AddClamped(int32_t& value, int64_t amount) {
  int64_t sum = static_cast<int64_t>(value) + amount;
  if (sum > INT32_MAX) sum = INT32_MAX;
  if (sum < INT32_MIN) sum = INT32_MIN;
  value = static_cast<int32_t>(sum);
}

// Campaign table entry, one per level.
struct MapNode {
  uint32_t open = 0;
  uint32_t appearing = 0;
  uint32_t revealed = 0;
  uint32_t completed = 0;
  uint32_t requirementsMet = 0;
  int32_t x = 0;
  int32_t y = 0;
  char name[32] = {};
  uint8_t requirementCount = 0;
  uint8_t requirements[32] = {};
};
constexpr int kLevelCount = 100;

struct LevelHeader {
  char name[32] = {};
  char text[256] = {};
  char requires[256] = {};
  int32_t height = 500;
  int32_t scrollSpeed = 1;
  int32_t backTilesSet = 1;
  int32_t maxBlockTypes = 1;
};

struct BlockType {
  uint32_t hitCounter = 0;
  uint32_t score = 0;
  uint16_t image[5] = {};
};

struct BlockCell {
  uint16_t type = 0;     // 0 = empty
  uint16_t hits = 0;     // hits still needed; 0 with a type = indestructible
  uint16_t content = 0;  // what the block releases (item id)
};

struct Ball {
  uint16_t active = 0;
  float x = 0, y = 0;
  float prevX = 0, prevY = 0;
  float angle = 0;
  float speed = 0;
  int32_t lastCol = 0, lastRow = 0;
};

// The field's lines, in window pixels from the top. The play window ends at
// kFieldBottom; the status panel lies below it (its top, screen height - 80, is
// the same line at 480).
// The paddle starts on kPaddleLine and, once it moves, keeps its lower edge
// above it; enemies turn back there.
constexpr int kPaddleLine = 380;
constexpr int kShieldLine = 390;   // while the shield is on, balls moving down bounce here
constexpr int kFieldBottom = 400;  // a ball that reaches it is lost

struct Paddle {
  int32_t x = 320, y = kPaddleLine;
  int32_t w = 100, h = 10;
  int32_t prevX = 320, prevY = kPaddleLine;
  float dx = 0, dy = 0;
  int32_t freeze = 0;
  int32_t mayFly = 0;
};

struct FallingItem {
  uint16_t kind = 0;  // item id; 0 = free
  int32_t timer = 0;
  int32_t x = 0, y = 0;
  int32_t vx = 0, vy = 0;
};

struct Enemy {
  int32_t kind = 0;  // 0 = free; 1..3
  float x = 0, y = 0;
  float angle = 0;
  int32_t countdown = 0;
  int32_t state = 0;  // 0 normal, 1 dying, 2 fleeing
};

struct Bullet {
  int32_t active = 0;
  int32_t x = 0, y = 0;
};

// A slot is free while its life is 0 (kind 0 is a drawable particle kind).
struct Particle {
  int32_t kind = 0;
  float x = 0, y = 0;
  float vx = 0, vy = 0;
  uint16_t life = 0;
  uint16_t drift = 0;
  uint16_t frame = 0;
};

struct BackObject {
  bool active = false;
  bool smashes = false;
  int32_t object = 0;
  float x = 0, y = 0;
  float vx = 0, vy = 0;
};

constexpr int kMaxBalls = 8;
constexpr int kMaxFallingItems = 50;
constexpr int kMaxEnemies = 8;
constexpr int kMaxBullets = 40;
constexpr int kMaxParticles = 250;
constexpr int kMaxBackObjects = 8;
constexpr int kGridColumns = 20;
constexpr int kMaxBlockTypes = 8;

// Everything that lives for one level (and the effects that run across levels).
struct LevelState {
  LevelHeader header;
  BlockType types[kMaxBlockTypes];
  std::vector<BlockCell> grid;        // header.height rows x 20 columns
  std::vector<uint8_t> backTiles;     // backRows x 10
  int32_t backRows = 0;
  int32_t scroll = 0;                 // field y shown at the top of the window
  int32_t tileSet = 0;                // background tile set chosen at load
  Paddle paddle;
  int32_t paddleDrawnX = 320;         // paddle x at the last drawing (exhaust trail)
  uint32_t mouseEvent = 0;            // type of the mouse event taken by MovePaddle
  int32_t ballWaiting = 0;
  float aimAngle = 45;
  Ball balls[kMaxBalls];
  FallingItem items[kMaxFallingItems];
  Enemy enemies[kMaxEnemies];
  Bullet bullets[kMaxBullets];
  Particle particles[kMaxParticles];
  BackObject backObjects[kMaxBackObjects];
  uint32_t lastBackObjectSpawn = 0;
  ItemSlot wordEffects[kInventorySlots];
  int32_t enemySpawnInterval = 500;
  // Game screen state.
  int32_t levelEnded = 0;
  int32_t levelFailed = 0;
  int32_t endAcknowledged = 0;
  int32_t savedMusicVolume = 0;
  int32_t quitRequest = 0;
  int32_t paused = 0;
  int32_t editMode = 0;
  int32_t editorTest = 0;  // the editor's level played from its bottom end
  uint32_t loadSerial = 0;  // which load of the run: a new one leaves the old level
  int32_t anyBallInPlay = 0;
  int32_t cheatUsed = 0;
};

}  // namespace vx
