// Cairo drawing helpers shared by every picture of the art set, and the
// conversion of a drawing into the keyed pixels the game's sprites expect.
#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>

#include "common/image.h"

namespace vx::mkdata::art {

// How transparent parts of a drawing end up in the file.
enum class Key {
  kNone,     // composited over black; every pixel is kept
  kBlack,    // sprites: transparent pixels become black (0), the sprites' colour key
  kMagenta,  // screen overlays keyed on (255, 0, 255)
};

class Canvas {
 public:
  Canvas(int w, int h);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  cairo_t* cr() const { return cr_; }
  cairo_surface_t* surface() const { return surface_; }
  int width() const { return w_; }
  int height() const { return h_; }

  // Pixels with less than minAlpha (0..255) coverage become the key.
  Image Export(Key key, int minAlpha = 48) const;
  // Draws another canvas at (x, y) with the given opacity.
  void Paint(const Canvas& src, double x, double y, double alpha = 1.0);
  // Box-blurs the whole canvas (three passes approximate a Gaussian).
  void Blur(int radius);
  void Clear();
  // Debug preview, for looking at a picture while working on it.
  void SavePng(const std::string& path) const;

 private:
  int w_, h_;
  cairo_surface_t* surface_;
  cairo_t* cr_;
};

// An Image back into a canvas (to draw sprites into other pictures).
void PaintImage(cairo_t* cr, const Image& img, double x, double y, bool blackIsClear, double alpha = 1.0);

// Colours are 0xRRGGBB.
void SetColor(cairo_t* cr, uint32_t rgb, double alpha = 1.0);
uint32_t Mix(uint32_t a, uint32_t b, double t);
uint32_t Scale(uint32_t rgb, double k);
uint32_t Hsv(double h, double s, double v);  // h in degrees

void RoundRect(cairo_t* cr, double x, double y, double w, double h, double r);
void Circle(cairo_t* cr, double x, double y, double r);
void AddStop(cairo_pattern_t* p, double at, uint32_t rgb, double alpha = 1.0);

// Fills the current path with a soft glow by drawing it blurred on a scratch
// layer: the path is rebuilt by the callback.
template <typename PathFn>
void Glow(Canvas& target, PathFn path, uint32_t rgb, double width, int blur, double alpha = 1.0);

// Text in the Play font (bold or regular) at size px.
void UseFont(cairo_t* cr, bool bold, double size);
double TextWidth(cairo_t* cr, const std::string& text);
// Draws text with its baseline at y, centred on cx.
void TextCentered(cairo_t* cr, const std::string& text, double cx, double y);
// A path of the text (for outlines and gradient fills), baseline at y, centred on cx.
void TextPathCentered(cairo_t* cr, const std::string& text, double cx, double y);

// A metallic neon label: gradient body, dark outline and a glow of the given
// colour (a negative glowAlpha draws a hard rim instead, for keyed sprites).
void NeonText(Canvas& c, const std::string& text, double cx, double y, double size, uint32_t top,
              uint32_t bottom, uint32_t glow, double glowAlpha = 0.8);

// Implementation of the template above.
template <typename PathFn>
void Glow(Canvas& target, PathFn path, uint32_t rgb, double width, int blur, double alpha) {
  Canvas layer(target.width(), target.height());
  cairo_t* cr = layer.cr();
  path(cr);
  SetColor(cr, rgb);
  if (width > 0) {
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
  } else {
    cairo_fill(cr);
  }
  layer.Blur(blur);
  target.Paint(layer, 0, 0, alpha);
}

}  // namespace vx::mkdata::art
