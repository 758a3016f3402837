// "Blocks.tga": 128 blocks of 32 x 16, image n at ((n / 16) * 32, (n % 16) * 16).
// Levels pick their looks from 1..41, a family of bevelled neon and metal
// blocks in ten hues; the rest are variants (cracked, armoured, special).
#include <algorithm>
#include <cmath>

#include "art/art.h"
#include "art/noise.h"
#include "common/rng.h"

namespace vx::mkdata::art {

namespace {

constexpr double kHues[10] = {355, 26, 48, 86, 135, 168, 192, 222, 272, 318};

void Bevel(cairo_t* cr, double x, double y, double w, double h, double light, double dark) {
  cairo_set_line_width(cr, 1);
  cairo_set_source_rgba(cr, 1, 1, 1, light);
  cairo_move_to(cr, x + 1, y + h - 1.5);
  cairo_line_to(cr, x + 1.5, y + 1.5);
  cairo_line_to(cr, x + w - 1.5, y + 1.5);
  cairo_stroke(cr);
  cairo_set_source_rgba(cr, 0, 0, 0, dark);
  cairo_move_to(cr, x + w - 1.5, y + 2);
  cairo_line_to(cr, x + w - 1.5, y + h - 1.5);
  cairo_line_to(cr, x + 2, y + h - 1.5);
  cairo_stroke(cr);
}

void Outline(cairo_t* cr, double x, double y, double w, double h, uint32_t rgb) {
  cairo_set_line_width(cr, 1);
  SetColor(cr, rgb);
  cairo_rectangle(cr, x + 0.5, y + 0.5, w - 1, h - 1);
  cairo_stroke(cr);
}

// Glossy candy gem.
void Gem(cairo_t* cr, double x, double y, double hue, double dim) {
  cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + 16);
  AddStop(g, 0, Hsv(hue, 0.35, 1.0 * dim));
  AddStop(g, 0.45, Hsv(hue, 0.85, 0.95 * dim));
  AddStop(g, 0.55, Hsv(hue, 0.95, 0.78 * dim));
  AddStop(g, 1, Hsv(hue, 1.0, 0.5 * dim));
  cairo_rectangle(cr, x, y, 32, 16);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  // Specular band on the upper half.
  cairo_save(cr);
  cairo_rectangle(cr, x + 2, y + 2, 28, 12);
  cairo_clip(cr);
  cairo_translate(cr, x + 16, y + 3.5);
  cairo_scale(cr, 14, 3.2);
  Circle(cr, 0, 0, 1);
  cairo_restore(cr);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
  cairo_fill(cr);
  Bevel(cr, x, y, 32, 16, 0.75, 0.45);
  Outline(cr, x, y, 32, 16, Hsv(hue, 1.0, 0.28 * dim));
}

// Brushed steel with a glowing inset strip and rivets.
void Metal(cairo_t* cr, double x, double y, double hue, double dim) {
  cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + 16);
  AddStop(g, 0, Scale(0xdce4f0, dim));
  AddStop(g, 0.5, Scale(0x8a94a8, dim));
  AddStop(g, 1, Scale(0x4a5266, dim));
  cairo_rectangle(cr, x, y, 32, 16);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  // Recess and the neon strip inside it.
  cairo_rectangle(cr, x + 6, y + 5, 20, 6);
  SetColor(cr, Scale(0x1a1e2a, dim));
  cairo_fill(cr);
  cairo_pattern_t* s = cairo_pattern_create_linear(0, y + 6, 0, y + 10);
  AddStop(s, 0, Hsv(hue, 0.3, 1.0 * dim));
  AddStop(s, 0.5, Hsv(hue, 0.9, 1.0 * dim));
  AddStop(s, 1, Hsv(hue, 1.0, 0.6 * dim));
  cairo_rectangle(cr, x + 7, y + 6, 18, 4);
  cairo_set_source(cr, s);
  cairo_fill(cr);
  cairo_pattern_destroy(s);
  for (int i = 0; i < 2; ++i) {
    double rx = x + (i ? 28.5 : 3.5);
    Circle(cr, rx, y + 8, 1.3);
    SetColor(cr, Scale(0x323848, dim));
    cairo_fill(cr);
    cairo_rectangle(cr, rx - 0.5, y + 7, 1, 1);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.6);
    cairo_fill(cr);
  }
  Bevel(cr, x, y, 32, 16, 0.8, 0.5);
  Outline(cr, x, y, 32, 16, Scale(0x20242e, dim));
}

// Dark glass with a neon rim and a lit core.
void Glass(cairo_t* cr, double x, double y, double hue, double dim) {
  cairo_rectangle(cr, x, y, 32, 16);
  SetColor(cr, Hsv(hue, 0.85, 0.3 * dim));
  cairo_fill(cr);
  cairo_pattern_t* core = cairo_pattern_create_radial(x + 16, y + 8, 1, x + 16, y + 8, 15);
  AddStop(core, 0, Hsv(hue, 0.25, 1.0 * dim), 1.0);
  AddStop(core, 0.5, Hsv(hue, 0.8, 0.95 * dim), 0.6);
  AddStop(core, 1, Hsv(hue, 1, 0.4 * dim), 0);
  cairo_save(cr);
  cairo_translate(cr, 0, y + 8);
  cairo_scale(cr, 1, 0.55);
  cairo_translate(cr, 0, -(y + 8));
  cairo_rectangle(cr, x, y - 8, 32, 32);
  cairo_set_source(cr, core);
  cairo_fill(cr);
  cairo_restore(cr);
  cairo_pattern_destroy(core);
  cairo_set_line_width(cr, 1.6);
  SetColor(cr, Hsv(hue, 0.65, 1.0 * dim));
  cairo_rectangle(cr, x + 1.3, y + 1.3, 29.4, 13.4);
  cairo_stroke(cr);
  // Glass sheen.
  cairo_move_to(cr, x + 4, y + 14);
  cairo_line_to(cr, x + 12, y + 2);
  cairo_line_to(cr, x + 16, y + 2);
  cairo_line_to(cr, x + 8, y + 14);
  cairo_close_path(cr);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.22);
  cairo_fill(cr);
  Outline(cr, x, y, 32, 16, Hsv(hue, 1.0, 0.25 * dim));
}

// A cut crystal seen from above: facets around a table.
void Crystal(cairo_t* cr, double x, double y, double hue, double dim) {
  struct Facet {
    double pts[8];
    double v;
  };
  const double L = x, R = x + 32, T = y, B = y + 16;
  const double il = x + 8, ir = x + 24, it = y + 5, ib = y + 11;
  Facet f[] = {
      {{L, T, R, T, ir, it, il, it}, 1.0},    // top
      {{R, T, R, B, ir, ib, ir, it}, 0.62},   // right
      {{R, B, L, B, il, ib, ir, ib}, 0.45},   // bottom
      {{L, B, L, T, il, it, il, ib}, 0.8},    // left
      {{il, it, ir, it, ir, ib, il, ib}, 0.88},  // table
  };
  for (const Facet& fc : f) {
    cairo_move_to(cr, fc.pts[0], fc.pts[1]);
    for (int i = 2; i < 8; i += 2) cairo_line_to(cr, fc.pts[i], fc.pts[i + 1]);
    cairo_close_path(cr);
    SetColor(cr, Hsv(hue, 0.75 - 0.3 * (fc.v - 0.45), fc.v * dim));
    cairo_fill(cr);
  }
  cairo_rectangle(cr, il + 2, it + 1, 5, 2);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.6);
  cairo_fill(cr);
  Outline(cr, x, y, 32, 16, Hsv(hue, 1.0, 0.3 * dim));
}

void Chrome(cairo_t* cr, double x, double y, double dim) {
  cairo_pattern_t* g = cairo_pattern_create_linear(x, y, x + 10, y + 20);
  AddStop(g, 0, Scale(0xffffff, dim));
  AddStop(g, 0.35, Scale(0x9098b0, dim));
  AddStop(g, 0.5, Scale(0x303850, dim));
  AddStop(g, 0.56, Scale(0xc8d8ff, dim));
  AddStop(g, 1, Scale(0x707890, dim));
  cairo_rectangle(cr, x, y, 32, 16);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  Bevel(cr, x, y, 32, 16, 0.9, 0.5);
  Outline(cr, x, y, 32, 16, 0x181c28);
}

// Heavy armour plate with hazard stripes.
void Hazard(cairo_t* cr, double x, double y, double hue) {
  cairo_rectangle(cr, x, y, 32, 16);
  SetColor(cr, 0x2a2e38);
  cairo_fill(cr);
  cairo_save(cr);
  cairo_rectangle(cr, x + 2, y + 3, 28, 10);
  cairo_clip(cr);
  for (int i = -2; i < 8; ++i) {
    double sx = x + i * 6;
    cairo_move_to(cr, sx, y + 13);
    cairo_line_to(cr, sx + 3, y + 13);
    cairo_line_to(cr, sx + 13, y + 3);
    cairo_line_to(cr, sx + 10, y + 3);
    cairo_close_path(cr);
  }
  SetColor(cr, Hsv(hue, 0.85, 0.95));
  cairo_fill(cr);
  cairo_restore(cr);
  Bevel(cr, x, y, 32, 16, 0.5, 0.6);
  Outline(cr, x, y, 32, 16, 0x101218);
}

// Dark tech plate with a lit hexagon pattern.
void HexTech(cairo_t* cr, double x, double y, double hue) {
  cairo_rectangle(cr, x, y, 32, 16);
  SetColor(cr, Hsv(hue, 0.6, 0.16));
  cairo_fill(cr);
  cairo_set_line_width(cr, 1);
  for (int col = 0; col < 5; ++col) {
    for (int row = 0; row < 3; ++row) {
      double cx = x + 4 + col * 6.5, cy = y + 3 + row * 5 + (col % 2) * 2.5;
      cairo_new_sub_path(cr);
      for (int k = 0; k < 6; ++k) {
        double a = M_PI / 3 * k;
        cairo_line_to(cr, cx + 2.6 * std::cos(a), cy + 2.6 * std::sin(a));
      }
      cairo_close_path(cr);
    }
  }
  SetColor(cr, Hsv(hue, 0.7, 0.85), 0.8);
  cairo_stroke(cr);
  Bevel(cr, x, y, 32, 16, 0.35, 0.6);
  Outline(cr, x, y, 32, 16, Hsv(hue, 1, 0.5));
}

void Cracks(cairo_t* cr, double x, double y, int seed) {
  Rng rng(uint64_t(seed) * 7919 + 17);
  cairo_set_line_width(cr, 1);
  for (int c = 0; c < 2; ++c) {
    double px = x + 8 + rng.Below(16), py = y + 2 + rng.Below(12);
    cairo_move_to(cr, px, py);
    for (int s = 0; s < 4; ++s) {
      px += rng.Range(-6, 6);
      py += rng.Range(-4, 4);
      cairo_line_to(cr, std::clamp(px, x + 1, x + 31), std::clamp(py, y + 1, y + 15));
    }
  }
  cairo_set_source_rgba(cr, 0.02, 0.02, 0.05, 0.75);
  cairo_stroke_preserve(cr);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.25);
  cairo_set_line_width(cr, 0.5);
  cairo_stroke(cr);
}

// Specials: steel, gold bar, ice, lava, rock, circuit.
void Special(cairo_t* cr, double x, double y, int kind, Noise& noise) {
  uint32_t a = 0, b = 0;
  switch (kind % 6) {
    case 0: a = 0xb0b8c8, b = 0x505868; break;
    case 1: a = 0xfff0a0, b = 0xb07810; break;
    case 2: a = 0xe0fcff, b = 0x60b8e0; break;
    case 3: a = 0xffd040, b = 0xc02008; break;
    case 4: a = 0x9a8878, b = 0x3c3430; break;
    default: a = 0x40ffa0, b = 0x0a3020; break;
  }
  for (int py = 0; py < 16; ++py) {
    for (int px = 0; px < 32; ++px) {
      double n = noise.Fbm((x + px) / 6.0 + kind * 13, (y + py) / 6.0, 3);
      double t = 0.35 * (py / 15.0) + 0.65 * (kind % 6 == 3 ? (n > 0.55 ? 0.1 : 0.9) : n);
      uint32_t c = Mix(a, b, std::clamp(t, 0.0, 1.0));
      cairo_rectangle(cr, x + px, y + py, 1, 1);
      SetColor(cr, c);
      cairo_fill(cr);
    }
  }
  Bevel(cr, x, y, 32, 16, 0.6, 0.5);
  Outline(cr, x, y, 32, 16, Scale(b, 0.4));
}

void SteelPlate(cairo_t* cr, double x, double y) {
  Metal(cr, x, y, 210, 0.8);
  cairo_rectangle(cr, x + 6, y + 5, 20, 6);
  SetColor(cr, 0x50586c);
  cairo_fill(cr);
  cairo_set_line_width(cr, 1);
  for (int i = 0; i < 5; ++i) {
    cairo_move_to(cr, x + 7 + i * 4, y + 11);
    cairo_line_to(cr, x + 10 + i * 4, y + 5);
  }
  SetColor(cr, 0x2a2e3a);
  cairo_stroke(cr);
}

}  // namespace

void DrawBlockImage(cairo_t* cr, int n, double x, double y) {
  static Noise noise(4242);
  if (n == 0) {
    SteelPlate(cr, x, y);
  } else if (n <= 40) {
    int style = (n - 1) / 10, hue = (n - 1) % 10;
    switch (style) {
      case 0: Gem(cr, x, y, kHues[hue], 1.0); break;
      case 1: Metal(cr, x, y, kHues[hue], 1.0); break;
      case 2: Glass(cr, x, y, kHues[hue], 1.0); break;
      default: Crystal(cr, x, y, kHues[hue], 1.0); break;
    }
  } else if (n == 41) {
    Chrome(cr, x, y, 1.0);
  } else if (n <= 81) {
    DrawBlockImage(cr, n - 41, x, y);
    Cracks(cr, x, y, n);
  } else if (n <= 91) {
    Hazard(cr, x, y, kHues[n - 82]);
  } else if (n <= 101) {
    HexTech(cr, x, y, kHues[n - 92]);
  } else if (n <= 111) {
    Gem(cr, x, y, kHues[n - 102], 0.6);
  } else {
    Special(cr, x, y, n - 112, noise);
  }
}

void MakeBlocks(Out& out) {
  Canvas c(256, 256);
  for (int n = 0; n < 128; ++n) DrawBlockImage(c.cr(), n, (n / 16) * 32, (n % 16) * 16);
  out.Tga("Blocks.tga", c.Export(Key::kBlack));
}

}  // namespace vx::mkdata::art
