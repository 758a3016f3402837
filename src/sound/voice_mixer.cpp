#include "sound/voice_mixer.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/platform.h"

namespace vx {

struct VoiceData {
  PcmFormat format;
  std::vector<uint8_t> bytes;
  uint32_t frames = 0;
};

class Voice {
 public:
  std::shared_ptr<VoiceData> data;
  uint64_t position = 0;  // frames, 32.32 fixed point
  uint64_t step = 0;      // source frames per output frame, 32.32
  int attenuation = 0;
  int pan = 0;
  int32_t gainLeft = 65536, gainRight = 65536;
  bool playing = false;
  bool looping = false;
  bool listed = false;  // in the mixer's playing list

  void UpdateGains() {
    int32_t g = AttenuationToGain(attenuation);
    int32_t left = pan > 0 ? AttenuationToGain(-pan) : 65536;
    int32_t right = pan < 0 ? AttenuationToGain(pan) : 65536;
    gainLeft = static_cast<int32_t>((int64_t{g} * left) >> 16);
    gainRight = static_cast<int32_t>((int64_t{g} * right) >> 16);
  }
};

int32_t AttenuationToGain(int attenuation) {
  if (attenuation <= -10000) return 0;
  if (attenuation >= 0) return 65536;
  return static_cast<int32_t>(std::lround(65536.0 * std::pow(10.0, attenuation / 2000.0)));
}

VoiceMixer::VoiceMixer() {
  playing_.reserve(kMaxVoices);
  // Made up front: a busy moment plays many copies of an effect at once, and
  // a frame should not wait for the allocator to give each one its voice.
  spare_.reserve(kSpareVoices);
  for (size_t i = 0; i < kSpareVoices; ++i) spare_.push_back(new Voice);
}

VoiceMixer::~VoiceMixer() {
  Close();
  for (Voice* v : spare_) delete v;
}

bool VoiceMixer::Open(AudioOutput* output) {
  if (open_) return true;
  lastPull_ = 1024;  // before the callback can run
  if (output && !output->Open(kOutputRate, 2, &VoiceMixer::Callback, this)) return false;
  output_ = output;
  open_ = true;
  return true;
}

void VoiceMixer::Close() {
  if (!open_) return;
  if (output_) output_->Close();
  output_ = nullptr;
  std::lock_guard<std::mutex> lock(mu_);
  playing_.clear();
  open_ = false;
  // Voices themselves belong to their creators, who release them before closing.
}

Voice* VoiceMixer::CreateVoice(const PcmFormat& f, uint32_t bytes) {
  if ((f.bits != 8 && f.bits != 16) || (f.channels != 1 && f.channels != 2) || f.rate < 100 ||
      f.rate > 200000 || bytes < static_cast<uint32_t>(f.BlockAlign()))
    return nullptr;
  auto data = std::make_shared<VoiceData>();
  data->format = f;
  data->frames = bytes / f.BlockAlign();
  data->bytes.assign(bytes, f.bits == 8 ? 0x80 : 0);
  auto* v = new Voice;
  v->data = std::move(data);
  v->step = (static_cast<uint64_t>(f.rate) << 32) / kOutputRate;
  std::lock_guard<std::mutex> lock(mu_);
  if (voiceCount_ >= kMaxVoices) {
    delete v;
    return nullptr;
  }
  ++voiceCount_;
  return v;
}

Voice* VoiceMixer::Duplicate(Voice* source) {
  if (!source) return nullptr;
  Voice* v = nullptr;
  {
    std::lock_guard<std::mutex> lock(mu_);
    if (voiceCount_ >= kMaxVoices) return nullptr;
    ++voiceCount_;
    if (!spare_.empty()) {
      v = spare_.back();
      spare_.pop_back();
    }
  }
  if (!v) v = new Voice;
  std::lock_guard<std::mutex> lock(mu_);
  v->data = source->data;
  v->step = source->step;
  v->attenuation = source->attenuation;
  v->pan = source->pan;
  v->UpdateGains();
  return v;
}

void VoiceMixer::RemovePlaying(Voice* v) {
  if (!v->listed) return;
  auto it = std::find(playing_.begin(), playing_.end(), v);
  if (it != playing_.end()) {
    *it = playing_.back();
    playing_.pop_back();
  }
  v->listed = false;
}

void VoiceMixer::Release(Voice* v) {
  if (!v) return;
  {
    std::lock_guard<std::mutex> lock(mu_);
    RemovePlaying(v);
    --voiceCount_;
  }
  // Outside the lock: the data may be freed here.
  *v = Voice();
  {
    // Kept for the next Duplicate, so an effect played over itself allocates nothing.
    std::lock_guard<std::mutex> lock(mu_);
    if (spare_.size() < kSpareVoices) {
      spare_.push_back(v);
      return;
    }
  }
  delete v;
}

bool VoiceMixer::Write(Voice* v, uint32_t offset, const uint8_t* data, uint32_t bytes) {
  if (!v) return false;
  std::lock_guard<std::mutex> lock(mu_);
  auto& d = v->data->bytes;
  if (offset > d.size() || bytes > d.size() - offset) return false;
  std::memcpy(d.data() + offset, data, bytes);
  return true;
}

void VoiceMixer::Play(Voice* v, bool loop) {
  if (!v) return;
  std::lock_guard<std::mutex> lock(mu_);
  v->looping = loop;
  v->playing = true;
  if (!v->listed && playing_.size() < playing_.capacity()) {
    playing_.push_back(v);
    v->listed = true;
  }
}

void VoiceMixer::Stop(Voice* v) {
  if (!v) return;
  std::lock_guard<std::mutex> lock(mu_);
  v->playing = false;
  RemovePlaying(v);
}

bool VoiceMixer::IsPlaying(Voice* v) {
  if (!v) return false;
  std::lock_guard<std::mutex> lock(mu_);
  return v->playing;
}

void VoiceMixer::SetPosition(Voice* v, uint32_t bytes) {
  if (!v) return;
  std::lock_guard<std::mutex> lock(mu_);
  uint32_t frame = bytes / v->data->format.BlockAlign();
  if (frame >= v->data->frames) frame = 0;
  v->position = static_cast<uint64_t>(frame) << 32;
}

uint32_t VoiceMixer::PlayPosition(Voice* v) {
  if (!v) return 0;
  std::lock_guard<std::mutex> lock(mu_);
  return static_cast<uint32_t>(v->position >> 32) * v->data->format.BlockAlign();
}

uint32_t VoiceMixer::ReadAheadBytes(Voice* v) {
  if (!v) return 0;
  std::lock_guard<std::mutex> lock(mu_);
  const PcmFormat& f = v->data->format;
  const uint32_t pull = static_cast<uint32_t>(std::min(lastPull_, kOutputRate / 20));
  const uint64_t frames = uint64_t{pull} * f.rate / kOutputRate + 2;
  return static_cast<uint32_t>(frames * f.BlockAlign());
}

void VoiceMixer::SetVolume(Voice* v, int attenuation) {
  if (!v) return;
  std::lock_guard<std::mutex> lock(mu_);
  v->attenuation = std::clamp(attenuation, -10000, 0);
  v->UpdateGains();
}

void VoiceMixer::SetPan(Voice* v, int pan) {
  if (!v) return;
  std::lock_guard<std::mutex> lock(mu_);
  v->pan = std::clamp(pan, -10000, 10000);
  v->UpdateGains();
}

uint32_t VoiceMixer::Size(Voice* v) const {
  return v ? static_cast<uint32_t>(v->data->bytes.size()) : 0;
}

const PcmFormat& VoiceMixer::Format(Voice* v) const { return v->data->format; }

int VoiceMixer::PlayingCount() {
  std::lock_guard<std::mutex> lock(mu_);
  return static_cast<int>(playing_.size());
}

void VoiceMixer::Callback(void* user, int16_t* out, int frames) {
  static_cast<VoiceMixer*>(user)->Mix(out, frames);
}

namespace {

// One source frame as 16-bit left and right values.
inline void ReadFrame(const VoiceData& d, uint32_t frame, int32_t& left, int32_t& right) {
  const uint8_t* p = d.bytes.data() + static_cast<size_t>(frame) * d.format.BlockAlign();
  if (d.format.bits == 8) {
    left = (static_cast<int32_t>(p[0]) - 128) * 256;
    right = d.format.channels == 2 ? (static_cast<int32_t>(p[1]) - 128) * 256 : left;
  } else {
    left = static_cast<int16_t>(p[0] | (p[1] << 8));
    right = d.format.channels == 2 ? static_cast<int16_t>(p[2] | (p[3] << 8)) : left;
  }
}

}  // namespace

void VoiceMixer::MixVoice(Voice& v, int32_t* acc, int frames) {
  const VoiceData& d = *v.data;
  const uint64_t total = static_cast<uint64_t>(d.frames) << 32;
  for (int i = 0; i < frames; ++i) {
    if (v.position >= total) {
      if (!v.looping) {
        v.playing = false;
        v.position = 0;  // a finished one-shot voice starts again from the top
        return;
      }
      v.position %= total;
    }
    uint32_t frame = static_cast<uint32_t>(v.position >> 32);
    uint32_t next = frame + 1;
    if (next >= d.frames) next = v.looping ? 0 : frame;
    int32_t l0, r0, l1, r1;
    ReadFrame(d, frame, l0, r0);
    ReadFrame(d, next, l1, r1);
    int32_t f = static_cast<int32_t>((v.position >> 16) & 0xFFFF);
    int32_t l = l0 + static_cast<int32_t>((int64_t{l1 - l0} * f) >> 16);
    int32_t r = r0 + static_cast<int32_t>((int64_t{r1 - r0} * f) >> 16);
    acc[2 * i] += static_cast<int32_t>((int64_t{l} * v.gainLeft) >> 16);
    acc[2 * i + 1] += static_cast<int32_t>((int64_t{r} * v.gainRight) >> 16);
    v.position += v.step;
  }
}

void VoiceMixer::Mix(int16_t* out, int frames) {
  constexpr int kChunk = 512;
  int32_t acc[kChunk * 2];
  std::lock_guard<std::mutex> lock(mu_);
  lastPull_ = frames;
  while (frames > 0) {
    int n = std::min(frames, kChunk);
    std::memset(acc, 0, sizeof(int32_t) * 2 * n);
    for (size_t k = 0; k < playing_.size();) {
      Voice* v = playing_[k];
      if (v->playing) MixVoice(*v, acc, n);
      if (!v->playing) {
        v->listed = false;
        playing_[k] = playing_.back();
        playing_.pop_back();
      } else {
        ++k;
      }
    }
    for (int i = 0; i < 2 * n; ++i) out[i] = static_cast<int16_t>(std::clamp(acc[i], -32768, 32767));
    out += 2 * n;
    frames -= n;
  }
}

}  // namespace vx
