// Saved games: ten slots, each a file "game%d.sav" holding an MD5 digest and
// the scrambled record of the player's state and campaign progress.
#pragma once

#include <cstddef>
#include <cstdint>

#include "game/game_types.h"

namespace vx {

constexpr int kSaveSlots = 10;
constexpr size_t kSaveRecordSize = 264;
constexpr size_t kSaveDigestSize = 16;
constexpr size_t kSaveFileSize = kSaveDigestSize + kSaveRecordSize;  // 280
constexpr int kSaveNameLength = 16;  // characters the player may type

struct SaveRecord {
  char name[32] = {};
  int32_t score = 0;
  int32_t lives = 0;
  int32_t credits = 0;
  ItemSlot inventory[kInventorySlots];
  uint8_t completed[kLevelCount] = {};
};

// The record's bytes as stored (little-endian), and back. Unpacking keeps the
// name terminated whatever the bytes hold.
void PackSaveRecord(const SaveRecord& record, uint8_t out[kSaveRecordSize]);
void UnpackSaveRecord(const uint8_t in[kSaveRecordSize], SaveRecord* record);

// The byte stream that hides the record in the file.
class SaveScrambler {
 public:
  SaveScrambler() { Seed(); }
  void Seed() { state_ = 0x2C5E19B3u; }
  // 0..0x7FFF.
  uint32_t Next();
  // low..high-1.
  int Draw(int low, int high);

 private:
  uint32_t state_ = 0;
};

// XORs every byte with the next draw of a freshly seeded scrambler; doing it
// twice gives the bytes back.
void Scramble(uint8_t* bytes, size_t size);
// MD5 (RFC 1321) of size bytes.
void Md5Digest(const uint8_t* bytes, size_t size, uint8_t digest[kSaveDigestSize]);

// The slot table both save screens show: a valid slot's record, or nothing.
struct SaveSlot {
  int32_t valid = 0;
  SaveRecord record;
};
extern SaveSlot gSaveSlots[kSaveSlots];

// "game%d.sav" of slot 0..9.
void SaveFileName(int slot, char* out, size_t size);
// Reads slot 0..9 into the slot table; 1 when it holds a valid game.
int ReadSlot(int slot);
// The name shown for a slot: its name, or "<" + the "EmptySlot" text + ">".
const char* SlotName(int slot);
// Writes the live player state and campaign progress into slot 0..9 under
// name. The old file stays until the new one is complete. 1 on success.
int SaveGame(int slot, const char* name);
// Replaces the player state and campaign progress with slot 0..9's game;
// changes nothing and returns 0 when the file is missing or damaged.
int LoadGame(int slot);

// Progress no saved game holds: the state a save would write now, against
// what the last save, load or new game left (in a level, the player counts as
// the level found him, since leaving it gives that back). None before a
// campaign has begun.
void MarkProgressSaved();
bool HasUnsavedProgress();
void ForgetProgress();

}  // namespace vx
