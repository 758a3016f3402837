// The status panel "panel.tga" (640 x 80 below the play window, keyed on
// magenta) and the item shop: "shelves.tga" (keyed on magenta, at 0, 20)
// with its 21 cells, the description panel and the places of the buttons of
// "ShopButtons.tga"/".frm" (drawn with the sheet at 0, 20).
#include <cmath>
#include <string>

#include "art/art.h"

namespace vx::mkdata::art {

namespace {

void Flag(cairo_t* cr, double x, double y) {
  cairo_rectangle(cr, x, y, 1.5, 12);
  SetColor(cr, 0xd0d8e8);
  cairo_fill(cr);
  cairo_move_to(cr, x + 1.5, y);
  cairo_line_to(cr, x + 10, y + 3);
  cairo_line_to(cr, x + 1.5, y + 6.5);
  cairo_close_path(cr);
  SetColor(cr, color::kGreen);
  cairo_fill(cr);
}

void MiniShip(cairo_t* cr, double x, double y) {
  RoundRect(cr, x, y, 22, 7, 3.5);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + 7);
  AddStop(g, 0, 0xf0f4ff);
  AddStop(g, 1, 0x4a5470);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  cairo_rectangle(cr, x + 8, y + 1.5, 6, 2.5);
  SetColor(cr, 0x30a0e0);
  cairo_fill(cr);
  for (int s = 0; s < 2; ++s) {
    Circle(cr, s ? x + 22.5 : x - 0.5, y + 4, 1.6);
    SetColor(cr, 0x80f4ff);
    cairo_fill(cr);
  }
}

void Star(cairo_t* cr, double cx, double cy, double r) {
  cairo_new_path(cr);
  for (int k = 0; k < 10; ++k) {
    double a = -M_PI / 2 + k * M_PI / 5, rr = k % 2 ? r * 0.45 : r;
    cairo_line_to(cr, cx + rr * std::cos(a), cy + rr * std::sin(a));
  }
  cairo_close_path(cr);
  SetColor(cr, color::kGold);
  cairo_fill(cr);
}

}  // namespace

void DrawPanel(cairo_t* cr, double x, double y, double scale) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, scale, scale);
  // Body: a taller status console on the left, the inventory tray, an end cap.
  cairo_move_to(cr, 0, 80);
  cairo_line_to(cr, 0, 10);
  cairo_line_to(cr, 8, 2);
  cairo_line_to(cr, 170, 2);
  cairo_line_to(cr, 182, 14);
  cairo_line_to(cr, 604, 14);
  cairo_line_to(cr, 612, 6);
  cairo_line_to(cr, 634, 6);
  cairo_line_to(cr, 640, 12);
  cairo_line_to(cr, 640, 80);
  cairo_close_path(cr);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, 80);
  AddStop(g, 0, 0x5a6684);
  AddStop(g, 0.15, 0x2a3250);
  AddStop(g, 1, 0x0c1020);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  cairo_set_line_width(cr, 1.5);
  SetColor(cr, color::kCyan);
  cairo_stroke(cr);
  // Status screen.
  RoundRect(cr, 10, 9, 160, 64, 6);
  SetColor(cr, 0x060a1a);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1);
  SetColor(cr, 0x3a5a90);
  cairo_stroke(cr);
  for (int row = 0; row < 3; ++row) {
    cairo_rectangle(cr, 14, 26.5 + row * 18, 152, 0.8);
    SetColor(cr, 0x1a2a50);
    cairo_fill(cr);
  }
  Flag(cr, 100, 9.5);
  MiniShip(cr, 22, 29);
  DrawCoin(cr, 5, 92, 32.5, 5, 0);
  Star(cr, 76, 50, 6);
  // Inventory sockets, keys 1..9 and 0.
  for (int i = 0; i < 10; ++i) {
    double cx = 197 + 42 * i, cy = 47;
    RoundRect(cr, cx - 19, cy - 19, 38, 38, 7);
    cairo_pattern_t* s = cairo_pattern_create_radial(cx, cy - 6, 2, cx, cy, 24);
    AddStop(s, 0, 0x1a2448);
    AddStop(s, 1, 0x070a18);
    cairo_set_source(cr, s);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(s);
    cairo_set_line_width(cr, 1);
    SetColor(cr, 0x4a6aa8);
    cairo_stroke(cr);
    UseFont(cr, true, 9);
    SetColor(cr, 0x6a88c8);
    std::string key = std::to_string((i + 1) % 10);
    cairo_move_to(cr, cx + 11, cy - 10);
    cairo_show_text(cr, key.c_str());
  }
  // End cap lights.
  for (int k = 0; k < 5; ++k) {
    RoundRect(cr, 617, 20 + k * 11, 14, 6, 2);
    SetColor(cr, k < 3 ? color::kCyan : color::kViolet, 0.9 - 0.1 * k);
    cairo_fill(cr);
  }
  cairo_restore(cr);
}

namespace {

void MakePanel(Out& out) {
  Canvas c(640, 80);
  DrawPanel(c.cr(), 0, 0, 1.0);
  out.Tga("panel.tga", c.Export(Key::kMagenta, 96), TgaFormat::kRle24);
}

struct Btn {
  const char* name;
  const char* word;  // key of the label in the picture words
  int x, y;  // screen
};
const Btn kButtons[] = {{"buy", "Buy", 160, 334}, {"sell", "Sell", 290, 334}, {"back", "Back", 470, 334}};
constexpr int kBw = 110, kBh = 38;

void MakeShelves(Out& out, const PictureWords& words) {
  const int oy = 20;  // the image is drawn at 0, 20
  Canvas c(640, 380);
  cairo_t* cr = c.cr();
  RoundRect(cr, 14, 4, 612, 376, 16);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, 380);
  AddStop(g, 0, 0x1a2450, 0.97);
  AddStop(g, 1, 0x060a1c, 0.97);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  RoundRect(cr, 15, 5, 610, 374, 15);
  cairo_set_line_width(cr, 2);
  SetColor(cr, color::kCyan);
  cairo_stroke(cr);
  UseFont(cr, true, 28);
  CheckFits(cr, words["ShopHeader"], 560, "the shop's header");
  NeonText(c, words["ShopHeader"], 320, 36, 28, 0xfff8e0, 0xd09020, 0x6a3a08, -1);
  // Cells: name above (size 11), icon in the middle, price below (size 9).
  for (int k = 0; k < 21; ++k) {
    double x = 40 + (k % 7) * 85, y = 80 + (k / 7) * 60 - oy;
    RoundRect(cr, x - 14, y - 8, 78, 14, 5);
    SetColor(cr, 0x0a1430);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1);
    SetColor(cr, 0x2a4a80);
    cairo_stroke(cr);
    RoundRect(cr, x, y + 6, 50, 46, 8);
    SetColor(cr, 0x0a0e1c);
    cairo_fill_preserve(cr);
    SetColor(cr, 0x3a5a98);
    cairo_stroke(cr);
    cairo_pattern_t* s = cairo_pattern_create_radial(x + 25, y + 25, 2, x + 25, y + 25, 22);
    AddStop(s, 0, 0x1c2a58);
    AddStop(s, 1, 0x0a0e1c);
    Circle(cr, x + 25, y + 25, 19);
    cairo_set_source(cr, s);
    cairo_fill(cr);
    cairo_pattern_destroy(s);
  }
  // Description panel: label ends at x 150, text runs from 150, y 280 .. 310.
  RoundRect(cr, 40, 262 - oy, 560, 58, 10);
  SetColor(cr, 0x050814, 0.95);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1.2);
  SetColor(cr, color::kViolet);
  cairo_stroke(cr);
  // The places of the buttons, as they look while disabled.
  for (const Btn& b : kButtons) {
    Canvas tmp(kBw, kBh);
    DrawButton(tmp, 0, 0, kBw, kBh, words[b.word], 18, false, 0x606878);
    c.Paint(tmp, b.x, b.y - oy, 0.45);
  }
  out.Tga("shelves.tga", c.Export(Key::kMagenta, 96), TgaFormat::kRle24);
}

void MakeShopButtons(Out& out, const PictureWords& words) {
  Canvas c(3 * kBw, 2 * kBh);
  FrmWriter frm;
  for (int i = 0; i < 3; ++i) {
    const Btn& b = kButtons[i];
    uint32_t accent = i == 2 ? color::kMagenta : color::kGold;
    DrawButton(c, i * kBw, 0, kBw, kBh, words[b.word], 18, false, accent);
    DrawButton(c, i * kBw, kBh, kBw, kBh, words[b.word], 18, true, accent);
    frm.Add(std::string(b.name) + "_rel", i * kBw, 0, kBw, kBh, b.x, b.y - 20);
    frm.Add(std::string(b.name) + "_push", i * kBw, kBh, kBw, kBh, b.x, b.y - 20);
  }
  out.Tga("ShopButtons.tga", c.Export(Key::kBlack, 80), TgaFormat::kRle24);
  out.Frm("ShopButtons.frm", frm);
}

}  // namespace

void MakeShop(Out& out) { MakePanel(out); }

void MakeShopWords(Out& out, const PictureWords& words) {
  MakeShelves(out, words);
  MakeShopButtons(out, words);
}

}  // namespace vx::mkdata::art
