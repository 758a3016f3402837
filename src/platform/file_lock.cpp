#include "platform/file_lock.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vx {

FileInstanceLock::FileInstanceLock(std::function<std::string(const char*)> pathForName)
    : pathForName_(std::move(pathForName)) {}

FileInstanceLock::~FileInstanceLock() {
  if (fd_ >= 0) close(fd_);
}

bool FileInstanceLock::Acquire(const char* name) {
  if (fd_ >= 0) return true;
  path_ = pathForName_(name);
  // Never through a link, never waiting on a FIFO.
  int fd = open(path_.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
  struct stat st {};
  if (fd >= 0 && (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))) {
    close(fd);
    fd = -1;
  }
  // A lock file we cannot create cannot tell us about another copy either;
  // refusing to start would lock the user out for nothing.
  if (fd < 0) return true;
  int rc;
  do {
    rc = flock(fd, LOCK_EX | LOCK_NB);
  } while (rc != 0 && errno == EINTR);
  if (rc != 0) {
    bool held = errno == EWOULDBLOCK;
    close(fd);
    return !held;
  }
  fd_ = fd;
  return true;
}

}  // namespace vx
