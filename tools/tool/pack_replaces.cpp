// velotrix-tool pack-replaces PACK [--data DIR]: what a player's pack does to
// the default data set in DIR (default: beside the tool, or the installed
// data): one line per entry of PACK, then a count of each kind:
//   replaces NAME   the data set holds NAME and the pack's copy differs
//   same NAME       the data set holds the very same bytes
//   adds NAME       a file the data set lacks
//   ignored NAME    neither DATA\ nor LANG\: the game never asks for it
//   N replaced, N same, N added, N ignored
#include <strings.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "command.h"
#include "resources/pack_archive.h"

namespace vx::tool {

namespace {

bool SameData(const PackArchive& a, const PackEntry& ea, const PackArchive& b, const PackEntry& eb) {
  if (ea.unpackedSize != eb.unpackedSize) return false;
  FileBuffer x = a.ReadEntry(ea), y = b.ReadEntry(eb);
  return x && y && std::memcmp(x.get(), y.get(), ea.unpackedSize) == 0;
}

// The data set's archives: the data, the English texts, then every other
// language archive beside them.
std::vector<std::unique_ptr<PackArchive>> OpenDataSet(const std::string& data) {
  std::vector<std::string> names = {"Velotrix.dat", "Velotrix.lng"};
  std::vector<std::string> languages;
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(data, ec)) {
    const std::string name = e.path().filename().string();
    if (name != names[1] && name.size() > 13 && name.rfind("Velotrix.", 0) == 0 &&
        name.compare(name.size() - 4, 4, ".lng") == 0)
      languages.push_back(name);
  }
  std::sort(languages.begin(), languages.end());
  names.insert(names.end(), languages.begin(), languages.end());
  std::vector<std::unique_ptr<PackArchive>> set;
  for (const std::string& name : names) {
    auto archive = std::make_unique<PackArchive>();
    if (archive->Open((data + "/" + name).c_str())) set.push_back(std::move(archive));
  }
  return set;
}

int CmdPackReplaces(int argc, char** argv) {
  std::string data = ToolDirectory();
  bool ok = argc == 2 || (argc == 4 && std::strcmp(argv[2], "--data") == 0);
  if (!ok) {
    std::fprintf(stderr, "usage: velotrix-tool pack-replaces PACK [--data DIR]\n");
    return 2;
  }
  data = argc == 4 ? argv[3] : DataSetFolder(data);
  if (!std::filesystem::exists(data + "/Velotrix.dat")) {
    std::fprintf(stderr, "pack-replaces: no Velotrix.dat in %s\n", data.c_str());
    return 2;
  }
  PackArchive pack;
  if (!pack.Open(argv[1])) {
    std::fprintf(stderr, "pack-replaces: '%s' is not a pack archive\n", argv[1]);
    return 1;
  }
  const std::vector<std::unique_ptr<PackArchive>> set = OpenDataSet(data);
  int replaced = 0, same = 0, added = 0, ignored = 0;
  for (const PackEntry& entry : pack.Entries()) {
    const char* kind = "adds";
    if (strncasecmp(entry.name.c_str(), "DATA\\", 5) != 0 &&
        strncasecmp(entry.name.c_str(), "LANG\\", 5) != 0) {
      kind = "ignored";
    } else {
      for (const auto& archive : set) {
        const PackEntry* original = archive->Find(entry.name.c_str());
        if (!original) continue;
        kind = SameData(pack, entry, *archive, *original) ? "same" : "replaces";
        break;
      }
    }
    std::printf("%s %s\n", kind, entry.name.c_str());
    replaced += kind[0] == 'r';
    same += kind[0] == 's';
    added += kind[0] == 'a';
    ignored += kind[0] == 'i';
  }
  std::printf("%d replaced, %d same, %d added, %d ignored\n", replaced, same, added, ignored);
  return 0;
}

}  // namespace

VX_TOOL_COMMAND(pack_replaces,
                "pack-replaces PACK [--data DIR]   what a pack replaces in the default data set",
                CmdPackReplaces);

}  // namespace vx::tool
