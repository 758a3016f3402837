// Shared by the fuzz targets: a private working folder for the files a target
// writes, and a log that goes nowhere (millions of runs would fill the disk).
#pragma once

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

namespace vx::fuzz {

// Makes a fresh folder under $TMPDIR (or /tmp) the working directory, once per
// process, with "Log.txt" pointing at /dev/null. It is removed at exit.
inline void EnterScratchDir() {
  static std::string folder;
  if (!folder.empty()) return;
  const char* base = getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/vx_fuzz_XXXXXX";
  if (!mkdtemp(&pattern[0]) || chdir(pattern.c_str()) != 0) {
    std::perror("vx fuzz: scratch folder");
    std::abort();
  }
  folder = pattern;
  std::atexit([] {
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  });
  if (symlink("/dev/null", "Log.txt") != 0) std::perror("vx fuzz: Log.txt");
}

// Writes a whole file (replacing it); false when it could not be written.
inline bool WriteWholeFile(const char* path, const uint8_t* data, size_t size) {
  int fd = open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  size_t done = 0;
  while (done < size) {
    ssize_t n = write(fd, data + done, size - done);
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  close(fd);
  return done == size;
}

}  // namespace vx::fuzz
