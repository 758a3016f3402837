#include "base/user_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace vx {

namespace {

// "<name>.vx<pid>-<n>.tmp": the pid tells a stale file from a live writer's.
const char kTempTag[] = ".vx";
const char kTempSuffix[] = ".tmp";
constexpr int kTempAttempts = 100;

std::atomic<uint32_t> gWrites{0};
std::atomic<uint32_t> gTempSequence{0};

bool WriteAll(int fd, const void* data, size_t size) {
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    ssize_t n = write(fd, p, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    p += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

std::string FolderOf(const char* path) {
  const char* slash = std::strrchr(path, '/');
  if (!slash) return ".";
  if (slash == path) return "/";
  return std::string(path, static_cast<size_t>(slash - path));
}

// Makes the folder's new entry durable; failing here loses nothing.
void SyncFolder(const std::string& folder) {
  int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

// Creates a new temporary file beside path holding data, synced. Returns its
// name, or an empty string (nothing left behind) on failure.
std::string WriteTempFile(const char* path, const void* data, size_t size) {
  for (int attempt = 0; attempt < kTempAttempts; ++attempt) {
    const std::string temp = std::string(path) + kTempTag + std::to_string(getpid()) + "-" +
                             std::to_string(gTempSequence++) + kTempSuffix;
    int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0 && errno == EEXIST) continue;
    if (fd < 0) return std::string();
    bool ok = WriteAll(fd, data, size);
    // The bytes must be on the disk before a rename makes them the file.
    ok = fsync(fd) == 0 && ok;
    ok = close(fd) == 0 && ok;
    if (ok) return temp;
    unlink(temp.c_str());
    return std::string();
  }
  return std::string();
}

// Moves temp to path unless something is there already.
int RenameNoReplace(const std::string& temp, const char* path) {
  if (renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, path, RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return -1;
  // A file system without that flag: a hard link fails just as well on a taken name.
  if (link(temp.c_str(), path) != 0) return -1;
  unlink(temp.c_str());
  return 0;
}

bool AllDigits(const char* begin, const char* end) {
  if (begin == end) return false;
  for (const char* p = begin; p < end; ++p)
    if (*p < '0' || *p > '9') return false;
  return true;
}

// The writer's pid in a temporary file's name "<name>.vx<pid>-<n>.tmp", or 0
// for any other name.
long TempFilePid(const char* name) {
  const size_t length = std::strlen(name);
  const size_t suffix = sizeof kTempSuffix - 1, tag = sizeof kTempTag - 1;
  if (length <= suffix || std::strcmp(name + length - suffix, kTempSuffix) != 0) return 0;
  const char* end = name + length - suffix;
  const char* dash = end;
  while (dash > name && dash[-1] != '-') --dash;
  if (dash == name || !AllDigits(dash, end)) return 0;
  const char* pid = dash - 1;
  while (pid > name && pid[-1] >= '0' && pid[-1] <= '9') --pid;
  if (!AllDigits(pid, dash - 1) || static_cast<size_t>(pid - name) <= tag ||
      std::strncmp(pid - tag, kTempTag, tag) != 0)
    return 0;
  return std::strtol(pid, nullptr, 10);
}

// fd when it is an open regular file; otherwise it is closed and -1 returned.
int KeepIfRegular(int fd) {
  if (fd < 0) return -1;
  struct stat st {};
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    errno = EINVAL;
    return -1;
  }
  return fd;
}

int OpenForWriting(const char* path, int mode) {
  if (!path || !*path) return -1;
  return KeepIfRegular(
      open(path, O_WRONLY | mode | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644));
}

}  // namespace

int OpenRegularFile(const char* path) {
  if (!path || !*path) return -1;
  return KeepIfRegular(open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC));
}

int OpenForAppend(const char* path) { return OpenForWriting(path, O_APPEND); }

int OpenForRewrite(const char* path) { return OpenForWriting(path, O_TRUNC); }

int WriteUserFile(const char* path, const void* data, size_t size) {
  if (!path || !*path || (size && !data)) return 0;
  const std::string temp = WriteTempFile(path, data, size);
  if (temp.empty()) return 0;
  if (std::rename(temp.c_str(), path) != 0) {
    unlink(temp.c_str());
    return 0;
  }
  ++gWrites;
  SyncFolder(FolderOf(path));
  return 1;
}

CreateResult CreateUserFile(const char* path, const void* data, size_t size) {
  if (!path || !*path || (size && !data)) return CreateResult::kFailed;
  struct stat st {};
  if (lstat(path, &st) == 0) return CreateResult::kExists;
  const std::string temp = WriteTempFile(path, data, size);
  if (temp.empty()) return CreateResult::kFailed;
  if (RenameNoReplace(temp, path) != 0) {
    const bool taken = errno == EEXIST;
    unlink(temp.c_str());
    return taken ? CreateResult::kExists : CreateResult::kFailed;
  }
  ++gWrites;
  SyncFolder(FolderOf(path));
  return CreateResult::kCreated;
}

uint32_t UserFileWrites() { return gWrites.load(); }

bool IsTempFileName(const char* name) { return TempFilePid(name) > 0; }

int RemoveStaleTempFiles(const char* folder) {
  DIR* dir = opendir(folder && *folder ? folder : ".");
  if (!dir) return 0;
  int removed = 0;
  const std::string prefix = folder && *folder ? std::string(folder) + "/" : std::string();
  const long self = getpid();
  while (dirent* e = readdir(dir)) {
    const long pid = TempFilePid(e->d_name);
    if (pid <= 0) continue;
    // The writer that made it must be gone; a running one still needs it.
    const bool alive = pid != self && (kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
    if (alive) continue;
    const std::string path = prefix + e->d_name;
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0 || !(S_ISREG(st.st_mode) || S_ISLNK(st.st_mode))) continue;
    if (unlink(path.c_str()) == 0) ++removed;
  }
  closedir(dir);
  return removed;
}

}  // namespace vx
