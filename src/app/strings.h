// The string table: texts of the user interface from "Strings.txt" of the
// language in use; a key it lacks is read from the English copy.
#pragma once

namespace vx {

// Fills the string table anew (at start-up and on a change of language).
void LoadStrings();

}  // namespace vx
