// Desktop icons (PNG, 32 to 256 pixels), written outside the archive tree
// to OUT/icons/ for packaging.
#include <cmath>
#include <string>

#include "art/art.h"

namespace vx::mkdata::art {

namespace {

void DrawIcon(Canvas& c) {
  cairo_t* cr = c.cr();
  double s = c.width() / 256.0;
  cairo_scale(cr, s, s);
  RoundRect(cr, 8, 8, 240, 240, 48);
  cairo_pattern_t* bg = cairo_pattern_create_linear(0, 8, 0, 248);
  AddStop(bg, 0, 0x1a1458);
  AddStop(bg, 0.55, 0x081838);
  AddStop(bg, 1, 0x04303c);
  cairo_set_source(cr, bg);
  cairo_fill(cr);
  cairo_pattern_destroy(bg);
  // Horizon glow.
  cairo_save(cr);
  RoundRect(cr, 8, 8, 240, 240, 48);
  cairo_clip(cr);
  cairo_pattern_t* hz = cairo_pattern_create_linear(0, 150, 0, 190);
  AddStop(hz, 0, 0x60f0ff, 0);
  AddStop(hz, 0.5, 0x60f0ff, 0.55);
  AddStop(hz, 1, 0x60f0ff, 0);
  cairo_rectangle(cr, 0, 150, 256, 40);
  cairo_set_source(cr, hz);
  cairo_fill(cr);
  cairo_pattern_destroy(hz);
  cairo_restore(cr);
  // The ball, glowing, above the ship.
  cairo_pattern_t* glow = cairo_pattern_create_radial(128, 100, 10, 128, 100, 80);
  AddStop(glow, 0, 0xff9030, 0.8);
  AddStop(glow, 1, 0xff5010, 0);
  Circle(cr, 128, 100, 80);
  cairo_set_source(cr, glow);
  cairo_fill(cr);
  cairo_pattern_destroy(glow);
  cairo_pattern_t* ball = cairo_pattern_create_radial(116, 86, 4, 128, 100, 40);
  AddStop(ball, 0, 0xffffff);
  AddStop(ball, 0.4, 0xffe070);
  AddStop(ball, 1, 0xff4010);
  Circle(cr, 128, 100, 40);
  cairo_set_source(cr, ball);
  cairo_fill(cr);
  cairo_pattern_destroy(ball);
  // The ship.
  RoundRect(cr, 40, 186, 176, 34, 17);
  cairo_pattern_t* hull = cairo_pattern_create_linear(0, 186, 0, 220);
  AddStop(hull, 0, 0xf4f8ff);
  AddStop(hull, 0.4, 0x9aa6c0);
  AddStop(hull, 1, 0x2a3250);
  cairo_set_source(cr, hull);
  cairo_fill(cr);
  cairo_pattern_destroy(hull);
  cairo_rectangle(cr, 60, 202, 136, 4);
  SetColor(cr, 0x40e8ff);
  cairo_fill(cr);
  RoundRect(cr, 8, 8, 240, 240, 48);
  cairo_set_line_width(cr, 6);
  SetColor(cr, 0x40e8ff);
  cairo_stroke(cr);
}

}  // namespace

void MakeIcons(Out& out) {
  for (int size : {32, 64, 128, 256}) {
    Canvas c(size, size);
    DrawIcon(c);
    out.Png("icons/velotrix-" + std::to_string(size) + ".png", c);
  }
}

}  // namespace vx::mkdata::art
