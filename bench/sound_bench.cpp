// Sound benchmarks: the module mixer on every module of the given folders (by
// default the reference modules and the game's own six), beside libxmp's
// linear-interpolation rendering and libopenmpt's default rendering of the same
// modules when those libraries are at hand; the tick alone; and the cost of one
// second of game audio (the music streamed through the voice mixer with
// effects playing).
//
// Counter audio_x: seconds of audio rendered per CPU second.
// usage: sound_bench [--s3m-dir DIR]... [benchmark options]
#include <benchmark/benchmark.h>
#include <dirent.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "sound/s3m_module.h"
#include "sound/voice_mixer.h"

#ifdef VX_HAVE_XMP
#include <xmp.h>
#endif
#ifdef VX_HAVE_OPENMPT
#include <libopenmpt/libopenmpt.h>
#endif

namespace {

constexpr int kRate = 44100;
constexpr int kBlockFrames = 4410;
constexpr int kSecondsPerIteration = 10;

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void SetAudioCounter(benchmark::State& state) {
  state.counters["audio_x"] =
      benchmark::Counter(kSecondsPerIteration, benchmark::Counter::kIsIterationInvariantRate);
}

void MixerBench(benchmark::State& state, std::vector<uint8_t> file) {
  auto m = vx::LoadS3m(file.data(), static_cast<uint32_t>(file.size()), kRate, true, true, true);
  if (!m) {
    state.SkipWithError("module does not load");
    return;
  }
  std::vector<int16_t> block(kBlockFrames * 2);
  for (auto _ : state) {
    for (int i = 0; i < kSecondsPerIteration * kRate / kBlockFrames; ++i)
      vx::MixModule(m.get(), block.data(), static_cast<int>(block.size() * 2));
    benchmark::DoNotOptimize(block.data());
  }
  SetAudioCounter(state);
}

#ifdef VX_HAVE_XMP
void XmpBench(benchmark::State& state, std::vector<uint8_t> file) {
  xmp_context ctx = xmp_create_context();
  if (xmp_load_module_from_memory(ctx, file.data(), static_cast<long>(file.size())) != 0 ||
      xmp_start_player(ctx, kRate, 0) != 0) {
    xmp_free_context(ctx);
    state.SkipWithError("libxmp cannot play the module");
    return;
  }
  xmp_set_player(ctx, XMP_PLAYER_INTERP, XMP_INTERP_LINEAR);
  std::vector<int16_t> block(kBlockFrames * 2);
  for (auto _ : state) {
    for (int i = 0; i < kSecondsPerIteration * kRate / kBlockFrames; ++i)
      xmp_play_buffer(ctx, block.data(), static_cast<int>(block.size() * 2), 0);  // loops forever
    benchmark::DoNotOptimize(block.data());
  }
  xmp_end_player(ctx);
  xmp_release_module(ctx);
  xmp_free_context(ctx);
  SetAudioCounter(state);
}
#endif

#ifdef VX_HAVE_OPENMPT
void OpenmptBench(benchmark::State& state, std::vector<uint8_t> file) {
  openmpt_module* mod =
      openmpt_module_create_from_memory2(file.data(), file.size(), openmpt_log_func_silent, nullptr,
                                         openmpt_error_func_ignore, nullptr, nullptr, nullptr, nullptr);
  if (!mod) {
    state.SkipWithError("libopenmpt cannot play the module");
    return;
  }
  openmpt_module_set_repeat_count(mod, -1);  // loops forever, as the game's player does
  std::vector<int16_t> block(kBlockFrames * 2);
  for (auto _ : state) {
    for (int i = 0; i < kSecondsPerIteration * kRate / kBlockFrames; ++i)
      openmpt_module_read_interleaved_stereo(mod, kRate, kBlockFrames, block.data());
    benchmark::DoNotOptimize(block.data());
  }
  openmpt_module_destroy(mod);
  SetAudioCounter(state);
}
#endif

// The song advanced tick by tick without mixing: the player's share of the work.
void TickBench(benchmark::State& state, std::vector<uint8_t> file) {
  auto m = vx::LoadS3m(file.data(), static_cast<uint32_t>(file.size()), kRate, true, true, true);
  if (!m) {
    state.SkipWithError("module does not load");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(vx::ModuleTick(*m));
  state.SetItemsProcessed(state.iterations());
}

// One second of what the game's sound does while music plays: ten 0.1 s blocks
// mixed and copied into the streaming voice, and the output pulled in 1024-frame
// buffers with the music and four effects sounding. CPU time per iteration is the
// share of one core.
void GameSecondBench(benchmark::State& state, std::vector<uint8_t> file) {
  auto m = vx::LoadS3m(file.data(), static_cast<uint32_t>(file.size()), kRate, true, true, true);
  if (!m) {
    state.SkipWithError("module does not load");
    return;
  }
  vx::VoiceMixer mixer;
  mixer.Open(nullptr);
  const uint32_t blockBytes = kBlockFrames * 4;
  vx::Voice* music = mixer.CreateVoice({kRate, 16, 2}, blockBytes * 5);
  mixer.Play(music, true);
  std::vector<vx::Voice*> effects;
  for (int i = 0; i < 4; ++i) {
    vx::Voice* v = mixer.CreateVoice({22050, 8, 1}, 22050);
    mixer.SetVolume(v, -451);
    mixer.SetPan(v, (i - 2) * 2000);
    mixer.Play(v, true);
    effects.push_back(v);
  }
  std::vector<uint8_t> block(blockBytes);
  std::vector<int16_t> out(1024 * 2);
  int next = 0;
  for (auto _ : state) {
    for (int b = 0; b < 10; ++b) {
      vx::MixModule(m.get(), block.data(), static_cast<int>(blockBytes));
      mixer.Write(music, static_cast<uint32_t>(next) * blockBytes, block.data(), blockBytes);
      next = (next + 1) % 5;
    }
    for (int done = 0; done < kRate; done += 1024) mixer.Mix(out.data(), std::min(1024, kRate - done));
    benchmark::DoNotOptimize(out.data());
  }
  // CPU seconds per second of audio, as a percentage of one core.
  state.counters["core_pct"] = benchmark::Counter(
      0.01, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  for (vx::Voice* v : effects) mixer.Release(v);
  mixer.Release(music);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> dirs;
  std::vector<char*> args;
  for (int i = 0; i < argc; ++i) {
    if (std::strcmp(argv[i], "--s3m-dir") == 0 && i + 1 < argc) {
      dirs.push_back(argv[++i]);
      continue;
    }
    args.push_back(argv[i]);
  }
  if (dirs.empty()) dirs = {VX_S3M_BENCH_DIR, VX_GAME_MODULE_DIR};
  std::vector<std::string> paths;
  for (const std::string& dir : dirs) {
    std::vector<std::string> names;
    if (DIR* d = opendir(dir.c_str())) {
      while (dirent* e = readdir(d)) {
        std::string n = e->d_name;
        if (n.size() > 4 && n.compare(n.size() - 4, 4, ".s3m") == 0) names.push_back(n);
      }
      closedir(d);
    }
    std::sort(names.begin(), names.end());
    for (const std::string& n : names) paths.push_back(dir + "/" + n);
  }
  for (const std::string& path : paths) {
    const std::string n = path.substr(path.find_last_of('/') + 1);
    std::vector<uint8_t> file = ReadFile(path);
    benchmark::RegisterBenchmark(("MixModule/" + n).c_str(), MixerBench, file)->Unit(benchmark::kMillisecond);
#ifdef VX_HAVE_XMP
    benchmark::RegisterBenchmark(("XmpLinear/" + n).c_str(), XmpBench, file)->Unit(benchmark::kMillisecond);
#endif
#ifdef VX_HAVE_OPENMPT
    benchmark::RegisterBenchmark(("OpenmptDefault/" + n).c_str(), OpenmptBench, file)
        ->Unit(benchmark::kMillisecond);
#endif
    benchmark::RegisterBenchmark(("ModuleTick/" + n).c_str(), TickBench, file);
  }
  if (!paths.empty()) {
    // The first module stands for the game's music.
    std::vector<uint8_t> file = ReadFile(paths.front());
    benchmark::RegisterBenchmark("GameAudioSecond", GameSecondBench, file)->Unit(benchmark::kMillisecond);
  }
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
