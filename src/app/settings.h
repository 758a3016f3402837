// The user settings in "Velotrix.ini".
#pragma once

namespace vx {

// 1 when the file was read, 0 when it was not found (initial values stay).
int LoadSettings();
// Writes every setting; 1 on success, 0 (with a log line, the old file kept)
// when the file cannot be written.
int SaveSettings();

}  // namespace vx
