// velotrix-tool pack ARCHIVE DIR [SUBDIR...]: every file below DIR becomes one
// entry named by its path relative to DIR with backslashes (DIR holds DATA/...
// or LANG/...). With SUBDIRs only the files below those are packed (a missing
// one adds nothing), still named relative to DIR, so one generated tree can
// feed both archives.
// velotrix-tool pack-levels ARCHIVE [FOLDER]: a pack of the levels the editor
// wrote into the game's folder (FOLDER, default the current one, or the
// player's folder of an installed game): the level files of Episode1/Levels
// and Episode2/Levels, as DATA\Episode1\Levels\Level07 and so on.
#include <dirent.h>
#include <sys/stat.h>

#include <strings.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/game_folders.h"
#include "base/user_file.h"
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

// A file to pack: its entry name ('/'-separated) and where it lies.
struct PackFile {
  std::string entry;
  std::string host;
  bool operator<(const PackFile& o) const { return entry < o.entry; }
  bool operator==(const PackFile& o) const { return entry == o.entry; }
};

// Writes archive from files; with list set, names each entry on standard output.
int WritePack(const char* archive, std::vector<PackFile> files, const char* command, bool list) {
  // Sorted by entry name so that the same tree always gives the same bytes.
  std::sort(files.begin(), files.end());
  files.erase(std::unique(files.begin(), files.end()), files.end());

  std::vector<vx::PackSource> entries;
  for (const PackFile& file : files) {
    vx::PackSource entry;
    entry.name = file.entry;
    std::replace(entry.name.begin(), entry.name.end(), '/', '\\');
    std::string why;
    if (!vx::ReadHostFile(file.host.c_str(), UINT32_MAX, &entry.data, &why)) {
      std::fprintf(stderr, "velotrix-tool %s: cannot read '%s': it %s\n", command, file.host.c_str(),
                   why.c_str());
      return 1;
    }
    if (list) std::printf("%s\n", entry.name.c_str());
    entries.push_back(std::move(entry));
  }
  std::string error;
  if (!vx::WritePackArchive(archive, entries, &error)) {
    std::fprintf(stderr, "velotrix-tool %s: %s\n", command, error.c_str());
    return 1;
  }
  // Success means the game can read it.
  vx::PackArchive check;
  if (!check.Open(archive) || check.Entries().size() != entries.size()) {
    std::fprintf(stderr, "velotrix-tool %s: '%s' was written but cannot be read back\n", command, archive);
    return 1;
  }
  return 0;
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
  std::vector<PackFile> packed;
  for (const std::string& rel : files) packed.push_back({rel, root + "/" + rel});
  return WritePack(argv[1], packed, "pack", false);
}

// "Level07" or "level07.map": what the editor writes.
bool IsLevelFileName(const std::string& name) {
  if (name.size() < 6 || strncasecmp(name.c_str(), "level", 5) != 0) return false;
  size_t i = 5;
  while (i < name.size() && std::isdigit(static_cast<unsigned char>(name[i]))) ++i;
  if (i == 5) return false;
  return i == name.size() || strcasecmp(name.c_str() + i, ".map") == 0;
}

// The game's folder: the player's own folder when the tool is installed.
std::string GameFolder() {
  if (vx::ThisInstallation().empty()) return ".";
  return vx::UserDataFolder(std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

int CmdPackLevels(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: velotrix-tool pack-levels ARCHIVE [FOLDER]\n");
    return 2;
  }
  const std::string root = argc == 3 ? argv[2] : GameFolder();
  // Named as the data archive names its levels.
  std::vector<PackFile> files;
  for (const char* episode : {"Episode1", "Episode2"}) {
    // Spelt in any case, as the game reads them.
    const std::string e = vx::MatchFolderEntry(root, episode);
    const std::string levels = e.empty() ? "" : vx::MatchFolderEntry(root + "/" + e, "Levels");
    if (levels.empty()) continue;
    const std::string folder = root + "/" + e + "/" + levels;
    DIR* dir = opendir(folder.c_str());
    if (!dir) continue;
    while (dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      struct stat st {};
      if (!IsLevelFileName(name) ||
          stat((folder + "/" + name).c_str(), &st) != 0 || !S_ISREG(st.st_mode))
        continue;
      files.push_back({std::string("DATA/") + episode + "/Levels/" + name, folder + "/" + name});
    }
    closedir(dir);
  }
  if (files.empty()) {
    std::fprintf(stderr, "velotrix-tool pack-levels: no edited levels in '%s'\n", root.c_str());
    return 1;
  }
  return WritePack(argv[1], files, "pack-levels", true);
}

}  // namespace

VX_TOOL_COMMAND(pack, "pack ARCHIVE DIR [SUBDIR...]  pack every file below DIR (or its SUBDIRs) into ARCHIVE", CmdPack);
VX_TOOL_COMMAND(pack_levels,
                "pack-levels ARCHIVE [FOLDER]  pack the levels the editor wrote in the game's folder",
                CmdPackLevels);

}  // namespace vx::tool
