// The sampled instruments of the generated music: looped leads, pads and
// basses, decaying plucks and bells, and one-shot drums, all synthesized.
#pragma once

#include <string>
#include <vector>

#include "audio/s3m_writer.h"

namespace vx::mkdata {

// Optional shaping of an instrument kind.
struct InstrumentParams {
  double brightness = 0.0;  // harmonic roll-off point (in harmonics); 0 = the kind's own
  double attackMs = -1.0;   // attack length at the root pitch; < 0 = the kind's own
  double detune = -1.0;     // number of detuned voices' spread; < 0 = the kind's own
};

struct Instrument {
  S3mSample sample;
  // MIDI note that sounds when the module plays C-4 on this sample; drums,
  // which are played at C-4 (or an offset from it), have -1.
  int rootMidi = -1;
};

// The list of kind names, for error messages.
std::vector<std::string> InstrumentKinds();

// False when the kind is unknown.
bool MakeInstrument(const std::string& kind, const InstrumentParams& params, Instrument* out);

}  // namespace vx::mkdata
