// Pixel sizes and placement rules of the texts the playfield draws, kept in one
// place so the panel numbers, the message texts and the debug lines stay apart.
#pragma once

#include <cstdint>

#include "graphics/text_font.h"

namespace vx {

// Numbers inside the status console of "panel.tga" (lives, credits, score,
// progress): their positions are baselines inside the console's 18-pixel rows.
constexpr int kPanelNumberSize = 12;
// Item counts in the lower left corner of each inventory socket (baseline).
constexpr int kItemCountSize = 13;
// The frame-rate and editor lines: their positions are the tops of the lines,
// 20 pixels apart, so the baseline lies one size lower.
constexpr int kDebugLineSize = 16;

// Message panel texts (pixel sizes of their own).
constexpr int kCompleteSize = 16;
constexpr int kFailedSize = 16;
constexpr int kExitToMenuSize = 14;
constexpr int kPauseSize = 20;
// The prompt under a message that waits for the player, and how far below the
// message's baseline it stands (inside the panel's 72 pixels).
constexpr int kPromptSize = 12;
constexpr int kPromptDrop = 22;
constexpr uint32_t kPromptRGB = 0xc8e4ff;
// "Failed": red, light enough to read on the panel.
constexpr uint32_t kFailedRGB = 0xff6464;

constexpr uint32_t kTextWhite = 0xFFFFFFFFu;   // colour value -1
constexpr uint32_t kItemCountColor = 0xff40afffu;
// The badge under an item count, and its rim.
constexpr uint32_t kItemCountBadgeRGB = 0x060a18;
constexpr uint32_t kItemCountRimRGB = 0x2a6a9a;

// Draws a formatted text with FontB at size, in its own text bracket. The
// format is UTF-16; the arguments follow the renderer's printf rules.
template <typename... A>
void DrawGameText(int size, int x, int y, uint32_t color, const char16_t* format, A... args) {
  BeginText(FontB, size);
  FontB.SetSize(size);
  FontB.DrawText(x, y, color, format, args...);
  EndText();
}

// The same with the shared dark edge round every glyph, for text over the
// playfield.
template <typename... A>
void DrawEdgedGameText(int size, int x, int y, uint32_t color, const char16_t* format, A... args) {
  BeginText(FontB, size);
  FontB.SetSize(size);
  FontB.SetOutline(Graphics::MakePixelRGB(kTextEdgeRGB));
  FontB.DrawText(x, y, color, format, args...);
  EndText();
}

// Lines of help in the top left corner, 20 pixels apart, white on a darkened
// plate that reads over any playfield (the level editor's keys).
void DrawHelpLines(const char16_t* const* lines, int count);

// An 8-bit string-table text (code page 866) centred on x, baseline y, in its
// place box (the clip rectangle while it is drawn).
void DrawCentredText8(int size, int x, int y, uint32_t color, const char* text, const Rect& box);

}  // namespace vx
