// Drifting background objects: "BackObjects\ts<set>back<k>.bmp" (24-bit,
// keyed on black) with ".anm" files whose "Rotation" sequence loops. Every
// tile set has its own; "ts0back5", a ring of light, also decorates the
// world map's buttons.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

#include "art/art.h"
#include "art/cells.h"
#include "art/solids.h"
#include "common/rng.h"

namespace vx::mkdata::art {

namespace {

using DrawFn = std::function<void(cairo_t*, double phase)>;

void WriteObject(Out& out, int set, int idx, int size, int frames, int ticks, const DrawFn& draw) {
  Cells cells{frames, std::min(frames, 8), size, size};
  auto canvas = DrawCells(cells, [&](cairo_t* cr, int i) { draw(cr, double(i) / frames); });
  AnmWriter anm;
  AddFrames(anm, cells, "r");
  anm.BeginSequence("Rotation");
  for (int i = 0; i < frames; ++i) anm.Show(FrameName("r", i), ticks);
  anm.Loop();
  char base[64];
  std::snprintf(base, sizeof base, "BackObjects\\ts%dback%d", set, idx);
  out.Bmp(std::string(base) + ".bmp", canvas->Export(Key::kBlack, 60));
  out.Anm(std::string(base) + ".anm", anm);
}

DrawFn Rock(double radius, uint32_t light, uint32_t dark, uint32_t seed, uint32_t glow = 0) {
  return [=](cairo_t* cr, double phase) {
    RockStyle s{radius, light, dark, seed, 0.22, glow};
    int size = int(radius * 2 + 6);
    PixelPatch(cr, -size / 2.0, -size / 2.0, size, size,
               [&](double x, double y) { return RockPixel(s, x, y, phase * 2 * M_PI); });
  };
}

void Panel(cairo_t* cr, double x, double y, double w, double h) {
  cairo_rectangle(cr, x, y, w, h);
  cairo_pattern_t* g = cairo_pattern_create_linear(x, y, x + w, y + h);
  AddStop(g, 0, 0x4a7ae0);
  AddStop(g, 1, 0x142a70);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  cairo_set_line_width(cr, 0.8);
  SetColor(cr, 0x9ac0ff, 0.7);
  for (int i = 1; i < 4; ++i) {
    cairo_move_to(cr, x + w * i / 4, y);
    cairo_line_to(cr, x + w * i / 4, y + h);
  }
  cairo_move_to(cr, x, y + h / 2);
  cairo_line_to(cr, x + w, y + h / 2);
  cairo_stroke(cr);
  cairo_rectangle(cr, x, y, w, h);
  SetColor(cr, 0xc8d4e8);
  cairo_stroke(cr);
}

DrawFn Satellite(uint32_t body) {
  return [=](cairo_t* cr, double phase) {
    cairo_rotate(cr, phase * 2 * M_PI);
    cairo_set_line_width(cr, 2);
    SetColor(cr, 0xa0a8b8);
    cairo_move_to(cr, -24, 0);
    cairo_line_to(cr, 24, 0);
    cairo_stroke(cr);
    Panel(cr, -27, -7, 16, 14);
    Panel(cr, 11, -7, 16, 14);
    RoundRect(cr, -7, -8, 14, 16, 2);
    cairo_pattern_t* g = cairo_pattern_create_linear(-7, -8, 7, 8);
    AddStop(g, 0, Mix(body, 0xffffff, 0.5));
    AddStop(g, 1, Scale(body, 0.5));
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    Circle(cr, 0, -11, 3.5);
    SetColor(cr, 0xe0e4ec);
    cairo_fill(cr);
    Circle(cr, 0, -11, 1.2);
    SetColor(cr, 0xff4040);
    cairo_fill(cr);
  };
}

// A bipyramid crystal turning about its vertical axis.
DrawFn CrystalSpin(double r, double h, uint32_t color, double tiltRad) {
  return [=](cairo_t* cr, double phase) {
    cairo_rotate(cr, tiltRad);
    const int n = 6;
    struct Face {
      double z, shade;
      double x0, x1;
      bool top;
    };
    std::vector<Face> faces;
    for (int i = 0; i < n; ++i) {
      double a0 = phase * 2 * M_PI / n * 1.0 + i * 2 * M_PI / n, a1 = a0 + 2 * M_PI / n;
      double z = std::cos((a0 + a1) / 2);
      if (z <= 0) continue;
      double shade = 0.45 + 0.55 * std::max(0.0, std::cos((a0 + a1) / 2 + 0.6));
      faces.push_back({z, shade, r * std::sin(a0), r * std::sin(a1), true});
      faces.push_back({z, shade * 0.7, r * std::sin(a0), r * std::sin(a1), false});
    }
    for (const Face& f : faces) {
      cairo_move_to(cr, f.x0, 0);
      cairo_line_to(cr, f.x1, 0);
      cairo_line_to(cr, 0, f.top ? -h : h);
      cairo_close_path(cr);
      SetColor(cr, Mix(Scale(color, f.shade), 0xffffff, f.top ? 0.25 * f.shade : 0.0));
      cairo_fill_preserve(cr);
      SetColor(cr, Mix(color, 0xffffff, 0.7), 0.8);
      cairo_set_line_width(cr, 0.8);
      cairo_stroke(cr);
    }
  };
}

DrawFn Stargate() {
  return [](cairo_t* cr, double phase) {
    // Soft inner halo first, so the label drawn over it stays readable.
    cairo_pattern_t* halo = cairo_pattern_create_radial(0, 0, 22, 0, 0, 36);
    AddStop(halo, 0, 0x2040a0, 0);
    AddStop(halo, 0.6, 0x40c0ff, 0.35);
    AddStop(halo, 1, 0x40c0ff, 0);
    Circle(cr, 0, 0, 36);
    cairo_set_source(cr, halo);
    cairo_fill(cr);
    cairo_pattern_destroy(halo);
    cairo_rotate(cr, phase * 2 * M_PI / 12);
    for (int i = 0; i < 12; ++i) {
      double a = i * 2 * M_PI / 12;
      cairo_new_path(cr);
      cairo_arc(cr, 0, 0, 34, a + 0.06, a + 2 * M_PI / 12 - 0.06);
      cairo_arc_negative(cr, 0, 0, 27, a + 2 * M_PI / 12 - 0.08, a + 0.08);
      cairo_close_path(cr);
      cairo_pattern_t* g = cairo_pattern_create_radial(0, 0, 27, 0, 0, 34);
      AddStop(g, 0, 0x3a4260);
      AddStop(g, 0.5, 0xa8b4d0);
      AddStop(g, 1, 0x2a3048);
      cairo_set_source(cr, g);
      cairo_fill(cr);
      cairo_pattern_destroy(g);
      double la = a + M_PI / 12;
      Circle(cr, 30.5 * std::cos(la), 30.5 * std::sin(la), 1.7);
      SetColor(cr, i % 3 == 0 ? 0xff50d0 : 0x50f0ff);
      cairo_fill(cr);
    }
    Circle(cr, 0, 0, 26);
    cairo_set_line_width(cr, 1.2);
    SetColor(cr, 0x60e8ff, 0.9);
    cairo_stroke(cr);
  };
}

DrawFn Saucer() {
  return [](cairo_t* cr, double phase) {
    cairo_save(cr);
    cairo_scale(cr, 1, 0.32);
    Circle(cr, 0, 6, 26);
    cairo_restore(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, -8, 0, 10);
    AddStop(g, 0, 0xe0e8f8);
    AddStop(g, 0.5, 0x8890a8);
    AddStop(g, 1, 0x383c50);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_arc(cr, 0, -1, 10, M_PI, 2 * M_PI);
    cairo_close_path(cr);
    cairo_pattern_t* dome = cairo_pattern_create_radial(-3, -7, 1, 0, -2, 11);
    AddStop(dome, 0, 0xd0fff0);
    AddStop(dome, 1, 0x20a070);
    cairo_set_source(cr, dome);
    cairo_fill(cr);
    cairo_pattern_destroy(dome);
    for (int i = 0; i < 8; ++i) {
      double a = (i + phase * 8) / 8.0 * 2 * M_PI;
      double x = 22 * std::sin(a), z = std::cos(a);
      if (z < -0.2) continue;
      bool on = (i % 4) == int(phase * 4) % 4;
      Circle(cr, x, 2 + 3 * z * 0.3, on ? 2.2 : 1.5);
      SetColor(cr, on ? 0xfff060 : 0xff8040, on ? 1.0 : 0.8);
      cairo_fill(cr);
    }
  };
}

DrawFn Wheel() {
  return [](cairo_t* cr, double phase) {
    cairo_rotate(cr, phase * 2 * M_PI / 6);
    Circle(cr, 0, 0, 28);
    cairo_set_line_width(cr, 7);
    SetColor(cr, 0x5a6478);
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 4);
    SetColor(cr, 0xaab4c8);
    cairo_stroke(cr);
    cairo_set_line_width(cr, 2.5);
    for (int i = 0; i < 6; ++i) {
      double a = i * M_PI / 3;
      cairo_move_to(cr, 6 * std::cos(a), 6 * std::sin(a));
      cairo_line_to(cr, 25 * std::cos(a), 25 * std::sin(a));
    }
    SetColor(cr, 0x8a94aa);
    cairo_stroke(cr);
    for (int i = 0; i < 12; ++i) {
      double a = i * M_PI / 6 + 0.26;
      Circle(cr, 28 * std::cos(a), 28 * std::sin(a), 1.1);
      SetColor(cr, i % 2 ? 0xfff0a0 : 0x80e0ff);
      cairo_fill(cr);
    }
    Circle(cr, 0, 0, 7);
    SetColor(cr, 0xc8d0e0);
    cairo_fill(cr);
    Circle(cr, 0, 0, 3);
    SetColor(cr, 0x40a0ff);
    cairo_fill(cr);
  };
}

DrawFn Moon(uint32_t light, uint32_t dark, uint32_t seed) {
  return [=](cairo_t* cr, double phase) {
    Noise n(seed);
    SphereStyle s{18, phase * 2 * M_PI, 0.3, 0, 0.12};
    SurfaceFn surf = [&](double lon, double lat) {
      double v = GlobeNoise(n, lon, lat, 6, 4);
      double c = GlobeNoise(n, lon + 1.7, lat, 12, 2);
      return Mix(dark, light, std::clamp(v * 1.3 - 0.2 - (c > 0.62 ? 0.3 : 0), 0.0, 1.0));
    };
    PixelPatch(cr, -20, -20, 40, 40, [&](double x, double y) { return SpherePixel(s, surf, x, y); });
  };
}

DrawFn Probe() {
  return [](cairo_t* cr, double phase) {
    cairo_rotate(cr, phase * 2 * M_PI);
    cairo_set_line_width(cr, 1.2);
    SetColor(cr, 0xb0b8c8);
    for (int i = 0; i < 3; ++i) {
      double a = i * 2 * M_PI / 3 + 0.5;
      cairo_move_to(cr, 0, 0);
      cairo_line_to(cr, 20 * std::cos(a), 20 * std::sin(a));
    }
    cairo_stroke(cr);
    for (int i = 0; i < 3; ++i) {
      double a = i * 2 * M_PI / 3 + 0.5;
      Circle(cr, 20 * std::cos(a), 20 * std::sin(a), 1.6);
      SetColor(cr, 0x60ff90);
      cairo_fill(cr);
    }
    cairo_save(cr);
    cairo_scale(cr, 1, 0.75);
    Circle(cr, 0, 0, 11);
    cairo_restore(cr);
    cairo_pattern_t* g = cairo_pattern_create_radial(-3, -3, 1, 0, 0, 12);
    AddStop(g, 0, 0xffffff);
    AddStop(g, 1, 0x707890);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    Circle(cr, 0, 0, 3);
    SetColor(cr, 0xffc040);
    cairo_fill(cr);
  };
}

DrawFn Drone() {
  return [](cairo_t* cr, double phase) {
    cairo_rotate(cr, phase * 2 * M_PI / 4);
    for (int i = 0; i < 4; ++i) {
      double a = i * M_PI / 2 + M_PI / 4;
      double rx = 16 * std::cos(a), ry = 16 * std::sin(a);
      cairo_set_line_width(cr, 3);
      SetColor(cr, 0x6a7488);
      cairo_move_to(cr, 0, 0);
      cairo_line_to(cr, rx, ry);
      cairo_stroke(cr);
      Circle(cr, rx, ry, 8);
      SetColor(cr, 0x90c8ff, 0.28);
      cairo_fill(cr);
      double b = phase * 2 * M_PI * 3 + i;
      cairo_set_line_width(cr, 1.6);
      SetColor(cr, 0xd0d8e8, 0.9);
      cairo_move_to(cr, rx - 7 * std::cos(b), ry - 7 * std::sin(b));
      cairo_line_to(cr, rx + 7 * std::cos(b), ry + 7 * std::sin(b));
      cairo_stroke(cr);
    }
    RoundRect(cr, -7, -7, 14, 14, 4);
    SetColor(cr, 0x3a4254);
    cairo_fill_preserve(cr);
    SetColor(cr, 0xa0aabc);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    Circle(cr, 0, 0, 2.5);
    SetColor(cr, std::fmod(phase * 4, 1.0) < 0.5 ? 0xff3040 : 0x801820);
    cairo_fill(cr);
  };
}

DrawFn Mine() {
  return [](cairo_t* cr, double phase) {
    cairo_rotate(cr, phase * 2 * M_PI / 8);
    for (int i = 0; i < 8; ++i) {
      double a = i * M_PI / 4;
      cairo_move_to(cr, 9 * std::cos(a - 0.2), 9 * std::sin(a - 0.2));
      cairo_line_to(cr, 18 * std::cos(a), 18 * std::sin(a));
      cairo_line_to(cr, 9 * std::cos(a + 0.2), 9 * std::sin(a + 0.2));
      cairo_close_path(cr);
      SetColor(cr, 0x8a92a4);
      cairo_fill(cr);
    }
    cairo_pattern_t* g = cairo_pattern_create_radial(-4, -4, 1, 0, 0, 12);
    AddStop(g, 0, 0x9aa2b4);
    AddStop(g, 1, 0x262a36);
    Circle(cr, 0, 0, 11);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    double blink = 0.5 + 0.5 * std::cos(phase * 2 * M_PI * 2);
    cairo_pattern_t* l = cairo_pattern_create_radial(0, 0, 0, 0, 0, 6);
    AddStop(l, 0, 0xffd0d0, 1);
    AddStop(l, 0.4, 0xff2030, 0.5 + 0.5 * blink);
    AddStop(l, 1, 0xff2030, 0);
    Circle(cr, 0, 0, 6);
    cairo_set_source(cr, l);
    cairo_fill(cr);
    cairo_pattern_destroy(l);
  };
}

DrawFn Gear(uint32_t color) {
  return [=](cairo_t* cr, double phase) {
    cairo_rotate(cr, phase * 2 * M_PI / 10);
    cairo_new_path(cr);
    for (int i = 0; i < 40; ++i) {
      double a = i * 2 * M_PI / 40;
      double r = (i % 4 < 2) ? 20 : 15;
      cairo_line_to(cr, r * std::cos(a), r * std::sin(a));
    }
    cairo_close_path(cr);
    cairo_new_sub_path(cr);
    cairo_arc_negative(cr, 0, 0, 6, 2 * M_PI, 0);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_pattern_t* g = cairo_pattern_create_linear(-20, -20, 20, 20);
    AddStop(g, 0, Mix(color, 0xffffff, 0.5));
    AddStop(g, 1, Scale(color, 0.4));
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    for (int i = 0; i < 5; ++i) {
      double a = i * 2 * M_PI / 5;
      Circle(cr, 10.5 * std::cos(a), 10.5 * std::sin(a), 2);
      SetColor(cr, Scale(color, 0.3));
      cairo_fill(cr);
    }
  };
}

DrawFn Crate() {
  return [](cairo_t* cr, double phase) {
    cairo_rotate(cr, phase * 2 * M_PI);
    RoundRect(cr, -13, -13, 26, 26, 2);
    cairo_pattern_t* g = cairo_pattern_create_linear(-13, -13, 13, 13);
    AddStop(g, 0, 0xc88a40);
    AddStop(g, 1, 0x6a3a14);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_set_line_width(cr, 2.5);
    SetColor(cr, 0x4a5060);
    cairo_rectangle(cr, -11.5, -11.5, 23, 23);
    cairo_move_to(cr, -11, -11);
    cairo_line_to(cr, 11, 11);
    cairo_stroke(cr);
    cairo_rectangle(cr, -13, -3, 26, 6);
    SetColor(cr, 0xffd040);
    cairo_fill(cr);
  };
}

DrawFn Core() {
  return [](cairo_t* cr, double phase) {
    double p = 0.5 + 0.5 * std::sin(phase * 2 * M_PI);
    cairo_pattern_t* g = cairo_pattern_create_radial(0, 0, 0, 0, 0, 20);
    AddStop(g, 0, 0xffffff, 1);
    AddStop(g, 0.25, 0x80ffd0, 0.9);
    AddStop(g, 0.6 + 0.2 * p, 0x10a080, 0.5);
    AddStop(g, 1, 0x10a080, 0);
    Circle(cr, 0, 0, 20);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_rotate(cr, phase * 2 * M_PI / 3);
    for (int i = 0; i < 3; ++i) {
      cairo_save(cr);
      cairo_rotate(cr, i * M_PI / 3);
      cairo_scale(cr, 1, 0.35);
      Circle(cr, 0, 0, 15);
      cairo_restore(cr);
      cairo_set_line_width(cr, 1.3);
      SetColor(cr, 0xb0fff0, 0.8);
      cairo_stroke(cr);
    }
  };
}

DrawFn Jelly(uint32_t color) {
  return [=](cairo_t* cr, double phase) {
    double s = std::sin(phase * 2 * M_PI);
    double w = 15 + 2.5 * s, h = 12 - 2 * s;
    cairo_set_line_width(cr, 1.2);
    for (int k = 0; k < 5; ++k) {
      double tx = -w * 0.7 + k * w * 0.35;
      cairo_move_to(cr, tx, -2);
      for (int j = 1; j <= 6; ++j)
        cairo_line_to(cr, tx + 2.5 * std::sin(phase * 2 * M_PI + j * 0.9 + k), -2 + j * 3.6);
    }
    SetColor(cr, Mix(color, 0xffffff, 0.3), 0.75);
    cairo_stroke(cr);
    cairo_save(cr);
    cairo_translate(cr, 0, -2);
    cairo_scale(cr, w, h);
    cairo_arc(cr, 0, 0, 1, M_PI, 2 * M_PI);
    cairo_close_path(cr);
    cairo_restore(cr);
    cairo_pattern_t* g = cairo_pattern_create_radial(0, -6, 1, 0, -2, 16);
    AddStop(g, 0, 0xffffff, 0.95);
    AddStop(g, 0.5, color, 0.85);
    AddStop(g, 1, Scale(color, 0.5), 0.7);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
  };
}

DrawFn Nautilus() {
  return [](cairo_t* cr, double phase) {
    cairo_rotate(cr, phase * 2 * M_PI);
    for (int i = 28; i >= 0; --i) {
      double a = i * 0.32, r = 2 + i * 0.62;
      double cx = r * 0.5 * std::cos(a), cy = r * 0.5 * std::sin(a);
      Circle(cr, cx, cy, r * 0.55);
      SetColor(cr, Mix(0xf0e0c0, 0xc06040, (i % 4) / 4.0));
      cairo_fill_preserve(cr);
      cairo_set_line_width(cr, 0.7);
      SetColor(cr, 0x603020, 0.7);
      cairo_stroke(cr);
    }
  };
}

DrawFn Starfish() {
  return [](cairo_t* cr, double phase) {
    cairo_rotate(cr, phase * 2 * M_PI / 5);
    cairo_new_path(cr);
    for (int i = 0; i < 10; ++i) {
      double a = i * M_PI / 5 - M_PI / 2, r = i % 2 ? 7 : 19;
      cairo_line_to(cr, r * std::cos(a), r * std::sin(a));
    }
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_radial(0, 0, 1, 0, 0, 19);
    AddStop(g, 0, 0xffe0a0);
    AddStop(g, 1, 0xe04a60);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_set_line_width(cr, 1);
    SetColor(cr, 0x801830);
    cairo_stroke(cr);
    for (int i = 0; i < 5; ++i) {
      double a = i * 2 * M_PI / 5 - M_PI / 2;
      for (int j = 1; j < 4; ++j) {
        Circle(cr, j * 4.2 * std::cos(a), j * 4.2 * std::sin(a), 1.1);
        SetColor(cr, 0xfff4d0);
        cairo_fill(cr);
      }
    }
  };
}

DrawFn Urchin(uint32_t color) {
  return [=](cairo_t* cr, double phase) {
    cairo_rotate(cr, phase * 2 * M_PI / 16);
    cairo_set_line_width(cr, 1.3);
    for (int i = 0; i < 16; ++i) {
      double a = i * 2 * M_PI / 16, r = i % 2 ? 16 : 20;
      cairo_move_to(cr, 7 * std::cos(a), 7 * std::sin(a));
      cairo_line_to(cr, r * std::cos(a), r * std::sin(a));
    }
    SetColor(cr, Mix(color, 0xffffff, 0.4));
    cairo_stroke(cr);
    cairo_pattern_t* g = cairo_pattern_create_radial(-2, -2, 0, 0, 0, 9);
    AddStop(g, 0, 0xffffff);
    AddStop(g, 0.5, color);
    AddStop(g, 1, Scale(color, 0.35));
    Circle(cr, 0, 0, 9);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
  };
}

DrawFn Bubbles() {
  return [](cairo_t* cr, double phase) {
    const double pos[][3] = {{-8, 4, 8}, {7, -6, 6}, {6, 9, 4}, {-4, -12, 3.5}, {14, 3, 3}};
    for (int i = 0; i < 5; ++i) {
      double w = std::sin(phase * 2 * M_PI + i * 1.3);
      double x = pos[i][0] + 1.5 * w, y = pos[i][1] + 1.5 * std::cos(phase * 2 * M_PI + i), r = pos[i][2];
      cairo_pattern_t* g = cairo_pattern_create_radial(x - r * 0.3, y - r * 0.3, 0, x, y, r);
      AddStop(g, 0, 0xffffff, 0.2);
      AddStop(g, 0.75, 0x60d0e0, 0.35);
      AddStop(g, 1, 0xc0ffff, 0.95);
      Circle(cr, x, y, r);
      cairo_set_source(cr, g);
      cairo_fill(cr);
      cairo_pattern_destroy(g);
      Circle(cr, x - r * 0.35, y - r * 0.4, r * 0.22);
      SetColor(cr, 0xffffff, 0.9);
      cairo_fill(cr);
    }
  };
}

DrawFn Hull() {
  return [](cairo_t* cr, double phase) {
    cairo_rotate(cr, phase * 2 * M_PI);
    cairo_move_to(cr, -20, -10);
    cairo_line_to(cr, 16, -14);
    cairo_line_to(cr, 20, 6);
    cairo_line_to(cr, 4, 14);
    cairo_line_to(cr, -18, 10);
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(-20, -14, 20, 14);
    AddStop(g, 0, 0x9aa4b8);
    AddStop(g, 1, 0x343a4a);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_set_line_width(cr, 1);
    SetColor(cr, 0x1a1e28);
    cairo_stroke(cr);
    cairo_save(cr);
    cairo_rectangle(cr, -14, -2, 26, 6);
    cairo_clip(cr);
    SetColor(cr, 0x2a2410);
    cairo_paint(cr);
    for (int i = -3; i < 6; ++i) {
      cairo_move_to(cr, -14 + i * 6, 4);
      cairo_line_to(cr, -11 + i * 6, 4);
      cairo_line_to(cr, -5 + i * 6, -2);
      cairo_line_to(cr, -8 + i * 6, -2);
      cairo_close_path(cr);
    }
    SetColor(cr, 0xe0b020);
    cairo_fill(cr);
    cairo_restore(cr);
  };
}

}  // namespace

void MakeBackObjects(Out& out) {
  // Tile set 0: deep nebula.
  WriteObject(out, 0, 0, 48, 16, 4, Rock(20, 0xa898b0, 0x3a3046, 7));
  WriteObject(out, 0, 1, 32, 16, 3, Rock(12, 0x9a9aa8, 0x34303c, 8));
  WriteObject(out, 0, 2, 60, 16, 4, Satellite(0xd0a040));
  WriteObject(out, 0, 3, 44, 12, 3, CrystalSpin(11, 18, 0x50c8ff, 0.3));
  WriteObject(out, 0, 4, 60, 16, 3, Saucer());
  WriteObject(out, 0, 5, 76, 12, 3, Stargate());
  WriteObject(out, 0, 6, 72, 12, 4, Wheel());
  // Tile set 1: starfield.
  WriteObject(out, 1, 0, 40, 16, 4, Rock(16, 0xb0a898, 0x3c3630, 17));
  WriteObject(out, 1, 1, 44, 24, 4, Moon(0xd8d0c8, 0x4a4448, 18));
  WriteObject(out, 1, 2, 48, 16, 4, Probe());
  WriteObject(out, 1, 3, 44, 12, 3, CrystalSpin(11, 18, 0xff60d0, -0.25));
  WriteObject(out, 1, 4, 60, 16, 5, Satellite(0xb0b8d0));
  // Tile set 2: metal plates.
  WriteObject(out, 2, 0, 48, 12, 2, Drone());
  WriteObject(out, 2, 1, 40, 16, 3, Mine());
  WriteObject(out, 2, 2, 44, 10, 3, Gear(0xb0b8c8));
  WriteObject(out, 2, 3, 40, 16, 4, Crate());
  WriteObject(out, 2, 4, 44, 12, 3, Core());
  // Tile set 3: alien sea.
  WriteObject(out, 3, 0, 40, 12, 4, Jelly(0xff70d8));
  WriteObject(out, 3, 1, 44, 16, 5, Nautilus());
  WriteObject(out, 3, 2, 44, 10, 5, Starfish());
  WriteObject(out, 3, 3, 44, 16, 3, Urchin(0x50ffc0));
  WriteObject(out, 3, 4, 40, 12, 4, Bubbles());
  // Tile set 4: crimson nebula.
  WriteObject(out, 4, 0, 64, 16, 5, Rock(28, 0xb09080, 0x3a2420, 27));
  WriteObject(out, 4, 1, 40, 16, 3, Rock(16, 0xa08878, 0x30201c, 28));
  WriteObject(out, 4, 2, 44, 16, 3, Rock(17, 0x806050, 0x281410, 29, 0xffa030));
  WriteObject(out, 4, 3, 44, 12, 3, CrystalSpin(10, 17, 0xd8f4ff, 0.6));
  WriteObject(out, 4, 4, 48, 16, 4, Hull());
}

}  // namespace vx::mkdata::art
