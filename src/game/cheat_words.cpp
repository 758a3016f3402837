#include "game/cheat_words.h"

#include <cstring>

#include "app/screen.h"
#include "base/game_record.h"
#include "game/game_state.h"
#include "game/game_update.h"
#include "game/items.h"
#include "game/play_state.h"

namespace vx {

namespace {

enum CheatEffect { kScore, kCredits, kLongLive, kCompleted, kBall, kItem, kBoss };

struct CheatWordEntry {
  const char* word;
  CheatEffect effect;
  int item;
};

const CheatWordEntry kWords[] = {
    {"getmescores", kScore, 0},
    {"getmecredits", kCredits, 0},
    {"longlive", kLongLive, 0},
    {"completed", kCompleted, 0},
    {"ball", kBall, 0},
    {"fire", kItem, ITEM_CANNON},
    {"littlebomb", kItem, ITEM_BOMB},
    {"bigbomb", kItem, ITEM_TIMEBOMB},
    {"chenchen", kItem, ITEM_RUBBER},
    {"shadow", kItem, ITEM_SHADOW},
    {"iambig", kItem, ITEM_WIDE_BUSTER},
    {"gotome", kItem, ITEM_BALL_ATTRACTOR},
    {"invisible", kItem, ITEM_INVISIBLE},
    {"magnet", kItem, ITEM_CREDITS_ATTRACTOR},
    {"brother", kItem, ITEM_ADD_BALL},
    {"fullthrottle", kItem, ITEM_INCREASE_SPEED},
    {"breaking", kItem, ITEM_DECREASE_SPEED},
    {"stay", kItem, ITEM_TIMEZIP},
    {"getout", kItem, ITEM_SCREAMER},
    {"asteroid", kItem, ITEM_PIERCING},
    {"sight", kItem, ITEM_SNIPER},
    {"flyer", kItem, ITEM_FREE_FLY},
    {"blowingup", kItem, ITEM_DETONATOR},
    {"thewall", kItem, ITEM_SHIELD},
    {"boss", kBoss, 0},
};
constexpr int kWordCount = sizeof kWords / sizeof kWords[0];
constexpr int kRingSize = sizeof gPlay.typed;

// True when the newest characters of the ring, read backwards, spell word.
bool RingEndsWith(const char* word) {
  int n = static_cast<int>(std::strlen(word));
  int at = gPlay.ringIndex;
  for (int i = n - 1; i >= 0; --i) {
    at = (at + kRingSize - 1) % kRingSize;
    if (gPlay.typed[at] != word[i]) return false;
  }
  return true;
}

void Apply(const CheatWordEntry& w) {
  switch (w.effect) {
    case kScore: AddClamped(gGame.player.score, 10000); break;
    case kCredits: AddClamped(gGame.player.credits, 1000); break;
    case kLongLive: AddClamped(gGame.player.lives, 10); break;
    case kCompleted: EndLevel(true); break;
    case kBall: AddClamped(gGame.player.lives, 1); break;
    case kItem: ActivateByWord(w.item); break;
    case kBoss:
      // Leaves the level without a result.
      ReturnToRoot();
      if (g.screens.boss) SwitchTo(g.screens.boss, 0);
      break;
  }
}

}  // namespace

int FeedCheatChar(uint8_t ch) {
  if (gGame.level.paused) return -1;
  gPlay.typed[gPlay.ringIndex] = static_cast<char>(ch);
  gPlay.ringIndex = (gPlay.ringIndex + 1) % kRingSize;
  for (int i = 0; i < kWordCount; ++i) {
    if (!RingEndsWith(kWords[i].word)) continue;
    gGame.level.cheatUsed = 1;
    Apply(kWords[i]);
    return i;
  }
  return -1;
}

int CheatWordCount() { return kWordCount; }

const char* CheatWord(int index) {
  return index >= 0 && index < kWordCount ? kWords[index].word : "";
}

}  // namespace vx
