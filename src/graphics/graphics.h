// The display: a 640 x 480 16-bit back buffer of our own, off-screen surfaces,
// our own blits, and presentation through the platform's Display once a frame.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/rect.h"
#include "platform/dx_error.h"

namespace vx {

// A 16-bit image whose rows lie pitch pixels apart.
struct Surface {
  int32_t width = 0;
  int32_t height = 0;
  int32_t pitch = 0;  // in pixels, >= width
  std::vector<uint16_t> pixels;
  uint16_t colorKey = 0;
  bool hasKey = false;
  int32_t lockCount = 0;  // blits into or out of a locked surface fail, as on the old blitter
  int32_t memoryKind = 0;

  uint16_t* Row(int y) { return pixels.data() + static_cast<size_t>(y) * pitch; }
  const uint16_t* Row(int y) const { return pixels.data() + static_cast<size_t>(y) * pitch; }
};

enum SurfaceMemory { kSurfacePlain = 0, kSurfaceSystem = 1 };

extern int32_t PixelIs555;
extern uint8_t RedShift;
extern uint8_t GreenShift;
extern uint16_t StandardColors[26];

class Graphics {
 public:
  static int Init(int width, int height, int fullScreen);
  static void Release();
  static void Flip(int waitRetrace);
  static bool IsOpen();
  // The size given to the last Init (640 x 480 before the first).
  static int ScreenWidth();
  static int ScreenHeight();
  static int IsFullScreen();

  static Surface* CreateSurface(int width, int height, int memoryKind);
  static void ReleaseSurface(Surface*& surface);
  // Loads an image file into a new surface; 1 when made.
  static int LoadSurface(const char* fileName, Surface** out, int inSystemMemory);
  static int LockSurface(Surface* surface, int32_t* pitchInPixels, uint16_t** pixels);
  static void UnlockSurface(Surface* surface);
  static void SetColorKey(Surface* surface, uint16_t pixel);

  // The back buffer; null while the display is closed.
  static Surface* BackBuffer();

  // Copies rect of src to (x, y) of dst (the back buffer when dst is null); the
  // caller clips. keyed skips pixels equal to src's colour key. Returns 0 on
  // success, else an error code (nothing is copied when any part of either
  // rectangle lies outside its surface).
  static int Blit(Surface* dst, int x, int y, const Surface* src, const Rect& rect, bool keyed);
  // Stretches rect of src into dstRect of dst (nearest neighbour).
  static int StretchBlit(Surface* dst, const Rect& dstRect, const Surface* src, const Rect& rect,
                         bool keyed);
  // Fills a rectangle of dst (the back buffer when null); refuses a rectangle
  // that reaches outside.
  static int Fill(Surface* dst, const Rect& rect, uint16_t pixel);
  // A frame of the given thickness just inside rect, cut to dst.
  static void Outline(Surface* dst, const Rect& rect, int thickness, uint16_t pixel);

  static void DrawLine(int x1, int y1, int x2, int y2, uint16_t pixel);
  static void Screenshot();
  // Writes the video-memory log line.
  static void LogVideoMemory(int resetBaseline);

  static uint16_t Pack5(int r5, int g5, int b5);
  static uint16_t MakePixel(int r, int g, int b);
  static uint16_t MakePixelRGB(uint32_t rgb);
  // Rebuilds the colour tables, the shifts and StandardColors for a display
  // whose green mask is greenMask (0x07E0 gives 565, anything else 555).
  static void SetPixelLayout(uint32_t greenMask);
};

// Fills (x, y, x + width, y + height) of the back buffer; logs "D3DStrip error %s".
int D3DStrip(int x, int y, int width, int height, uint16_t pixel);
// Cuts rect so that copying it to (x, y) stays on the screen.
void ClipToScreen(int* x, int* y, Rect* rect);
void BuildStandardColors();

// 8-bit red, green and blue of a display pixel in the current layout.
void PixelToRgb(uint16_t pixel, uint8_t* r, uint8_t* g, uint8_t* b);

// Darkens rect of the back buffer to eighths / 8 of its brightness (cut to
// the screen): a plate under text that must read over a busy picture.
void ShadeRect(const Rect& rect, int eighths);

}  // namespace vx
