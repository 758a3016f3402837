// Background tile sets: "BackTiles\Tiles.ini" and one 640 x 320 image per
// set holding 32 tiles of 80 x 80. The game picks every tile on its own by
// frequency, so all tiles of a set share their borders (a texture that
// repeats every 80 pixels) and vary only inside, fading out towards the edges.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "art/art.h"
#include "art/noise.h"
#include "common/rng.h"

namespace vx::mkdata::art {

namespace {

constexpr int kTile = 80;

// 0 at the tile's border, 1 in its middle.
double Mask(int x, int y, double power = 0.7) {
  double m = std::sin(M_PI * (x + 0.5) / kTile) * std::sin(M_PI * (y + 0.5) / kTile);
  return std::pow(std::max(0.0, m), power);
}

double Smooth(double a, double b, double v) {
  double t = std::clamp((v - a) / (b - a), 0.0, 1.0);
  return t * t * (3 - 2 * t);
}

template <typename F>
void FillTile(Canvas& c, int tile, F f) {
  cairo_surface_flush(c.surface());
  uint8_t* data = cairo_image_surface_get_data(c.surface());
  int stride = cairo_image_surface_get_stride(c.surface());
  int ox = (tile % 8) * kTile, oy = (tile / 8) * kTile;
  for (int y = 0; y < kTile; ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(data + size_t(oy + y) * stride) + ox;
    for (int x = 0; x < kTile; ++x) row[x] = 0xff000000u | f(x, y);
  }
  cairo_surface_mark_dirty(c.surface());
}

// Stars inside the tile, kept off its edges.
void Stars(cairo_t* cr, int ox, int oy, Rng& rng, int count, double bright) {
  for (int i = 0; i < count; ++i) {
    double x = ox + 3 + rng.Below(kTile - 6) + 0.5, y = oy + 3 + rng.Below(kTile - 6) + 0.5;
    double b = rng.Unit();
    b = b * b * bright;
    uint32_t tint = rng.Below(4) == 0 ? 0xffd8a0 : rng.Below(3) == 0 ? 0xa0c8ff : 0xffffff;
    Circle(cr, x, y, 0.5 + b * 0.9);
    SetColor(cr, tint, 0.35 + 0.65 * b);
    cairo_fill(cr);
    if (b > 0.75 * bright && rng.Below(2) == 0) {
      cairo_set_line_width(cr, 1);
      SetColor(cr, tint, 0.35);
      cairo_move_to(cr, x - 3, y);
      cairo_line_to(cr, x + 3, y);
      cairo_move_to(cr, x, y - 3);
      cairo_line_to(cr, x, y + 3);
      cairo_stroke(cr);
    }
  }
}

struct SetResult {
  int freq[32];
};

// Deep space with violet and blue nebulae.
SetResult Nebula(Canvas& c) {
  Noise base(11), cloud(12);
  Rng rng(100);
  SetResult r{};
  for (int t = 0; t < 32; ++t) {
    // Tiles 0..9 are plain space, the others carry clouds of rising strength.
    double strength = t < 10 ? 0.0 : 0.35 + 0.65 * ((t * 7) % 22) / 21.0;
    double hue = t % 3 == 0 ? 285 : t % 3 == 1 ? 240 : 320;
    FillTile(c, t, [&](int x, int y) {
      double b = base.Fbm(x / 10.0, y / 10.0, 3, 0.5, 8);
      uint32_t col = Mix(0x060a1e, 0x0c1030, Smooth(0.3, 0.8, b));
      if (strength > 0) {
        double n = cloud.Fbm(x / 26.0 + t * 5.3, y / 26.0 + t * 3.1, 5, 0.55);
        double v = Smooth(0.36, 0.72, n) * Mask(x, y, 0.45) * strength;
        double glow = Smooth(0.58, 0.86, n) * Mask(x, y, 0.9) * strength;
        col = Mix(col, Hsv(hue, 0.75, 0.40), v * 0.9);
        col = Mix(col, Hsv(hue - 30, 0.45, 0.66), glow * 0.55);
      }
      return col;
    });
    Stars(c.cr(), (t % 8) * kTile, (t / 8) * kTile, rng, 6 + rng.Below(8), t < 10 ? 0.8 : 1.0);
    r.freq[t] = t < 10 ? 9 : 3;
  }
  return r;
}

void Galaxy(cairo_t* cr, double cx, double cy, double size, double angle, uint32_t tint) {
  Canvas layer(kTile, kTile);
  cairo_t* l = layer.cr();
  cairo_translate(l, kTile / 2.0, kTile / 2.0);
  cairo_rotate(l, angle);
  cairo_scale(l, 1, 0.45);
  for (int arm = 0; arm < 2; ++arm) {
    for (int i = 0; i < 60; ++i) {
      double a = arm * M_PI + i * 0.09, rad = 2 + i * size / 70.0;
      Circle(l, rad * std::cos(a), rad * std::sin(a), 1.8 - i * 0.02);
      SetColor(l, Mix(0xffffff, tint, i / 60.0), 0.5 - i * 0.007);
      cairo_fill(l);
    }
  }
  cairo_pattern_t* core = cairo_pattern_create_radial(0, 0, 0, 0, 0, size * 0.35);
  AddStop(core, 0, 0xfff4e0, 1);
  AddStop(core, 1, tint, 0);
  cairo_set_source(l, core);
  Circle(l, 0, 0, size * 0.35);
  cairo_fill(l);
  cairo_pattern_destroy(core);
  layer.Blur(2);
  cairo_save(cr);
  cairo_set_source_surface(cr, layer.surface(), cx - kTile / 2.0, cy - kTile / 2.0);
  cairo_paint_with_alpha(cr, 0.85);
  cairo_restore(cr);
}

// Black starfield with clusters, galaxies and a ringed planet.
SetResult Starfield(Canvas& c) {
  Noise base(21);
  Rng rng(200);
  SetResult r{};
  for (int t = 0; t < 32; ++t) {
    FillTile(c, t, [&](int x, int y) {
      double b = base.Fbm(x / 40.0, y / 40.0, 3, 0.5, 2);
      return Mix(0x03040c, 0x0a0c20, Smooth(0.35, 0.9, b));
    });
    int ox = (t % 8) * kTile, oy = (t / 8) * kTile;
    cairo_t* cr = c.cr();
    cairo_save(cr);
    cairo_rectangle(cr, ox, oy, kTile, kTile);
    cairo_clip(cr);
    Stars(cr, ox, oy, rng, t < 12 ? 10 + rng.Below(10) : 6 + rng.Below(6), 1.0);
    if (t >= 12 && t < 16) {
      Galaxy(cr, ox + 40, oy + 40, 26 + t % 3 * 4, t * 0.7, t % 2 ? 0x9070ff : 0x60a8ff);
    } else if (t >= 16 && t < 20) {
      // A dense cluster.
      for (int i = 0; i < 40; ++i) {
        double a = rng.Range(0, 2 * M_PI), d = std::pow(rng.Unit(), 1.6) * 24;
        Circle(cr, ox + 40 + d * std::cos(a), oy + 40 + d * std::sin(a), 0.5 + rng.Unit() * 0.6);
        SetColor(cr, rng.Below(2) ? 0xfff0d0 : 0xd0e0ff, 0.4 + 0.6 * rng.Unit());
        cairo_fill(cr);
      }
    } else if (t == 20 || t == 21) {
      // A small ringed planet.
      double px = ox + 40, py = oy + 40;
      cairo_pattern_t* g = cairo_pattern_create_radial(px - 6, py - 6, 2, px, py, 16);
      AddStop(g, 0, t == 20 ? 0xe8c890 : 0x90d8e8);
      AddStop(g, 1, t == 20 ? 0x402010 : 0x103040);
      Circle(cr, px, py, 14);
      cairo_set_source(cr, g);
      cairo_fill(cr);
      cairo_pattern_destroy(g);
      cairo_save(cr);
      cairo_translate(cr, px, py);
      cairo_rotate(cr, -0.35);
      cairo_scale(cr, 1, 0.28);
      Circle(cr, 0, 0, 27);
      cairo_restore(cr);
      cairo_set_line_width(cr, 2.2);
      SetColor(cr, 0xd0c0a0, 0.7);
      cairo_stroke(cr);
    } else if (t >= 22 && t < 26) {
      // A bright star with a flare.
      double px = ox + 25 + rng.Below(30), py = oy + 25 + rng.Below(30);
      cairo_pattern_t* g = cairo_pattern_create_radial(px, py, 0, px, py, 12);
      AddStop(g, 0, 0xffffff, 1);
      AddStop(g, 0.2, 0xa0d0ff, 0.6);
      AddStop(g, 1, 0x4060ff, 0);
      Circle(cr, px, py, 12);
      cairo_set_source(cr, g);
      cairo_fill(cr);
      cairo_pattern_destroy(g);
      cairo_set_line_width(cr, 1);
      SetColor(cr, 0xc0e0ff, 0.5);
      cairo_move_to(cr, px - 18, py);
      cairo_line_to(cr, px + 18, py);
      cairo_move_to(cr, px, py - 18);
      cairo_line_to(cr, px, py + 18);
      cairo_stroke(cr);
    }
    cairo_restore(cr);
    r.freq[t] = t < 12 ? 10 : 2;
  }
  return r;
}

// Hull plating: every tile is a plate; seams fall on the tile borders.
SetResult Plates(Canvas& c) {
  Noise brush(31);
  Rng rng(300);
  SetResult r{};
  for (int t = 0; t < 32; ++t) {
    double tone = 0.85 + 0.15 * ((t * 5) % 7) / 6.0;
    FillTile(c, t, [&](int x, int y) {
      double s = brush.Fbm(x / 40.0, y / 2.0, 3, 0.5, 2);  // horizontal brushing
      uint32_t col = Mix(0x1c222e, 0x323a4c, 0.3 + 0.5 * s);
      col = Scale(col, tone * (1.0 - 0.18 * y / 80.0));
      if (x == 0 || y == 0) col = Mix(col, 0x6a768e, 0.7);
      if (x == 79 || y == 79) col = 0x0a0c12;
      if (x == 1 || y == 1) col = Mix(col, 0x4a5468, 0.5);
      return col;
    });
    int ox = (t % 8) * kTile, oy = (t / 8) * kTile;
    cairo_t* cr = c.cr();
    // Rivets in the corners of every plate.
    for (int i = 0; i < 4; ++i) {
      double rx = ox + (i % 2 ? 73.5 : 6.5), ry = oy + (i / 2 ? 73.5 : 6.5);
      Circle(cr, rx, ry, 2);
      SetColor(cr, 0x12151d);
      cairo_fill(cr);
      Circle(cr, rx - 0.5, ry - 0.5, 1.2);
      SetColor(cr, 0x6c7890);
      cairo_fill(cr);
    }
    int kind = t < 10 ? 0 : 1 + (t - 10) % 6;
    double cx = ox + 40, cy = oy + 40;
    switch (kind) {
      case 1:  // vent slots
        for (int i = 0; i < 5; ++i) {
          RoundRect(cr, ox + 18, oy + 20 + i * 9, 44, 4, 2);
          SetColor(cr, 0x07090e);
          cairo_fill(cr);
          cairo_rectangle(cr, ox + 19, oy + 24 + i * 9, 42, 1);
          SetColor(cr, 0x56607a, 0.7);
          cairo_fill(cr);
        }
        break;
      case 2: {  // round hatch with a lit ring
        Circle(cr, cx, cy, 24);
        SetColor(cr, 0x0c0e14);
        cairo_fill(cr);
        Circle(cr, cx, cy, 21);
        cairo_pattern_t* g = cairo_pattern_create_linear(cx - 20, cy - 20, cx + 20, cy + 20);
        AddStop(g, 0, 0x586480);
        AddStop(g, 1, 0x1c2230);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
        Circle(cr, cx, cy, 22.5);
        cairo_set_line_width(cr, 1.2);
        SetColor(cr, 0x30c8e8, 0.7);
        cairo_stroke(cr);
        for (int i = 0; i < 8; ++i) {
          double a = i * M_PI / 4;
          Circle(cr, cx + 17 * std::cos(a), cy + 17 * std::sin(a), 1.4);
          SetColor(cr, 0x10131a);
          cairo_fill(cr);
        }
        break;
      }
      case 3:  // hazard band
        cairo_save(cr);
        cairo_rectangle(cr, ox + 4, oy + 32, 72, 16);
        cairo_clip(cr);
        SetColor(cr, 0x2a2410);
        cairo_paint(cr);
        for (int i = -2; i < 10; ++i) {
          cairo_move_to(cr, ox + i * 10, oy + 48);
          cairo_line_to(cr, ox + i * 10 + 5, oy + 48);
          cairo_line_to(cr, ox + i * 10 + 21, oy + 32);
          cairo_line_to(cr, ox + i * 10 + 16, oy + 32);
          cairo_close_path(cr);
        }
        SetColor(cr, 0x9a7a18);
        cairo_fill(cr);
        cairo_restore(cr);
        break;
      case 4: {  // light strip
        RoundRect(cr, ox + 12, oy + 36, 56, 8, 3);
        SetColor(cr, 0x0a0c12);
        cairo_fill(cr);
        Glow(
            c, [&](cairo_t* g) { cairo_rectangle(g, ox + 15, oy + 39, 50, 2); }, 0x20d0ff, 0, 4, 0.8);
        cairo_rectangle(cr, ox + 15, oy + 39, 50, 2);
        SetColor(cr, 0xa0f4ff);
        cairo_fill(cr);
        break;
      }
      case 5:  // pipes
        for (int i = 0; i < 2; ++i) {
          double py = oy + 26 + i * 22;
          cairo_pattern_t* g = cairo_pattern_create_linear(0, py - 5, 0, py + 5);
          AddStop(g, 0, 0x1a1e28);
          AddStop(g, 0.35, 0x7a869e);
          AddStop(g, 1, 0x141820);
          cairo_rectangle(cr, ox + 8, py - 5, 64, 10);
          cairo_set_source(cr, g);
          cairo_fill(cr);
          cairo_pattern_destroy(g);
          cairo_rectangle(cr, ox + 22 + i * 20, py - 6, 6, 12);
          SetColor(cr, 0x4a546a);
          cairo_fill(cr);
        }
        break;
      case 6: {  // stencilled number
        char num[8];
        std::snprintf(num, sizeof num, "%02d", 3 + t * 7 % 90);
        UseFont(cr, true, 26);
        SetColor(cr, 0x5a6478, 0.55);
        TextCentered(cr, num, cx, cy + 9);
        break;
      }
      default:
        break;
    }
    r.freq[t] = t < 10 ? 8 : 4;
    (void)rng;
  }
  return r;
}

// An alien sea: dark teal water with caustic light, plankton and jellies.
SetResult Sea(Canvas& c) {
  Noise a(41), b(42), var(43);
  Rng rng(400);
  SetResult r{};
  for (int t = 0; t < 32; ++t) {
    double extra = t < 12 ? 0.0 : 0.5 + 0.5 * ((t * 3) % 5) / 4.0;
    FillTile(c, t, [&](int x, int y) {
      double n1 = a.Fbm(x / 10.0, y / 10.0, 3, 0.5, 8), n2 = b.Fbm(x / 8.0, y / 8.0, 3, 0.5, 10);
      double ridge = 1 - std::fabs(n1 - n2) * 4;
      double caustic = std::pow(std::clamp(ridge, 0.0, 1.0), 5);
      uint32_t col = Mix(0x031c28, 0x062e3e, a.Fbm(x / 40.0, y / 40.0, 2, 0.5, 2));
      double v = extra > 0 ? Smooth(0.45, 0.75, var.Fbm(x / 22.0 + t * 4.7, y / 22.0 + t, 4)) * Mask(x, y) * extra
                           : 0.0;
      col = Mix(col, 0x0a6070, v * 0.7);
      col = Mix(col, 0x38c8c8, caustic * (0.16 + 0.3 * v));
      return col;
    });
    int ox = (t % 8) * kTile, oy = (t / 8) * kTile;
    cairo_t* cr = c.cr();
    for (int i = 0; i < 5 + rng.Below(6); ++i) {  // plankton
      double px = ox + 4 + rng.Below(72), py = oy + 4 + rng.Below(72);
      Circle(cr, px, py, 0.8 + rng.Unit());
      SetColor(cr, rng.Below(3) ? 0x60ffd0 : 0xa0f0ff, 0.4 + 0.4 * rng.Unit());
      cairo_fill(cr);
    }
    if (t >= 26) {  // a glowing jelly
      double jx = ox + 40, jy = oy + 34;
      uint32_t hue = t % 2 ? 0xff60d0 : 0x60a0ff;
      Glow(
          c, [&](cairo_t* g) { cairo_arc(g, jx, jy, 11, M_PI, 2 * M_PI); cairo_close_path(g); }, hue, 0, 6, 0.7);
      cairo_arc(cr, jx, jy, 11, M_PI, 2 * M_PI);
      cairo_close_path(cr);
      SetColor(cr, Mix(hue, 0xffffff, 0.4), 0.55);
      cairo_fill(cr);
      cairo_set_line_width(cr, 1);
      for (int k = 0; k < 5; ++k) {
        double tx = jx - 8 + k * 4;
        cairo_move_to(cr, tx, jy);
        cairo_curve_to(cr, tx + 3, jy + 8, tx - 3, jy + 16, tx + 1, jy + 26);
      }
      SetColor(cr, hue, 0.5);
      cairo_stroke(cr);
    }
    r.freq[t] = t < 12 ? 9 : t < 26 ? 3 : 1;
  }
  return r;
}

void Asteroid(cairo_t* cr, double cx, double cy, double rad, Rng& rng) {
  cairo_new_path(cr);
  int n = 11;
  for (int i = 0; i < n; ++i) {
    double a = i * 2 * M_PI / n, rr = rad * rng.Range(0.78, 1.05);
    cairo_line_to(cr, cx + rr * std::cos(a), cy + rr * std::sin(a));
  }
  cairo_close_path(cr);
  cairo_pattern_t* g = cairo_pattern_create_radial(cx - rad * 0.4, cy - rad * 0.4, rad * 0.1, cx, cy, rad * 1.1);
  AddStop(g, 0, 0x8a7466);
  AddStop(g, 0.7, 0x3a2a26);
  AddStop(g, 1, 0x161010);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  for (int i = 0; i < 3; ++i) {
    double a = rng.Range(0, 2 * M_PI), d = rng.Range(0, rad * 0.5);
    Circle(cr, cx + d * std::cos(a), cy + d * std::sin(a), rad * rng.Range(0.12, 0.22));
    SetColor(cr, 0x1e1614, 0.6);
    cairo_fill(cr);
  }
}

// A crimson nebula with drifting rocks.
SetResult Crimson(Canvas& c) {
  Noise base(51), cloud(52);
  Rng rng(500);
  SetResult r{};
  for (int t = 0; t < 32; ++t) {
    double strength = t < 8 ? 0.0 : 0.4 + 0.6 * ((t * 5) % 9) / 8.0;
    FillTile(c, t, [&](int x, int y) {
      double bn = base.Fbm(x / 10.0, y / 10.0, 3, 0.5, 8);
      uint32_t col = Mix(0x0e050a, 0x1c0a12, Smooth(0.3, 0.85, bn));
      if (strength > 0) {
        double n = cloud.Fbm(x / 24.0 + t * 3.3, y / 24.0 - t * 1.7, 5, 0.55);
        col = Mix(col, 0x8a1c28, Smooth(0.38, 0.76, n) * Mask(x, y, 0.45) * strength * 0.85);
        col = Mix(col, 0xff8a48, Smooth(0.64, 0.9, n) * Mask(x, y, 1.0) * strength * 0.45);
      }
      return col;
    });
    int ox = (t % 8) * kTile, oy = (t / 8) * kTile;
    Stars(c.cr(), ox, oy, rng, 4 + rng.Below(6), 0.9);
    if (t >= 22) {
      int rocks = 1 + t % 3;
      for (int i = 0; i < rocks; ++i) {
        double rad = rocks == 1 ? 16 : 7 + rng.Below(6);
        double px = ox + rad + 6 + rng.Below(int(68 - 2 * rad)), py = oy + rad + 6 + rng.Below(int(68 - 2 * rad));
        Asteroid(c.cr(), px, py, rad, rng);
      }
    }
    r.freq[t] = t < 8 ? 10 : t < 22 ? 4 : 2;
  }
  return r;
}

}  // namespace

void MakeTiles(Out& out) {
  SetResult (*sets[])(Canvas&) = {Nebula, Starfield, Plates, Sea, Crimson};
  std::string ini;
  char buf[128];
  for (int s = 0; s < int(sizeof sets / sizeof sets[0]); ++s) {
    Canvas c(8 * kTile, 4 * kTile);
    SetResult r = sets[s](c);
    std::snprintf(buf, sizeof buf, "BackTiles\\Tiles%02d.tga", s);
    std::string file = buf;
    // One set ships as a 32-bit TGA so that decoder path is used too.
    out.Tga(file, c.Export(Key::kNone), s == 1 ? TgaFormat::kRgb32 : TgaFormat::kRgb24);
    std::snprintf(buf, sizeof buf, "[Tileset %02d]\nTGA File = %s\n", s, file.c_str());
    ini += buf;
    for (int t = 0; t < 32; ++t) {
      std::snprintf(buf, sizeof buf, "TileFreq %02d = %d\n", t, r.freq[t]);
      ini += buf;
    }
    for (int t = 0; t < 32; ++t) {
      std::snprintf(buf, sizeof buf, "TileRect %02d = %d, %d, %d, %d\n", t, (t % 8) * kTile, (t / 8) * kTile, kTile,
                    kTile);
      ini += buf;
    }
    ini += "\n";
    if (out.Previewing()) {
      // A play window as the game fills it, with a few rows of blocks.
      Image tiles = c.Export(Key::kNone);
      Image view(640, 400);
      Rng pick(s);
      int total = 0;
      for (int t = 0; t < 32; ++t) total += r.freq[t];
      Canvas blocks(640, 400);
      for (int gy = 0; gy < 5; ++gy)
        for (int gx = 0; gx < 8; ++gx) {
          int v = pick.Below(total), t = 0;
          while ((v -= r.freq[t]) >= 0) ++t;
          view.Blit(tiles, (t % 8) * kTile, (t / 8) * kTile, kTile, kTile, gx * kTile, gy * kTile);
        }
      PaintImage(blocks.cr(), view, 0, 0, false);
      int imgs[5] = {3, 17, 25, 38, 41};
      for (int row = 3; row < 9; ++row)
        for (int col = 2; col < 18; ++col)
          if ((col + row) % 5) DrawBlockImage(blocks.cr(), imgs[(col * row) % 5], col * 32, row * 16);
      out.Preview("play_" + std::to_string(s), blocks.Export(Key::kNone));
    }
  }
  out.Text("BackTiles\\Tiles.ini", ini);
}

}  // namespace vx::mkdata::art
