#include "audio/sound_effects.h"

#include <algorithm>
#include <cmath>

namespace vx::mkdata {

namespace {

constexpr double kRate = kEffectRate;

int Frames(double seconds) { return static_cast<int>(seconds * kRate + 0.5); }
double Time(int i) { return i / kRate; }

// Exponential glide from f0 to f1 over `duration`, holding f1 afterwards.
double Glide(double t, double f0, double f1, double duration) {
  if (t >= duration) return f1;
  return f0 * std::pow(f1 / f0, t / duration);
}

// Played on every block a ball touches: a short glassy tick that stays
// pleasant when it repeats fast.
Buffer HitBlock() {
  Buffer out(Frames(0.075));
  Noise noise(0x1001);
  OnePole hp;
  Osc a, b, c;
  for (size_t i = 0; i < out.size(); ++i) {
    double t = Time(static_cast<int>(i));
    float tone = a.Sine(2637.0, kRate) + 0.45f * b.Sine(3951.0, kRate) + 0.2f * c.Sine(5274.0, kRate);
    float click = hp.HighPass(noise.White(), 4000.0f, kRate);
    out[i] = tone * AttackDecay(t, 0.001, 0.055) + 0.8f * click * Decay(t, 0.008);
  }
  return out;
}

// An indestructible block: a dull metal clank. Bar modes are inharmonic,
// which is what makes it sound like metal rather than a note.
Buffer HitSolid() {
  Buffer out(Frames(0.32));
  const double modes[] = {310.0, 854.0, 1675.0, 2769.0};
  const double amps[] = {1.0, 0.7, 0.45, 0.25};
  const double t60s[] = {0.28, 0.17, 0.10, 0.06};
  Osc osc[4];
  Osc thud;
  Noise noise(0x2002);
  OnePole nlp;
  Biquad dull;
  dull.SetLowPass(3200.0f, 0.7f, kRate);
  for (size_t i = 0; i < out.size(); ++i) {
    double t = Time(static_cast<int>(i));
    float v = 0.0f;
    for (int m = 0; m < 4; ++m) v += static_cast<float>(amps[m]) * osc[m].Sine(modes[m], kRate) * Decay(t, t60s[m]);
    v += 0.9f * thud.Sine(Glide(t, 140.0, 95.0, 0.06), kRate) * Decay(t, 0.09);
    v += 0.7f * nlp.LowPass(noise.White(), 600.0f, kRate) * Decay(t, 0.05);
    out[i] = dull.Process(v);
  }
  return out;
}

// Paddle and wall bounces: a short boing whose pitch wobbles and settles.
Buffer Spring() {
  Buffer out(Frames(0.26));
  Osc osc, sub;
  for (size_t i = 0; i < out.size(); ++i) {
    double t = Time(static_cast<int>(i));
    double wobble = 1.0 + 0.22 * std::sin(2.0 * kPi * 17.0 * t) * std::exp(-9.0 * t);
    double f = 230.0 * wobble * (1.0 + 0.5 * std::exp(-40.0 * t));
    float v = osc.Sine(f, kRate) + 0.3f * sub.Sine(f * 2.0, kRate);
    out[i] = v * AttackDecay(t, 0.002, 0.24);
  }
  return out;
}

// Cannon shot: a falling pulse sweep with a sub octave.
Buffer Fire() {
  Buffer out(Frames(0.18));
  Osc pulse, sub;
  Biquad lp;
  lp.SetLowPass(6000.0f, 0.7f, kRate);
  for (size_t i = 0; i < out.size(); ++i) {
    double t = Time(static_cast<int>(i));
    double f = Glide(t, 2200.0, 260.0, 0.16);
    float v = 0.7f * pulse.Square(f, kRate, 0.3) + 0.5f * sub.Sine(f * 0.5, kRate);
    out[i] = lp.Process(v) * AttackDecay(t, 0.001, 0.28);
  }
  return out;
}

// A rising major arpeggio of small bells.
Buffer Activate() {
  Buffer out(Frames(0.7));
  const double notes[] = {1046.5, 1318.5, 1568.0, 2093.0};
  for (int n = 0; n < 4; ++n) {
    int start = Frames(0.06 * n);
    Osc fund, over, high;
    for (size_t i = start; i < out.size(); ++i) {
      double t = Time(static_cast<int>(i) - start);
      float v = fund.Sine(notes[n], kRate) + 0.18f * over.Sine(notes[n] * 2.76, kRate) * Decay(t, 0.12) +
                0.08f * high.Sine(notes[n] * 5.4, kRate) * Decay(t, 0.05);
      out[i] += 0.5f * v * AttackDecay(t, 0.002, 0.45);
    }
  }
  return out;
}

// A lost ball: two slightly detuned voices sliding down with a sad vibrato.
Buffer LifeLoss() {
  Buffer out(Frames(0.95));
  Osc a, b;
  Biquad lp;
  lp.SetLowPass(1800.0f, 0.7f, kRate);
  for (size_t i = 0; i < out.size(); ++i) {
    double t = Time(static_cast<int>(i));
    double f = Glide(t, 660.0, 110.0, 0.85) * (1.0 + 0.03 * std::sin(2.0 * kPi * 6.5 * t));
    float v = 0.5f * a.Saw(f, kRate) + 0.5f * b.Square(f * 1.005, kRate, 0.5);
    float env = t < 0.7 ? 1.0f : static_cast<float>(std::max(0.0, 1.0 - (t - 0.7) / 0.25));
    out[i] = lp.Process(v) * env;
  }
  return out;
}

// A destroyed enemy: a small crackling burst over a falling pop.
Buffer KillEnemy() {
  Buffer out(Frames(0.36));
  Noise noise(0x7007), crackle(0x7008);
  Biquad bp;
  Osc pop;
  for (size_t i = 0; i < out.size(); ++i) {
    double t = Time(static_cast<int>(i));
    bp.SetBandPass(static_cast<float>(Glide(t, 2500.0, 500.0, 0.3)), 0.8f, kRate);
    float v = 1.2f * bp.Process(noise.White()) * AttackDecay(t, 0.002, 0.25);
    v += 0.6f * pop.Sine(Glide(t, 520.0, 80.0, 0.12), kRate) * Decay(t, 0.15);
    if (t < 0.2 && (crackle.Next() & 255) == 0) v += 0.2f * crackle.White();
    out[i] = v;
  }
  Normalize(out, 1.0f);
  SoftClip(out, 2.0f);
  return out;
}

// The bomb: a big noise burst whose brightness falls away, over a low thump.
Buffer Explosion() {
  Buffer out(Frames(1.35));
  Noise noise(0x8008), crackle(0x8009);
  OnePole lp1, lp2;
  Osc thump;
  for (size_t i = 0; i < out.size(); ++i) {
    double t = Time(static_cast<int>(i));
    float cutoff = static_cast<float>(Glide(t, 4000.0, 150.0, 1.0));
    float n = lp2.LowPass(lp1.LowPass(noise.White(), cutoff, kRate), cutoff * 1.5f, kRate);
    float v = 1.6f * n * AttackDecay(t, 0.004, 1.1);
    v += 1.0f * thump.Sine(Glide(t, 75.0, 32.0, 0.35), kRate) * AttackDecay(t, 0.003, 0.55);
    if (t < 0.45 && (crackle.Next() & 127) == 0) v += 0.5f * crackle.White() * Decay(t, 0.4);
    out[i] = v;
  }
  SoftClip(out, 1.5f);
  return out;
}

// The shield: an electric zap, a buzzing saw chopped by noise and swept.
Buffer Barrier() {
  Buffer out(Frames(0.3));
  Noise noise(0x9009), jitter(0x900a);
  Osc saw, gate, ring;
  Biquad bp;
  OnePole hp;
  double jump = 1.0;
  for (size_t i = 0; i < out.size(); ++i) {
    double t = Time(static_cast<int>(i));
    if (i % 441 == 0) jump = 1.0 + 0.3 * jitter.White();  // new jitter every 10 ms
    float buzz = saw.Saw(110.0 * jump, kRate) * (0.6f + 0.4f * gate.Square(55.0, kRate));
    float hiss = hp.HighPass(noise.White(), 3000.0f, kRate);
    float r = ring.Sine(Glide(t, 1800.0, 500.0, 0.25), kRate);
    bp.SetBandPass(static_cast<float>(Glide(t, 3000.0, 900.0, 0.25)), 1.2f, kRate);
    float v = bp.Process(buzz * (0.6f + 0.4f * r)) * 2.0f + 0.12f * hiss * Decay(t, 0.12);
    out[i] = v * AttackDecay(t, 0.002, 0.3);
  }
  Normalize(out, 1.0f);
  SoftClip(out, 3.0f);  // a hard, crackling edge
  return out;
}

void Finish(Buffer& b) {
  FadeEdges(b, Frames(0.002), Frames(0.006));
  Normalize(b, kEffectPeak);
}

}  // namespace

std::vector<SoundEffect> MakeSoundEffects() {
  std::vector<SoundEffect> fx = {
      {"HitBlock.wav", HitBlock()},   {"HitSolid.wav", HitSolid()},   {"Spring.wav", Spring()},
      {"Fire.wav", Fire()},           {"Activate.wav", Activate()},   {"LifeLoss.wav", LifeLoss()},
      {"KillEnemy.wav", KillEnemy()}, {"Explosion.wav", Explosion()}, {"barrier.wav", Barrier()},
  };
  for (auto& e : fx) Finish(e.samples);
  return fx;
}

}  // namespace vx::mkdata
