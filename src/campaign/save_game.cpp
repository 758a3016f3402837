#include "campaign/save_game.h"

#include <md5.h>

#include <cstdio>
#include <cstring>

#include "app/screen.h"
#include "base/game_record.h"
#include "base/log.h"
#include "base/user_file.h"
#include "campaign/node_screen.h"
#include "game/game_state.h"
#include "resources/byte_order.h"
#include "resources/file_system.h"

namespace vx {

SaveSlot gSaveSlots[kSaveSlots];

namespace {

void Put16(uint8_t*& p, uint16_t v) {
  PutU16(p, v);
  p += 2;
}
void Put32(uint8_t*& p, int32_t value) {
  PutU32(p, static_cast<uint32_t>(value));
  p += 4;
}
uint16_t Get16(const uint8_t*& p) {
  const uint16_t v = GetU16(p);
  p += 2;
  return v;
}
int32_t Get32(const uint8_t*& p) {
  const int32_t v = GetI32(p);
  p += 4;
  return v;
}

// The gameplay indexes its item tables by these ids, so a record that names
// an unknown item is refused rather than loaded.
bool RecordIsSound(const SaveRecord& r) {
  for (const ItemSlot& s : r.inventory)
    if (s.id >= kItemCount) return false;
  return true;
}

enum class SlotRead { kMissing, kBad, kGood };

uint8_t gProgressMark[kSaveRecordSize];
bool gProgressMarked = false;

// The live player state and campaign progress as a saved game holds them.
SaveRecord LiveRecord() {
  SaveRecord record;
  record.score = gGame.player.score;
  record.lives = gGame.player.lives;
  record.credits = gGame.player.credits;
  for (int i = 0; i < kInventorySlots; ++i) record.inventory[i] = gGame.player.inventory[i];
  for (int i = 0; i < kLevelCount; ++i) record.completed[i] = gGame.campaign[i].completed ? 1 : 0;
  return record;
}

// A level (or the boss fight) is being played, or lies below the screen now
// shown (the options opened from it).
bool InLevel() {
  for (int i = 0; i < g.screenStackDepth && i < kScreenStackSize; ++i)
    if (g.screenStack[i] && (g.screenStack[i] == g.screens.game || g.screenStack[i] == g.screens.boss))
      return true;
  return g.currentScreen == g.screens.game || g.currentScreen == g.screens.boss;
}

// Reads and checks slot's file; on success *record holds the unscrambled game.
SlotRead ReadSaveFile(int slot, SaveRecord* record) {
  char name[32];
  SaveFileName(slot, name, sizeof name);
  uint8_t file[kSaveFileSize] = {};
  if (!ReadFileInto(name, file, sizeof file, 0)) return SlotRead::kMissing;
  if (LastFileSize() < kSaveFileSize) {
    Log("Saved game '%s' is too short (%u bytes)\n", name, LastFileSize());
    return SlotRead::kBad;
  }
  uint8_t digest[kSaveDigestSize];
  Md5Digest(file + kSaveDigestSize, kSaveRecordSize, digest);
  if (std::memcmp(digest, file, kSaveDigestSize) != 0) {
    Log("Saved game '%s' is damaged: digest mismatch\n", name);
    return SlotRead::kBad;
  }
  Scramble(file + kSaveDigestSize, kSaveRecordSize);
  UnpackSaveRecord(file + kSaveDigestSize, record);
  if (!RecordIsSound(*record)) {
    Log("Saved game '%s' holds an unknown item\n", name);
    return SlotRead::kBad;
  }
  return SlotRead::kGood;
}

}  // namespace

void PackSaveRecord(const SaveRecord& r, uint8_t out[kSaveRecordSize]) {
  uint8_t* p = out;
  std::memcpy(p, r.name, sizeof r.name);
  p += sizeof r.name;
  Put32(p, r.score);
  Put32(p, r.lives);
  Put32(p, r.credits);
  for (const ItemSlot& s : r.inventory) {
    Put16(p, s.id);
    Put16(p, s.count);
    Put16(p, s.active);
    Put16(p, s.remaining);
    Put16(p, s.total);
    Put16(p, s.elapsed);
  }
  std::memcpy(p, r.completed, sizeof r.completed);
}

void UnpackSaveRecord(const uint8_t in[kSaveRecordSize], SaveRecord* r) {
  const uint8_t* p = in;
  std::memcpy(r->name, p, sizeof r->name);
  r->name[sizeof r->name - 1] = 0;
  p += sizeof r->name;
  r->score = Get32(p);
  r->lives = Get32(p);
  r->credits = Get32(p);
  for (ItemSlot& s : r->inventory) {
    s.id = Get16(p);
    s.count = Get16(p);
    s.active = Get16(p);
    s.remaining = Get16(p);
    s.total = Get16(p);
    s.elapsed = Get16(p);
  }
  std::memcpy(r->completed, p, sizeof r->completed);
}

uint32_t SaveScrambler::Next() {
  state_ = state_ * 214013u + 2531011u;
  return (state_ >> 16) & 0x7FFF;
}

int SaveScrambler::Draw(int low, int high) {
  return static_cast<int>(Next() % static_cast<uint32_t>(high - low)) + low;
}

void Scramble(uint8_t* bytes, size_t size) {
  SaveScrambler scrambler;
  for (size_t i = 0; i < size; ++i) bytes[i] ^= static_cast<uint8_t>(scrambler.Draw(1, 264));
}

void Md5Digest(const uint8_t* bytes, size_t size, uint8_t digest[kSaveDigestSize]) {
  MD5_CTX ctx;
  MD5Init(&ctx);
  MD5Update(&ctx, bytes, size);
  MD5Final(digest, &ctx);
}

void SaveFileName(int slot, char* out, size_t size) {
  std::snprintf(out, size, "game%d.sav", slot + 1);
}

int ReadSlot(int slot) {
  if (slot < 0 || slot >= kSaveSlots) return 0;
  SaveSlot& s = gSaveSlots[slot];
  s = SaveSlot();
  SaveRecord record;
  if (ReadSaveFile(slot, &record) != SlotRead::kGood) return 0;
  s.record = record;
  s.valid = 1;
  return 1;
}

const char* SlotName(int slot) {
  static char label[80];
  if (slot >= 0 && slot < kSaveSlots && gSaveSlots[slot].valid) return gSaveSlots[slot].record.name;
  std::snprintf(label, sizeof label, "<%s>", g.strings.EmptySlot);
  return label;
}

int SaveGame(int slot, const char* name) {
  if (slot < 0 || slot >= kSaveSlots) return 0;
  SaveRecord record = LiveRecord();
  std::snprintf(record.name, kSaveNameLength + 1, "%s", name ? name : "");

  uint8_t file[kSaveFileSize];
  PackSaveRecord(record, file + kSaveDigestSize);
  Scramble(file + kSaveDigestSize, kSaveRecordSize);
  Md5Digest(file + kSaveDigestSize, kSaveRecordSize, file);

  char fileName[32];
  SaveFileName(slot, fileName, sizeof fileName);
  if (!WriteUserFile(fileName, file, sizeof file)) {
    Log("Can't write saved game '%s'\n", fileName);
    return 0;
  }
  gSaveSlots[slot].record = record;
  gSaveSlots[slot].valid = 1;
  MarkProgressSaved();
  return 1;
}

int LoadGame(int slot) {
  if (slot < 0 || slot >= kSaveSlots) return 0;
  SaveRecord record;
  if (ReadSaveFile(slot, &record) != SlotRead::kGood) return 0;
  gGame.player.lives = record.lives;
  gGame.player.score = record.score;
  gGame.player.credits = record.credits;
  for (int i = 0; i < kInventorySlots; ++i) gGame.player.inventory[i] = record.inventory[i];
  for (MapNode& node : gGame.campaign) node = MapNode();
  for (int i = 0; i < kLevelCount; ++i) {
    const uint32_t completed = record.completed[i] ? 1 : 0;
    gGame.campaign[i].completed = completed;
    // A finished level never plays its appearance again.
    gGame.campaign[i].revealed = completed;
  }
  MarkProgressSaved();
  return 1;
}

void MarkProgressSaved() {
  PackSaveRecord(LiveRecord(), gProgressMark);
  gProgressMarked = true;
}

void ForgetProgress() { gProgressMarked = false; }

bool HasUnsavedProgress() {
  if (!gProgressMarked) return false;
  SaveRecord now = LiveRecord();
  if (InLevel() && g.screens.node) {
    const LevelStartSnapshot& s = static_cast<NodeScreen*>(g.screens.node)->snapshot;
    now.score = s.score;
    now.credits = s.credits;
    now.lives = s.lives;
    for (int i = 0; i < kInventorySlots; ++i) now.inventory[i] = s.inventory[i];
  }
  uint8_t bytes[kSaveRecordSize];
  PackSaveRecord(now, bytes);
  return std::memcmp(bytes, gProgressMark, sizeof bytes) != 0;
}

}  // namespace vx
