// velotrix-tool s3m-render MODULE OUT.wav [--seconds N] [--rate R] [--mono] [--8bit]
// [--no-interp]: renders a module with the game's mixer into a WAV file.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "base/user_file.h"
#include "command.h"
#include "s3m_file.h"
#include "sound/s3m_module.h"

namespace vx::tool {

namespace {

void Put16(std::vector<uint8_t>& v, uint32_t x) {
  v.push_back(x & 0xFF);
  v.push_back((x >> 8) & 0xFF);
}
void Put32(std::vector<uint8_t>& v, uint32_t x) {
  Put16(v, x & 0xFFFF);
  Put16(v, x >> 16);
}

std::vector<uint8_t> WavHeader(int rate, int bits, int channels, uint32_t dataBytes) {
  std::vector<uint8_t> h;
  const int align = channels * bits / 8;
  h.insert(h.end(), {'R', 'I', 'F', 'F'});
  Put32(h, 36 + dataBytes);
  h.insert(h.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  Put32(h, 16);
  Put16(h, 1);
  Put16(h, channels);
  Put32(h, rate);
  Put32(h, rate * align);
  Put16(h, align);
  Put16(h, bits);
  h.insert(h.end(), {'d', 'a', 't', 'a'});
  Put32(h, dataBytes);
  return h;
}

int Usage() {
  std::fprintf(stderr,
               "usage: velotrix-tool s3m-render MODULE OUT.wav [--seconds N] [--rate R] [--mono] "
               "[--8bit] [--no-interp]\n");
  return 2;
}

int CmdS3mRender(int argc, char** argv) {
  if (argc < 3) return Usage();
  double seconds = -1;
  int rate = 44100;
  bool stereo = true, is16 = true, interp = true;
  for (int i = 3; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--seconds") && i + 1 < argc) {
      seconds = std::atof(argv[++i]);
    } else if (!std::strcmp(argv[i], "--rate") && i + 1 < argc) {
      rate = std::atoi(argv[++i]);
    } else if (!std::strcmp(argv[i], "--mono")) {
      stereo = false;
    } else if (!std::strcmp(argv[i], "--8bit")) {
      is16 = false;
    } else if (!std::strcmp(argv[i], "--no-interp")) {
      interp = false;
    } else {
      return Usage();
    }
  }
  if (rate < 8000 || rate > 96000 || seconds > 3600) {
    std::fprintf(stderr, "velotrix-tool s3m-render: rate 8000..96000 and at most 3600 seconds\n");
    return 2;
  }
  std::vector<uint8_t> file;
  if (!ReadModuleFile("s3m-render", argv[1], &file)) {
    return 1;
  }
  const uint32_t size = static_cast<uint32_t>(file.size());
  auto m = LoadS3m(file.data(), size, rate, is16, stereo, interp);
  if (!m) {
    std::fprintf(stderr, "velotrix-tool s3m-render: '%s' is not a module the player can load\n", argv[1]);
    return 1;
  }
  if (seconds < 0) {
    auto probe = LoadS3m(file.data(), size, rate, is16, stereo, interp);
    seconds = ModuleSongLength(*probe);
  }
  const int align = (stereo ? 2 : 1) * (is16 ? 2 : 1);
  const uint64_t frames = static_cast<uint64_t>(seconds * rate + 0.5);
  std::vector<uint8_t> pcm(frames * align);
  constexpr uint64_t kBlock = 4410;
  for (uint64_t f = 0; f < frames; f += kBlock) {
    const uint64_t n = frames - f < kBlock ? frames - f : kBlock;
    MixModule(m.get(), pcm.data() + f * align, static_cast<int>(n * align));
  }
  std::vector<uint8_t> wav = WavHeader(rate, is16 ? 16 : 8, stereo ? 2 : 1, static_cast<uint32_t>(pcm.size()));
  wav.insert(wav.end(), pcm.begin(), pcm.end());
  if (!WriteUserFile(argv[2], wav.data(), wav.size())) {
    std::fprintf(stderr, "velotrix-tool s3m-render: writing '%s' failed\n", argv[2]);
    return 1;
  }
  return 0;
}

}  // namespace

VX_TOOL_COMMAND(s3m_render,
                "s3m-render MODULE OUT.wav [--seconds N] [--rate R] [--mono] [--8bit] [--no-interp]",
                CmdS3mRender);

}  // namespace vx::tool
