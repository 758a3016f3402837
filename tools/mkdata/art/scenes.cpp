#include "art/scenes.h"

#include <algorithm>
#include <cmath>

#include "art/noise.h"
#include "art/solids.h"
#include "common/rng.h"

namespace vx::mkdata::art {

namespace {
double Smooth(double a, double b, double v) {
  double t = std::clamp((v - a) / (b - a), 0.0, 1.0);
  return t * t * (3 - 2 * t);
}
}  // namespace

void DrawScene(Canvas& c, const SceneStyle& s) {
  Noise neb(s.seed), neb2(s.seed + 1), wave(s.seed + 2);
  int w = c.width(), h = c.height();
  cairo_surface_flush(c.surface());
  uint8_t* data = cairo_image_surface_get_data(c.surface());
  int stride = cairo_image_surface_get_stride(c.surface());
  for (int y = 0; y < h; ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(data + size_t(y) * stride);
    for (int x = 0; x < w; ++x) {
      uint32_t col;
      double dy = y + 0.5 - s.horizon;
      if (dy < 0) {
        // Sky: deep blue turning violet towards the horizon, with nebulae.
        double t = std::clamp(1 + dy / std::max(60.0, s.horizon), 0.0, 1.0);
        col = Mix(0x03040e, 0x1c1450, t * t);
        double n = neb.Fbm(x / 90.0, y / 70.0, 5, 0.55);
        double m = neb2.Fbm(x / 60.0 + 7, y / 60.0, 4, 0.5);
        col = Mix(col, 0x4a1a78, Smooth(0.5, 0.8, n) * 0.55);
        col = Mix(col, 0x1a4a90, Smooth(0.55, 0.85, m) * 0.4);
        double band = std::exp(dy / 9.0);
        col = Mix(col, 0x60f0ff, band * 0.75);
      } else {
        // Sea: perspective ripples lit by the horizon and glowing plankton.
        double d = std::max(0.5, dy);
        double X = (x + 0.5 - s.vanishX) / d * 60.0, Z = 3000.0 / d;
        double r = wave.Fbm(X / 26.0, Z / 7.0, 4, 0.5);
        double r2 = wave.Fbm(X / 11.0 + 40, Z / 3.0, 3, 0.5);
        double near = std::clamp(d / (h - s.horizon), 0.0, 1.0);
        col = Mix(0x082e48, 0x020c14, std::pow(near, 0.6));
        double sheen = std::exp(-d / 12.0);
        col = Mix(col, 0x58e8ff, sheen * 0.8 * s.seaGlow);
        double ridge = std::pow(std::clamp(1 - std::fabs(r - r2) * 5, 0.0, 1.0), 6);
        col = Mix(col, 0x30c8d8, ridge * (0.06 + 0.16 * (1 - near)) * s.seaGlow);
        col = Mix(col, 0x000000, 0.25 * Smooth(0.55, 0.75, r));
      }
      row[x] = 0xff000000u | col;
    }
  }
  cairo_surface_mark_dirty(c.surface());
  cairo_t* cr = c.cr();
  // Glowing plankton on the water, larger nearer the viewer.
  Rng sea(s.seed * 7 + 3);
  for (int i = 0; i < 160; ++i) {
    double near = sea.Unit();
    double y = s.horizon + 4 + near * near * (h - s.horizon - 4);
    double x = sea.Below(w) + 0.5;
    double size = 0.4 + 1.6 * (y - s.horizon) / (h - s.horizon);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, 2.2 * size, size);
    Circle(cr, 0, 0, 1);
    cairo_restore(cr);
    SetColor(cr, sea.Below(3) ? 0x80fff0 : 0xc0a0ff, (0.3 + 0.5 * sea.Unit()) * s.seaGlow);
    cairo_fill(cr);
  }
  // Stars, thinning towards the horizon.
  Rng rng(s.seed * 13 + 5);
  int count = int(w * s.horizon / 450);
  for (int i = 0; i < count; ++i) {
    double x = rng.Below(w) + 0.5, y = rng.Unit() * rng.Unit() * (s.horizon - 8) + 0.5;
    double b = rng.Unit();
    b = b * b * b;
    Circle(cr, x, y, 0.45 + 1.1 * b);
    SetColor(cr, rng.Below(4) ? 0xffffff : rng.Below(2) ? 0xffe0b0 : 0xb0d0ff, 0.35 + 0.65 * rng.Unit());
    cairo_fill(cr);
    if (b > 0.55) {
      cairo_set_line_width(cr, 1);
      SetColor(cr, 0xd0e8ff, 0.4);
      cairo_move_to(cr, x - 4, y);
      cairo_line_to(cr, x + 4, y);
      cairo_move_to(cr, x, y - 4);
      cairo_line_to(cr, x, y + 4);
      cairo_stroke(cr);
    }
  }
}

void DrawHorizonPlanet(Canvas& c, const SceneStyle& s, double cx, double radius, uint32_t light, uint32_t dark) {
  cairo_t* cr = c.cr();
  double cy = s.horizon + radius * 0.35;
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, c.width(), s.horizon);
  cairo_clip(cr);
  Glow(
      c, [&](cairo_t* g) { Circle(g, cx, cy, radius); }, light, 6, 14, 0.5);
  Noise bands(s.seed + 9);
  SphereStyle sphere{radius, 0.6, -0.3, Mix(light, 0xffffff, 0.3), 0.1};
  SurfaceFn surface = [&](double lon, double lat) {
    double w = GlobeNoise(bands, lon, lat, 6, 4) - 0.5;
    double b = 0.5 + 0.5 * std::sin((lat + w * 0.3) * 11);
    return Mix(dark, light, 0.25 + 0.75 * b);
  };
  int size = int(radius * 2.4);
  PixelPatch(cr, cx - size / 2.0, cy - size / 2.0, size, size,
             [&](double x, double y) { return SpherePixel(sphere, surface, x, y); });
  cairo_restore(cr);
  // Its reflection: a soft column of light on the water.
  cairo_save(cr);
  cairo_rectangle(cr, 0, s.horizon, c.width(), c.height() - s.horizon);
  cairo_clip(cr);
  cairo_pattern_t* r = cairo_pattern_create_linear(0, s.horizon, 0, s.horizon + radius * 1.5);
  AddStop(r, 0, light, 0.45);
  AddStop(r, 1, light, 0);
  cairo_save(cr);
  cairo_translate(cr, cx, s.horizon);
  cairo_scale(cr, radius * 0.8, radius * 1.5);
  Circle(cr, 0, 0, 1);
  cairo_restore(cr);
  cairo_set_source(cr, r);
  cairo_fill(cr);
  cairo_pattern_destroy(r);
  cairo_restore(cr);
}

void DrawShipHull(cairo_t* cr, uint32_t shine, uint32_t upper) {
  cairo_pattern_t* hull = cairo_pattern_create_linear(0, 0, 0, 20);
  AddStop(hull, 0, shine);
  AddStop(hull, 0.3, upper);
  AddStop(hull, 0.7, 0x4a5470);
  AddStop(hull, 1, 0x1a2034);
  cairo_move_to(cr, 12, 1);
  cairo_line_to(cr, 68, 1);
  cairo_curve_to(cr, 74, 1, 76, 7, 76, 12);
  cairo_line_to(cr, 67, 18);
  cairo_line_to(cr, 13, 18);
  cairo_line_to(cr, 4, 12);
  cairo_curve_to(cr, 4, 7, 6, 1, 12, 1);
  cairo_close_path(cr);
  cairo_set_source(cr, hull);
  cairo_fill(cr);
  cairo_pattern_destroy(hull);
  cairo_rectangle(cr, 14, 10, 52, 1.5);
  SetColor(cr, 0x60f0ff);
  cairo_fill(cr);
}

}  // namespace vx::mkdata::art
