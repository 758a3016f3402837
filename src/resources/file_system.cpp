#include "resources/file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "base/log.h"
#include "base/user_file.h"
#include "resources/pack_archive.h"

namespace vx {

namespace {

constexpr int kModeArchive = 1;
constexpr int kModeFallBackToFolder = 2;
static_assert(kSourceFallback != kModeArchive && kSourceFallback != kModeFallBackToFolder);
// A player's pack: it stays when the language's sources change.
constexpr int kSourcePack = 8;
constexpr size_t kMaxBuiltPath = 255;
// No game file comes near this; a larger loose file is someone else's.
constexpr uint64_t kMaxLooseFile = 64u << 20;

struct FileSource {
  intptr_t sequence;
  std::string prefix;
  std::unique_ptr<PackArchive> archive;  // null for a folder of loose files
  int mode;
  std::string name;  // the archive's file name, for the log
};

struct FileSources {
  std::vector<FileSource> sources;
  intptr_t nextSequence = 1;
  uint32_t lastSize = 0;
  uint32_t requests = 0;
  uint64_t looseBytes = 0;
};

FileSources& Sources() {
  static FileSources sources;
  return sources;
}

// Reads the loose file at the game path. A file larger than limit is cut to it
// when cut is set and refused otherwise; last size is the file's own size.
FileBuffer ReadLooseFile(const char* path, uint64_t limit, bool cut) {
  char hostPath[4096];
  if (!ResolveHostPath(path, hostPath, sizeof hostPath)) return nullptr;
  int fd = OpenRegularFile(hostPath);
  if (fd < 0) {
    if (errno == EINVAL) Log("Can't read '%s': not a regular file\n", hostPath);
    return nullptr;
  }
  struct stat st {};
  if (fstat(fd, &st) != 0) {
    close(fd);
    return nullptr;
  }
  const uint64_t fileSize = static_cast<uint64_t>(st.st_size);
  if (fileSize > limit && !cut) {
    Log("Can't read '%s': %llu bytes is more than any game file\n", hostPath,
        static_cast<unsigned long long>(fileSize));
    close(fd);
    return nullptr;
  }
  const size_t size = static_cast<size_t>(fileSize < limit ? fileSize : limit);
  FileBuffer data(new (std::nothrow) uint8_t[size + 2]);
  size_t got = 0;
  while (data && got < size) {
    ssize_t n = read(fd, data.get() + got, size - got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<size_t>(n);
  }
  close(fd);
  Sources().looseBytes += got;
  if (!data || got < size) return nullptr;
  data[size] = 0;
  data[size + 1] = 0;
  Sources().lastSize = static_cast<uint32_t>(fileSize < UINT32_MAX ? fileSize : UINT32_MAX);
  return data;
}

FileBuffer ReadFromSource(const FileSource& source, const char* path, uint64_t limit, bool cut) {
  std::string built = source.prefix + path;
  // A cut name could match some other file; a name this long exists nowhere.
  if (built.size() > kMaxBuiltPath) return nullptr;
  if (source.archive) {
    const PackEntry* entry = source.archive->Find(built.c_str());
    if (!entry) return nullptr;
    FileBuffer data = source.archive->ReadEntry(*entry);
    if (data) Sources().lastSize = entry->unpackedSize;
    return data;
  }
  if (FileBuffer data = ReadLooseFile(built.c_str(), limit, cut)) return data;
  return ReadLooseFile(path, limit, cut);
}

FileBuffer FindFile(const char* path, int mode, uint64_t limit, bool cut) {
  if (!path) return nullptr;
  ++Sources().requests;
  if (mode == 0) {
    if (FileBuffer data = ReadLooseFile(path, limit, cut)) return data;
  }
  for (const FileSource& source : Sources().sources) {
    FileBuffer data = ReadFromSource(source, path, limit, cut);
    if (!data) continue;
    if (source.mode & kSourceFallback)
      Log("'%s' is missing from the chosen language; taken from %s\n", path, source.name.c_str());
    return data;
  }
  return nullptr;
}

bool LooseFileExists(const char* path) {
  char hostPath[4096];
  struct stat st {};
  return ResolveHostPath(path, hostPath, sizeof hostPath) && stat(hostPath, &st) == 0 &&
         S_ISREG(st.st_mode);
}

}  // namespace

bool FileExists(const char* path) {
  if (!path) return false;
  ++Sources().requests;
  if (LooseFileExists(path)) return true;
  for (const FileSource& source : Sources().sources) {
    std::string built = source.prefix + path;
    if (built.size() > kMaxBuiltPath) continue;
    if (source.archive ? source.archive->Find(built.c_str()) != nullptr
                       : LooseFileExists(built.c_str()))
      return true;
  }
  return false;
}

intptr_t RegisterArchive(const char* archive, const char* prefix, int mode) {
  if (!archive) return 0;
  std::unique_ptr<PackArchive> pack;
  if (mode & kModeArchive) {
    pack = std::make_unique<PackArchive>();
    if (!pack->Open(archive)) {
      pack.reset();
      if (!(mode & kModeFallBackToFolder)) return 0;
    }
  }
  FileSources& all = Sources();
  FileSource source;
  source.sequence = all.nextSequence++;
  source.prefix = prefix ? prefix : "";
  source.archive = std::move(pack);
  source.mode = mode;
  source.name = archive;
  all.sources.push_back(std::move(source));
  const FileSource& added = all.sources.back();
  return added.archive ? reinterpret_cast<intptr_t>(added.archive.get()) : added.sequence;
}

namespace {

bool EndsWithDat(const std::string& name) {
  return name.size() > 4 && strcasecmp(name.c_str() + name.size() - 4, ".dat") == 0;
}

bool HasPrefix(const std::string& name, const char* prefix) {
  return strncasecmp(name.c_str(), prefix, std::strlen(prefix)) == 0;
}

// A pack cut short keeps a readable directory but loses data at its end.
bool EntriesInside(const PackArchive& pack, uint64_t fileSize) {
  for (const PackEntry& e : pack.Entries())
    if (e.dataOffset > fileSize || e.storedSize > fileSize - e.dataOffset) return false;
  return true;
}

}  // namespace

int RegisterPacks(const char* folder, const char* const* prefixes, int prefixCount) {
  std::vector<std::string> names;
  if (DIR* dir = folder ? opendir(folder) : nullptr) {
    while (dirent* e = readdir(dir))
      if (EndsWithDat(e->d_name) && !IsTempFileName(e->d_name)) names.push_back(e->d_name);
    closedir(dir);
  }
  // Sources are searched in the order they are registered: the last name first.
  std::sort(names.rbegin(), names.rend());
  int registered = 0;
  for (const std::string& name : names) {
    const std::string path = std::string(folder) + "/" + name;
    PackArchive pack;
    struct stat st {};
    if (!pack.Open(path.c_str()) || stat(path.c_str(), &st) != 0 ||
        !EntriesInside(pack, static_cast<uint64_t>(st.st_size))) {
      Log("Pack '%s' is damaged; skipped\n", path.c_str());
      continue;
    }
    int uses = 0;
    for (int i = 0; i < prefixCount; ++i) {
      bool used = false;
      for (const PackEntry& e : pack.Entries()) used = used || HasPrefix(e.name, prefixes[i]);
      if (used && RegisterArchive(path.c_str(), prefixes[i], kModeArchive | kSourcePack)) ++uses;
    }
    if (uses == 0) {
      Log("Pack '%s' replaces nothing; skipped\n", path.c_str());
      continue;
    }
    Log("Pack '%s': %u files\n", path.c_str(), static_cast<unsigned>(pack.Entries().size()));
    ++registered;
  }
  return registered;
}

void UnregisterAllArchives() {
  FileSources& all = Sources();
  all.sources.clear();
  all.nextSequence = 1;
  all.lastSize = 0;
}

void UnregisterSources(const char* prefix) {
  std::vector<FileSource>& list = Sources().sources;
  for (size_t i = list.size(); i-- > 0;)
    if (list[i].prefix == (prefix ? prefix : "") && !(list[i].mode & kSourcePack))
      list.erase(list.begin() + static_cast<ptrdiff_t>(i));
}

FileBuffer ReadFallbackFile(const char* path) {
  if (!path) return nullptr;
  for (const FileSource& source : Sources().sources) {
    if (!(source.mode & kSourceFallback)) continue;
    if (FileBuffer data = ReadFromSource(source, path, kMaxLooseFile, false)) return data;
  }
  return nullptr;
}

FileBuffer ReadWholeFile(const char* path) { return FindFile(path, 0, kMaxLooseFile, false); }

uint32_t LastFileSize() { return Sources().lastSize; }

uint32_t FileRequests() { return Sources().requests; }

uint64_t LooseBytesRead() { return Sources().looseBytes; }

bool ReadHostFile(const char* path, uint64_t limit, std::vector<uint8_t>* out, std::string* why) {
  std::string ignored;
  if (!why) why = &ignored;
  why->clear();
  int fd = OpenRegularFile(path);
  if (fd < 0) {
    struct stat st {};
    if (errno == EINVAL)
      *why = stat(path, &st) == 0 && S_ISDIR(st.st_mode) ? "is a folder" : "is not a regular file";
    else
      *why = std::strerror(errno);
    return false;
  }
  struct stat st {};
  bool ok = fstat(fd, &st) == 0;
  if (ok && static_cast<uint64_t>(st.st_size) > limit) {
    *why = "is larger than " + std::to_string(limit) + " bytes";
    close(fd);
    return false;
  }
  out->resize(ok ? static_cast<size_t>(st.st_size) : 0);
  size_t got = 0;
  while (ok && got < out->size()) {
    ssize_t n = read(fd, out->data() + got, out->size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) *why = std::strerror(errno);
    if (n <= 0) break;
    got += static_cast<size_t>(n);
  }
  close(fd);
  if (!ok || got < out->size()) {
    if (why->empty()) *why = "could not be read whole";
    return false;
  }
  return true;
}

int ReadFileInto(const char* path, void* buffer, uint32_t capacity, int mode) {
  // Only what the buffer can take is read from a loose file, however large.
  FileBuffer data = FindFile(path, mode, capacity, true);
  if (!data) return 0;
  uint32_t size = Sources().lastSize;
  if (buffer) std::memcpy(buffer, data.get(), size < capacity ? size : capacity);
  return 1;
}

}  // namespace vx
