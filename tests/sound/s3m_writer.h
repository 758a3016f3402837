// Builds small S3M modules inside the tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vx::test {

struct S3mSample {
  std::vector<uint8_t> data;  // unsigned 8-bit values, or 16-bit values as little-endian pairs
  bool is16 = false;
  bool loop = false;
  uint32_t loopStart = 0, loopEnd = 0;  // in sample values
  int volume = 64;
  uint32_t c2spd = 8363;
  int type = 1;
  bool scrs = true;
};

struct S3mCell {
  int row = 0, channel = 0;
  int note = -1;  // -1: no note byte (255 written when only an instrument is given)
  int ins = 0;
  int vol = -1;
  int cmd = 0;  // 0: no effect
  int info = 0;
};

// Note byte from octave and semitone.
inline int Note(int octave, int semitone) { return (octave << 4) | semitone; }
// Effect letter to command number.
inline int Fx(char letter) { return letter - 'A' + 1; }

struct S3mWriter {
  std::string title = "test";
  int speed = 6, tempo = 125, globalVolume = 64;
  int defaultPan = 0;
  std::vector<uint8_t> channelSettings;  // 32 entries; default: channels 0..3 as L, R, L, R
  std::vector<uint8_t> panBytes;         // written when defaultPan == 252
  std::vector<uint8_t> orders = {0, 255};
  std::vector<S3mSample> samples;
  std::vector<std::vector<S3mCell>> patterns = {{}};

  S3mWriter();
  std::vector<uint8_t> Build() const;
  // Offsets of the parts in the last Build, for tests that damage them.
  mutable std::vector<uint32_t> instrumentOffsets, patternOffsets, sampleOffsets;
};

// A sample of n values of a constant unsigned 8-bit level (0x80 = silence).
S3mSample ConstantSample(size_t n, uint8_t level, bool loop = false);

}  // namespace vx::test
