#include "game/host_file.h"

#include <sys/stat.h>

#include <string>
#include <vector>

#include "base/log.h"
#include "base/user_file.h"
#include "resources/file_system.h"

namespace vx {
namespace {

std::vector<std::string> SplitPath(const char* path) {
  std::vector<std::string> parts;
  std::string cur;
  for (const char* p = path; *p; ++p) {
    if (*p == '\\' || *p == '/') {
      if (!cur.empty()) parts.push_back(cur);
      cur.clear();
    } else {
      cur += *p;
    }
  }
  if (!cur.empty()) parts.push_back(cur);
  return parts;
}

// The entry of dir that name stands for, or name for a new one.
std::string MatchEntry(const std::string& dir, const std::string& name) {
  std::string found = MatchFolderEntry(dir, name);
  return found.empty() ? name : found;
}

}  // namespace

bool WriteHostFile(const char* path, const void* data, size_t size) {
  std::vector<std::string> parts = SplitPath(path);
  if (parts.empty()) {
    Log("Can't write file '%s'\n", path);
    return false;
  }
  for (const std::string& part : parts) {
    if (part == "..") {  // stay below the working directory
      Log("Can't write file '%s'\n", path);
      return false;
    }
  }
  std::string dir = ".";
  for (size_t i = 0; i + 1 < parts.size(); ++i) {
    dir += "/" + MatchEntry(dir, parts[i]);
    struct stat st;
    if (stat(dir.c_str(), &st) != 0) {
      if (mkdir(dir.c_str(), 0755) != 0) {
        Log("Can't create folder '%s'\n", dir.c_str());
        return false;
      }
    } else if (!S_ISDIR(st.st_mode)) {
      Log("Can't write file '%s'\n", path);
      return false;
    }
  }
  const std::string target = dir + "/" + MatchEntry(dir, parts.back());
  if (!WriteUserFile(target.c_str(), data, size)) {
    Log("Can't write file '%s'\n", path);
    return false;
  }
  return true;
}

}  // namespace vx
