// Display set-up, presentation, surfaces and the pixel layout.
#include "graphics/graphics.h"

#include <algorithm>
#include <cstring>

#include "base/log.h"
#include "graphics/bitmap.h"
#include "platform/platform.h"

namespace vx {

int32_t PixelIs555 = 0;
uint8_t RedShift = 11;
uint8_t GreenShift = 6;
uint16_t StandardColors[26];

namespace {

struct DisplayState {
  bool open = false;
  int32_t width = 0;
  int32_t height = 0;
  int32_t bitsPerPixel = 16;
  // What the screens draw for; kept when the display closes.
  int32_t screenWidth = 640;
  int32_t screenHeight = 480;
  int32_t fullScreen = 0;
  uint32_t greenMask = 0x07E0;
  Surface* backBuffer = nullptr;
  Rect clip;
  uint16_t* linePixels = nullptr;  // the locked back buffer, for lines
  int32_t linePitch = 0;
  uint32_t previousFreeVideo = 0;
};

DisplayState gDisplay;

uint32_t gRedTable[256];
uint32_t gGreenTable[256];
uint32_t gBlueTable[256];

// Surfaces get rows padded to 16 pixels, so that nothing may assume pitch == width.
int32_t PitchFor(int width) { return (width + 15) & ~15; }

const char* NameOf(int code) {
  const char* n = DXErrorName(code);
  return n ? n : "";
}

}  // namespace

void Graphics::SetPixelLayout(uint32_t greenMask) {
  gDisplay.greenMask = greenMask;
  PixelIs555 = greenMask != 0x07E0 ? 1 : 0;
  const int redField = PixelIs555 ? 10 : 11;
  for (int v = 0; v < 256; ++v) {
    gRedTable[v] = static_cast<uint32_t>(v / 8) << redField;
    gGreenTable[v] = static_cast<uint32_t>(PixelIs555 ? v / 8 : v / 4) << 5;
    gBlueTable[v] = static_cast<uint32_t>(v / 8);
  }
  RedShift = PixelIs555 ? 10 : 11;
  GreenShift = PixelIs555 ? 5 : 6;
  BuildStandardColors();
}

uint16_t Graphics::Pack5(int r5, int g5, int b5) {
  return static_cast<uint16_t>((r5 << RedShift) | (g5 << GreenShift) | b5);
}

uint16_t Graphics::MakePixel(int r, int g, int b) {
  return static_cast<uint16_t>(gRedTable[r & 255] | gGreenTable[g & 255] | gBlueTable[b & 255]);
}

uint16_t Graphics::MakePixelRGB(uint32_t rgb) {
  return MakePixel((rgb >> 16) & 255, (rgb >> 8) & 255, rgb & 255);
}

void BuildStandardColors() {
  static const uint8_t kComponents[26][3] = {
      {31, 31, 31}, {0, 0, 0},   {31, 0, 0},  {15, 0, 0},    {0, 31, 0},  {0, 15, 0},
      {0, 0, 31},   {0, 0, 15},  {31, 31, 0}, {31, 0, 31},   {0, 31, 31}, {31, 15, 0},
      {15, 15, 15}, {0, 0, 0},   {0, 15, 0},  {0, 0, 0},     {0, 20, 0},  {0, 0, 0},
      {18, 28, 16}, {0, 2, 6},   {0, 0, 0},   {0, 0, 0},     {0, 0, 0},   {0, 0, 0},
      {0, 0, 0},    {0, 0, 0}};
  for (int i = 0; i < 26; ++i)
    StandardColors[i] = Graphics::Pack5(kComponents[i][0], kComponents[i][1], kComponents[i][2]);
}

void PixelToRgb(uint16_t pixel, uint8_t* r, uint8_t* g, uint8_t* b) {
  const int r5 = (pixel >> (PixelIs555 ? 10 : 11)) & 31;
  const int g6 = PixelIs555 ? ((pixel >> 5) & 31) << 1 | ((pixel >> 9) & 1) : (pixel >> 5) & 63;
  const int b5 = pixel & 31;
  *r = static_cast<uint8_t>(r5 << 3 | r5 >> 2);
  *g = static_cast<uint8_t>(g6 << 2 | g6 >> 4);
  *b = static_cast<uint8_t>(b5 << 3 | b5 >> 2);
}

int Graphics::Init(int width, int height, int fullScreen) {
  if (gDisplay.open) Release();
  Log("Graphics::Init( %d,%d,%d )\n", width, height, 16);
  Log("Fullscreen = %d\n", fullScreen);
  Display* display = gPlatform ? gPlatform->display : nullptr;
  if (!display) {
    Log("Error: DirectDrawCreateEx-> %s\n", NameOf(DDERR_NODIRECTDRAWHW));
    return 0;
  }
  uint32_t greenMask = 0;
  if (!display->Open(width, height, fullScreen != 0, &greenMask)) {
    Log("Error: SetCooperativeLevel-> %s\n", NameOf(DDERR_NOEXCLUSIVEMODE));
    return 0;
  }
  gDisplay.width = width;
  gDisplay.height = height;
  gDisplay.screenWidth = width;
  gDisplay.screenHeight = height;
  gDisplay.fullScreen = fullScreen ? 1 : 0;
  SetPixelLayout(greenMask);

  Surface* back = new Surface;
  back->width = width;
  back->height = height;
  back->pitch = PitchFor(width);
  back->pixels.assign(static_cast<size_t>(back->pitch) * height, 0);
  gDisplay.backBuffer = back;
  gDisplay.open = true;
  gDisplay.clip = Rect{0, 0, width, height};

  int32_t pitch = 0;
  uint16_t* pixels = nullptr;
  if (!LockSurface(back, &pitch, &pixels)) {
    Log("Error: Lock surface (define lPitch) %s\n", NameOf(DDERR_SURFACEBUSY));
    Release();
    return 0;
  }
  UnlockSurface(back);
  LogVideoMemory(1);
  return 1;
}

void Graphics::Release() {
  Display* display = gPlatform ? gPlatform->display : nullptr;
  if (gDisplay.backBuffer) {
    delete gDisplay.backBuffer;
    gDisplay.backBuffer = nullptr;
  }
  gDisplay.linePixels = nullptr;
  if (gDisplay.open && display) {
    if (gDisplay.fullScreen) display->RestoreDesktopMode();
    display->Close();
  }
  gDisplay.open = false;
}

bool Graphics::IsOpen() { return gDisplay.open; }
int Graphics::ScreenWidth() { return gDisplay.screenWidth; }
int Graphics::ScreenHeight() { return gDisplay.screenHeight; }
int Graphics::IsFullScreen() { return gDisplay.fullScreen; }
Surface* Graphics::BackBuffer() { return gDisplay.backBuffer; }

void Graphics::Flip(int waitRetrace) {
  Display* display = gPlatform ? gPlatform->display : nullptr;
  Surface* back = gDisplay.backBuffer;
  if (!gDisplay.open || !display || !back) return;
  int result = 0;
  // A presentation still in progress is asked again, a bounded number of times.
  for (int tries = 0; tries < 100; ++tries) {
    result = display->Present(back->pixels.data(), back->pitch, back->width, back->height,
                              waitRetrace != 0);
    if (result != DDERR_WASSTILLDRAWING) break;
  }
  if (result == 0 || result == DDERR_SURFACELOST) return;
  if (gDisplay.fullScreen)
    Log("Error: DXFlip (fullscreen) %s\n", NameOf(result));
  else
    Log("Error: DXFlip (window blitting) %s\n", NameOf(result));
}

void Graphics::LogVideoMemory(int resetBaseline) {
  Display* display = gPlatform ? gPlatform->display : nullptr;
  uint32_t total = 0, free = 0;
  if (!display || !display->VideoMemory(&total, &free)) return;
  if (resetBaseline) gDisplay.previousFreeVideo = 0;
  if (gDisplay.previousFreeVideo == 0) gDisplay.previousFreeVideo = free;
  Log("Video memory-> Free:%d Used:%d Diff:%d\n", static_cast<int>(free),
      static_cast<int>(total - free), static_cast<int>(gDisplay.previousFreeVideo - free));
  gDisplay.previousFreeVideo = free;
}

Surface* Graphics::CreateSurface(int width, int height, int memoryKind) {
  if (width <= 0 || height <= 0 || static_cast<uint64_t>(PitchFor(width)) * height * 2 > kMaxBitmapBytes) {
    Log("Error: DXCreateSurface-> %s\n", NameOf(width <= 0 || height <= 0 ? DDERR_INVALIDPARAMS
                                                                           : DDERR_OUTOFMEMORY));
    return nullptr;
  }
  Surface* s = new Surface;
  s->width = width;
  s->height = height;
  s->pitch = PitchFor(width);
  s->pixels.assign(static_cast<size_t>(s->pitch) * height, 0);
  s->memoryKind = memoryKind;
  // Everything lives in system memory here.
  Log("Surface has been created (%dx%dx16bit) == %d bytes [system]\n", width, height,
      width * height * 2);
  LogVideoMemory(0);
  Log("\n");
  return s;
}

void Graphics::ReleaseSurface(Surface*& surface) {
  delete surface;
  surface = nullptr;
}

int Graphics::LoadSurface(const char* fileName, Surface** out, int inSystemMemory) {
  *out = nullptr;
  Bitmap image;
  if (!image.Load(fileName)) {
    Log("Can't load file '%s'\n", fileName);
    return 0;
  }
  if (image.width & 1) Log("Warning dwSizeX even\n");
  Bitmap converted;
  if (!converted.Create(image.width, image.height, 16) || !converted.Convert(image)) {
    Log("Can't load file '%s'\n", fileName);
    return 0;
  }
  Surface* s = CreateSurface(static_cast<int>(image.width), static_cast<int>(image.height),
                             inSystemMemory ? kSurfaceSystem : kSurfacePlain);
  if (!s) return 0;
  int32_t pitch = 0;
  uint16_t* pixels = nullptr;
  if (!LockSurface(s, &pitch, &pixels)) {
    ReleaseSurface(s);
    return 0;
  }
  const uint8_t* src = converted.pixels.data();
  for (uint32_t y = 0; y < image.height; ++y)
    std::memcpy(pixels + static_cast<size_t>(y) * pitch, src + static_cast<size_t>(y) * image.width * 2,
                image.width * 2);
  UnlockSurface(s);
  *out = s;
  return 1;
}

int Graphics::LockSurface(Surface* surface, int32_t* pitchInPixels, uint16_t** pixels) {
  if (!surface || surface->pixels.empty()) return 0;
  ++surface->lockCount;
  *pitchInPixels = surface->pitch;
  *pixels = surface->pixels.data();
  if (surface == gDisplay.backBuffer) {
    gDisplay.linePixels = *pixels;
    gDisplay.linePitch = *pitchInPixels;
  }
  return 1;
}

void Graphics::UnlockSurface(Surface* surface) {
  if (surface && surface->lockCount > 0) --surface->lockCount;
}

void Graphics::SetColorKey(Surface* surface, uint16_t pixel) {
  if (!surface) return;
  surface->colorKey = pixel;
  surface->hasKey = true;
}

void Graphics::DrawLine(int x1, int y1, int x2, int y2, uint16_t pixel) {
  Surface* back = gDisplay.backBuffer;
  int32_t pitch = 0;
  uint16_t* pixels = nullptr;
  if (!LockSurface(back, &pitch, &pixels)) return;
  const Rect& c = gDisplay.clip;
  // Never write outside the buffer, whatever the clip rectangle says.
  const int left = std::max(c.left, 0), top = std::max(c.top, 0);
  const int right = std::min(c.right, back->width), bottom = std::min(c.bottom, back->height);
  auto plot = [&](int x, int y) {
    if (x >= left && x < right && y >= top && y < bottom)
      gDisplay.linePixels[static_cast<size_t>(y) * gDisplay.linePitch + x] = pixel;
  };
  if (y2 < y1) {
    std::swap(x1, x2);
    std::swap(y1, y2);
  }
  const int dy = y2 - y1;
  const int dx = x2 > x1 ? x2 - x1 : x1 - x2;
  const int sx = x2 > x1 ? 1 : -1;
  int x = x1, y = y1;
  if (dx < dy) {
    int err = dy / 2;
    for (int i = 0; i <= dy; ++i) {
      plot(x, y);
      ++y;
      err -= dx;
      if (err < 0) {
        err += dy;
        x += sx;
      }
    }
  } else {
    int err = dx / 2;
    for (int i = 0; i <= dx; ++i) {
      plot(x, y);
      x += sx;
      err -= dy;
      if (err < 0) {
        err += dx;
        ++y;
      }
    }
  }
  UnlockSurface(back);
}

}  // namespace vx
