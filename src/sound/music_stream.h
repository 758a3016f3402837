// Internals of the music streaming, open to the tests.
#pragma once

#include <cstdint>

namespace vx {

struct S3mModule;

constexpr int kMusicBlocks = 5;

// Which blocks the timer writes now, given the block written last, the play
// position and the bytes from there on that the output may read before the
// next fill (busyBytes). Normally the block after the last; none when that one
// is being played; when playback has reached the block written last, the next
// two, leaving out one that is already being played. Returns the count (0..2)
// and the blocks in order in blocks[].
int ChooseMusicBlocks(int lastBlock, uint32_t playPosition, uint32_t busyBytes, uint32_t blockBytes,
                      int blocks[2]);

// The timer's work: mixes the next block of music into the streaming voice.
void FillMusicBlock();

// The module being streamed, or null.
S3mModule* PlayingModule();

}  // namespace vx
