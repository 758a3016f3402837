#include "audio/instruments.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <memory>

#include "audio/dsp.h"

namespace vx::mkdata {

namespace {

double MidiFreq(int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); }

std::vector<int8_t> To8Bit(const Buffer& buf) {
  float peak = Peak(buf);
  float g = peak > 0.0f ? 126.0f / peak : 0.0f;
  std::vector<int8_t> out(buf.size());
  for (size_t i = 0; i < buf.size(); ++i)
    out[i] = static_cast<int8_t>(std::lround(std::clamp(buf[i] * g, -127.0f, 127.0f)));
  return out;
}

// Amplitude of harmonic h for the basic waveforms, before roll-off.
double Saw(int h) { return 1.0 / h; }
double Square(int h) { return h % 2 ? 1.0 / h : 0.0; }
double RollOff(int h, double corner) { return 1.0 / std::sqrt(1.0 + std::pow(h / corner, 4.0)); }

// A sustained tone that loops seamlessly: every partial has a whole number
// of cycles in the loop. An attack segment comes first, shaped by an
// envelope and optionally brighter, and ends exactly on the loop's signal.
struct LoopTone {
  int rootMidi = 60;
  int samplesPerCycle = 64;
  int cycles = 1;                   // cycles of the fundamental per loop
  std::vector<int> voiceOffsets = {0};  // detuned voices, in cycles per loop
  std::vector<double> voiceGains = {1.0};
  std::function<double(int)> spectrum;  // amplitude of harmonic h (1-based)
  std::function<double(int)> attackSpectrum;  // optional brighter start
  double attackSeconds = 0.01;      // rise time at the root pitch
  double settleSeconds = 0.0;       // then crossfade to the loop over this time
  double peakOverSustain = 1.0;     // level at the end of the rise, relative
  uint32_t seed = 1;
};

Instrument MakeLoop(const std::string& name, const LoopTone& t) {
  const int loop = t.samplesPerCycle * t.cycles;
  const int maxHarmonic = t.samplesPerCycle / 2 - 1;
  const double c2spd = MidiFreq(t.rootMidi) * t.samplesPerCycle;
  const int rise = std::max(1, static_cast<int>(t.attackSeconds * c2spd));
  const int settle = static_cast<int>(t.settleSeconds * c2spd);
  const int attack = rise + settle;
  const int total = attack + loop;

  Noise rng(t.seed);
  auto render = [&](const std::function<double(int)>& spectrum, int length) {
    std::vector<Partial> partials;
    for (size_t v = 0; v < t.voiceOffsets.size(); ++v) {
      double cycles = t.cycles + t.voiceOffsets[v];
      for (int h = 1; h <= maxHarmonic; ++h) {
        // Seeded phases: same timbre, lower crest factor, so the 8 bits go
        // further. Drawn for every partial so two spectra share phases.
        double phase = (rng.Next() & 0xffff) / 65536.0 * 2.0 * kPi;
        double a = spectrum(h) * t.voiceGains[v];
        if (a == 0.0 || cycles * h * 2 >= loop) continue;
        partials.push_back({cycles * h, a, phase});
      }
    }
    return AdditiveLoop(length, partials);
  };
  // The loop buffer is periodic in `loop`, so sample i of the whole sound is
  // body[(i - attack) mod loop] shifted to start at the loop start.
  Buffer body = render(t.spectrum, loop);
  Buffer bright;
  if (t.attackSpectrum) {
    rng = Noise(t.seed);  // same phases: the crossfade must not cancel
    bright = render(t.attackSpectrum, loop);
  }
  Buffer out(total);
  for (int i = 0; i < total; ++i) {
    int j = ((i - attack) % loop + loop) % loop;
    float v = body[j];
    if (i < attack) {
      double env;
      double tone = 0.0;  // 1 = bright spectrum
      if (i < rise) {
        double x = static_cast<double>(i) / rise;
        env = t.peakOverSustain * (0.5 - 0.5 * std::cos(kPi * x));
        tone = 1.0;
      } else {
        double x = static_cast<double>(i - rise) / std::max(1, settle);
        env = t.peakOverSustain + (1.0 - t.peakOverSustain) * x;
        tone = 1.0 - x;
      }
      if (!bright.empty()) v = static_cast<float>(tone * bright[j] + (1.0 - tone) * body[j]);
      v *= static_cast<float>(env);
    }
    out[i] = v;
  }
  Instrument inst;
  inst.rootMidi = t.rootMidi;
  inst.sample.name = name;
  inst.sample.data = To8Bit(out);
  inst.sample.loop = true;
  inst.sample.loopStart = static_cast<uint32_t>(attack);
  inst.sample.loopEnd = static_cast<uint32_t>(total);
  inst.sample.c2spd = static_cast<uint32_t>(std::lround(c2spd));
  return inst;
}

// One-shot sound rendered at `rate` by a function of time.
Instrument MakeOneShot(const std::string& name, int rootMidi, int rate, double seconds,
                       const std::function<float(double t, int i)>& fn) {
  Buffer out(static_cast<size_t>(seconds * rate));
  for (size_t i = 0; i < out.size(); ++i) out[i] = fn(static_cast<double>(i) / rate, static_cast<int>(i));
  FadeEdges(out, 0, std::min<int>(static_cast<int>(out.size()) / 4, rate / 100));
  Instrument inst;
  inst.rootMidi = rootMidi;
  inst.sample.name = name;
  inst.sample.data = To8Bit(out);
  inst.sample.c2spd = static_cast<uint32_t>(rate);
  return inst;
}

double Pick(double value, double fallback) { return value > 0.0 ? value : fallback; }

std::vector<int> Voices(int count) {
  std::vector<int> v;
  for (int i = 0; i < count; ++i) v.push_back(i - count / 2);
  return v;
}

using Maker = std::function<Instrument(const std::string&, const InstrumentParams&)>;

const std::map<std::string, Maker>& Makers() {
  static const std::map<std::string, Maker> makers = {
      // --- basses: one cycle per loop, plucky bright attack ---
      {"bass_saw",
       [](const std::string& n, const InstrumentParams& p) {
         LoopTone t;
         t.rootMidi = 36;
         t.samplesPerCycle = 128;
         double c = Pick(p.brightness, 8.0);
         t.spectrum = [c](int h) { return (h == 1 ? 1.25 : 1.0) * Saw(h) * RollOff(h, c); };
         t.attackSpectrum = [c](int h) { return (h == 1 ? 1.25 : 1.0) * Saw(h) * RollOff(h, c * 2.5); };
         t.attackSeconds = Pick(p.attackMs, 4.0) / 1000.0;
         t.settleSeconds = 0.18;
         t.peakOverSustain = 1.25;
         t.seed = 11;
         return MakeLoop(n, t);
       }},
      {"bass_sub",
       [](const std::string& n, const InstrumentParams& p) {
         LoopTone t;
         t.rootMidi = 36;
         t.samplesPerCycle = 128;
         t.spectrum = [](int h) { return h == 1 ? 1.0 : h == 2 ? 0.3 : h == 3 ? 0.12 : 0.0; };
         t.attackSpectrum = [](int h) { return h <= 8 ? 0.9 / h : 0.0; };
         // A thump that settles to a softer hum, so every note is heard
         // starting even under sustained chords.
         t.attackSeconds = Pick(p.attackMs, 5.0) / 1000.0;
         t.settleSeconds = 0.35;
         t.peakOverSustain = 2.0;
         t.seed = 12;
         return MakeLoop(n, t);
       }},
      {"bass_square",
       [](const std::string& n, const InstrumentParams& p) {
         LoopTone t;
         t.rootMidi = 36;
         t.samplesPerCycle = 128;
         double c = Pick(p.brightness, 8.0);
         t.spectrum = [c](int h) { return (h == 1 ? 1.4 : 1.0) * Square(h) * RollOff(h, c); };
         t.attackSeconds = Pick(p.attackMs, 3.0) / 1000.0;
         t.seed = 13;
         return MakeLoop(n, t);
       }},
      // --- leads: C6 at C-4, so melodies sit in the player's precise octaves ---
      {"lead_saw",
       [](const std::string& n, const InstrumentParams& p) {
         LoopTone t;
         t.rootMidi = 84;
         t.samplesPerCycle = 32;
         t.cycles = 256;
         t.voiceOffsets = {0, 1};
         t.voiceGains = {1.0, Pick(p.detune, 0.55)};
         double c = Pick(p.brightness, 5.0);
         t.spectrum = [c](int h) { return Saw(h) * RollOff(h, c); };
         t.attackSpectrum = [c](int h) { return Saw(h) * RollOff(h, c * 1.8); };
         t.attackSeconds = Pick(p.attackMs, 8.0) / 1000.0;
         t.settleSeconds = 0.12;
         t.peakOverSustain = 1.15;
         t.seed = 21;
         return MakeLoop(n, t);
       }},
      {"lead_square",
       [](const std::string& n, const InstrumentParams& p) {
         LoopTone t;
         t.rootMidi = 84;
         t.samplesPerCycle = 32;
         t.cycles = 1;
         double c = Pick(p.brightness, 6.0);
         // 25 % pulse: the classic hollow chip lead.
         t.spectrum = [c](int h) { return std::fabs(std::sin(kPi * h * 0.25)) / h * RollOff(h, c); };
         t.attackSeconds = Pick(p.attackMs, 4.0) / 1000.0;
         t.seed = 22;
         return MakeLoop(n, t);
       }},
      {"lead_soft",
       [](const std::string& n, const InstrumentParams& p) {
         LoopTone t;
         t.rootMidi = 84;
         t.samplesPerCycle = 32;
         t.cycles = 256;
         t.voiceOffsets = {0, 1};
         t.voiceGains = {1.0, Pick(p.detune, 0.3)};
         t.spectrum = [](int h) { return h == 1 ? 1.0 : h == 2 ? 0.22 : h == 3 ? 0.12 : h == 4 ? 0.04 : 0.0; };
         t.attackSpectrum = [](int h) { return h <= 6 ? 1.0 / h : 0.0; };
         t.attackSeconds = Pick(p.attackMs, 35.0) / 1000.0;
         t.settleSeconds = 0.05;
         t.seed = 23;
         return MakeLoop(n, t);
       }},
      // --- pads: three or four voices a few cents apart, slow rise ---
      {"pad_warm",
       [](const std::string& n, const InstrumentParams& p) {
         LoopTone t;
         t.rootMidi = 60;
         t.samplesPerCycle = 64;
         t.cycles = 256;
         t.voiceOffsets = Voices(3);
         t.voiceGains = {1.0, 1.0, 1.0};
         double c = Pick(p.brightness, 4.0);
         t.spectrum = [c](int h) { return Saw(h) * RollOff(h, c); };
         t.attackSeconds = Pick(p.attackMs, 300.0) / 1000.0;
         t.seed = 31;
         return MakeLoop(n, t);
       }},
      {"strings",
       [](const std::string& n, const InstrumentParams& p) {
         LoopTone t;
         t.rootMidi = 60;
         t.samplesPerCycle = 64;
         t.cycles = 256;
         t.voiceOffsets = {-2, -1, 1, 2};
         t.voiceGains = {0.8, 1.0, 1.0, 0.8};
         double c = Pick(p.brightness, 8.0);
         t.spectrum = [c](int h) { return Saw(h) * RollOff(h, c); };
         t.attackSeconds = Pick(p.attackMs, 150.0) / 1000.0;
         t.seed = 32;
         return MakeLoop(n, t);
       }},
      {"pad_glass",
       [](const std::string& n, const InstrumentParams& p) {
         LoopTone t;
         t.rootMidi = 72;
         t.samplesPerCycle = 32;
         t.cycles = 256;
         t.voiceOffsets = {0, 1};
         t.voiceGains = {1.0, 0.8};
         t.spectrum = [](int h) {
           switch (h) {
             case 1: return 1.0;
             case 2: return 0.45;
             case 3: return 0.12;
             case 4: return 0.28;
             case 6: return 0.08;
             case 8: return 0.07;
             default: return 0.0;
           }
         };
         t.attackSeconds = Pick(p.attackMs, 200.0) / 1000.0;
         t.seed = 33;
         return MakeLoop(n, t);
       }},
      {"choir",
       [](const std::string& n, const InstrumentParams& p) {
         LoopTone t;
         t.rootMidi = 60;
         t.samplesPerCycle = 64;
         t.cycles = 256;
         t.voiceOffsets = Voices(3);
         t.voiceGains = {1.0, 1.0, 1.0};
         const double f0 = MidiFreq(60);
         // Formants of an open "ah".
         t.spectrum = [f0](int h) {
           double f = h * f0;
           auto peak = [f](double centre, double width, double gain) {
             double x = (f - centre) / width;
             return gain * std::exp(-x * x);
           };
           return 0.25 / h + peak(730, 160, 1.0) + peak(1090, 180, 0.5) + peak(2440, 260, 0.18);
         };
         t.attackSeconds = Pick(p.attackMs, 250.0) / 1000.0;
         t.seed = 34;
         return MakeLoop(n, t);
       }},
      {"organ",
       [](const std::string& n, const InstrumentParams& p) {
         LoopTone t;
         t.rootMidi = 60;
         t.samplesPerCycle = 64;
         t.cycles = 1;
         t.spectrum = [](int h) {
           switch (h) {
             case 1: return 1.0;
             case 2: return 0.7;
             case 3: return 0.45;
             case 4: return 0.3;
             case 6: return 0.18;
             case 8: return 0.2;
             default: return 0.0;
           }
         };
         t.attackSeconds = Pick(p.attackMs, 8.0) / 1000.0;
         t.seed = 35;
         return MakeLoop(n, t);
       }},
      // --- decaying tones ---
      {"pluck",
       [](const std::string& n, const InstrumentParams& p) {
         double f = MidiFreq(72), c = Pick(p.brightness, 10.0);
         return MakeOneShot(n, 72, 44100, 1.1, [f, c](double t, int) {
           double v = 0.0;
           for (int h = 1; h <= 16; ++h)
             v += Saw(h) * RollOff(h, c) * std::sin(2.0 * kPi * f * h * t) * std::exp(-t * (2.5 + 0.9 * h));
           return static_cast<float>(v * std::min(1.0, t / 0.0015));
         });
       }},
      {"bell",
       [](const std::string& n, const InstrumentParams&) {
         double f = MidiFreq(84);
         return MakeOneShot(n, 84, 44100, 2.0, [f](double t, int) {
           double index = 2.2 * std::exp(-t / 0.35);
           double mod = index * std::sin(2.0 * kPi * f * 3.5 * t);
           double v = std::sin(2.0 * kPi * f * t + mod) * std::exp(-t * 2.2);
           v += 0.25 * std::sin(2.0 * kPi * f * 2.0 * t) * std::exp(-t * 4.0);
           return static_cast<float>(v * std::min(1.0, t / 0.002));
         });
       }},
      {"epiano",
       [](const std::string& n, const InstrumentParams&) {
         double f = MidiFreq(72);
         return MakeOneShot(n, 72, 44100, 1.8, [f](double t, int) {
           double index = 1.4 * std::exp(-t / 0.45);
           double v = std::sin(2.0 * kPi * f * t + index * std::sin(2.0 * kPi * f * t)) * std::exp(-t * 2.0);
           v += 0.12 * std::sin(2.0 * kPi * f * 14.0 * t) * std::exp(-t * 25.0);
           return static_cast<float>(v * std::min(1.0, t / 0.003));
         });
       }},
      {"marimba",
       [](const std::string& n, const InstrumentParams&) {
         double f = MidiFreq(72);
         return MakeOneShot(n, 72, 44100, 0.8, [f](double t, int) {
           double v = std::sin(2.0 * kPi * f * t) * std::exp(-t * 7.0) +
                      0.3 * std::sin(2.0 * kPi * f * 4.0 * t) * std::exp(-t * 22.0) +
                      0.06 * std::sin(2.0 * kPi * f * 9.9 * t) * std::exp(-t * 60.0);
           return static_cast<float>(v * std::min(1.0, t / 0.001));
         });
       }},
      // --- drums ---
      {"kick",
       [](const std::string& n, const InstrumentParams&) {
         auto osc = std::make_shared<double>(0.0);
         auto noise = std::make_shared<Noise>(101);
         return MakeOneShot(n, -1, 44100, 0.42, [osc, noise](double t, int) {
           double f = 46.0 + 120.0 * std::exp(-t / 0.03);
           *osc += f / 44100.0;
           double body = std::sin(2.0 * kPi * *osc) * AttackDecay(t, 0.001, 0.42);
           double click = noise->White() * std::exp(-t / 0.0025) * 0.5;
           return static_cast<float>(std::tanh(1.6 * (body + click)));
         });
       }},
      {"kick_soft",
       [](const std::string& n, const InstrumentParams&) {
         auto osc = std::make_shared<double>(0.0);
         return MakeOneShot(n, -1, 44100, 0.5, [osc](double t, int) {
           double f = 50.0 + 55.0 * std::exp(-t / 0.045);
           *osc += f / 44100.0;
           return static_cast<float>(std::sin(2.0 * kPi * *osc) * AttackDecay(t, 0.004, 0.5));
         });
       }},
      {"snare",
       [](const std::string& n, const InstrumentParams&) {
         auto noise = std::make_shared<Noise>(102);
         auto bp = std::make_shared<Biquad>();
         bp->SetBandPass(3000.0f, 0.5f, 44100.0f);
         return MakeOneShot(n, -1, 44100, 0.3, [noise, bp](double t, int) {
           double tone = (std::sin(2.0 * kPi * 185.0 * t) + 0.5 * std::sin(2.0 * kPi * 330.0 * t)) *
                         AttackDecay(t, 0.001, 0.11);
           double hiss = bp->Process(noise->White()) * 2.2 * AttackDecay(t, 0.001, 0.24);
           return static_cast<float>(0.8 * tone + hiss);
         });
       }},
      {"snare_soft",
       [](const std::string& n, const InstrumentParams&) {
         auto noise = std::make_shared<Noise>(103);
         auto lp = std::make_shared<Biquad>();
         lp->SetLowPass(5000.0f, 0.7f, 44100.0f);
         return MakeOneShot(n, -1, 44100, 0.32, [noise, lp](double t, int) {
           double hiss = lp->Process(noise->White()) * AttackDecay(t, 0.006, 0.28);
           double tone = std::sin(2.0 * kPi * 200.0 * t) * AttackDecay(t, 0.002, 0.08);
           return static_cast<float>(hiss + 0.35 * tone);
         });
       }},
      {"clap",
       [](const std::string& n, const InstrumentParams&) {
         auto noise = std::make_shared<Noise>(104);
         auto bp = std::make_shared<Biquad>();
         bp->SetBandPass(1300.0f, 1.2f, 44100.0f);
         return MakeOneShot(n, -1, 44100, 0.3, [noise, bp](double t, int) {
           double env = 0.0;
           for (double start : {0.0, 0.011, 0.022}) env = std::max(env, (double)Decay(t - start, 0.02));
           env = std::max(env, 0.7 * Decay(t - 0.03, 0.22));
           return static_cast<float>(bp->Process(noise->White()) * env * 3.0);
         });
       }},
      {"hat",
       [](const std::string& n, const InstrumentParams&) {
         auto noise = std::make_shared<Noise>(105);
         auto hp1 = std::make_shared<Biquad>(), hp2 = std::make_shared<Biquad>();
         hp1->SetHighPass(7000.0f, 0.7f, 44100.0f);
         hp2->SetHighPass(7000.0f, 0.7f, 44100.0f);
         return MakeOneShot(n, -1, 44100, 0.08, [noise, hp1, hp2](double t, int) {
           double metal = 0.0;
           for (double f : {205.3, 304.4, 369.6, 522.7, 540.0, 800.0})
             metal += std::sin(2.0 * kPi * f * t) > 0 ? 1.0 : -1.0;
           double v = hp2->Process(hp1->Process(static_cast<float>(noise->White() + 0.15 * metal)));
           return static_cast<float>(v * AttackDecay(t, 0.0005, 0.05));
         });
       }},
      {"openhat",
       [](const std::string& n, const InstrumentParams&) {
         auto noise = std::make_shared<Noise>(106);
         auto hp1 = std::make_shared<Biquad>(), hp2 = std::make_shared<Biquad>();
         hp1->SetHighPass(6500.0f, 0.7f, 44100.0f);
         hp2->SetHighPass(6500.0f, 0.7f, 44100.0f);
         return MakeOneShot(n, -1, 44100, 0.45, [noise, hp1, hp2](double t, int) {
           double metal = 0.0;
           for (double f : {205.3, 304.4, 369.6, 522.7, 540.0, 800.0})
             metal += std::sin(2.0 * kPi * f * t) > 0 ? 1.0 : -1.0;
           double v = hp2->Process(hp1->Process(static_cast<float>(noise->White() + 0.15 * metal)));
           return static_cast<float>(v * AttackDecay(t, 0.001, 0.4));
         });
       }},
      {"shaker",
       [](const std::string& n, const InstrumentParams&) {
         auto noise = std::make_shared<Noise>(107);
         auto bp = std::make_shared<Biquad>();
         bp->SetBandPass(6500.0f, 1.4f, 44100.0f);
         return MakeOneShot(n, -1, 44100, 0.12, [noise, bp](double t, int) {
           return static_cast<float>(bp->Process(noise->White()) * AttackDecay(t, 0.012, 0.08));
         });
       }},
      {"crash",
       [](const std::string& n, const InstrumentParams&) {
         auto noise = std::make_shared<Noise>(108);
         auto hp = std::make_shared<Biquad>();
         hp->SetHighPass(3500.0f, 0.6f, 32000.0f);
         return MakeOneShot(n, -1, 32000, 1.7, [noise, hp](double t, int) {
           double metal = 0.0;
           for (double f : {312.0, 466.0, 587.0, 741.0, 883.0, 1107.0})
             metal += std::sin(2.0 * kPi * f * t + std::sin(2.0 * kPi * f * 1.41 * t));
           double v = hp->Process(static_cast<float>(noise->White() + 0.1 * metal));
           return static_cast<float>(v * AttackDecay(t, 0.002, 1.6));
         });
       }},
      {"ride",
       [](const std::string& n, const InstrumentParams&) {
         auto noise = std::make_shared<Noise>(109);
         auto bp = std::make_shared<Biquad>();
         bp->SetBandPass(5200.0f, 0.9f, 32000.0f);
         return MakeOneShot(n, -1, 32000, 0.9, [noise, bp](double t, int) {
           double bell = 0.0;
           for (double f : {2630.0, 3410.0, 4270.0}) bell += std::sin(2.0 * kPi * f * t);
           double v = bp->Process(static_cast<float>(noise->White())) * 1.5 + 0.12 * bell * Decay(t, 0.5);
           return static_cast<float>(v * AttackDecay(t, 0.001, 0.85));
         });
       }},
      {"tom",
       [](const std::string& n, const InstrumentParams&) {
         auto osc = std::make_shared<double>(0.0);
         auto noise = std::make_shared<Noise>(110);
         return MakeOneShot(n, -1, 44100, 0.5, [osc, noise](double t, int) {
           double f = 110.0 * (1.0 + 0.45 * std::exp(-t / 0.04));
           *osc += f / 44100.0;
           double v = std::sin(2.0 * kPi * *osc) * AttackDecay(t, 0.001, 0.45);
           v += 0.15 * noise->White() * std::exp(-t / 0.01);
           return static_cast<float>(v);
         });
       }},
      {"rim",
       [](const std::string& n, const InstrumentParams&) {
         return MakeOneShot(n, -1, 44100, 0.06, [](double t, int) {
           double v = std::sin(2.0 * kPi * 1750.0 * t) + 0.6 * std::sin(2.0 * kPi * 420.0 * t);
           return static_cast<float>(v * AttackDecay(t, 0.0004, 0.03));
         });
       }},
      // A rising noise wash that leads into a new section.
      {"riser",
       [](const std::string& n, const InstrumentParams&) {
         auto noise = std::make_shared<Noise>(111);
         auto bp = std::make_shared<Biquad>();
         return MakeOneShot(n, -1, 22050, 2.2, [noise, bp](double t, int) {
           bp->SetBandPass(static_cast<float>(300.0 * std::pow(20.0, t / 2.2)), 2.0f, 22050.0f);
           double env = std::min(1.0, t / 2.0) * std::min(1.0, (2.2 - t) / 0.05);
           return static_cast<float>(bp->Process(noise->White()) * env * env);
         });
       }},
  };
  return makers;
}

}  // namespace

std::vector<std::string> InstrumentKinds() {
  std::vector<std::string> kinds;
  for (const auto& entry : Makers()) kinds.push_back(entry.first);
  return kinds;
}

bool MakeInstrument(const std::string& kind, const InstrumentParams& params, Instrument* out) {
  auto it = Makers().find(kind);
  if (it == Makers().end()) return false;
  *out = it->second(kind, params);
  return true;
}

}  // namespace vx::mkdata
