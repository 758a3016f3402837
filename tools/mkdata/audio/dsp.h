// Small synthesis toolkit for the generated sounds and instruments: a seeded
// noise source, oscillators, filters and envelopes over float buffers.
// Everything is deterministic so the data set is the same bytes every build.
#pragma once

#include <cstdint>
#include <vector>

namespace vx::mkdata {

using Buffer = std::vector<float>;

constexpr double kPi = 3.14159265358979323846;

// xorshift32; fixed seeds only.
class Noise {
 public:
  explicit Noise(uint32_t seed) : state_(seed ? seed : 0x9e3779b9u) {}
  uint32_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return state_;
  }
  // Uniform in [-1, 1).
  float White() { return static_cast<float>(Next() >> 8) / 8388608.0f - 1.0f; }

 private:
  uint32_t state_;
};

// One-pole low-pass; cutoff may change per sample.
class OnePole {
 public:
  float LowPass(float x, float cutoffHz, float rate);
  float HighPass(float x, float cutoffHz, float rate) { return x - LowPass(x, cutoffHz, rate); }

 private:
  float y_ = 0.0f;
};

// RBJ biquad; coefficients recomputed on Set* so sweeps are possible.
class Biquad {
 public:
  void SetLowPass(float freq, float q, float rate);
  void SetHighPass(float freq, float q, float rate);
  void SetBandPass(float freq, float q, float rate);
  float Process(float x);

 private:
  void Set(double b0, double b1, double b2, double a0, double a1, double a2);
  double b0_ = 1, b1_ = 0, b2_ = 0, a1_ = 0, a2_ = 0;
  double x1_ = 0, x2_ = 0, y1_ = 0, y2_ = 0;
};

// Phase-accumulating oscillator; Step advances by freq / rate cycles.
class Osc {
 public:
  explicit Osc(double phase = 0.0) : phase_(phase) {}
  float Sine(double freq, double rate);
  float Square(double freq, double rate, double duty = 0.5);  // band-limited (polyBLEP)
  float Saw(double freq, double rate);                         // band-limited (polyBLEP)
  float Triangle(double freq, double rate);

 private:
  double phase_;
};

// Exponential decay that falls to -60 dB after t60 seconds.
float Decay(double t, double t60);
// Linear attack then exponential decay.
float AttackDecay(double t, double attack, double t60);

// Scales to the given peak (linear, 0..1); silent buffers stay silent.
void Normalize(Buffer& buf, float peak);
float Peak(const Buffer& buf);
// Raised-cosine fades so the sound starts and ends at zero without a click.
void FadeEdges(Buffer& buf, int fadeInFrames, int fadeOutFrames);
// Soft saturation, keeps |x| < 1.
void SoftClip(Buffer& buf, float drive);

// Single-cycle-exact loop: sums sine partials whose cycle counts over
// `length` frames are integers, so the buffer loops seamlessly. Partial list:
// (cycles per loop, amplitude, phase in radians).
struct Partial {
  double cycles;
  double amplitude;
  double phase;
};
Buffer AdditiveLoop(int length, const std::vector<Partial>& partials);

}  // namespace vx::mkdata
