#include "audio/dsp.h"

#include <algorithm>
#include <cmath>

namespace vx::mkdata {

float OnePole::LowPass(float x, float cutoffHz, float rate) {
  float a = 1.0f - std::exp(static_cast<float>(-2.0 * kPi) * cutoffHz / rate);
  y_ += a * (x - y_);
  return y_;
}

void Biquad::Set(double b0, double b1, double b2, double a0, double a1, double a2) {
  b0_ = b0 / a0;
  b1_ = b1 / a0;
  b2_ = b2 / a0;
  a1_ = a1 / a0;
  a2_ = a2 / a0;
}

void Biquad::SetLowPass(float freq, float q, float rate) {
  double w = 2.0 * kPi * std::min<double>(freq, rate * 0.45) / rate;
  double alpha = std::sin(w) / (2.0 * q), c = std::cos(w);
  Set((1 - c) / 2, 1 - c, (1 - c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

void Biquad::SetHighPass(float freq, float q, float rate) {
  double w = 2.0 * kPi * std::min<double>(freq, rate * 0.45) / rate;
  double alpha = std::sin(w) / (2.0 * q), c = std::cos(w);
  Set((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + alpha, -2 * c, 1 - alpha);
}

void Biquad::SetBandPass(float freq, float q, float rate) {
  double w = 2.0 * kPi * std::min<double>(freq, rate * 0.45) / rate;
  double alpha = std::sin(w) / (2.0 * q), c = std::cos(w);
  Set(alpha, 0, -alpha, 1 + alpha, -2 * c, 1 - alpha);
}

float Biquad::Process(float x) {
  double y = b0_ * x + b1_ * x1_ + b2_ * x2_ - a1_ * y1_ - a2_ * y2_;
  x2_ = x1_;
  x1_ = x;
  y2_ = y1_;
  y1_ = y;
  return static_cast<float>(y);
}

namespace {
// Residual that removes most of the aliasing of a hard edge.
double PolyBlep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}
}  // namespace

float Osc::Sine(double freq, double rate) {
  float v = static_cast<float>(std::sin(2.0 * kPi * phase_));
  phase_ += freq / rate;
  phase_ -= std::floor(phase_);
  return v;
}

float Osc::Saw(double freq, double rate) {
  double dt = freq / rate;
  double v = 2.0 * phase_ - 1.0 - PolyBlep(phase_, dt);
  phase_ += dt;
  phase_ -= std::floor(phase_);
  return static_cast<float>(v);
}

float Osc::Square(double freq, double rate, double duty) {
  double dt = freq / rate;
  double v = phase_ < duty ? 1.0 : -1.0;
  v += PolyBlep(phase_, dt);
  double shifted = phase_ + (1.0 - duty);
  shifted -= std::floor(shifted);
  v -= PolyBlep(shifted, dt);
  phase_ += dt;
  phase_ -= std::floor(phase_);
  return static_cast<float>(v);
}

float Osc::Triangle(double freq, double rate) {
  double v = phase_ < 0.5 ? 4.0 * phase_ - 1.0 : 3.0 - 4.0 * phase_;
  phase_ += freq / rate;
  phase_ -= std::floor(phase_);
  return static_cast<float>(v);
}

float Decay(double t, double t60) {
  if (t < 0) return 0.0f;
  return static_cast<float>(std::exp(-6.907755 * t / t60));
}

float AttackDecay(double t, double attack, double t60) {
  if (t < 0) return 0.0f;
  if (t < attack) return static_cast<float>(t / attack);
  return Decay(t - attack, t60);
}

float Peak(const Buffer& buf) {
  float p = 0.0f;
  for (float v : buf) p = std::max(p, std::fabs(v));
  return p;
}

void Normalize(Buffer& buf, float peak) {
  float p = Peak(buf);
  if (p <= 0.0f) return;
  float g = peak / p;
  for (float& v : buf) v *= g;
}

void FadeEdges(Buffer& buf, int fadeIn, int fadeOut) {
  int n = static_cast<int>(buf.size());
  fadeIn = std::min(fadeIn, n);
  fadeOut = std::min(fadeOut, n);
  for (int i = 0; i < fadeIn; ++i)
    buf[i] *= static_cast<float>(0.5 - 0.5 * std::cos(kPi * i / fadeIn));
  for (int i = 0; i < fadeOut; ++i)
    buf[n - 1 - i] *= static_cast<float>(0.5 - 0.5 * std::cos(kPi * i / fadeOut));
}

void SoftClip(Buffer& buf, float drive) {
  float norm = std::tanh(drive);
  for (float& v : buf) v = std::tanh(v * drive) / norm;
}

Buffer AdditiveLoop(int length, const std::vector<Partial>& partials) {
  Buffer out(static_cast<size_t>(length), 0.0f);
  std::vector<double> acc(static_cast<size_t>(length), 0.0);
  for (const Partial& p : partials) {
    double w = 2.0 * kPi * p.cycles / length;
    for (int i = 0; i < length; ++i) acc[i] += p.amplitude * std::sin(w * i + p.phase);
  }
  for (int i = 0; i < length; ++i) out[i] = static_cast<float>(acc[i]);
  return out;
}

}  // namespace vx::mkdata
