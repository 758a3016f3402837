// A Scream Tracker 3 module in memory and its serialisation. Only what the
// generated music needs: 8-bit mono samples (looped or one-shot), up to 16
// channels with explicit pans, 64-row patterns.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vx::mkdata {

constexpr uint8_t kS3mNoNote = 255;
constexpr uint8_t kS3mNoteCut = 254;
constexpr uint8_t kS3mNoVolume = 255;
constexpr int kS3mRows = 64;

// Effect letters as S3M command numbers ('A' = 1).
constexpr uint8_t S3mCommand(char letter) { return static_cast<uint8_t>(letter - 'A' + 1); }

struct S3mCell {
  uint8_t note = kS3mNoNote;  // octave << 4 | semitone, or kS3mNoteCut
  uint8_t instrument = 0;     // 1-based, 0 = none
  uint8_t volume = kS3mNoVolume;
  uint8_t command = 0;
  uint8_t info = 0;
  bool Empty() const {
    return note == kS3mNoNote && instrument == 0 && volume == kS3mNoVolume && command == 0;
  }
};

struct S3mPattern {
  explicit S3mPattern(int channelCount) : channels(channelCount), cells(kS3mRows * channelCount) {}
  S3mCell& At(int row, int channel) { return cells[row * channels + channel]; }
  const S3mCell& At(int row, int channel) const { return cells[row * channels + channel]; }
  int channels;
  std::vector<S3mCell> cells;
};

struct S3mSample {
  std::string name;           // up to 27 characters
  std::vector<int8_t> data;   // signed; stored unsigned in the file
  bool loop = false;
  uint32_t loopStart = 0;
  uint32_t loopEnd = 0;       // exclusive
  uint8_t volume = 64;        // 0..64
  uint32_t c2spd = 8363;      // playback rate of note C-4
};

struct S3mModule {
  std::string title;          // up to 27 characters
  uint8_t globalVolume = 64;  // 0..64
  uint8_t initialSpeed = 6;
  uint8_t initialTempo = 125;
  // Volume slides act on every tick, the first included: the game's player
  // works that way, and the header flag makes other players agree.
  bool fastVolumeSlides = true;
  std::vector<uint8_t> pans;  // one per channel, 0 (left) .. 15 (right)
  std::vector<uint8_t> orders;  // pattern numbers; 255 ends the song
  std::vector<S3mSample> samples;
  std::vector<S3mPattern> patterns;
};

// Serialises the module; an empty result means it cannot be written (too
// many channels, patterns or samples, or a sample too large).
std::vector<uint8_t> WriteS3m(const S3mModule& module);

// Note byte from an octave (0..7) and a semitone (0..11).
constexpr uint8_t S3mNote(int octave, int semitone) {
  return static_cast<uint8_t>((octave << 4) | semitone);
}

}  // namespace vx::mkdata
