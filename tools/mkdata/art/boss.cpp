// The boss: "Boss.tga" + "Boss.anm" with the sequences "Wait" (loops),
// "Arm", "Freeze", "Fire" and "Reload" (finite). The boss is drawn from its
// centre: every frame carries an offset of minus half its size, so the
// armoured core fills the 80 x 80 hit box and the cannon muzzles sit at its
// lower corners, where the missiles start. Its hit-point bar "BossBar.tga"
// (drawn at 0, 0): the casing, and the fill that the screen cuts to the
// hit points left, 200 x 10 at 230, 70.
#include <cmath>
#include <string>

#include "art/art.h"
#include "art/cells.h"

namespace vx::mkdata::art {

namespace {

constexpr int kW = 128, kH = 112;

struct Pose {
  double look = 0;    // eye direction, -1 .. 1
  double pulse = 0;   // core glow, 0 .. 1
  double arm = 0;     // cannons lowered and extended, 0 .. 1
  double charge = 0;  // energy at the muzzles, 0 .. 1
  double flash = 0;   // muzzle flash, 0 .. 1
};

void Cannon(cairo_t* cr, int side, const Pose& p) {
  // Pivot on the shoulder; lowered by arm, muzzle ends near (side * 40, 40).
  double sx = side * 34, sy = 8;
  double ang = side > 0 ? (0.35 + 0.85 * p.arm) : (M_PI - 0.35 - 0.85 * p.arm);
  double len = 26 + 8 * p.arm;
  cairo_save(cr);
  cairo_translate(cr, sx, sy);
  cairo_rotate(cr, ang);
  RoundRect(cr, -4, -7, len + 4, 14, 4);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, -7, 0, 7);
  AddStop(g, 0, 0xd8e0f0);
  AddStop(g, 0.4, 0x6a7490);
  AddStop(g, 1, 0x1c2236);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  cairo_set_line_width(cr, 1);
  SetColor(cr, 0x0e1020);
  cairo_stroke(cr);
  for (int k = 0; k < 3; ++k) {
    cairo_rectangle(cr, 6 + k * 6, -7, 2, 14);
    SetColor(cr, 0x2a3048);
    cairo_fill(cr);
  }
  cairo_rectangle(cr, len - 2, -5, 5, 10);
  SetColor(cr, 0x3a4260);
  cairo_fill(cr);
  double mx = len + 3;
  if (p.charge > 0) {
    double r = 3 + 7 * p.charge;
    cairo_pattern_t* c = cairo_pattern_create_radial(mx, 0, 0, mx, 0, r);
    AddStop(c, 0, 0xffffff, 1);
    AddStop(c, 0.35, 0x80e8ff, 0.9);
    AddStop(c, 1, 0x2060ff, 0);
    Circle(cr, mx, 0, r);
    cairo_set_source(cr, c);
    cairo_fill(cr);
    cairo_pattern_destroy(c);
  }
  if (p.flash > 0) {
    cairo_new_path(cr);
    for (int k = 0; k < 12; ++k) {
      double a = k * M_PI / 6, r = (k % 2 ? 4 : 13) * (0.5 + 0.5 * p.flash);
      cairo_line_to(cr, mx + 2 + r * std::cos(a) * 1.3, r * std::sin(a));
    }
    cairo_close_path(cr);
    cairo_pattern_t* f = cairo_pattern_create_radial(mx + 2, 0, 0, mx + 2, 0, 16);
    AddStop(f, 0, 0xffffff, 1);
    AddStop(f, 0.4, 0xff80b0, 0.9);
    AddStop(f, 1, 0xff2060, 0.2);
    cairo_set_source(cr, f);
    cairo_fill(cr);
    cairo_pattern_destroy(f);
  }
  cairo_restore(cr);
}

void DrawBoss(cairo_t* cr, const Pose& p) {
  // Aura.
  cairo_pattern_t* aura = cairo_pattern_create_radial(0, 0, 20, 0, 0, 56);
  AddStop(aura, 0, 0xa020ff, 0.45 + 0.25 * p.pulse);
  AddStop(aura, 1, 0x400080, 0);
  Circle(cr, 0, 0, 56);
  cairo_set_source(cr, aura);
  cairo_fill(cr);
  cairo_pattern_destroy(aura);
  // Crest of spikes.
  for (int k = -2; k <= 2; ++k) {
    double a = -M_PI / 2 + k * 0.38;
    double r0 = 30, r1 = 46 - std::abs(k) * 4;
    cairo_move_to(cr, r0 * std::cos(a - 0.12), r0 * std::sin(a - 0.12));
    cairo_line_to(cr, r1 * std::cos(a), r1 * std::sin(a));
    cairo_line_to(cr, r0 * std::cos(a + 0.12), r0 * std::sin(a + 0.12));
    cairo_close_path(cr);
    SetColor(cr, k == 0 ? 0xe0e6f4 : 0x8a94b0);
    cairo_fill(cr);
  }
  // Side fins.
  for (int s = -1; s <= 1; s += 2) {
    cairo_move_to(cr, s * 30, -14);
    cairo_line_to(cr, s * 60, -26 + 3 * p.pulse);
    cairo_line_to(cr, s * 50, -8);
    cairo_line_to(cr, s * 34, 0);
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(s * 30, -20, s * 60, 0);
    AddStop(g, 0, 0x5a3a90);
    AddStop(g, 1, 0x22103a);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_set_line_width(cr, 1.2);
    SetColor(cr, 0xd060ff, 0.8);
    cairo_stroke(cr);
  }
  Cannon(cr, -1, p);
  Cannon(cr, 1, p);
  // Armoured core.
  Circle(cr, 0, 0, 36);
  cairo_pattern_t* body = cairo_pattern_create_radial(-12, -14, 4, 0, 0, 38);
  AddStop(body, 0, 0xe8ecf8);
  AddStop(body, 0.35, 0x7a84a0);
  AddStop(body, 0.8, 0x2a3048);
  AddStop(body, 1, 0x10121e);
  cairo_set_source(cr, body);
  cairo_fill(cr);
  cairo_pattern_destroy(body);
  // Armour seams and lights.
  cairo_set_line_width(cr, 1.2);
  SetColor(cr, 0x141828, 0.9);
  for (int k = 0; k < 6; ++k) {
    double a = k * M_PI / 3 + M_PI / 6;
    cairo_move_to(cr, 21 * std::cos(a), 21 * std::sin(a));
    cairo_line_to(cr, 36 * std::cos(a), 36 * std::sin(a));
  }
  cairo_stroke(cr);
  for (int k = 0; k < 6; ++k) {
    double a = k * M_PI / 3;
    Circle(cr, 29 * std::cos(a), 29 * std::sin(a), 2);
    SetColor(cr, Mix(0xa040ff, 0xff80ff, p.pulse));
    cairo_fill(cr);
  }
  // The eye.
  Circle(cr, 0, 0, 20);
  SetColor(cr, 0x0c0a18);
  cairo_fill(cr);
  uint32_t iris = Mix(Mix(0xff2050, 0xffa020, p.pulse * 0.5), 0x80e8ff, p.charge);
  cairo_pattern_t* eye = cairo_pattern_create_radial(p.look * 6, 0, 1, p.look * 6, 0, 15);
  AddStop(eye, 0, 0xffffff);
  AddStop(eye, 0.3, iris);
  AddStop(eye, 1, Scale(iris, 0.25));
  Circle(cr, 0, 0, 17);
  cairo_set_source(cr, eye);
  cairo_fill(cr);
  cairo_pattern_destroy(eye);
  cairo_save(cr);
  cairo_translate(cr, p.look * 7, 0);
  cairo_scale(cr, 0.45, 1);
  Circle(cr, 0, 0, 8);
  cairo_restore(cr);
  SetColor(cr, 0x100818);
  cairo_fill(cr);
  Circle(cr, -6, -8, 3);
  SetColor(cr, 0xffffff, 0.8);
  cairo_fill(cr);
  if (p.flash > 0 || p.charge > 0.8) {
    Circle(cr, 0, 0, 20);
    SetColor(cr, 0xffffff, 0.25 * std::max(p.flash, p.charge - 0.8));
    cairo_fill(cr);
  }
}

// The casing of the hit-point bar: a steel capsule with a dark trough for the
// 200 x 10 fill, and the boss's red eye on its left cap.
void DrawBarCasing(cairo_t* cr, double w, double h) {
  RoundRect(cr, 0.5, 0.5, w - 1, h - 1, h / 2);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, h);
  AddStop(g, 0, 0xc8d0e4);
  AddStop(g, 0.35, 0x6a7490);
  AddStop(g, 1, 0x1c2236);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  cairo_set_line_width(cr, 1);
  SetColor(cr, color::kCyan, 0.9);
  cairo_stroke(cr);
  // The trough, one pixel larger than the fill all round.
  RoundRect(cr, 15, 7, 202, 12, 2);
  SetColor(cr, 0x05070f);
  cairo_fill(cr);
  cairo_pattern_t* eye = cairo_pattern_create_radial(7.5, h / 2, 0.5, 7.5, h / 2, 5.5);
  AddStop(eye, 0, 0xfff0c0);
  AddStop(eye, 0.4, color::kRed);
  AddStop(eye, 1, 0x400810);
  Circle(cr, 7.5, h / 2, 5);
  cairo_set_source(cr, eye);
  cairo_fill(cr);
  cairo_pattern_destroy(eye);
  // A small cap at the right end.
  RoundRect(cr, w - 12, h / 2 - 4, 6, 8, 2);
  SetColor(cr, color::kCyan, 0.8);
  cairo_fill(cr);
}

// The fill: electric blue with a bright upper edge, a dark lower one and a
// notch every 20 pixels (a tenth of the boss).
void DrawBarFill(cairo_t* cr, double w, double h) {
  cairo_rectangle(cr, 0, 0, w, h);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, h);
  AddStop(g, 0, 0xd8ecff);
  AddStop(g, 0.3, 0x4c8cff);
  AddStop(g, 0.7, 0x1c48e0);
  AddStop(g, 1, 0x0c1c70);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  cairo_set_line_width(cr, 1);
  SetColor(cr, 0x06103a, 0.8);
  for (int x = 20; x < w; x += 20) {
    cairo_move_to(cr, x + 0.5, 1);
    cairo_line_to(cr, x + 0.5, h - 1);
  }
  cairo_stroke(cr);
}

void MakeBossBar(Out& out) {
  const int casingW = 232, casingH = 26, fillW = 200, fillH = 10;
  Canvas c(casingW, casingH + fillH);
  DrawBarCasing(c.cr(), casingW, casingH);
  cairo_save(c.cr());
  cairo_translate(c.cr(), 0, casingH);
  DrawBarFill(c.cr(), fillW, fillH);
  cairo_restore(c.cr());
  FrmWriter frm;
  // The trough lies at 15, 7 of the casing: the fill lands at 230, 70.
  frm.Add("casing", 0, 0, casingW, casingH, 230 - 16, 70 - 8);
  frm.Add("fill", 0, casingH, fillW, fillH, 230, 70);
  out.Tga("BossBar.tga", c.Export(Key::kBlack), TgaFormat::kRle24);
  out.Frm("BossBar.frm", frm);
}

}  // namespace

void MakeBoss(Out& out) {
  MakeBossBar(out);
  struct Seq {
    const char* name;
    int frames;
    int ticks;
    bool loop;
  };
  const Seq seqs[] = {{"Wait", 8, 5, true}, {"Arm", 6, 3, false}, {"Freeze", 4, 4, false},
                      {"Fire", 4, 3, false}, {"Reload", 6, 3, false}};
  Cells cells{28, 8, kW, kH};
  std::vector<Pose> poses;
  for (int i = 0; i < 8; ++i) {  // Wait: the eye roams, the core breathes
    Pose p;
    p.look = std::sin(i * 2 * M_PI / 8);
    p.pulse = 0.5 + 0.5 * std::cos(i * 2 * M_PI / 8);
    poses.push_back(p);
  }
  for (int i = 0; i < 6; ++i) {  // Arm: the cannons come down
    Pose p;
    p.arm = (i + 1) / 6.0;
    p.pulse = 0.6;
    p.charge = i >= 4 ? 0.2 * (i - 3) : 0;
    poses.push_back(p);
  }
  for (int i = 0; i < 4; ++i) {  // Freeze: the icy charge builds up
    Pose p;
    p.arm = 1;
    p.pulse = 1;
    p.charge = 0.4 + 0.2 * i;
    poses.push_back(p);
  }
  for (int i = 0; i < 4; ++i) {  // Fire: muzzle flashes
    Pose p;
    p.arm = 1 - 0.1 * i;
    p.flash = i < 3 ? 1.0 - 0.3 * i : 0.15;
    p.pulse = 1;
    poses.push_back(p);
  }
  for (int i = 0; i < 6; ++i) {  // Reload: the cannons rise again
    Pose p;
    p.arm = 0.7 * (1 - (i + 1) / 6.0);
    p.pulse = 0.5;
    poses.push_back(p);
  }
  auto canvas = DrawCells(cells, [&](cairo_t* cr, int i) { DrawBoss(cr, poses[i]); });
  AnmWriter anm;
  AddFrames(anm, cells, "b");
  int first = 0;
  for (const Seq& s : seqs) {
    anm.BeginSequence(s.name);
    for (int i = 0; i < s.frames; ++i) anm.Show(FrameName("b", first + i), s.ticks, -kW / 2, -kH / 2);
    if (s.loop) anm.Loop();
    first += s.frames;
  }
  out.Tga("Boss.tga", canvas->Export(Key::kBlack, 64), TgaFormat::kRle24);
  out.Anm("Boss.anm", anm);
}

}  // namespace vx::mkdata::art
