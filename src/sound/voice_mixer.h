// Our sound device: a software mixer of PCM voices into the platform's 16-bit
// stereo output. A voice holds PCM data in any format the WAV loader accepts and is
// resampled on the fly; volume and pan follow the hundredths-of-a-decibel laws of
// the sound engine. Every call may come from any thread; the audio callback holds
// the mixer's lock only while it mixes one buffer, and never allocates.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace vx {

class AudioOutput;

struct PcmFormat {
  int rate = 44100;
  int bits = 16;     // 8 (unsigned) or 16 (signed)
  int channels = 2;  // 1 or 2
  int BlockAlign() const { return channels * bits / 8; }
};

class Voice;

class VoiceMixer {
 public:
  static constexpr int kOutputRate = 44100;
  static constexpr int kMaxVoices = 10240;

  VoiceMixer();
  ~VoiceMixer();
  VoiceMixer(const VoiceMixer&) = delete;
  VoiceMixer& operator=(const VoiceMixer&) = delete;

  // Starts pulling audio through output (may be null: the mixer then only runs
  // when Mix is called, as tests do). Returns false when the output cannot open.
  bool Open(AudioOutput* output);
  // Closes the output and releases every voice.
  void Close();
  bool IsOpen() const { return open_; }

  // A new stopped voice of `bytes` bytes of silence; null on a bad format or when
  // the voice table is full.
  Voice* CreateVoice(const PcmFormat& format, uint32_t bytes);
  // A new stopped voice sharing source's data.
  Voice* Duplicate(Voice* source);
  void Release(Voice* voice);

  // Copies bytes into the voice at offset under the mixer's lock, so a voice that
  // plays can be refilled without any risk of the output reading half a write.
  bool Write(Voice* voice, uint32_t offset, const uint8_t* data, uint32_t bytes);

  void Play(Voice* voice, bool loop);
  void Stop(Voice* voice);
  bool IsPlaying(Voice* voice);
  // Sets the read position in bytes (rounded down to a whole frame).
  void SetPosition(Voice* voice, uint32_t bytes);
  // Play position in bytes from the start of the voice's data.
  uint32_t PlayPosition(Voice* voice);
  // Bytes of the voice from its play position on that the output may read
  // before a writer gets another chance: one output buffer (as large as the
  // last one, at most 50 ms), and a frame more for the interpolation.
  uint32_t ReadAheadBytes(Voice* voice);
  // Attenuation in hundredths of a decibel: 0 full, -10000 silent.
  void SetVolume(Voice* voice, int attenuation);
  // -10000 (right side silent) .. 10000 (left side silent).
  void SetPan(Voice* voice, int pan);
  uint32_t Size(Voice* voice) const;
  const PcmFormat& Format(Voice* voice) const;

  // Mixes `frames` frames of 16-bit stereo output; the audio callback's body.
  void Mix(int16_t* out, int frames);
  int PlayingCount();

 private:
  static void Callback(void* user, int16_t* out, int frames);
  void MixVoice(Voice& v, int32_t* acc, int frames);
  void RemovePlaying(Voice* v);

  std::mutex mu_;
  AudioOutput* output_ = nullptr;
  bool open_ = false;
  std::vector<Voice*> playing_;  // capacity reserved up front: the callback never grows it
  static constexpr size_t kSpareVoices = 256;
  std::vector<Voice*> spare_;  // released voices, reused by Duplicate
  int voiceCount_ = 0;
  int lastPull_ = 1024;  // frames of the last output buffer
};

// Gain factor in 16.16 fixed point for an attenuation in hundredths of a decibel.
int32_t AttenuationToGain(int attenuation);

}  // namespace vx
