// The string table: texts of the user interface from "Strings.txt".
#pragma once

namespace vx {

void LoadStrings();

}  // namespace vx
