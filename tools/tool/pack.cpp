// velotrix-tool pack ARCHIVE DIR [SUBDIR...]: every file below DIR becomes one
// entry named by its path relative to DIR with backslashes (DIR holds DATA/...
// or LANG/...). With SUBDIRs only the files below those are packed (a missing
// one adds nothing), still named relative to DIR, so one generated tree can
// feed both archives.
#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "command.h"
#include "resources/file_system.h"
#include "resources/pack_archive.h"
#include "resources/pack_writer.h"

namespace vx::tool {

namespace {

// Collects the relative paths of all regular files below ROOT/REL ('/'-separated).
bool CollectFiles(const std::string& root, const std::string& rel, std::vector<std::string>* out) {
  std::string folder = rel.empty() ? root : root + "/" + rel;
  DIR* dir = opendir(folder.c_str());
  if (!dir) {
    std::fprintf(stderr, "velotrix-tool pack: cannot read folder '%s'\n", folder.c_str());
    return false;
  }
  std::vector<std::string> names;
  while (dirent* e = readdir(dir)) {
    std::string name = e->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  closedir(dir);
  bool ok = true;
  for (const std::string& name : names) {
    std::string child = rel.empty() ? name : rel + "/" + name;
    struct stat st {};
    if (stat((root + "/" + child).c_str(), &st) != 0) continue;
    if (S_ISDIR(st.st_mode))
      ok = CollectFiles(root, child, out) && ok;
    else if (S_ISREG(st.st_mode))
      out->push_back(child);
  }
  return ok;
}

int CmdPack(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: velotrix-tool pack ARCHIVE DIR [SUBDIR...]\n");
    return 2;
  }
  const std::string root = argv[2];
  std::vector<std::string> files;
  if (argc == 3) {
    if (!CollectFiles(root, "", &files)) return 1;
  }
  for (int i = 3; i < argc; ++i) {
    struct stat st {};
    if (stat((root + "/" + argv[i]).c_str(), &st) != 0) continue;
    if (!S_ISDIR(st.st_mode) || !CollectFiles(root, argv[i], &files)) return 1;
  }
  // Sorted by entry name so that the same tree always gives the same bytes.
  std::sort(files.begin(), files.end());
  files.erase(std::unique(files.begin(), files.end()), files.end());

  std::vector<vx::PackSource> entries;
  for (const std::string& rel : files) {
    vx::PackSource entry;
    entry.name = rel;
    std::replace(entry.name.begin(), entry.name.end(), '/', '\\');
    std::string why;
    if (!vx::ReadHostFile((root + "/" + rel).c_str(), UINT32_MAX, &entry.data, &why)) {
      std::fprintf(stderr, "velotrix-tool pack: cannot read '%s/%s': it %s\n", root.c_str(), rel.c_str(),
                   why.c_str());
      return 1;
    }
    entries.push_back(std::move(entry));
  }
  std::string error;
  if (!vx::WritePackArchive(argv[1], entries, &error)) {
    std::fprintf(stderr, "velotrix-tool pack: %s\n", error.c_str());
    return 1;
  }
  // Success means the game can read it.
  vx::PackArchive check;
  if (!check.Open(argv[1]) || check.Entries().size() != entries.size()) {
    std::fprintf(stderr, "velotrix-tool pack: '%s' was written but cannot be read back\n", argv[1]);
    return 1;
  }
  return 0;
}

}  // namespace

VX_TOOL_COMMAND(pack, "pack ARCHIVE DIR [SUBDIR...]  pack every file below DIR (or its SUBDIRs) into ARCHIVE", CmdPack);

}  // namespace vx::tool
