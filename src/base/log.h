// The program's log: "Log.txt" in the working directory, restarted at every start.
#pragma once

namespace vx {

// Creates "Log.txt" anew with its header line.
void StartLog();
// Formats one message printf-style, sends it to the debugger output (stderr when
// VELOTRIX_LOG_STDERR is set) and appends it unchanged to "Log.txt".
void Log(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace vx
