// velotrix-mkdata parts: "sounds" (the nine effects) and "music" (the six
// modules). Both write into DATA beside the rest of the data set.
#include <cstdio>

#include "audio/music.h"
#include "audio/sound_effects.h"
#include "audio/wav_writer.h"
#include "mkdata.h"

namespace vx::mkdata {

namespace {

bool MakeSounds(const std::string& outDir) {
  for (const SoundEffect& fx : MakeSoundEffects()) {
    std::vector<uint8_t> wav = EncodeWav16Mono(fx.samples, kEffectRate);
    if (!WriteFile(outDir, "DATA/" + fx.name, wav.data(), wav.size())) {
      std::fprintf(stderr, "sounds: cannot write %s\n", fx.name.c_str());
      return false;
    }
  }
  return true;
}

bool MakeMusic(const std::string& outDir) {
  for (const std::string& name : ModuleNames()) {
    std::vector<uint8_t> bytes;
    ComposeReport report;
    std::string error;
    if (!BuildModule(MusicSourceDir() + "/" + name + ".song", &bytes, &report, &error)) {
      std::fprintf(stderr, "music: %s\n", error.c_str());
      return false;
    }
    if (!WriteFile(outDir, "DATA/" + name + ".s3m", bytes.data(), bytes.size())) {
      std::fprintf(stderr, "music: cannot write %s.s3m\n", name.c_str());
      return false;
    }
    std::printf("music: %s.s3m %.1f s, %d channels, %d orders, %d patterns, effects %s, mix peak bound %d\n",
                name.c_str(), report.seconds, report.channels, report.orders, report.patterns,
                report.effects.c_str(), report.mixBound);
  }
  return true;
}

}  // namespace

VX_MKDATA_GENERATOR(sounds, MakeSounds);
VX_MKDATA_GENERATOR(music, MakeMusic);

}  // namespace vx::mkdata
