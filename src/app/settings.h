// The user settings in "Velotrix.ini".
#pragma once

namespace vx {

// 1 when the file was read, 0 when it was not found (initial values stay).
int LoadSettings();
// Writes every setting; a file that cannot be written is silently not written.
void SaveSettings();

}  // namespace vx
