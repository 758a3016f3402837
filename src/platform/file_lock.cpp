#include "platform/file_lock.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "base/user_file.h"

namespace vx {

FileInstanceLock::FileInstanceLock(std::function<std::string(const char*)> pathForName)
    : pathForName_(std::move(pathForName)) {}

FileInstanceLock::~FileInstanceLock() {
  if (fd_ >= 0) close(fd_);
}

bool FileInstanceLock::Acquire(const char* name) {
  if (fd_ >= 0) return true;
  path_ = pathForName_(name);
  // Never through a link, never waiting on a FIFO: a regular file or nothing.
  int fd = OpenForAppend(path_.c_str());
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
