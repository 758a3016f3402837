// Turns a parsed song into an S3M module: synthesizes its instruments,
// voices its chords, lays out bass and arpeggio lines from styles, drums from
// grooves and melodies from note tokens, and writes the effects that shape
// them (vibrato, glides, fades, staccato cuts, tempo and pattern breaks).
#pragma once

#include <string>
#include <vector>

#include "audio/chords.h"
#include "audio/s3m_writer.h"
#include "audio/song.h"

namespace vx::mkdata {

struct ComposeReport {
  double seconds = 0.0;        // one pass through the order list
  int channels = 0;
  int orders = 0;
  int patterns = 0;            // distinct patterns after sharing equal ones
  int mixBound = 0;            // worst case of the player's 16-bit mix sum
  std::string effects;         // effect letters used, sorted, e.g. "ACDGHS"
};

// The player adds channels into 16 bits without clipping; the composer
// refuses songs whose worst case could wrap.
constexpr int kMixLimit = 32767;

bool ComposeSong(const SongDef& song, S3mModule* module, ComposeReport* report, std::string* error);

// Period of a note byte in the game player's units.
int S3mPeriod(uint8_t note);

}  // namespace vx::mkdata
