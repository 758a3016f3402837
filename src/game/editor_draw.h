// Plates and panels the editor draws over the playfield.
#pragma once

#include <cstdint>

#include "game/editor_header.h"

namespace vx {

// A solid plate (cut to the screen) under text.
void DrawPlate(int left, int top, int right, int bottom, uint32_t rgb);
// The header's fields on the right, the chosen one marked, with the keys.
void DrawHeaderPanel(const HeaderPanel& panel);

}  // namespace vx
