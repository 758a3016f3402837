// Plates and panels the editor draws over the playfield.
#pragma once

#include <cstddef>
#include <cstdint>

#include "game/editor_header.h"

namespace vx {

// Writes text (code page 866) into out as UTF-16, cut to units - 1 units.
void WidenInto(const char* text, char16_t* out, size_t units);
// The name of the key bound to action ("F5", "Ctrl+Y") into out.
void KeyNameInto(int action, char16_t* out, size_t units);
// "KEY - what it does" for action into out: a help line.
void HelpLineInto(int action, const char* words, char16_t* out, size_t units);

// A solid plate (cut to the screen) under text.
void DrawPlate(int left, int top, int right, int bottom, uint32_t rgb);
// The header's fields on the right, the chosen one marked, with the keys.
void DrawHeaderPanel(const HeaderPanel& panel);

}  // namespace vx
