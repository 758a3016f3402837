// The ending's own scene, "Ending.tga" (640 x 480): dawn over the calm sea
// after the last guardian. The night still holds the left of the sky, where
// the closing text scrolls behind a pane of dark glass; on the right a golden
// planet rises, the guardian's light falls as a shower of coins, the hundred
// worlds shine in the sky, and the ship turns home along the glowing water.
#include <algorithm>
#include <cmath>

#include "art/art.h"
#include "art/scenes.h"
#include "common/rng.h"

namespace vx::mkdata::art {

namespace {

constexpr double kHorizon = 292;
constexpr double kSunX = 566, kSunRadius = 60;
// The pane behind the text: the text is drawn at x 10 from y 50 down.
constexpr double kPaneX = 2, kPaneY = 44, kPaneW = 462, kPaneH = 432;

// Warm light from the rising planet over the right of the sky and the sea.
void Dawn(Canvas& c) {
  cairo_t* cr = c.cr();
  cairo_pattern_t* sky = cairo_pattern_create_radial(kSunX, kHorizon, 10, kSunX, kHorizon, 430);
  AddStop(sky, 0, 0xffd890, 0.85);
  AddStop(sky, 0.25, 0xff8a60, 0.55);
  AddStop(sky, 0.55, 0xb04090, 0.3);
  AddStop(sky, 1, 0x2a1050, 0);
  cairo_save(cr);
  cairo_rectangle(cr, 0, 0, c.width(), kHorizon);
  cairo_clip(cr);
  cairo_set_source(cr, sky);
  cairo_paint(cr);
  cairo_restore(cr);
  cairo_pattern_destroy(sky);
  // A thin bright line where the sky meets the water.
  cairo_pattern_t* line = cairo_pattern_create_linear(0, 0, c.width(), 0);
  AddStop(line, 0, 0xffe0a0, 0);
  AddStop(line, 0.78, 0xffe0a0, 0.9);
  AddStop(line, 1, 0xffe0a0, 0.2);
  cairo_rectangle(cr, 0, kHorizon - 1, c.width(), 2);
  cairo_set_source(cr, line);
  cairo_fill(cr);
  cairo_pattern_destroy(line);
}

// The hundred worlds, small and lit, across the sky.
void Worlds(Canvas& c) {
  cairo_t* cr = c.cr();
  Rng rng(1207);
  const uint32_t hues[] = {0x7ae0ff, 0xff9ad8, 0xa0ff9a, 0xffd070, 0xb89aff, 0xff8a70};
  for (int i = 0; i < 100; ++i) {
    const double x = rng.Below(640) + 0.5;
    const double y = 8 + rng.Unit() * rng.Unit() * (kHorizon - 40);
    const double r = 0.8 + 2.4 * std::pow(rng.Unit(), 3);
    const uint32_t hue = hues[rng.Below(6)];
    if (r > 1.8)
      Glow(
          c, [&](cairo_t* g) { Circle(g, x, y, r); }, hue, 0, 4, 0.7);
    cairo_pattern_t* g = cairo_pattern_create_radial(x - r * 0.4, y - r * 0.4, 0.1, x, y, r);
    AddStop(g, 0, 0xffffff);
    AddStop(g, 0.5, hue);
    AddStop(g, 1, Scale(hue, 0.4));
    Circle(cr, x, y, r);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
  }
}

// The guardian's light scattering like a shower of coins over the sea.
void CoinShower(Canvas& c) {
  cairo_t* cr = c.cr();
  Rng rng(77);
  for (int i = 0; i < 46; ++i) {
    const double t = rng.Unit();
    const double x = 590 + 40 * std::sin(i * 1.7) * t - 90 * t + rng.Unit() * 30;
    const double y = 40 + t * 230 + rng.Unit() * 20;
    const double r = 1.2 + 2.6 * rng.Unit() * (1 - 0.5 * t);
    Glow(
        c,
        [&](cairo_t* g) {
          cairo_move_to(g, x + 3, y - 9);
          cairo_line_to(g, x, y);
        },
        0xffc83c, 1.5, 3, 0.45);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, r * (0.35 + 0.65 * std::fabs(std::cos(i * 0.9))), r);
    Circle(cr, 0, 0, 1);
    cairo_restore(cr);
    SetColor(cr, i % 3 ? 0xffd860 : 0xfff4c0);
    cairo_fill(cr);
  }
}

// The ship on the water, small with distance, its engines and a long wake
// of light behind it.
void ShipHome(Canvas& c) {
  cairo_t* cr = c.cr();
  const double x = 600, y = 392, s = 0.7;
  Glow(
      c,
      [&](cairo_t* g) {
        cairo_move_to(g, x + 22 * s, y + 16 * s);
        cairo_curve_to(g, x - 30, y + 40, x - 140, y + 70, x - 300, y + 126);
      },
      0x60f0ff, 3, 6, 0.7);
  cairo_set_line_width(cr, 1.2);
  SetColor(cr, 0xd8fcff, 0.8);
  cairo_move_to(cr, x + 22 * s, y + 16 * s);
  cairo_curve_to(cr, x - 30, y + 40, x - 140, y + 70, x - 300, y + 126);
  cairo_stroke(cr);
  cairo_save(cr);
  cairo_translate(cr, x - 40 * s, y);
  cairo_scale(cr, s, s);
  DrawShipHull(cr, 0xfff4e0, 0xc0b8c0);
  cairo_restore(cr);
  for (int e = 0; e < 2; ++e)
    Glow(
        c, [&](cairo_t* g) { Circle(g, x - 40 * s + (e ? 72 : 8) * s, y + 10 * s, 3); }, 0x60f0ff,
        0, 5, 1.0);
}

// Dark glass under the closing text, with the violet rim of the game's panels.
void Pane(Canvas& c) {
  cairo_t* cr = c.cr();
  RoundRect(cr, kPaneX + 0.5, kPaneY + 0.5, kPaneW, kPaneH, 12);
  cairo_pattern_t* g = cairo_pattern_create_linear(kPaneX, 0, kPaneX + kPaneW, 0);
  AddStop(g, 0, 0x03050e, 0.82);
  AddStop(g, 0.85, 0x060a1a, 0.72);
  AddStop(g, 1, 0x0a0e24, 0.6);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  cairo_set_line_width(cr, 1.5);
  SetColor(cr, color::kViolet, 0.8);
  cairo_stroke(cr);
  RoundRect(cr, kPaneX + 4.5, kPaneY + 4.5, kPaneW - 8, kPaneH - 8, 9);
  cairo_set_line_width(cr, 1);
  SetColor(cr, color::kCyan, 0.25);
  cairo_stroke(cr);
}

}  // namespace

void MakeEnding(Out& out) {
  Canvas c(640, 480);
  SceneStyle style{kHorizon, kSunX, 31, 0.8};
  DrawScene(c, style);
  Dawn(c);
  Worlds(c);
  DrawHorizonPlanet(c, style, kSunX, kSunRadius, 0xffc860, 0xd04a20);
  CoinShower(c);
  ShipHome(c);
  Pane(c);
  out.Tga("Ending.tga", c.Export(Key::kNone));
}

}  // namespace vx::mkdata::art
