#include "base/log.h"
#include "platform/dx_error.h"
#include "platform/sdl/sdl_devices.h"

namespace vx {

namespace {
bool RendererTakes(SDL_Renderer* renderer, uint32_t format) {
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(renderer, &info) != 0) return false;
  for (uint32_t i = 0; i < info.num_texture_formats; ++i)
    if (info.texture_formats[i] == format) return true;
  return false;
}

// The picture keeps 4:3 and whole-number scaling where the output allows it,
// centred with black bars.
SDL_Rect Placement(int outW, int outH, int w, int h) {
  SDL_Rect r;
  int k = outW / w < outH / h ? outW / w : outH / h;
  if (k >= 1) {
    r.w = w * k;
    r.h = h * k;
  } else if (outW * h < outH * w) {
    r.w = outW;
    r.h = outW * h / w;
  } else {
    r.h = outH;
    r.w = outH * w / h;
  }
  r.x = (outW - r.w) / 2;
  r.y = (outH - r.h) / 2;
  return r;
}
}  // namespace

SdlDisplay::~SdlDisplay() {
  Close();
  if (renderer_) SDL_DestroyRenderer(renderer_);
}

bool SdlDisplay::Open(int width, int height, bool fullScreen, uint32_t* greenMask) {
  SDL_Window* win = window_->handle();
  if (!win || width <= 0 || height <= 0) return false;
  window_->SetFullScreen(fullScreen);
  if (!renderer_) {
    renderer_ = SDL_CreateRenderer(win, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    if (!renderer_) renderer_ = SDL_CreateRenderer(win, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer_) {
      Log("Error: SDL_CreateRenderer failed: %s\n", SDL_GetError());
      return false;
    }
  }
  if (texture_) SDL_DestroyTexture(texture_);
  // 565 unless the renderer only knows 555.
  uint32_t format = SDL_PIXELFORMAT_RGB565;
  if (!RendererTakes(renderer_, format) && RendererTakes(renderer_, SDL_PIXELFORMAT_RGB555))
    format = SDL_PIXELFORMAT_RGB555;
  texture_ = SDL_CreateTexture(renderer_, format, SDL_TEXTUREACCESS_STREAMING, width, height);
  if (!texture_) {
    Log("Error: SDL_CreateTexture failed: %s\n", SDL_GetError());
    return false;
  }
  // Whole multiples of square pixels, never blurred.
  SDL_SetTextureScaleMode(texture_, SDL_ScaleModeNearest);
  width_ = width;
  height_ = height;
  if (greenMask) *greenMask = format == SDL_PIXELFORMAT_RGB565 ? 0x07E0 : 0x03E0;
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  return true;
}

void SdlDisplay::Close() {
  if (texture_) SDL_DestroyTexture(texture_);
  texture_ = nullptr;
}

int SdlDisplay::Present(const uint16_t* pixels, int pitchPixels, int width, int height, bool) {
  if (!renderer_ || !texture_) return DDERR_SURFACELOST;
  if (width != width_ || height != height_ || !pixels) return DDERR_INVALIDPARAMS;
  if (SDL_UpdateTexture(texture_, nullptr, pixels, pitchPixels * 2) != 0) return DDERR_SURFACELOST;
  int outW = 0, outH = 0;
  if (SDL_GetRendererOutputSize(renderer_, &outW, &outH) != 0 || outW <= 0 || outH <= 0)
    return DDERR_GENERIC;
  SDL_Rect dst = Placement(outW, outH, width, height);
  window_->SetPicturePlacement(dst, width, height, outW, outH);
  SDL_RenderClear(renderer_);
  if (SDL_RenderCopy(renderer_, texture_, nullptr, &dst) != 0) return DDERR_GENERIC;
  // With vsync this waits for the retrace.
  SDL_RenderPresent(renderer_);
  return 0;
}

bool SdlDisplay::VideoMemory(uint32_t* total, uint32_t* free) {
  // Nothing to measure: every surface lives in our own memory.
  *total = 0;
  *free = 0;
  return true;
}

}  // namespace vx
