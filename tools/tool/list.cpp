// velotrix-tool list ARCHIVE: one line per entry: name, unpacked size, stored size.
#include <cstdio>

#include "command.h"
#include "resources/pack_archive.h"

namespace vx::tool {

namespace {

int CmdList(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: velotrix-tool list ARCHIVE\n");
    return 2;
  }
  vx::PackArchive archive;
  if (!archive.Open(argv[1])) {
    std::fprintf(stderr, "velotrix-tool list: '%s' is not a pack archive\n", argv[1]);
    return 1;
  }
  for (const vx::PackEntry& e : archive.Entries())
    std::printf("%s %u %u\n", e.name.c_str(), e.unpackedSize, e.storedSize);
  return 0;
}

}  // namespace

VX_TOOL_COMMAND(list, "list ARCHIVE          list the entries of ARCHIVE", CmdList);

}  // namespace vx::tool
