#include "game/items.h"

#include <cstdlib>
#include <cstring>

#include "base/game_record.h"
#include "base/random.h"
#include "game/angles.h"
#include "game/ball.h"
#include "game/game_state.h"
#include "game/playfield.h"
#include "resources/text_file.h"
#include "sound/sound.h"

namespace vx {
namespace {

uint16_t ActiveTime(int id) { return IsItem(id) ? gGame.items[id].activeTime : 0; }

void Start(ItemSlot& s) {
  s.active = 1;
  s.remaining = s.total = ActiveTime(s.id);
  s.elapsed = 0;
}

bool LevelCompleted(int n) {
  return n >= 1 && n <= kLevelCount && gGame.campaign[n - 1].completed != 0;
}

Ball* FirstActiveBall() {
  for (Ball& b : gGame.level.balls)
    if (b.active) return &b;
  return nullptr;
}

// Whether using the item now would change anything. The ones that act at once
// on the balls in play have nothing to act on while the only ball waits on the
// ship (or, for Twin Ball, while every ball slot is taken).
bool CanTakeEffect(int id) {
  bool faster = false, slower = false, freeSlot = false;
  for (const Ball& b : gGame.level.balls) {
    freeSlot = freeSlot || !b.active;
    faster = faster || (b.active && b.speed < kMaxBallSpeed);
    slower = slower || (b.active && b.speed > kMinBallSpeed);
  }
  switch (id) {
    case ITEM_ADD_BALL:
      return FirstActiveBall() && freeSlot;
    case ITEM_INCREASE_SPEED:
      return faster;
    case ITEM_DECREASE_SPEED:
      return slower;
    default:
      return true;
  }
}

void Tick(ItemSlot& s) {
  if (s.id != 0 && s.count == 0 && !IsActive(s.id)) s.id = 0;
  if (!s.active) return;
  ++s.elapsed;
  // An item with no active time stops at once instead of wrapping round.
  if (s.remaining > 0) --s.remaining;
  if (s.remaining == 0) s.active = 0;
}

}  // namespace

bool LoadItems() {
  // The names and descriptions are the language's; what it lacks is English.
  LanguageTextFile tf("Items.txt");
  if (!tf.IsOpen()) return false;
  for (int id = 1; id < kItemCount; ++id) {
    const char* section = ItemSection(id);
    if (!tf.HasSection(section)) continue;
    ItemInfo& info = gGame.items[id];
    info.id = static_cast<uint16_t>(id);
    info.activeTime = static_cast<uint16_t>(tf.GetInt(section, "Active time", 1000));
    info.price = static_cast<uint16_t>(tf.GetInt(section, "Price", 10));
    info.sellPrice = static_cast<uint16_t>(info.price * 8 / 10);
    tf.GetString(section, "Name", "", info.name, sizeof info.name);
    tf.GetString(section, "Description", "", info.description, sizeof info.description);
    char requires[64];
    tf.GetString(section, "Requires", "", requires, sizeof requires);
    info.available = 1;
    for (char* piece = requires; piece;) {
      char* comma = std::strchr(piece, ',');
      if (comma) *comma = 0;
      int n = std::atoi(piece);
      if (n != 0 && !LevelCompleted(n)) {
        info.available = 0;
        break;
      }
      piece = comma ? comma + 1 : nullptr;
    }
  }
  return true;
}

bool IsActive(int id) {
  if (id == 0) return false;
  for (const ItemSlot& s : gGame.player.inventory)
    if (s.id == id && s.active) return true;
  for (const ItemSlot& s : gGame.level.wordEffects)
    if (s.id == id && s.active) return true;
  return false;
}

void Deactivate(int id) {
  for (ItemSlot& s : gGame.player.inventory)
    if (s.id == id) s.active = 0;
  for (ItemSlot& s : gGame.level.wordEffects)
    if (s.id == id) s.active = 0;
}

bool AddToInventory(int id) {
  for (ItemSlot& s : gGame.player.inventory) {
    if (s.id == id) {
      ++s.count;
      return true;
    }
  }
  for (ItemSlot& s : gGame.player.inventory) {
    if (s.id == 0) {
      s.id = static_cast<uint16_t>(id);
      s.count = 1;
      return true;
    }
  }
  return false;
}

void ApplyInstant(int id) {
  switch (id) {
    case ITEM_INCREASE_SPEED:
      AddSpeed(1);
      break;
    case ITEM_DECREASE_SPEED:
      AddSpeed(-1);
      break;
    case ITEM_ADD_BALL: {
      Ball* b = FirstActiveBall();
      if (!b) break;
      int a = (static_cast<int>(b->angle) + RandomSpread(45)) % 360;
      if (a < 0) a += 360;
      AddBall(b->x, b->y, static_cast<float>(a), 3.0f);
      break;
    }
    case ITEM_SHADOW: {
      Ball* b = FirstActiveBall();
      if (!b) break;
      Vec2 d = Dir(b->angle);
      Vec2 v = {d.x * b->speed, d.y * b->speed};
      float x = 640 - b->x, y = b->y;
      AddBall(x, y, AngleOf({-v.x, v.y}), 3.0f);
      break;
    }
    case ITEM_DETONATOR:
      Detonate();
      break;
    default:
      break;
  }
}

void UseSlot(int i) {
  if (i < 0 || i >= kInventorySlots) return;
  ItemSlot& s = gGame.player.inventory[i];
  if (s.count == 0 || s.id == 0) return;
  // An item that could do nothing now stays in its slot for later.
  if (!CanTakeEffect(s.id)) return;
  PlaySample(g.sounds.activate, 100, 50);
  ApplyInstant(s.id);
  Start(s);
  --s.count;
}

void ActivateByWord(int id) {
  for (const ItemSlot& s : gGame.level.wordEffects)
    if (s.id == id) return;
  for (ItemSlot& s : gGame.level.wordEffects) {
    if (s.id != 0) continue;
    PlaySample(g.sounds.activate, 100, 50);
    ApplyInstant(id);
    s.id = static_cast<uint16_t>(id);
    s.count = 0;
    Start(s);
    return;
  }
}

void TickItems() {
  for (ItemSlot& s : gGame.player.inventory) Tick(s);
  for (ItemSlot& s : gGame.level.wordEffects) Tick(s);
}

}  // namespace vx
