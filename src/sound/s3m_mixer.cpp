// The module mixer: integer only, 22.10 sample positions, optional linear
// interpolation with 10-bit fractions. Channels are summed in 32 bits and
// saturated once per output value, so loud passages clip instead of wrapping.
#include <algorithm>
#include <cstring>
#include <type_traits>
#include <vector>

#include "sound/s3m_module.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define VX_X86 1
#endif

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

// Stereo frames are summed as two 32-bit halves of one 64-bit word. Each
// channel's value is lifted by kBias so neither half ever borrows from or carries
// into the other; Store takes the biases off again.
constexpr uint32_t kBias = 1u << 22;
constexpr uint64_t kBiasPair = (uint64_t{kBias} << 32) | kBias;

template <bool kStereo>
using Accumulator = std::conditional_t<kStereo, uint64_t, int32_t>;

// floor(w x s / 2^shift) for every 8-bit sample value s: one table look-up per
// frame instead of two multiplications.
template <bool kStereo, int kShift>
void BuildProducts(S3mChannel& ch, int32_t w0, int32_t w1) {
  for (int v = -128; v < 128; ++v) {
    const int32_t p0 = (w0 * v) >> kShift, p1 = (w1 * v) >> kShift;
    ch.product[v + 128] = kStereo ? (uint64_t{static_cast<uint32_t>(p1) + kBias} << 32) |
                                        (static_cast<uint32_t>(p0) + kBias)
                                  : static_cast<uint32_t>(p0);
  }
  ch.productWeight[0] = w0;
  ch.productWeight[1] = w1;
  ch.productShift = kShift;
}

#ifdef VX_X86
bool gVectorMixing = [] {
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx2") != 0;
}();

// The stereo interpolating loop of MixChannel eight frames at a time: the same
// integer steps, so the same sums. Eight frames at a pitch below about twice
// the output rate read at most sixteen bytes of sample data, so one load and a
// byte shuffle fetch every value and its neighbour (the loader leaves room
// after the end for the load). Returns the frames done; the caller does the rest.
template <bool k16BitSample, int kShift>
__attribute__((target("avx2"))) uint32_t MixStereoRun(const int8_t* data, uint32_t pos,
                                                      uint32_t step, int32_t w0, int32_t w1,
                                                      uint64_t* a, uint32_t n) {
  constexpr uint32_t kNext = k16BitSample ? 2 : 1;
  // The last of eight frames and its neighbour must lie within sixteen bytes of
  // the first frame's byte; rounding 16-bit positions down to even ones can
  // move them one byte further apart.
  constexpr uint32_t kMaxApart = 15 - kNext - (k16BitSample ? 1 : 0);
  if (7 * uint64_t{step} + 1023 >= uint64_t{kMaxApart + 1} << 10) return 0;
  const __m256i lanes = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
  const __m256i steps = _mm256_mullo_epi32(lanes, _mm256_set1_epi32(static_cast<int>(step)));
  const __m256i fraction = _mm256_set1_epi32(1023), even = _mm256_set1_epi32(~1);
  // Byte 3 of each lane takes the value, byte 1 its neighbour, the rest zero.
  const __m256i pick = _mm256_set1_epi32(static_cast<int>(kNext << 8 | 0x00800080u));
  const __m256i left = _mm256_set1_epi32(w0), right = _mm256_set1_epi32(w1);
  const __m256i bias = _mm256_set1_epi32(static_cast<int>(kBias));
  uint32_t i = 0;
  for (; i + 8 <= n; i += 8, pos += 8 * step) {
    uint32_t first = pos >> 10;
    if (k16BitSample) first &= ~1u;
    const __m256i p = _mm256_add_epi32(_mm256_set1_epi32(static_cast<int>(pos)), steps);
    __m256i idx = _mm256_srli_epi32(p, 10);
    if (k16BitSample) idx = _mm256_and_si256(idx, even);
    const __m256i rel = _mm256_sub_epi32(idx, _mm256_set1_epi32(static_cast<int>(first)));
    const __m256i control = _mm256_add_epi32(
        _mm256_add_epi32(_mm256_slli_epi32(rel, 24), _mm256_slli_epi32(rel, 8)), pick);
    const __m256i bytes = _mm256_broadcastsi128_si256(
        _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + first)));
    const __m256i word = _mm256_shuffle_epi8(bytes, control);
    const __m256i s0 = _mm256_srai_epi32(word, 24);
    const __m256i s1 = _mm256_srai_epi32(_mm256_slli_epi32(word, 16), 24);
    const __m256i f = _mm256_and_si256(p, fraction);
    const __m256i v = _mm256_add_epi32(
        s0, _mm256_srai_epi32(_mm256_mullo_epi32(_mm256_sub_epi32(s1, s0), f), 10));
    const __m256i l = _mm256_add_epi32(_mm256_srai_epi32(_mm256_mullo_epi32(left, v), kShift), bias);
    const __m256i r = _mm256_add_epi32(_mm256_srai_epi32(_mm256_mullo_epi32(right, v), kShift), bias);
    // Frame pairs (left low, right high), as the 64-bit accumulator holds them.
    const __m256i lo = _mm256_unpacklo_epi32(l, r), hi = _mm256_unpackhi_epi32(l, r);
    __m256i* to = reinterpret_cast<__m256i*>(a + i);
    _mm256_storeu_si256(to, _mm256_add_epi64(_mm256_loadu_si256(to),
                                             _mm256_permute2x128_si256(lo, hi, 0x20)));
    _mm256_storeu_si256(to + 1, _mm256_add_epi64(_mm256_loadu_si256(to + 1),
                                                 _mm256_permute2x128_si256(lo, hi, 0x31)));
  }
  return i;
}
#else
bool gVectorMixing = false;
#endif

// Adds `frames` frames of one channel to acc. kShift scales a weighted sample
// to the output: 6 stereo 16-bit, 14 stereo 8-bit, 3 mono 16-bit, 11 mono 8-bit.
// Returns whether the channel added a (biased) value to every frame.
template <bool k16BitSample, bool kInterpolate, bool kStereo, int kShift>
bool MixChannel(S3mChannel& ch, Accumulator<kStereo>* acc, int frames) {
  const int8_t* data = ch.data;
  if (!data) {
    ch.end = 0;
    return false;
  }
  const int32_t w0 = kStereo ? ch.weight[0] : ch.outputVolume;
  const int32_t w1 = kStereo ? ch.weight[1] : 0;
  // A silent channel only moves on: what it would add is zero.
  const bool silent = w0 == 0 && w1 == 0;
  if (!silent && (ch.productWeight[0] != w0 || ch.productWeight[1] != w1 || ch.productShift != kShift))
    BuildProducts<kStereo, kShift>(ch, w0, w1);
  const uint64_t* const product = ch.product + 128;
  const uint32_t step = ch.step;
  constexpr uint32_t kNext = k16BitSample ? 2 : 1;
  uint32_t pos = ch.position;
  int j = 0;
  while (j < frames && ch.end) {
    const uint32_t limit = (ch.loopEnd && ch.loopEnd < ch.end) ? ch.loopEnd : ch.end;
    if (pos < limit) {
      uint32_t n = static_cast<uint32_t>(frames - j);
      if (step) n = std::min<uint32_t>(n, (limit - pos + step - 1) / step);
      Accumulator<kStereo>* a = acc + j;
      uint32_t i = 0;
#ifdef VX_X86
      if constexpr (kStereo && kInterpolate) {
        if (gVectorMixing && !silent) {
          i = MixStereoRun<k16BitSample, kShift>(data, pos, step, w0, w1, a, n);
          pos += step * i;
        }
      }
#endif
      for (; i < n && !silent; ++i) {
        uint32_t idx = pos >> 10;
        if (k16BitSample) idx &= ~1u;
        int32_t s = data[idx];
        if (kInterpolate) {
          const int32_t s1 = data[idx + kNext];
          s += ((s1 - s) * static_cast<int32_t>(pos & 1023)) >> 10;
        }
        a[i] += static_cast<Accumulator<kStereo>>(product[s]);
        pos += step;
      }
      if (silent) pos += step * n;
      j += static_cast<int>(n);
    }
    if (pos >= limit) {
      // Past the loop end or the sample end: loop, keeping the fraction, or stop.
      ch.end = ch.loopEnd;
      pos = ch.loopStart + (pos & 1023);
    }
  }
  ch.position = pos;
  if (silent) return false;
  if (kStereo)
    for (; j < frames; ++j) acc[j] += static_cast<Accumulator<kStereo>>(kBiasPair);
  return true;
}

template <bool kStereo, int kShift>
bool MixChannelAny(S3mChannel& ch, Accumulator<kStereo>* acc, int frames, bool interpolate) {
  if (ch.is16Bit) {
    return interpolate ? MixChannel<true, true, kStereo, kShift>(ch, acc, frames)
                       : MixChannel<true, false, kStereo, kShift>(ch, acc, frames);
  }
  return interpolate ? MixChannel<false, true, kStereo, kShift>(ch, acc, frames)
                     : MixChannel<false, false, kStereo, kShift>(ch, acc, frames);
}

// Mixes k frames of every channel into out.
template <bool kStereo, bool k16BitOut>
void MixChunk(S3mModule& m, int k, uint8_t* out) {
  constexpr int kShift = kStereo ? (k16BitOut ? 6 : 14) : (k16BitOut ? 3 : 11);
  Accumulator<kStereo> acc[kChunkFrames];
  std::memset(acc, 0, sizeof(acc[0]) * k);
  uint32_t biases = 0;
  for (int c = 0; c < m.channelCount; ++c) {
    S3mChannel& ch = m.channels[c];
    if (ch.end && MixChannelAny<kStereo, kShift>(ch, acc, k, m.interpolation)) biases += kBias;
  }
  auto put = [out](int i, int32_t v) {
    if (k16BitOut) {
      const int16_t x = static_cast<int16_t>(std::clamp(v, -32768, 32767));
      std::memcpy(out + 2 * i, &x, 2);
    } else {
      out[i] = static_cast<uint8_t>(std::clamp(v + 128, 0, 255));
    }
  };
  for (int i = 0; i < k; ++i) {
    if (kStereo) {
      const uint64_t v = static_cast<uint64_t>(acc[i]);
      put(2 * i, static_cast<int32_t>(static_cast<uint32_t>(v) - biases));
      put(2 * i + 1, static_cast<int32_t>(static_cast<uint32_t>(v >> 32) - biases));
    } else {
      put(i, static_cast<int32_t>(acc[i]));
    }
  }
}

void MixChunkAny(S3mModule& m, int k, uint8_t* out) {
  if (m.stereo)
    m.is16Bit ? MixChunk<true, true>(m, k, out) : MixChunk<true, false>(m, k, out);
  else
    m.is16Bit ? MixChunk<false, true>(m, k, out) : MixChunk<false, false>(m, k, out);
}

void Silence(const S3mModule* m, uint8_t* out, int bytes) {
  std::memset(out, m && !m->is16Bit ? 0x80 : 0, bytes);
}

}  // namespace

bool UseVectorMixing(bool on) {
#ifdef VX_X86
  __builtin_cpu_init();
  if (on && !__builtin_cpu_supports("avx2")) return false;
  gVectorMixing = on;
  return true;
#else
  return !on;
#endif
}

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
    MixChunkAny(*m, k, out + done * bytesPerFrame);
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
