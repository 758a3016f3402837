// Chords for the composer: symbols, chord tones in a register, and voicings
// that move as little as possible from one chord to the next.
#pragma once

#include <string>
#include <vector>

namespace vx::mkdata {

struct Chord {
  int start = 0;  // row in the section
  int rows = 0;
  int root = 0;   // pitch class
  std::vector<int> intervals;  // semitones above the root
  int bass = 0;   // pitch class of the lowest note (the root unless a slash chord)
};

// Chord symbol ("Em", "C", "G7", "Fmaj7", "Asus4", "D/F#") to a root pitch
// class, intervals above it, and the bass pitch class. False if unknown.
bool ParseChord(const std::string& symbol, int* root, std::vector<int>* intervals, int* bass);

// MIDI note of chord tone `index` counted upwards from the chord's bass (or,
// with `nearest`, from its lowest tone) at or above `low`; 0 is the tone below.
int ChordTone(const Chord& c, int index, int low, bool nearest);

// `voices` MIDI notes of the chord within [low, high], sorted, keeping its
// third and colour tone and moving least from `prev` (or sitting mid-range
// when there is none). Empty when the range cannot hold the chord.
std::vector<int> VoiceChord(const Chord& c, int voices, int low, int high, const std::vector<int>& prev);

}  // namespace vx::mkdata
