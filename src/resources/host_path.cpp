// Game paths use backslashes and were written for a file system that ignores
// case; the host's does not, so a component that is not there as spelled is
// looked up in its folder. Listing a folder of thousands of files for every
// missed lookup would be slow, so each folder's listing is kept as an index
// until the folder changes or the game writes a file.
#include <dirent.h>
#include <sys/stat.h>
#include <time.h>

#include <cstring>
#include <map>
#include <mutex>
#include <string>
#include <unordered_map>
#include <utility>

#include "base/user_file.h"
#include "resources/file_system.h"

namespace vx {

namespace {

// Folders remembered at once; more are rare and simply listed again.
constexpr size_t kMaxIndexedFolders = 64;
// A folder changed less than this before it was listed may change again
// within the same tick of the file system's clock (the kernel's coarse clock)
// without its time showing it; such a listing is not kept.
int64_t SettleNs() {
  static const int64_t settle = [] {
    timespec tick {};
    clock_getres(CLOCK_REALTIME_COARSE, &tick);
    const int64_t twoTicks = 2 * (int64_t{tick.tv_sec} * 1000000000 + tick.tv_nsec);
    return twoTicks > 10000000 ? twoTicks : 10000000;
  }();
  return settle;
}

std::string LowerAscii(const char* s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return out;
}

int64_t Nanoseconds(const timespec& t) { return int64_t{t.tv_sec} * 1000000000 + t.tv_nsec; }

struct FolderIndex {
  int64_t modified = 0, changed = 0;
  uint32_t writes = 0;
  bool settled = false;
  // Lower-case name -> the entry chosen for it.
  std::unordered_map<std::string, std::string> byLowerName;
};

struct Indexes {
  std::mutex mutex;
  std::map<std::pair<dev_t, ino_t>, FolderIndex> folders;
  uint32_t listings = 0;
};

Indexes& AllIndexes() {
  static Indexes indexes;
  return indexes;
}

bool Usable(const FolderIndex& index, const struct stat& st) {
  return index.settled && index.modified == Nanoseconds(st.st_mtim) &&
         index.changed == Nanoseconds(st.st_ctim) && index.writes == UserFileWrites();
}

// Lists the folder. Among several spellings of one name the smallest in byte
// order wins, so the choice does not depend on the listing's order.
bool BuildIndex(const char* folder, const struct stat& st, FolderIndex* index) {
  timespec now {};
  clock_gettime(CLOCK_REALTIME, &now);
  const uint32_t writes = UserFileWrites();
  DIR* dir = opendir(folder);
  if (!dir) return false;
  index->byLowerName.clear();
  while (dirent* e = readdir(dir)) {
    auto [it, added] = index->byLowerName.emplace(LowerAscii(e->d_name), e->d_name);
    if (!added && std::strcmp(e->d_name, it->second.c_str()) < 0) it->second = e->d_name;
  }
  closedir(dir);
  index->modified = Nanoseconds(st.st_mtim);
  index->changed = Nanoseconds(st.st_ctim);
  index->writes = writes;
  index->settled = Nanoseconds(now) - index->modified > SettleNs() &&
                   Nanoseconds(now) - index->changed > SettleNs();
  return true;
}

bool Exists(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0;
}

std::string Join(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

}  // namespace

std::string MatchFolderEntry(const std::string& folder, const std::string& name) {
  const std::string where = folder.empty() ? std::string(".") : folder;
  if (name.empty()) return std::string();
  if (name == "." || name == "..") return Exists(Join(where, name)) ? name : std::string();
  if (Exists(Join(where, name))) return name;
  struct stat st {};
  if (stat(where.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return std::string();
  Indexes& all = AllIndexes();
  std::lock_guard<std::mutex> hold(all.mutex);
  auto key = std::make_pair(st.st_dev, st.st_ino);
  auto it = all.folders.find(key);
  if (it == all.folders.end() || !Usable(it->second, st)) {
    if (it == all.folders.end() && all.folders.size() >= kMaxIndexedFolders) all.folders.clear();
    FolderIndex& index = all.folders[key];
    ++all.listings;
    if (!BuildIndex(where.c_str(), st, &index)) {
      all.folders.erase(key);
      return std::string();
    }
    it = all.folders.find(key);
  }
  auto found = it->second.byLowerName.find(LowerAscii(name.c_str()));
  return found == it->second.byLowerName.end() ? std::string() : found->second;
}

uint32_t FolderListings() {
  Indexes& all = AllIndexes();
  std::lock_guard<std::mutex> hold(all.mutex);
  return all.listings;
}

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
    std::string match = MatchFolderEntry(resolved, component);
    if (match.empty()) return false;
    resolved = Join(resolved, match);
  }
  if (resolved.empty() || resolved.size() >= outSize) return false;
  std::memcpy(out, resolved.c_str(), resolved.size() + 1);
  return true;
}

}  // namespace vx
