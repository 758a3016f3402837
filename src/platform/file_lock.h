// An exclusive flock on a lock file, held until the object goes away (or the
// process ends). Both back ends build their single-instance lock on it.
#pragma once

#include <string>

#include "platform/platform.h"

namespace vx {

class FileInstanceLock : public InstanceLock {
 public:
  // pathForName maps the lock's name onto the lock file's path.
  explicit FileInstanceLock(std::function<std::string(const char* name)> pathForName);
  ~FileInstanceLock() override;
  bool Acquire(const char* name) override;
  const std::string& path() const { return path_; }

 private:
  std::function<std::string(const char*)> pathForName_;
  std::string path_;
  int fd_ = -1;
};

}  // namespace vx
