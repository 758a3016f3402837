// The text form of a song (data/music/*.song): instruments, channels, drum
// kit and grooves, accompaniment styles, melodic phrases and sections, and
// the order in which the sections play. See data/music/README.md.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "audio/instruments.h"

namespace vx::mkdata {

struct SongInstrument {
  std::string name;
  std::string kind;
  int volume = 48;  // 0..64
  InstrumentParams params;
};

struct SongChannel {
  std::string name;
  int pan = 8;            // 0 left .. 15 right
  std::string instrument;  // default instrument of melodic lines
  int low = 48;           // lowest MIDI note of chord-based lines
  bool nearestChordTone = false;  // chord lines start on any chord tone, not the root
  int volume = -1;        // volume written with each note; -1 = the instrument's
  int vibrato = 0x34;     // H parameter: speed << 4 | depth
  int vibratoDelay = 2;   // rows before vibrato starts on a long note
  int gate = 3;           // ticks before a staccato note is cut
  int glideRows = 2;      // rows a glide takes
  std::string echoOf;     // repeats that channel's notes ...
  int echoDelay = 3;      // ... this many rows later ...
  int echoPercent = 50;   // ... at this share of their volume
};

struct KitEntry {
  std::string instrument;
  int volume = 48;
  int offset = 0;  // semitones from C-4
};

struct Groove {
  std::string name;
  std::vector<std::pair<std::string, std::string>> lines;  // channel, steps
  int line = 0;
};

struct Style {
  std::string name;
  std::string steps;
  int gate = 0;     // ticks; 0 = notes are held
  int volume = -1;
};

struct VoicingGroup {
  std::string name;
  std::vector<std::string> channels;
  int low = 55;
  int high = 76;
};

struct TextLine {
  std::string head;  // first word
  std::string rest;
  int line = 0;
};

struct Section {
  std::string name;
  int rows = 64;
  std::vector<TextLine> lines;
  int line = 0;
};

struct SongDef {
  std::string file;
  std::string title;
  int tempo = 125;
  int speed = 6;
  int globalVolume = 64;
  int bar = 16;
  std::vector<SongInstrument> instruments;
  std::vector<SongChannel> channels;
  std::map<char, KitEntry> kit;
  std::map<std::string, Groove> grooves;
  std::map<std::string, Style> styles;
  std::map<std::string, TextLine> phrases;  // rest = tokens
  std::vector<VoicingGroup> voicings;
  std::map<std::string, Section> sections;
  std::vector<std::string> order;
};

// Parses a song; on failure returns false with "file:line: message".
bool ParseSong(const std::string& text, const std::string& file, SongDef* song, std::string* error);

// "C4" = 60, "F#3", "Bb5"; -1 when not a note name.
int ParseNoteName(const std::string& s);

}  // namespace vx::mkdata
