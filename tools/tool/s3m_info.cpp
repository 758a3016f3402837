// velotrix-tool s3m-info MODULE: the header facts of an S3M module and its length.
#include <cstdio>
#include <vector>

#include "command.h"
#include "s3m_file.h"
#include "sound/s3m_module.h"

namespace vx::tool {

namespace {

int CmdS3mInfo(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: velotrix-tool s3m-info MODULE\n");
    return 2;
  }
  std::vector<uint8_t> file;
  if (!ReadModuleFile("s3m-info", argv[1], &file)) {
    return 1;
  }
  auto m = LoadS3m(file.data(), static_cast<uint32_t>(file.size()), 44100, true, true, true);
  if (!m) {
    std::fprintf(stderr, "velotrix-tool s3m-info: '%s' is not a module the player can load\n", argv[1]);
    return 1;
  }
  std::printf("title: %s\n", m->title);
  std::printf("channels: %d\n", m->channelCount);
  std::printf("orders: %d\n", m->orderCount);
  std::printf("patterns: %d\n", m->patternCount);
  std::printf("instruments: %d\n", m->instrumentCount);
  std::printf("speed: %d\n", m->initialSpeed);
  std::printf("tempo: %d\n", m->initialTempo);
  std::printf("length: %.3f\n", ModuleSongLength(*m));
  return 0;
}

}  // namespace

VX_TOOL_COMMAND(s3m_info, "s3m-info MODULE      header facts and song length of an S3M module", CmdS3mInfo);

}  // namespace vx::tool
