// Sprites of the playfield: ball, ship, enemies, coins, the power-up
// container, particles, bullets and the mouse cursor.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "art/art.h"
#include "art/cells.h"
#include "common/rng.h"

namespace vx::mkdata::art {

namespace {

void Orb(cairo_t* cr, double r, uint32_t core, uint32_t edge, double glow) {
  cairo_pattern_t* h = cairo_pattern_create_radial(0, 0, r * 0.6, 0, 0, r * 1.7);
  AddStop(h, 0, edge, 0.6 * glow);
  AddStop(h, 1, edge, 0);
  Circle(cr, 0, 0, r * 1.7);
  cairo_set_source(cr, h);
  cairo_fill(cr);
  cairo_pattern_destroy(h);
  cairo_pattern_t* g = cairo_pattern_create_radial(-r * 0.35, -r * 0.4, r * 0.05, 0, 0, r);
  AddStop(g, 0, 0xffffff);
  AddStop(g, 0.35, core);
  AddStop(g, 1, edge);
  Circle(cr, 0, 0, r);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
}

// Flickering flames around a ball: tongues whose lengths follow the frame.
void Corona(cairo_t* cr, double r, int frame, uint32_t inner, uint32_t outer, uint32_t seed) {
  Rng rng(seed + frame * 31);
  for (int k = 0; k < 10; ++k) {
    double a = k * 2 * M_PI / 10 + rng.Range(-0.2, 0.2) + frame * 0.25;
    double len = r * rng.Range(1.45, 2.1);
    cairo_move_to(cr, r * 0.8 * std::cos(a - 0.4), r * 0.8 * std::sin(a - 0.4));
    cairo_curve_to(cr, len * 0.8 * std::cos(a - 0.2), len * 0.8 * std::sin(a - 0.2), len * std::cos(a + 0.05),
                   len * std::sin(a + 0.05), len * std::cos(a), len * std::sin(a));
    cairo_curve_to(cr, len * 0.7 * std::cos(a + 0.3), len * 0.7 * std::sin(a + 0.3), r * 0.8 * std::cos(a + 0.4),
                   r * 0.8 * std::sin(a + 0.4), r * 0.8 * std::cos(a + 0.4), r * 0.8 * std::sin(a + 0.4));
    cairo_close_path(cr);
  }
  cairo_pattern_t* g = cairo_pattern_create_radial(0, 0, r * 0.5, 0, 0, r * 2.1);
  AddStop(g, 0, inner, 1);
  AddStop(g, 1, outer, 0.7);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
}

void MakeBall(Out& out) {
  // One row per sequence, cells of 24 x 24; the ball is drawn centred.
  const int cell = 24;
  Canvas c(8 * cell, 5 * cell);
  AnmWriter anm;
  auto cellAt = [&](int row, int col, const std::string& name, auto draw) {
    cairo_t* cr = c.cr();
    cairo_save(cr);
    cairo_rectangle(cr, col * cell, row * cell, cell, cell);
    cairo_clip(cr);
    cairo_translate(cr, col * cell + cell / 2.0, row * cell + cell / 2.0);
    draw(cr);
    cairo_restore(cr);
    anm.Frame(name, col * cell, row * cell, cell, cell);
  };
  for (int i = 0; i < 4; ++i)  // plasma ball, shimmering
    cellAt(0, i, FrameName("ball", i), [&](cairo_t* cr) {
      Orb(cr, 5.5, Mix(0xc0f4ff, 0x80e0ff, i / 3.0), 0x2080e0, 0.6 + 0.15 * (i % 2));
    });
  for (int i = 0; i < 6; ++i)  // fire ball
    cellAt(1, i, FrameName("fire", i), [&](cairo_t* cr) {
      Corona(cr, 5.5, i, 0xffe060, 0xff3000, 7);
      Orb(cr, 5.5, 0xffe890, 0xff5010, 0.4);
    });
  for (int i = 0; i < 8; ++i)  // waiting on the paddle: a pulsing ring
    cellAt(2, i, FrameName("wait", i), [&](cairo_t* cr) {
      double p = 0.5 + 0.5 * std::cos(i * 2 * M_PI / 8);
      Circle(cr, 0, 0, 7.5 + 3 * (1 - p));
      cairo_set_line_width(cr, 1.5);
      SetColor(cr, 0x80f0ff, 0.25 + 0.6 * p);
      cairo_stroke(cr);
      Orb(cr, 5.5, 0xe0faff, 0x2080e0, 0.5 + 0.4 * p);
    });
  for (int i = 0; i < 8; ++i)
    cellAt(3, i, FrameName("waitfire", i), [&](cairo_t* cr) {
      double p = 0.5 + 0.5 * std::cos(i * 2 * M_PI / 8);
      Corona(cr, 5.0 + p, i % 6, 0xffe060, 0xff3000, 9);
      Orb(cr, 5.5, 0xfff0a0, 0xff5010, 0.4);
    });
  for (int i = 0; i < 8; ++i)  // the boss's missile: a red plasma star
    cellAt(4, i, FrameName("missile", i), [&](cairo_t* cr) {
      cairo_rotate(cr, i * M_PI / 16);
      for (int k = 0; k < 4; ++k) {
        cairo_save(cr);
        cairo_rotate(cr, k * M_PI / 4);
        cairo_scale(cr, 1, 0.22);
        Circle(cr, 0, 0, 10 + (k % 2 ? 0 : 1.5 * std::cos(i * M_PI / 4)));
        cairo_restore(cr);
      }
      SetColor(cr, 0xff6090, 0.8);
      cairo_fill(cr);
      Orb(cr, 5, 0xffd0e0, 0xe01040, 0.9);
    });
  auto seq = [&](const std::string& name, const std::string& prefix, int count, int ticks) {
    anm.BeginSequence(name);
    for (int i = 0; i < count; ++i) anm.Show(FrameName(prefix, i), ticks);
    anm.Loop();
  };
  seq("Ball", "ball", 4, 4);
  seq("BallFire", "fire", 6, 1);
  seq("AssignedBall", "wait", 8, 2);
  seq("AssignedBallFire", "waitfire", 8, 1);
  seq("BallBoss", "missile", 8, 1);
  out.Tga("Ball.tga", c.Export(Key::kBlack, 56), TgaFormat::kRle24);
  out.Anm("Ball.anm", anm);
}

// The paddle: a metal hull with a canopy and an engine at each end.
void DrawShip(cairo_t* cr, double w, double h, double pulse) {
  double x0 = 4, x1 = w - 4;
  // Hull.
  cairo_move_to(cr, x0 + 8, 1);
  cairo_line_to(cr, x1 - 8, 1);
  cairo_curve_to(cr, x1 - 2, 1, x1, h * 0.35, x1, h * 0.6);
  cairo_line_to(cr, x1 - 9, h - 2);
  cairo_line_to(cr, x0 + 9, h - 2);
  cairo_line_to(cr, x0, h * 0.6);
  cairo_curve_to(cr, x0, h * 0.35, x0 + 2, 1, x0 + 8, 1);
  cairo_close_path(cr);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, h);
  AddStop(g, 0, 0xf4f8ff);
  AddStop(g, 0.25, 0xa8b4cc);
  AddStop(g, 0.6, 0x4a5470);
  AddStop(g, 1, 0x1a2034);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  cairo_set_line_width(cr, 1);
  SetColor(cr, 0x141828);
  cairo_stroke(cr);
  // Neon trim along the hull.
  cairo_rectangle(cr, x0 + 10, h * 0.52, x1 - x0 - 20, 1.6);
  SetColor(cr, Mix(0x40e8ff, 0xffffff, 0.3 * pulse));
  cairo_fill(cr);
  // Canopy.
  double cx = w / 2;
  cairo_save(cr);
  cairo_translate(cr, cx, h * 0.4);
  cairo_scale(cr, w * 0.15, h * 0.28);
  Circle(cr, 0, 0, 1);
  cairo_restore(cr);
  cairo_pattern_t* canopy = cairo_pattern_create_linear(0, 2, 0, h * 0.7);
  AddStop(canopy, 0, 0xc0ffff);
  AddStop(canopy, 0.5, 0x2090d0);
  AddStop(canopy, 1, 0x0a2050);
  cairo_set_source(cr, canopy);
  cairo_fill(cr);
  cairo_pattern_destroy(canopy);
  // Engine pods with their exhaust glowing out of both ends.
  for (int s = 0; s < 2; ++s) {
    double px = s ? x1 - 10 : x0 + 2;
    RoundRect(cr, px, h * 0.3, 8, h * 0.5, 2);
    SetColor(cr, 0x2a3044);
    cairo_fill(cr);
    cairo_rectangle(cr, px + 2, h * 0.42, 4, h * 0.25);
    SetColor(cr, Mix(0x40c0ff, 0xffffff, pulse));
    cairo_fill(cr);
    double ex = s ? w - 2.5 : 2.5, ey = h * 0.55;
    cairo_save(cr);
    cairo_translate(cr, ex, ey);
    cairo_scale(cr, 1, 0.7);
    cairo_pattern_t* f = cairo_pattern_create_radial(0, 0, 0, 0, 0, 4 + 2.5 * pulse);
    AddStop(f, 0, 0xffffff, 1);
    AddStop(f, 0.35, 0x70f4ff, 0.95);
    AddStop(f, 1, 0x1060ff, 0);
    Circle(cr, 0, 0, 4 + 2.5 * pulse);
    cairo_set_source(cr, f);
    cairo_fill(cr);
    cairo_pattern_destroy(f);
    cairo_restore(cr);
  }
}

void MakeShip(Out& out) {
  const int h = 20, frames = 6;
  Canvas c(80 + 120, h * frames);
  AnmWriter anm;
  for (int i = 0; i < frames; ++i) {
    double pulse = 0.5 + 0.5 * std::sin(i * 2 * M_PI / frames);
    for (int wide = 0; wide < 2; ++wide) {
      int w = wide ? 120 : 80, x = wide ? 80 : 0;
      cairo_save(c.cr());
      cairo_rectangle(c.cr(), x, i * h, w, h);
      cairo_clip(c.cr());
      cairo_translate(c.cr(), x, i * h);
      DrawShip(c.cr(), w, h, pulse);
      cairo_restore(c.cr());
      anm.Frame(FrameName(wide ? "wide" : "normal", i), x, i * h, w, h);
    }
  }
  for (int wide = 0; wide < 2; ++wide) {
    anm.BeginSequence(wide ? "Wide" : "Normal");
    for (int i = 0; i < frames; ++i) anm.Show(FrameName(wide ? "wide" : "normal", i), 2);
    anm.Loop();
  }
  out.Tga("Ship.tga", c.Export(Key::kBlack, 64), TgaFormat::kRle24);
  out.Anm("Ship.anm", anm);
}

void DrawEnemy(cairo_t* cr, int kind, double phase) {
  double a = phase * 2 * M_PI;
  if (kind == 0) {  // a golden star-ship with magenta lights
    cairo_rotate(cr, a / 4);
    for (int k = 0; k < 4; ++k) {
      cairo_save(cr);
      cairo_rotate(cr, k * M_PI / 2);
      cairo_move_to(cr, -4, -5);
      cairo_line_to(cr, 0, -14);
      cairo_line_to(cr, 4, -5);
      cairo_close_path(cr);
      cairo_pattern_t* g = cairo_pattern_create_linear(-4, 0, 4, 0);
      AddStop(g, 0, 0xfff0a0);
      AddStop(g, 1, 0xb07010);
      cairo_set_source(cr, g);
      cairo_fill(cr);
      cairo_pattern_destroy(g);
      Circle(cr, 0, -10, 1.3);
      SetColor(cr, (k + int(phase * 4)) % 2 ? 0xff50e0 : 0x50f0ff);
      cairo_fill(cr);
      cairo_restore(cr);
    }
    Orb(cr, 6, 0xff90f0, 0x901090, 0.3);
  } else if (kind == 1) {  // a cyan tri-blade spinner
    cairo_rotate(cr, a / 3);
    for (int k = 0; k < 3; ++k) {
      cairo_save(cr);
      cairo_rotate(cr, k * 2 * M_PI / 3);
      cairo_move_to(cr, 0, 0);
      cairo_curve_to(cr, 6, -4, 12, -6, 14, -12);
      cairo_curve_to(cr, 8, -10, 4, -8, 0, 0);
      cairo_close_path(cr);
      SetColor(cr, 0x40e8ff);
      cairo_fill_preserve(cr);
      cairo_set_line_width(cr, 1);
      SetColor(cr, 0xd0ffff);
      cairo_stroke(cr);
      cairo_restore(cr);
    }
    Orb(cr, 5, 0xd0ffff, 0x0870a0, 0.5);
  } else {  // a green bio-blob with a winking eye
    double wob = std::sin(a * 2);
    cairo_save(cr);
    cairo_scale(cr, 1 + 0.08 * wob, 1 - 0.08 * wob);
    cairo_new_path(cr);
    for (int k = 0; k < 24; ++k) {
      double t = k * 2 * M_PI / 24, r = 11 + 1.6 * std::sin(t * 5 + a);
      cairo_line_to(cr, r * std::cos(t), r * std::sin(t));
    }
    cairo_close_path(cr);
    cairo_restore(cr);
    cairo_pattern_t* g = cairo_pattern_create_radial(-4, -4, 1, 0, 0, 13);
    AddStop(g, 0, 0xd0ffa0);
    AddStop(g, 0.5, 0x40d040);
    AddStop(g, 1, 0x105a10);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    double ex = 3 * std::cos(a), ey = 2 * std::sin(a);
    Circle(cr, ex, ey, 4.5);
    SetColor(cr, 0xf8fff0);
    cairo_fill(cr);
    Circle(cr, ex + 1.2 * std::cos(a), ey + 1.2 * std::sin(a), 2);
    SetColor(cr, 0x101810);
    cairo_fill(cr);
  }
}

void MakeEnemies(Out& out) {
  Cells cells{16, 8, 32, 32};
  for (int kind = 0; kind < 3; ++kind) {
    auto canvas = DrawCells(cells, [&](cairo_t* cr, int i) { DrawEnemy(cr, kind, i / 16.0); });
    AnmWriter anm;
    AddFrames(anm, cells, "e");
    anm.BeginSequence("Rotation");
    for (int i = 0; i < 16; ++i) anm.Show(FrameName("e", i), 2);
    anm.Loop();
    char name[32];
    std::snprintf(name, sizeof name, "Enemies\\Enemy%02d", kind);
    out.Tga(std::string(name) + ".tga", canvas->Export(Key::kBlack), TgaFormat::kRle24);
    out.Anm(std::string(name) + ".anm", anm);
  }
}

// Coins fall with their top-left corner at the item's position and are caught
// in a 40 x 20 box from there, so each frame is that box with the coin centred.
void MakeCredits(Out& out) {
  Cells cells{16, 4, 40, 20};
  for (int n = 0; n < 2; ++n) {
    auto canvas = DrawCells(cells, [&](cairo_t* cr, int i) { DrawCoin(cr, n == 0 ? 5 : 1, 0, 0, 9, i * M_PI / 8); });
    AnmWriter anm;
    AddFrames(anm, cells, "c");
    anm.BeginSequence("Rotation");
    for (int i = 0; i < 16; ++i) anm.Show(FrameName("c", i), 2);
    anm.Loop();
    char name[32];
    std::snprintf(name, sizeof name, "Credits\\Credit%02d", n);
    out.Tga(std::string(name) + ".tga", canvas->Export(Key::kBlack), TgaFormat::kRle24);
    out.Anm(std::string(name) + ".anm", anm);
  }
}

// The falling power-up: a capsule turning about its long axis, 40 x 20.
void MakeContainer(Out& out) {
  Cells cells{8, 4, 40, 20};
  auto canvas = DrawCells(cells, [&](cairo_t* cr, int i) {
    double ph = i / 8.0;
    RoundRect(cr, -18, -8, 36, 16, 8);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, -8, 0, 8);
    AddStop(g, 0, 0xf0f4ff);
    AddStop(g, 0.3, 0x9aa4c0);
    AddStop(g, 1, 0x2a3048);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    // Glass middle with a glowing core and bands that roll with the turn.
    cairo_rectangle(cr, -9, -7, 18, 14);
    cairo_pattern_t* glass = cairo_pattern_create_linear(0, -7, 0, 7);
    AddStop(glass, 0, 0xffd0ff);
    AddStop(glass, 0.5, 0xe030c0);
    AddStop(glass, 1, 0x500850);
    cairo_set_source(cr, glass);
    cairo_fill(cr);
    cairo_pattern_destroy(glass);
    for (int k = 0; k < 3; ++k) {
      double v = std::fmod(ph + k / 3.0, 1.0);
      double y = -7 + 14 * (0.5 - 0.5 * std::cos(v * M_PI));
      cairo_rectangle(cr, -9, y - 0.8, 18, 1.6);
      SetColor(cr, 0xffffff, 0.55 * std::sin(v * M_PI));
      cairo_fill(cr);
    }
    UseFont(cr, true, 11);
    SetColor(cr, 0xffffff);
    TextCentered(cr, "?", 0, 4);
    cairo_set_line_width(cr, 1);
    SetColor(cr, 0x101420);
    RoundRect(cr, -17.5, -7.5, 35, 15, 7.5);
    cairo_stroke(cr);
  });
  AnmWriter anm;
  AddFrames(anm, cells, "k");
  anm.BeginSequence("Rotation");
  for (int i = 0; i < 8; ++i) anm.Show(FrameName("k", i), 3);
  anm.Loop();
  out.Tga("Container.tga", canvas->Export(Key::kBlack), TgaFormat::kRle24);
  out.Anm("Container.anm", anm);
}

// 5 x 5 pieces: column = 5 x frame (0 big .. 5 small), row = 5 x colour row.
void MakeParticles(Out& out) {
  // Rows 0..6; the game maps kinds 0..5 to rows 5, 2, 1, 3, 4, 6.
  const uint32_t rows[7] = {0xffffff, 0xffe040, 0x40e0ff, 0xc0e0ff, 0xff50d0, 0xff7a20, 0x60ff60};
  Canvas c(30, 35);
  for (int row = 0; row < 7; ++row)
    for (int f = 0; f < 6; ++f) {
      double r = 2.6 - f * 0.35;
      double cx = f * 5 + 2.5, cy = row * 5 + 2.5;
      cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
      AddStop(g, 0, Mix(rows[row], 0xffffff, 0.6));
      AddStop(g, 0.5, rows[row]);
      AddStop(g, 1, Scale(rows[row], 0.4), 0.6);
      Circle(c.cr(), cx, cy, r);
      cairo_set_source(c.cr(), g);
      cairo_fill(c.cr());
      cairo_pattern_destroy(g);
    }
  // Colour-mapped and run-length encoded: the one image of that kind.
  out.Tga("Particles.tga", c.Export(Key::kBlack, 60), TgaFormat::kMappedRle);
}

void MakeMisc(Out& out) {
  Canvas c(32, 16);
  FrmWriter frm;
  // The cannon's bolt, centred on the bullet's position.
  cairo_t* cr = c.cr();
  cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, 14);
  AddStop(g, 0, 0xffffff);
  AddStop(g, 0.4, 0xffe060);
  AddStop(g, 1, 0xff4010, 0.3);
  RoundRect(cr, 1, 0, 4, 14, 2);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  frm.Add("Bullet", 0, 0, 6, 14, -3, -7);
  // A spark (spare).
  for (int k = 0; k < 4; ++k) {
    cairo_move_to(cr, 12, 7);
    cairo_line_to(cr, 12 + 5 * std::cos(k * M_PI / 2), 7 + 5 * std::sin(k * M_PI / 2));
  }
  cairo_set_line_width(cr, 1.5);
  SetColor(cr, 0xfff0c0);
  cairo_stroke(cr);
  frm.Add("Spark", 6, 1, 12, 12, -6, -6);
  out.Tga("Misc.tga", c.Export(Key::kBlack), TgaFormat::kRgb24);
  out.Frm("Misc.frm", frm);
}

// The pointer: its tip is at (10, 5) of the frame, where the screens put the
// mouse position.
void MakeCursor(Out& out) {
  Cells cells{8, 8, 32, 32};
  auto canvas = DrawCells(cells, [&](cairo_t* cr, int i) {
    cairo_translate(cr, -16 + 10, -16 + 5);
    auto arrow = [](cairo_t* g) {
      cairo_move_to(g, 0, 0);
      cairo_line_to(g, 0, 19);
      cairo_line_to(g, 5, 14.5);
      cairo_line_to(g, 9, 22);
      cairo_line_to(g, 12, 20.5);
      cairo_line_to(g, 8.5, 13.5);
      cairo_line_to(g, 14, 13.5);
      cairo_close_path(g);
    };
    double p = 0.5 + 0.5 * std::cos(i * 2 * M_PI / 8);
    arrow(cr);
    cairo_set_line_width(cr, 3.2);
    SetColor(cr, Mix(0x1060ff, 0x40f0ff, p), 0.7);
    cairo_stroke(cr);
    arrow(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 10, 20);
    AddStop(g, 0, 0xffffff);
    AddStop(g, 1, Mix(0x80d8ff, 0xffffff, p * 0.5));
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_set_line_width(cr, 1);
    SetColor(cr, 0x102040);
    cairo_stroke(cr);
  });
  AnmWriter anm;
  AddFrames(anm, cells, "m");
  anm.BeginSequence("Cursor");
  for (int i = 0; i < 8; ++i) anm.Show(FrameName("m", i), 3);
  anm.Loop();
  // 32-bit true colour, so that decoder path ships too.
  out.Tga("Cursor.tga", canvas->Export(Key::kBlack, 64), TgaFormat::kRgb32);
  out.Anm("Cursor.anm", anm);
}

}  // namespace

void MakeSprites(Out& out) {
  MakeBall(out);
  MakeShip(out);
  MakeEnemies(out);
  MakeCredits(out);
  MakeContainer(out);
  MakeParticles(out);
  MakeMisc(out);
  MakeCursor(out);
}

}  // namespace vx::mkdata::art
