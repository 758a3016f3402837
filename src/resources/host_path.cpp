// Game paths use backslashes and were written for a file system that ignores
// case; the host's does not, so each component is looked up in its folder.
#include <dirent.h>
#include <sys/stat.h>

#include <cstring>
#include <string>

#include "resources/file_system.h"

namespace vx {

namespace {

bool Exists(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0;
}

bool EqualIgnoringCase(const char* a, const char* b) {
  for (;; ++a, ++b) {
    unsigned char ca = static_cast<unsigned char>(*a), cb = static_cast<unsigned char>(*b);
    if (ca >= 'A' && ca <= 'Z') ca = static_cast<unsigned char>(ca + 32);
    if (cb >= 'A' && cb <= 'Z') cb = static_cast<unsigned char>(cb + 32);
    if (ca != cb) return false;
    if (ca == 0) return true;
  }
}

// Finds COMPONENT in FOLDER without regard to case. Among several spellings the
// smallest name wins, so the choice does not depend on the listing's order.
bool FindInFolder(const std::string& folder, const std::string& component, std::string* found) {
  DIR* dir = opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return false;
  bool any = false;
  while (dirent* e = readdir(dir)) {
    if (!EqualIgnoringCase(e->d_name, component.c_str())) continue;
    if (!any || std::strcmp(e->d_name, found->c_str()) < 0) *found = e->d_name;
    any = true;
  }
  closedir(dir);
  return any;
}

}  // namespace

bool ResolveHostPath(const char* path, char* out, size_t outSize) {
  if (!path || !*path || !out || outSize == 0) return false;
  std::string resolved;
  const char* p = path;
  if (*p == '/' || *p == '\\') {
    resolved = "/";
    while (*p == '/' || *p == '\\') ++p;
  }
  while (*p) {
    const char* end = p;
    while (*end && *end != '/' && *end != '\\') ++end;
    std::string component(p, end);
    p = end;
    while (*p == '/' || *p == '\\') ++p;
    if (component.empty()) continue;

    std::string folder = resolved;
    std::string candidate = folder.empty() || folder.back() == '/' ? folder + component : folder + "/" + component;
    if (!Exists(candidate)) {
      std::string match;
      if (component == "." || component == ".." ||
          !FindInFolder(folder.empty() ? std::string(".") : folder, component, &match))
        return false;
      candidate = folder.empty() || folder.back() == '/' ? folder + match : folder + "/" + match;
    }
    resolved = std::move(candidate);
  }
  if (resolved.empty() || resolved.size() >= outSize) return false;
  std::memcpy(out, resolved.c_str(), resolved.size() + 1);
  return true;
}

}  // namespace vx
