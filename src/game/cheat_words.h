// Typed cheat words: every character typed during play goes into a ring, and a
// word that the newest characters spell takes effect at once.
#pragma once

#include <cstdint>

namespace vx {

// Feeds one typed character (ignored while the game is paused). Returns the
// index of the word it completed in the word table, or -1.
int FeedCheatChar(uint8_t ch);

// The words, in the order they are tried.
int CheatWordCount();
const char* CheatWord(int index);

}  // namespace vx
