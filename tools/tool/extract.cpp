// velotrix-tool extract ARCHIVE DIR: writes every entry below DIR, the inverse of
// pack. Names that would escape DIR are refused.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <set>
#include <string>

#include "base/user_file.h"
#include "command.h"
#include "resources/pack_archive.h"

namespace vx::tool {

namespace {

// Splits NAME at either slash; false for absolute paths, drive letters, ".."
// and empty names.
bool SafeRelativePath(const std::string& name, std::string* out) {
  if (name.empty() || name[0] == '\\' || name[0] == '/' || name.find(':') != std::string::npos)
    return false;
  out->clear();
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = name.find_first_of("\\/", start);
    if (end == std::string::npos) end = name.size();
    std::string part = name.substr(start, end - start);
    if (part.empty() || part == "." || part == "..") return false;
    if (!out->empty()) *out += '/';
    *out += part;
    start = end + 1;
  }
  return true;
}

bool MakeFolders(const std::string& path) {
  for (size_t i = 1; i < path.size(); ++i) {
    if (path[i] != '/') continue;
    if (mkdir(path.substr(0, i).c_str(), 0755) != 0 && errno != EEXIST) return false;
  }
  return true;
}

int CmdExtract(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: velotrix-tool extract ARCHIVE DIR\n");
    return 2;
  }
  vx::PackArchive archive;
  if (!archive.Open(argv[1])) {
    std::fprintf(stderr, "velotrix-tool extract: '%s' is not a pack archive\n", argv[1]);
    return 1;
  }
  const std::string root = argv[2];
  mkdir(root.c_str(), 0755);
  int status = 0;
  std::set<std::string> written;
  for (const vx::PackEntry& e : archive.Entries()) {
    std::string rel;
    if (!SafeRelativePath(e.name, &rel)) {
      std::fprintf(stderr, "velotrix-tool extract: refusing entry '%s'\n", e.name.c_str());
      status = 1;
      continue;
    }
    // The reader finds the first of equal names, so later copies are never read.
    if (!written.insert(rel).second) continue;
    vx::FileBuffer data = archive.ReadEntry(e);
    if (!data) {
      std::fprintf(stderr, "velotrix-tool extract: cannot unpack '%s'\n", e.name.c_str());
      status = 1;
      continue;
    }
    std::string path = root + "/" + rel;
    if (!MakeFolders(path) || !vx::WriteUserFile(path.c_str(), data.get(), e.unpackedSize)) {
      std::fprintf(stderr, "velotrix-tool extract: cannot write '%s'\n", path.c_str());
      status = 1;
    }
  }
  return status;
}

}  // namespace

VX_TOOL_COMMAND(extract, "extract ARCHIVE DIR   write the entries of ARCHIVE below DIR", CmdExtract);

}  // namespace vx::tool
