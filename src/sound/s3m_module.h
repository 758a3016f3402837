// The S3M module player in three layers: the loader turns a file image into
// patterns, instruments and sample data; the tick advances the song and applies
// the effects; the mixer resamples every channel into the output.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

namespace vx {

constexpr int kS3mMaxOrders = 256;
constexpr int kS3mMaxInstruments = 99;
constexpr int kS3mMaxPatterns = 100;
constexpr int kS3mRows = 64;
constexpr int kS3mMaxChannels = 16;
constexpr int kS3mCellBytes = 5;

struct S3mInstrument {
  std::vector<uint8_t> data;  // 8-bit signed; for 16-bit samples every second byte
  uint32_t length = 0;        // bytes of data the mixer may play
  uint32_t loopStart = 0, loopEnd = 0;  // 0, 0 without a loop
  int volume = 0;                       // 0..256
  bool is16Bit = false;
  uint32_t baseRate = 0;  // C2SPD in Hz
};

struct S3mChannel {
  uint32_t position = 0;  // bytes, 22.10 fixed point
  uint32_t step = 0;
  const int8_t* data = nullptr;
  uint32_t end = 0, loopStart = 0, loopEnd = 0;  // 22.10; end 0 = silent
  bool is16Bit = false;
  int instrument = 0, lastInstrument = 0, pendingInstrument = 0;
  uint32_t baseRate = 0;  // C2SPD x 1024
  int32_t period = 0, targetPeriod = 0, previousPeriod = 0;
  int32_t volume = 0, volumeSlide = 0;
  int32_t periodSlide = 0, portaMemory = 0, portaSpeed = 0;
  int vibratoPos = 0, vibratoParam = 0, vibratoWave = 0;
  bool vibrato = false, vibratoFine = false, hadVibrato = false;
  int tremoloPos = 0, tremoloParam = 0, tremoloWave = 0;
  bool tremolo = false, hadTremolo = false;
  bool tonePorta = false;
  int countdown[2] = {0, 0};
  int32_t countdownPeriod[2] = {0, 0};
  int32_t outputVolume = 0;
  int32_t weight[2] = {0, 0};  // first and second output sample of a frame
  // The mixer's products of every sample value with the weights, scaled to the
  // output (stereo: both sides packed in one word); rebuilt when the weights or
  // the scale change.
  uint64_t product[256];
  int32_t productWeight[2] = {-1, -1};
  int productShift = -1;
};

struct S3mModule {
  int loadStatus = 1;  // 2 when loaded
  int rate = 44100;
  bool is16Bit = true, stereo = true, interpolation = true, loop = true;

  char title[29] = {};
  int orderCount = 0, instrumentCount = 0, patternCount = 0;
  int globalVolume = 64;
  int initialSpeed = 6, initialTempo = 125;
  int defaultPan = 0;
  uint8_t channelSettings[32] = {};
  int channelCount = 0;
  uint8_t orders[kS3mMaxOrders] = {};
  std::vector<S3mInstrument> instruments;  // index 0 stays empty
  std::vector<uint8_t> patterns;           // patternCount x 64 rows x channelCount x 5
  uint8_t pan[32] = {};                    // 0..15, 0 = all on the left output sample

  int speed = 6, tempo = 125;
  int tickCounter = 0, framesToNextTick = 0;
  int pattern = 0, order = 0, nextOrder = 0, row = 63;
  std::atomic<int> divisor{42};
  S3mChannel channels[kS3mMaxChannels];

  // Set by the tick when the song jumps back to its start.
  bool wrapped = false;
  // Order and row of the row read last, before its effects moved the position.
  int rowOrder = 0, rowIndex = 0;

  int OrderAt(int i) const { return i >= 0 && i < orderCount ? orders[i] : 255; }
  const uint8_t* Cell(int pat, int patternRow, int channel) const {
    return patterns.data() +
           ((static_cast<size_t>(pat) * kS3mRows + patternRow) * channelCount + channel) * kS3mCellBytes;
  }
};

// Loads a file image; null on failure (the reason is logged). The mixing format
// is copied into the module.
std::unique_ptr<S3mModule> LoadS3m(const uint8_t* image, uint32_t size, int rate, bool is16Bit,
                                   bool stereo, bool interpolation);

// One tick: a new row when the row's ticks are used up, then the per-tick
// update. Returns 0 when the song has nothing left to play.
int ModuleTick(S3mModule& m);

// Mixes `bytes` bytes of output in the module's format; returns the frames written.
int MixModule(S3mModule* m, void* out, int bytes);

// Whether the mixer may work eight frames at a time where the processor allows
// (the default); the output is the same either way. Returns false when on was
// asked for and the processor cannot.
bool UseVectorMixing(bool on);

// Length of the song in seconds: until playback reaches a row it has already
// played or the order list wraps. Plays the module from where it stands.
double ModuleSongLength(S3mModule& m);

// Tables shared with the tests.
extern const int16_t kS3mPeriods[12];
extern const int16_t kS3mFinetune[16];
extern const int8_t kS3mWaveforms[4][64];

}  // namespace vx
