// Faults around the user's files: a full disk, a working folder that cannot be
// written, a log that cannot be written. Each is made for real (a file size
// limit, permissions, /dev/full) for as long as the object lives.
#pragma once

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace vx::test {

// Writes past `bytes` into any file fail (EFBIG), as on a nearly full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    oldHandler_ = signal(SIGXFSZ, SIG_IGN);  // the write fails instead of killing us
    getrlimit(RLIMIT_FSIZE, &old_);
    rlimit now = old_;
    now.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &now);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    signal(SIGXFSZ, oldHandler_);
  }

 private:
  rlimit old_{};
  sighandler_t oldHandler_;
};

// The working folder becomes read-only; its files stay as they are. Root
// ignores permissions, so as root the process acts as "nobody" meanwhile
// (only its effective ids change, and they are given back).
class ReadOnlyFolder {
 public:
  explicit ReadOnlyFolder(const std::string& folder) : folder_(folder) {
    if (geteuid() == 0) {
      // nobody must be able to reach the folder and write the files in it.
      for (const auto& e : std::filesystem::recursive_directory_iterator(folder))
        if (lchown(e.path().c_str(), kNobody, kNobody) != 0) return;
      if (chown(folder.c_str(), kNobody, kNobody) != 0) return;
      chmod(folder.c_str(), 0555);
      if (setegid(kNobody) != 0 || seteuid(kNobody) != 0) return;
      dropped_ = true;
    } else {
      chmod(folder.c_str(), 0555);
    }
  }
  ~ReadOnlyFolder() {
    if (dropped_) {
      if (seteuid(0) != 0 || setegid(0) != 0) {
      }
    }
    chmod(folder_.c_str(), 0755);
  }
  // Whether creating a file in the folder now fails, as it must.
  bool Works() const {
    const std::string probe = folder_ + "/probe";
    FILE* f = std::fopen(probe.c_str(), "wb");
    if (!f) return true;
    std::fclose(f);
    std::remove(probe.c_str());
    return false;
  }

  static constexpr uid_t kNobody = 65534;

 private:
  std::string folder_;
  bool dropped_ = false;
};

}  // namespace vx::test
