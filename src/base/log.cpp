#include "base/log.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <ctime>

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
  FILE* f = std::fopen(kLogFile, "wb");
  if (!f) return;
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  std::fprintf(f, "Log start: %02d/%02d/%04d %02d:%02d \n", local.tm_mon + 1, local.tm_mday,
               local.tm_year + 1900, local.tm_hour, local.tm_min);
  std::fclose(f);
}

void Log(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vsnprintf(gLogBuffer, sizeof gLogBuffer, format, args);
  va_end(args);
  if (LogToStderr()) std::fputs(gLogBuffer, stderr);
  FILE* f = std::fopen(kLogFile, "ab");
  if (!f) return;
  // Written unchanged: a percent sign left after formatting stays as it is.
  std::fputs(gLogBuffer, f);
  std::fclose(f);
}

}  // namespace vx
