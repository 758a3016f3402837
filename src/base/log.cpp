#include "base/log.h"

#include <unistd.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "base/user_file.h"

namespace vx {

namespace {
const char kLogFile[] = "Log.txt";
char gLogBuffer[4352];

bool LogToStderr() {
  static const bool on = std::getenv("VELOTRIX_LOG_STDERR") != nullptr;
  return on;
}
}  // namespace

void StartLog() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char header[64];
  const int n = std::snprintf(header, sizeof header, "Log start: %02d/%02d/%04d %02d:%02d \n",
                              local.tm_mon + 1, local.tm_mday, local.tm_year + 1900,
                              local.tm_hour, local.tm_min);
  // A new file in place of whatever was there: a link at the name is replaced,
  // never written through. In a folder we may not write, a log file that is
  // there (and ours to write) is emptied instead.
  if (WriteUserFile(kLogFile, header, static_cast<size_t>(n))) return;
  int fd = OpenForRewrite(kLogFile);
  if (fd < 0) return;
  const ssize_t written = write(fd, header, static_cast<size_t>(n));
  (void)written;
  close(fd);
}

void Log(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vsnprintf(gLogBuffer, sizeof gLogBuffer, format, args);
  va_end(args);
  if (LogToStderr()) std::fputs(gLogBuffer, stderr);
  int fd = OpenForAppend(kLogFile);
  if (fd < 0) return;
  // Written unchanged: a percent sign left after formatting stays as it is.
  const ssize_t written = write(fd, gLogBuffer, std::strlen(gLogBuffer));
  (void)written;  // a log that cannot be written stops nothing
  close(fd);
}

}  // namespace vx
