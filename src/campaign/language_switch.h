// Turning the game to another language while it runs: the language archive,
// the string table, the item texts, the level names and the shared pictures
// with words change at once; each screen reads its own pictures anew when it
// is next entered.
#pragma once

#include <string>

namespace vx {

// Switches to CODE (English when its archive cannot be opened) and keeps it as
// the setting; the archives are looked for in FOLDER when it is given (see
// UseLanguage). Returns the language in use afterwards.
const std::string& SwitchLanguage(const std::string& code, const std::string& folder = "");
// The language after the one in use among the available ones, round again
// after the last.
std::string NextLanguage();

}  // namespace vx
