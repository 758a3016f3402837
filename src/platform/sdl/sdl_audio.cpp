#include "base/log.h"
#include "platform/sdl/sdl_devices.h"

namespace vx {

void SdlAudio::Fill(void* self, Uint8* stream, int len) {
  auto* audio = static_cast<SdlAudio*>(self);
  int frames = len / (2 * audio->channels_);
  audio->cb_(audio->user_, reinterpret_cast<int16_t*>(stream), frames);
}

bool SdlAudio::Open(int rate, int channels, Callback cb, void* user) {
  if (device_ || !cb || rate <= 0 || channels <= 0) return false;
  cb_ = cb;
  user_ = user;
  channels_ = channels;
  SDL_AudioSpec want{};
  want.freq = rate;
  want.format = AUDIO_S16SYS;
  want.channels = static_cast<Uint8>(channels);
  want.samples = 1024;
  want.callback = Fill;
  want.userdata = this;
  SDL_AudioSpec have{};
  if (SDL_WasInit(SDL_INIT_AUDIO) || SDL_InitSubSystem(SDL_INIT_AUDIO) == 0)
    device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (!device_) {
    // A machine without sound still plays: the dummy driver runs the mixer silently.
    Log("No audio device (%s): sound goes to the dummy driver\n", SDL_GetError());
    if (SDL_WasInit(SDL_INIT_AUDIO)) SDL_QuitSubSystem(SDL_INIT_AUDIO);
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (!device_) {
      Log("Error: audio output failed: %s\n", SDL_GetError());
      return false;
    }
  }
  SDL_PauseAudioDevice(device_, 0);
  return true;
}

void SdlAudio::Close() {
  if (!device_) return;
  // Returns once the callback has finished.
  SDL_CloseAudioDevice(device_);
  device_ = 0;
}

}  // namespace vx
