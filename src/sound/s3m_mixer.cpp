// The module mixer: integer only, 22.10 sample positions, optional linear
// interpolation with 10-bit fractions. Channels are summed in 32 bits and
// saturated once per output value, so loud passages clip instead of wrapping.
#include <algorithm>
#include <cstring>
#include <vector>

#include "sound/s3m_module.h"

namespace vx {

namespace {

constexpr int kChunkFrames = 1024;

void SetWeights(S3mModule& m) {
  for (int c = 0; c < m.channelCount; ++c) {
    S3mChannel& ch = m.channels[c];
    // Pan 0 is the left (first) sample of a frame, 15 the right.
    ch.weight[0] = (15 - m.pan[c]) * ch.outputVolume;
    ch.weight[1] = m.pan[c] * ch.outputVolume;
  }
}

// Adds `frames` frames of one channel to acc. kShift scales a weighted sample
// to the output: 6 stereo 16-bit, 14 stereo 8-bit, 3 mono 16-bit, 11 mono 8-bit.
template <bool k16BitSample, bool kInterpolate, bool kStereo, int kShift>
void MixChannel(S3mChannel& ch, int32_t* acc, int frames) {
  const int8_t* data = ch.data;
  if (!data) {
    ch.end = 0;
    return;
  }
  const int32_t w0 = kStereo ? ch.weight[0] : ch.outputVolume;
  const int32_t w1 = ch.weight[1];
  const uint32_t step = ch.step;
  constexpr uint32_t kNext = k16BitSample ? 2 : 1;
  uint32_t pos = ch.position;
  int j = 0;
  while (j < frames && ch.end) {
    const uint32_t limit = (ch.loopEnd && ch.loopEnd < ch.end) ? ch.loopEnd : ch.end;
    if (pos < limit) {
      uint32_t n = static_cast<uint32_t>(frames - j);
      if (step) n = std::min<uint32_t>(n, (limit - pos + step - 1) / step);
      int32_t* a = acc + (kStereo ? 2 * j : j);
      for (uint32_t i = 0; i < n; ++i) {
        uint32_t idx = pos >> 10;
        if (k16BitSample) idx &= ~1u;
        int32_t s = data[idx];
        if (kInterpolate) {
          const int32_t s1 = data[idx + kNext];
          s += ((s1 - s) * static_cast<int32_t>(pos & 1023)) >> 10;
        }
        if (kStereo) {
          a[2 * i] += (w0 * s) >> kShift;
          a[2 * i + 1] += (w1 * s) >> kShift;
        } else {
          a[i] += (w0 * s) >> kShift;
        }
        pos += step;
      }
      j += static_cast<int>(n);
    }
    if (pos >= limit) {
      // Past the loop end or the sample end: loop, keeping the fraction, or stop.
      ch.end = ch.loopEnd;
      pos = ch.loopStart + (pos & 1023);
    }
  }
  ch.position = pos;
}

template <bool kStereo, int kShift>
void MixChannelAny(S3mChannel& ch, int32_t* acc, int frames, bool interpolate) {
  if (ch.is16Bit) {
    if (interpolate)
      MixChannel<true, true, kStereo, kShift>(ch, acc, frames);
    else
      MixChannel<true, false, kStereo, kShift>(ch, acc, frames);
  } else {
    if (interpolate)
      MixChannel<false, true, kStereo, kShift>(ch, acc, frames);
    else
      MixChannel<false, false, kStereo, kShift>(ch, acc, frames);
  }
}

void MixChannels(S3mModule& m, int32_t* acc, int frames) {
  for (int c = 0; c < m.channelCount; ++c) {
    S3mChannel& ch = m.channels[c];
    if (!ch.end) continue;
    if (m.stereo) {
      if (m.is16Bit)
        MixChannelAny<true, 6>(ch, acc, frames, m.interpolation);
      else
        MixChannelAny<true, 14>(ch, acc, frames, m.interpolation);
    } else {
      if (m.is16Bit)
        MixChannelAny<false, 3>(ch, acc, frames, m.interpolation);
      else
        MixChannelAny<false, 11>(ch, acc, frames, m.interpolation);
    }
  }
}

void Store(const S3mModule& m, const int32_t* acc, int values, uint8_t* out) {
  if (m.is16Bit) {
    for (int i = 0; i < values; ++i) {
      const int16_t v = static_cast<int16_t>(std::clamp(acc[i], -32768, 32767));
      std::memcpy(out + 2 * i, &v, 2);
    }
  } else {
    for (int i = 0; i < values; ++i) out[i] = static_cast<uint8_t>(std::clamp(acc[i] + 128, 0, 255));
  }
}

void Silence(const S3mModule* m, uint8_t* out, int bytes) {
  std::memset(out, m && !m->is16Bit ? 0x80 : 0, bytes);
}

}  // namespace

int MixModule(S3mModule* m, void* outArea, int bytes) {
  if (!outArea || bytes <= 0) return 0;
  uint8_t* out = static_cast<uint8_t*>(outArea);
  if (!m || m->loadStatus < 2 || m->pattern >= m->patternCount) {
    // A stale block would repeat in the looping voice; silence it instead.
    Silence(m, out, bytes);
    return 0;
  }
  const int outChannels = m->stereo ? 2 : 1;
  const int bytesPerFrame = (m->is16Bit ? 2 : 1) * outChannels;
  const int frames = bytes / bytesPerFrame;
  int32_t acc[kChunkFrames * 2];

  SetWeights(*m);
  int done = 0;
  while (done < frames) {
    if (m->framesToNextTick <= 0) {
      if (!ModuleTick(*m)) {
        Silence(m, out + done * bytesPerFrame, (frames - done) * bytesPerFrame);
        return done;
      }
      SetWeights(*m);
    }
    const int k = std::min({frames - done, m->framesToNextTick, kChunkFrames});
    std::memset(acc, 0, sizeof(int32_t) * k * outChannels);
    MixChannels(*m, acc, k);
    Store(*m, acc, k * outChannels, out + done * bytesPerFrame);
    done += k;
    m->framesToNextTick -= k;
  }
  return done;
}

double ModuleSongLength(S3mModule& m) {
  std::vector<uint8_t> visited((kS3mMaxOrders + 1) * kS3mRows, 0);
  double frames = 0;
  for (;;) {
    const bool newRow = m.tickCounter <= 0;
    m.wrapped = false;
    if (!ModuleTick(m)) break;
    if (newRow) {
      if (m.wrapped) break;
      uint8_t& seen = visited[m.rowOrder * kS3mRows + m.rowIndex];
      if (seen) break;
      seen = 1;
    }
    frames += m.framesToNextTick;
  }
  return frames / m.rate;
}

}  // namespace vx
