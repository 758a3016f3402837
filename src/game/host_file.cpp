#include "game/host_file.h"

#include <dirent.h>
#include <strings.h>
#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <vector>

#include "base/log.h"

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

// The name of an entry of dir that equals name without regard to case, or name.
std::string MatchEntry(const std::string& dir, const std::string& name) {
  DIR* d = opendir(dir.c_str());
  if (!d) return name;
  std::string found = name;
  while (dirent* e = readdir(d)) {
    if (strcasecmp(e->d_name, name.c_str()) == 0) {
      found = e->d_name;
      if (found == name) break;  // an exact match wins over a case variant
    }
  }
  closedir(d);
  return found;
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
  std::string target = dir + "/" + MatchEntry(dir, parts.back());
  std::string temp = target + ".new";
  FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) {
    Log("Can't write file '%s'\n", path);
    return false;
  }
  bool ok = size == 0 || std::fwrite(data, 1, size, f) == size;
  ok = (std::fflush(f) == 0) && ok;
  ok = (std::fclose(f) == 0) && ok;
  if (ok) ok = std::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) {
    std::remove(temp.c_str());
    Log("Can't write file '%s'\n", path);
  }
  return ok;
}

}  // namespace vx
