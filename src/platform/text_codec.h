// Conversion of typed text (UTF-8) to the 8-bit code page 866 that the game's
// character messages carry.
#pragma once

#include <string>

namespace vx {

// Characters that code page 866 cannot hold are left out.
std::string Utf8ToCp866(const std::string& utf8);

}  // namespace vx
