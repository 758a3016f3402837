// Small pieces every campaign screen uses: the shared mouse cursor, text in the
// game's 8-bit code pages, frame rectangles of sprite sheets and plain surface
// copies.
#pragma once

#include <cstdint>

#include "graphics/graphics.h"
#include "graphics/sprite.h"
#include "graphics/text_font.h"
#include "input/input.h"

namespace vx {

// One cursor for all campaign screens, so it stays put when a screen changes.
struct CampaignCursor {
  int32_t x = 320;
  int32_t y = 240;
};
extern CampaignCursor gCursor;

// How a screen takes the keyboard's and the controller's stand-ins for the mouse.
struct PointerOptions {
  // The arrows (d-pad) move the focus between the targets; false where they
  // mean something else (the map's levels, the help pages).
  bool arrowsMoveFocus = true;
  // Confirm (Enter, A) clicks the focused target; false where the screen reads
  // it itself.
  bool confirmClicks = true;
};

// Moves the cursor by the frame's mouse motion, to the free system pointer,
// by the controller's stick, or onto the target the arrows chose (kept on the
// screen), turns Confirm into a left click and the alternate click into a
// right one, and takes at most one event from the queue. wheel, when given,
// receives the wheel motion.
MouseEvent ReadPointer(int32_t* wheel = nullptr, const PointerOptions& options = {});
// The shared cursor animation at (cursor x + dx, cursor y + dy), and the
// frame round the focused target.
void DrawCursor(int dx = -10, int dy = -5);

// Something a click acts on, for the arrows to move between; registered every
// frame (buttons register themselves).
void AddFocusTarget(const Rect& r);
// Puts the focus on r without moving the cursor (a screen's first choice).
void SetFocus(const Rect& r);
// Sets the focus on r and brings the cursor to its centre.
void FocusOn(const Rect& r);
bool HasFocus(const Rect& r);
bool AnyFocus();
// The left button is down, or Confirm is held standing in for it.
bool PointerHeld();

// The rectangle a frame of sheet covers when drawn at (x, y) with the sheet's
// own anchor; empty when there is no such frame.
Rect FrameRectAt(const CSprite& sheet, const char* frame, int x, int y);
bool PointIn(const Rect& r, int x, int y);

// Draws an 8-bit text (code page 866 or 1251) with its baseline at y; a percent
// sign in it stays a percent sign.
void DrawText8(TextFont& font, int x, int y, uint32_t color, const char* text, int codePage = 866);
int MeasureText8(TextFont& font, const char* text, int codePage = 866);
// DrawText8 with the shared dark edge round every glyph, for text over a busy
// or light picture.
void DrawEdgedText8(TextFont& font, int x, int y, uint32_t color, const char* text,
                    int codePage = 866);

// Cuts text at its blanks into at most maxLines lines of at most width pixels
// in font's current size (a word wider than that gets a line of its own);
// what does not fit is left out. Returns the number of lines.
int WrapText8(TextFont& font, const char* text, int width, char (*lines)[256], int maxLines,
              int codePage = 866);

// A darkened plate with a thin violet rim (the shop's panels), under text
// that must read over the sea.
void DrawTextPlate(const Rect& r);

// Draws an 8-bit text in its place BOX, starting at x (kCentre: centred across
// the box) with its baseline at y. The box is the font's clip rectangle while
// the text is drawn, so the checks of the layout know where it belongs.
constexpr int kCentre = -100000;
void DrawText8In(TextFont& font, const Rect& box, int x, int y, uint32_t color, const char* text,
                 int codePage = 866);

// Sets the largest size from largest down to smallest at which the 8-bit text
// is at most width pixels wide (smallest when none is) and returns it.
int FitTextSize(TextFont& font, const char* text, int width, int largest, int smallest,
                int codePage = 866);

// Whether a typed character may go into a name (of a saved game or a high
// score): control characters, DEL among them, are keys, not part of a name.
inline bool IsNameCharacter(uint8_t ch) { return ch >= 32 && ch != 127; }

// Copies all of src to (x, y) of dst (the back buffer when null), cut to dst.
void CopySurface(Surface* dst, int x, int y, const Surface* src, bool keyed = false);

// Loads an image into *out (released first); 1 when loaded.
int LoadScreenImage(const char* fileName, Surface** out);

}  // namespace vx
