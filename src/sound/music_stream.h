// Internals of the music streaming, open to the tests.
#pragma once

#include <cstdint>

namespace vx {

struct S3mModule;

constexpr int kMusicBlocks = 5;

// Which block the timer writes next, given the block written last and the play
// position in bytes: the block number, -1 to write nothing, or -2 when playback
// is inside the block written last and the next two blocks are due.
int ChooseMusicBlock(int lastBlock, uint32_t playPosition, uint32_t blockBytes);

// The timer's work: mixes the next block of music into the streaming voice.
void FillMusicBlock();

// The module being streamed, or null.
S3mModule* PlayingModule();

}  // namespace vx
