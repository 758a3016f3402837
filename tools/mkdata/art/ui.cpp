// Shared interface pieces: the button plate used by every screen, the
// button control's own "Buttons.tga", the message panel "TPanel", the flag
// and the light sprites.
#include <algorithm>
#include <cmath>

#include "art/art.h"
#include "art/cells.h"

namespace vx::mkdata::art {

void DrawButton(Canvas& c, double x, double y, double w, double h, const std::string& label, double textSize,
                bool lit, uint32_t accent) {
  cairo_t* cr = c.cr();
  double r = std::min(h / 2.4, 12.0);
  if (lit) {
    Glow(
        c, [&](cairo_t* g) { RoundRect(g, x + 1, y + 1, w - 2, h - 2, r); }, accent, 3, 6, 0.9);
  }
  RoundRect(cr, x + 1, y + 1, w - 2, h - 2, r);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + h);
  if (lit) {
    AddStop(g, 0, Mix(0x4a5a80, accent, 0.3));
    AddStop(g, 0.5, Mix(0x1e2a48, accent, 0.2));
    AddStop(g, 1, 0x10182e);
  } else {
    AddStop(g, 0, 0x3a4664);
    AddStop(g, 0.5, 0x1a2238);
    AddStop(g, 1, 0x0c1020);
  }
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  // Glass gloss on the upper half.
  RoundRect(cr, x + 4, y + 3, w - 8, h * 0.42, r * 0.7);
  cairo_set_source_rgba(cr, 1, 1, 1, lit ? 0.16 : 0.09);
  cairo_fill(cr);
  RoundRect(cr, x + 1.5, y + 1.5, w - 3, h - 3, r);
  cairo_set_line_width(cr, lit ? 2 : 1.4);
  SetColor(cr, lit ? Mix(accent, 0xffffff, 0.35) : Scale(accent, 0.75));
  cairo_stroke(cr);
  if (!label.empty()) {
    UseFont(cr, true, textSize);
    CheckFits(cr, label, w - 2 * std::max(r, 6.0), "a button " + std::to_string(int(w)) + " px wide");
    cairo_text_extents_t e;
    cairo_text_extents(cr, "Hg", &e);
    double base = y + h / 2 + textSize * 0.36;
    if (lit) {
      Glow(
          c,
          [&](cairo_t* gc) {
            UseFont(gc, true, textSize);
            TextPathCentered(gc, label, x + w / 2, base);
          },
          accent, 0, 3, 0.9);
    }
    SetColor(cr, 0x05070e, 0.8);
    TextCentered(cr, label, x + w / 2 + 1, base + 1);
    SetColor(cr, lit ? 0xffffff : 0xc8d4ec);
    TextCentered(cr, label, x + w / 2, base);
  }
}

namespace {

void MakeButtons(Out& out) {
  // The control's own picture: a plate whose rim light runs around, 8 frames.
  const int w = 120, h = 30;
  Canvas c(w, h * 8);
  AnmWriter anm;
  for (int i = 0; i < 8; ++i) {
    DrawButton(c, 0, i * h, w, h, "", 14, false, color::kCyan);
    double t = i / 8.0;
    double px = 8 + (w - 16) * (0.5 - 0.5 * std::cos(t * 2 * M_PI));
    cairo_pattern_t* g = cairo_pattern_create_radial(px, i * h + 2, 0, px, i * h + 2, 14);
    AddStop(g, 0, 0xffffff, 0.9);
    AddStop(g, 1, color::kCyan, 0);
    cairo_rectangle(c.cr(), px - 14, i * h, 28, 4);
    cairo_set_source(c.cr(), g);
    cairo_fill(c.cr());
    cairo_pattern_destroy(g);
    anm.Frame(FrameName("btn", i), 0, i * h, w, h);
  }
  anm.BeginSequence("Button");
  for (int i = 0; i < 8; ++i) anm.Show(FrameName("btn", i), 4);
  anm.Loop();
  out.Tga("Buttons.tga", c.Export(Key::kBlack), TgaFormat::kRle24);
  out.Anm("Buttons.anm", anm);
}

void PanelPlate(Canvas& c, double x, double y, double w, double h) {
  cairo_t* cr = c.cr();
  double r = std::min(8.0, h / 2);
  RoundRect(cr, x + 0.5, y + 0.5, w - 1, h - 1, r);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + h);
  AddStop(g, 0, 0x1c2850);
  AddStop(g, 0.5, 0x0c1230);
  AddStop(g, 1, 0x141a3a);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  cairo_set_line_width(cr, std::min(2.0, h / 3));
  SetColor(cr, color::kCyan);
  cairo_stroke(cr);
  if (h >= 20) {
    // Corner brackets and a thin inner line.
    cairo_set_line_width(cr, 2);
    SetColor(cr, 0xffffff, 0.9);
    for (int s = 0; s < 4; ++s) {
      double cx = s % 2 ? x + w - 5 : x + 5, cy = s / 2 ? y + h - 5 : y + 5;
      double dx = s % 2 ? -10 : 10, dy = s / 2 ? -8 : 8;
      cairo_move_to(cr, cx + dx, cy);
      cairo_line_to(cr, cx, cy);
      cairo_line_to(cr, cx, cy + dy);
    }
    cairo_stroke(cr);
    RoundRect(cr, x + 4.5, y + 4.5, w - 9, h - 9, r * 0.6);
    cairo_set_line_width(cr, 1);
    SetColor(cr, color::kViolet, 0.6);
    cairo_stroke(cr);
  }
}

// The message panel: it unfolds from a line ("Appear", played once) and its
// last frame is the whole panel that stays under the message.
void MakeTPanel(Out& out) {
  const int sizes[][2] = {{40, 4}, {120, 4}, {240, 4}, {320, 4}, {320, 16}, {320, 34}, {320, 54}, {320, 72}};
  int total = 0;
  for (auto& s : sizes) total += s[1];
  Canvas c(320, total);
  AnmWriter anm;
  int y = 0, i = 0;
  for (auto& s : sizes) {
    PanelPlate(c, 0, y, s[0], s[1]);
    anm.Frame(FrameName("panel", i++), 0, y, s[0], s[1]);
    y += s[1];
  }
  anm.BeginSequence("Appear");
  for (int k = 0; k < i; ++k) anm.Show(FrameName("panel", k), 1);
  // 32-bit true colour: one more decoder path in use.
  out.Tga("TPanel.tga", c.Export(Key::kBlack), TgaFormat::kRgb32);
  out.Anm("TPanel.anm", anm);
}

void MakeFlag(Out& out) {
  Cells cells{8, 8, 40, 32};
  auto canvas = DrawCells(cells, [&](cairo_t* cr, int i) {
    double ph = i * 2 * M_PI / 8;
    cairo_rectangle(cr, -17, -15, 2, 30);
    SetColor(cr, 0xc0c8d8);
    cairo_fill(cr);
    cairo_new_path(cr);
    for (int k = 0; k <= 10; ++k) {
      double x = -15 + k * 3.2;
      cairo_line_to(cr, x, -14 + 2.5 * std::sin(ph + k * 0.6) * k / 10);
    }
    for (int k = 10; k >= 0; --k) {
      double x = -15 + k * 3.2;
      cairo_line_to(cr, x, 2 + 2.5 * std::sin(ph + k * 0.6) * k / 10);
    }
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(-15, 0, 17, 0);
    AddStop(g, 0, 0x20d0ff);
    AddStop(g, 1, 0xb040ff);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    UseFont(cr, true, 12);
    SetColor(cr, 0xffffff);
    TextCentered(cr, "V", 0, -2 + 2.5 * std::sin(ph + 5 * 0.6) * 0.5);
  });
  AnmWriter anm;
  AddFrames(anm, cells, "f");
  anm.BeginSequence("Wave");
  for (int i = 0; i < 8; ++i) anm.Show(FrameName("f", i), 3);
  anm.Loop();
  out.Tga("Flag.tga", canvas->Export(Key::kBlack), TgaFormat::kRgb16);
  out.Anm("Flag.anm", anm);
}

void MakeLights(Out& out) {
  const struct {
    const char* name;
    int size;
    TgaFormat format;
  } lights[] = {{"litSmall", 16, TgaFormat::kRgb16}, {"litMedium", 32, TgaFormat::kRgb32},
                {"litBig", 64, TgaFormat::kRle24}};
  for (const auto& l : lights) {
    Canvas c(l.size, l.size);
    double r = l.size / 2.0;
    cairo_pattern_t* g = cairo_pattern_create_radial(r, r, 0, r, r, r);
    AddStop(g, 0, 0xffffff, 1);
    AddStop(g, 0.25, 0xc0f4ff, 0.85);
    AddStop(g, 0.6, 0x3080ff, 0.4);
    AddStop(g, 1, 0x1030a0, 0);
    Circle(c.cr(), r, r, r);
    cairo_set_source(c.cr(), g);
    cairo_fill(c.cr());
    cairo_pattern_destroy(g);
    FrmWriter frm;
    frm.Add("Light", 0, 0, l.size, l.size, -l.size / 2, -l.size / 2);
    out.Tga(std::string(l.name) + ".tga", c.Export(Key::kBlack, 24), l.format);
    out.Frm(std::string(l.name) + ".frm", frm);
  }
}

}  // namespace

void MakeUi(Out& out) {
  MakeButtons(out);
  MakeTPanel(out);
  MakeFlag(out);
  MakeLights(out);
}

}  // namespace vx::mkdata::art
