// The tick: rows, notes, instruments and effects of the S3M player.
#include <algorithm>

#include "sound/s3m_module.h"

namespace vx {

namespace {

constexpr int32_t kMaxPeriod = 1 << 20;
constexpr uint32_t kMaxStep = 1u << 28;

// Moves to `order`, passing over the 254 markers.
void EnterOrder(S3mModule& m, int order) {
  while (order < kS3mMaxOrders && m.OrderAt(order) == 254) ++order;
  m.order = order;
  m.nextOrder = order + 1;
  m.pattern = m.OrderAt(order);
}

void RestartSong(S3mModule& m) {
  m.speed = m.initialSpeed;
  m.tempo = m.initialTempo;
  EnterOrder(m, 0);
  m.wrapped = true;
}

int32_t BaseRateHz(const S3mChannel& ch) { return static_cast<int32_t>(ch.baseRate >> 10); }

void LoadInstrumentInto(S3mModule& m, S3mChannel& ch, int number) {
  const S3mInstrument& ins = m.instruments[number];
  ch.volume = ins.volume;
  if (number != ch.lastInstrument) ch.position = 0;
  ch.instrument = number;
  ch.lastInstrument = number;
  ch.pendingInstrument = 0;
  ch.end = ins.length << 10;
  ch.loopStart = ins.loopStart << 10;
  ch.loopEnd = ins.loopEnd << 10;
  ch.baseRate = ins.baseRate << 10;
  ch.data = ins.data.empty() ? nullptr : reinterpret_cast<const int8_t*>(ins.data.data());
  ch.is16Bit = ins.is16Bit;
  if (!ch.data) ch.end = 0;
}

// A struck note plays its sample from the top again, even after the sample ran
// out or was cut.
void Retrigger(S3mModule& m, S3mChannel& ch) {
  ch.position = 0;
  if (ch.instrument <= 0 || ch.instrument > m.instrumentCount) return;
  const S3mInstrument& ins = m.instruments[ch.instrument];
  if (ins.data.empty()) return;
  ch.end = ins.length << 10;
  ch.loopStart = ins.loopStart << 10;
  ch.loopEnd = ins.loopEnd << 10;
}

int32_t SlideVolume(int x) {
  int hi = x >> 4, lo = x & 15;
  return hi > 0 ? hi * 4 : -lo * 4;
}

void StartVibrato(S3mChannel& ch) {
  if (!ch.hadVibrato) ch.vibratoPos = 0;
  ch.vibrato = true;
}

void ApplyEffect(S3mModule& m, S3mChannel& ch, int cmd, int x, int32_t newPeriod) {
  const int hi = x >> 4, lo = x & 15;
  switch (cmd) {
    case 1:  // A: speed, or tempo from 32 up
      if (x >= 32)
        m.tempo = x;
      else if (x > 0)
        m.speed = x;
      break;
    case 2:  // B: jump to order x
      m.nextOrder = x;
      m.row = 63;
      break;
    case 3:  // C: break to row hi*10+lo of the next order
      if (x == 0) {
        m.row = 63;
      } else {
        EnterOrder(m, m.order + 1);
        if (m.pattern >= m.patternCount) RestartSong(m);
        m.row = hi * 10 + lo - 1;
      }
      break;
    case 4:  // D: volume slide
      if (x == 0) {
      } else if (hi > 0 && lo == 0) {
        ch.volumeSlide = hi * 4;
      } else if (hi > 0 && lo == 15) {
        ch.volume = std::min(ch.volume + hi * 4, 256);
      } else if (hi == 15) {
        ch.volume = std::max(ch.volume - lo * 4, 0);
      } else if (hi > 0) {
      } else {
        ch.volumeSlide = -lo * 4;
      }
      break;
    case 5:    // E: pitch down (period up)
    case 6: {  // F: pitch up (period down)
      const int sign = cmd == 5 ? 1 : -1;
      const int32_t rate = BaseRateHz(ch);
      if (hi == 15) {
        if (ch.period) ch.period = std::clamp(ch.period + sign * (rate * lo / 8363), 1, kMaxPeriod);
      } else if (hi == 14) {
        if (ch.period)
          ch.period = std::clamp((ch.period * 4 + sign * (rate * lo / 8363)) >> 2, 1, kMaxPeriod);
      } else if (x != 0) {
        ch.portaMemory = rate * x / 8363;
        ch.periodSlide = sign * ch.portaMemory;
      } else {
        ch.periodSlide = sign * ch.portaMemory;
      }
      break;
    }
    case 7:  // G: tone portamento
      if (x > 0) ch.portaSpeed = BaseRateHz(ch) * x / 8363;
      ch.tonePorta = true;
      break;
    case 8:  // H: vibrato
      StartVibrato(ch);
      if (x > 0) ch.vibratoParam = x;
      break;
    case 10:  // J: arpeggio
      if (x > 0 && ch.period) {
        const int32_t p = ch.period;
        ch.period = p + hi;
        ch.countdown[0] = 2;
        ch.countdownPeriod[0] = p + lo;
        ch.countdown[1] = 3;
        ch.countdownPeriod[1] = p;
      }
      break;
    case 11:  // K: vibrato and volume slide
      StartVibrato(ch);
      ch.volumeSlide = SlideVolume(x);
      break;
    case 12:  // L: tone portamento and volume slide
      if (newPeriod) {
        ch.targetPeriod = newPeriod;
        if (ch.previousPeriod) ch.period = ch.previousPeriod;
      }
      ch.tonePorta = true;
      if (x > 0) ch.volumeSlide = SlideVolume(x);
      break;
    case 15: {  // O: sample offset
      uint32_t offset = static_cast<uint32_t>(x) * 256 * (ch.is16Bit ? 2 : 1);
      if (x > 0 && (uint64_t{offset} << 10) < ch.end) ch.position = offset << 10;
      break;
    }
    case 18:  // R: tremolo
      if (!ch.hadTremolo) ch.tremoloPos = 0;
      if (x > 0) ch.tremoloParam = x;
      ch.tremolo = true;
      break;
    case 19:  // S: subcommands
      if (hi == 2) {
        ch.baseRate = static_cast<uint32_t>(kS3mFinetune[lo]) << 10;
      } else if (hi == 3) {
        ch.vibratoWave = lo & 3;
      } else if (hi == 4) {
        ch.tremoloWave = lo & 3;
      } else if (hi == 12) {
        ch.countdown[0] = lo + 1;
        ch.countdownPeriod[0] = 0;
      }
      break;
    case 20:  // T: tempo; 0 would stop time, so it is ignored
      if (x > 0) m.tempo = x;
      break;
    case 21:  // U: fine vibrato
      StartVibrato(ch);
      if (x > 0) ch.vibratoParam = x;
      ch.vibratoFine = true;
      break;
    case 22:  // V: global volume
      m.globalVolume = x;
      break;
    default:
      break;
  }
}

void ReadRow(S3mModule& m) {
  // Effects B and C move the song position while the row is read; the row's
  // cells are fixed before that.
  const int pattern = m.pattern, row = m.row & 63;
  for (int c = 0; c < m.channelCount; ++c) {
    const uint8_t* cell = m.Cell(pattern, row, c);
    S3mChannel& ch = m.channels[c];
    const int note = cell[0], volume = cell[2], cmd = cell[3], x = cell[4];
    int ins = cell[1];

    int32_t newPeriod = 0;
    if (note == 254) {
      ch.end = 0;
    } else if (note != 0 && note != 255) {
      const int semitone = note & 15, octave = note >> 4;
      if (semitone < 12) newPeriod = (kS3mPeriods[semitone] * 4) >> octave;
    }
    if (ins > m.instrumentCount) ins = 0;
    if (ins) ch.pendingInstrument = ins;

    ch.volumeSlide = 0;
    ch.periodSlide = 0;
    ch.previousPeriod = ch.period;
    ch.hadVibrato = ch.vibrato;
    ch.hadTremolo = ch.tremolo;
    ch.tonePorta = ch.vibrato = ch.tremolo = ch.vibratoFine = false;

    if (newPeriod) {
      if (ch.pendingInstrument) LoadInstrumentInto(m, ch, ch.pendingInstrument);
      if (!(cmd == 7 && ch.period != 0)) {
        ch.period = newPeriod;
        Retrigger(m, ch);
      }
      ch.targetPeriod = newPeriod;
    }
    if (volume < 255) ch.volume = std::min(volume, 64) * 4;
    ApplyEffect(m, ch, cmd, x, newPeriod);
  }
}

void UpdateChannel(const S3mModule& m, S3mChannel& ch, int divisor) {
  ch.volume = std::clamp(ch.volume + ch.volumeSlide, 0, 256);
  for (int k = 0; k < 2; ++k) {
    if (ch.countdown[k] && --ch.countdown[k] == 0) ch.period = ch.countdownPeriod[k];
  }
  if (ch.period == 0) {
    ch.position = 0;
    ch.step = 0;
    ch.end = 0;
    return;
  }
  int32_t out = ch.volume;
  if (ch.tremolo) {
    out = ch.volume + kS3mWaveforms[ch.tremoloWave][ch.tremoloPos] * (ch.tremoloParam & 15) / 127;
    out = std::clamp(out, 0, 256);
    ch.tremoloPos = (ch.tremoloPos + (ch.tremoloParam >> 4)) & 63;
  }
  if (ch.tonePorta && ch.targetPeriod) {
    if (ch.period < ch.targetPeriod)
      ch.period = std::min(ch.period + ch.portaSpeed, ch.targetPeriod);
    else if (ch.period > ch.targetPeriod)
      ch.period = std::max(ch.period - ch.portaSpeed, ch.targetPeriod);
  }
  ch.period = std::clamp(ch.period + ch.periodSlide, 1, kMaxPeriod);

  int32_t p = ch.period;
  if (ch.vibrato) {
    if (ch.vibratoFine) p *= 4;
    p += kS3mWaveforms[ch.vibratoWave][ch.vibratoPos] * (ch.vibratoParam & 15) / 127;
    if (ch.vibratoFine) p >>= 2;
    ch.vibratoPos = (ch.vibratoPos + (ch.vibratoParam >> 4)) & 63;
  }
  if (p < 1) p = 1;
  ch.outputVolume = m.globalVolume * out / divisor;
  uint64_t step = (uint64_t{ch.baseRate} / static_cast<uint32_t>(p)) * 427 / static_cast<uint32_t>(m.rate);
  if (ch.is16Bit) step *= 2;
  ch.step = static_cast<uint32_t>(std::min<uint64_t>(step, kMaxStep));
}

}  // namespace

int ModuleTick(S3mModule& m) {
  if (m.tickCounter <= 0) {
    m.row = (m.row + 1) & 63;
    if (m.row == 0) EnterOrder(m, m.nextOrder);
    if (m.pattern >= m.patternCount) RestartSong(m);
    if (m.pattern < m.patternCount) {
      m.rowOrder = std::min(m.order, kS3mMaxOrders);
      m.rowIndex = m.row & 63;
      ReadRow(m);
    }
    m.tickCounter = m.speed;
    if (m.pattern >= m.patternCount) return 0;
  } else if (m.pattern >= m.patternCount) {
    return 0;
  }
  int divisor = m.divisor.load(std::memory_order_relaxed);
  if (divisor == 0) divisor = 42;
  for (int c = 0; c < m.channelCount; ++c) UpdateChannel(m, m.channels[c], divisor);
  m.framesToNextTick = std::max(1, m.rate * 5 / (m.tempo * 2));
  --m.tickCounter;
  return 1;
}

}  // namespace vx
