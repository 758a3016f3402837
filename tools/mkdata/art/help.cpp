// The help screen's pictures: page buttons "HelpBtn.tga"/".frm" (drawn at
// 0, 0), a small picture of the status panel "help\MinPanel.tga" (blitted at
// 170, 210 on page 2) and the power-ups "help\Items.tga" (at 193, 317 on
// page 1). Both pictures are cut from the backdrop so that they blend in.
// The buttons and the panel picture carry words: one of each per language.
#include <cmath>
#include <string>
#include <vector>

#include "art/art.h"
#include "base/item_catalogue.h"

namespace vx::mkdata::art {

namespace {

void MakeHelpButtons(Out& out, const PictureWords& words) {
  const int w = 120, h = 36;
  const int prevX = 40, nextX = 480, y = 428;
  Canvas c(2 * w, 2 * h);
  DrawButton(c, 0, 0, w, h, words["PreviousPage"], 18, false, color::kCyan);
  DrawButton(c, 0, h, w, h, words["PreviousPage"], 18, true, color::kCyan);
  DrawButton(c, w, 0, w, h, words["NextPage"], 18, false, color::kCyan);
  DrawButton(c, w, h, w, h, words["NextPage"], 18, true, color::kCyan);
  FrmWriter frm;
  // "Prev" and "Next" give the buttons' rectangles; the others are drawn.
  frm.Add("Prev", 0, 0, w, h, prevX, y);
  frm.Add("Next", w, 0, w, h, nextX, y);
  frm.Add("prev", 0, 0, w, h, prevX, y);
  frm.Add("prevs", 0, h, w, h, prevX, y);
  frm.Add("next", w, 0, w, h, nextX, y);
  frm.Add("nexts", w, h, w, h, nextX, y);
  out.Tga("HelpBtn.tga", c.Export(Key::kBlack, 80), TgaFormat::kRle24);
  out.Frm("HelpBtn.frm", frm);
}

// Labels that share a row of the picture: inside it and apart from each other.
struct RowLabel {
  std::string text;
  double centre;
};
void CheckRow(cairo_t* cr, const std::vector<RowLabel>& row, double width) {
  UseFont(cr, true, 11);
  double left = 2;
  for (size_t i = 0; i < row.size(); ++i) {
    const double half = TextWidth(cr, row[i].text) / 2;
    const double right = i + 1 < row.size() ? row[i + 1].centre - TextWidth(cr, row[i + 1].text) / 2 - 4 : width - 2;
    if (row[i].centre - half < left || row[i].centre + half > right)
      ReportMisfit("'" + row[i].text + "' (a label of the panel picture on help page 3) takes " +
                   std::to_string(int(row[i].centre - half)) + ".." + std::to_string(int(row[i].centre + half)) +
                   " px; its place is " + std::to_string(int(left)) + ".." + std::to_string(int(right)));
    left = row[i].centre + half + 4;
  }
}

void Callout(cairo_t* cr, const std::string& text, double tx, double ty, double px, double py) {
  cairo_set_line_width(cr, 1);
  SetColor(cr, color::kCyan, 0.8);
  cairo_move_to(cr, px, py);
  cairo_line_to(cr, tx, ty < py ? ty + 3 : ty - 11);
  cairo_stroke(cr);
  Circle(cr, px, py, 1.6);
  cairo_fill(cr);
  UseFont(cr, true, 11);
  SetColor(cr, 0xe8f4ff);
  TextCentered(cr, text, tx, ty);
}

// A 300 x 90 picture: the panel at half size with what its parts show.
void MakeMinPanel(Out& out, const PictureWords& words) {
  const int x0 = 170, y0 = 210, w = 300, h = 90;
  Canvas c(w, h);
  PaintImage(c.cr(), NodeBackground().Crop(x0, y0, w, h), 0, 0, false);
  cairo_t* cr = c.cr();
  RoundRect(cr, 0.5, 0.5, w - 1, h - 1, 8);
  SetColor(cr, 0x050814, 0.8);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1);
  SetColor(cr, color::kViolet);
  cairo_stroke(cr);
  const double s = 0.45, px = (w - 640 * s) / 2, py = 28;
  DrawPanel(cr, px, py, s);
  // Sample contents, so the picture reads like the real panel.
  UseFont(cr, true, 7);
  SetColor(cr, 0xffffff);
  auto at = [&](double x, double y, const char* t) {
    cairo_move_to(cr, px + x * s, py + y * s);
    cairo_show_text(cr, t);
  };
  at(115, 20, "42%");
  at(50, 37, "8");
  at(100, 37, "150");
  at(85, 55, "12450");
  const int ids[] = {ITEM_CANNON, ITEM_BOMB, ITEM_SHIELD};
  for (int i = 0; i < 3; ++i) DrawItemIcon(cr, ids[i], px + (197 + 42 * i) * s, py + 47 * s, 36 * s, 0);
  CheckRow(cr, {{words["PanelLives"], px + 18}, {words["PanelCredits"], px + 74}, {words["PanelProgress"], px + 140}}, w);
  CheckRow(cr, {{words["PanelScore"], px + 40}, {words["PanelItems"], px + 190}}, w);
  Callout(cr, words["PanelLives"], px + 18, 14, px + 34 * s, py + 32 * s);
  Callout(cr, words["PanelCredits"], px + 74, 14, px + 92 * s, py + 32 * s);
  Callout(cr, words["PanelProgress"], px + 140, 14, px + 104 * s, py + 14 * s);
  Callout(cr, words["PanelScore"], px + 40, 84, px + 76 * s, py + 50 * s);
  Callout(cr, words["PanelItems"], px + 190, 84, px + 239 * s, py + 62 * s);
  out.Tga("help\\MinPanel.tga", c.Export(Key::kNone));
}

constexpr int PowerUpCount() {
  int n = 0;
  for (int id = 1; id < kItemCount; ++id) n += !IsCoin(id);
  return n;
}
static_assert(1 + PowerUpCount() <= 21, "the items picture holds three rows of seven");

// 254 x 108: the falling capsule, then every power-up, seven to a row.
void MakeItemsPicture(Out& out) {
  const int x0 = 193, y0 = 317, w = 254, h = 108, cell = 36;
  Canvas c(w, h);
  PaintImage(c.cr(), NodeBackground().Crop(x0, y0, w, h), 0, 0, false);
  cairo_t* cr = c.cr();
  RoundRect(cr, 0.5, 0.5, w - 1, h - 1, 8);
  SetColor(cr, 0x050814, 0.8);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1);
  SetColor(cr, color::kViolet);
  cairo_stroke(cr);
  std::vector<int> ids = {ITEM_NONE};  // stands for the capsule here
  for (int id = 1; id < kItemCount; ++id)
    if (!IsCoin(id)) ids.push_back(id);
  for (size_t i = 0; i < ids.size(); ++i) {
    double cx = 1 + (i % 7) * cell + cell / 2.0, cy = (i / 7) * cell + cell / 2.0;
    if (ids[i] == 0) {
      // The capsule a power-up falls in.
      RoundRect(cr, cx - 15, cy - 6, 30, 12, 6);
      cairo_pattern_t* g = cairo_pattern_create_linear(0, cy - 6, 0, cy + 6);
      AddStop(g, 0, 0xf0f4ff);
      AddStop(g, 1, 0x2a3048);
      cairo_set_source(cr, g);
      cairo_fill(cr);
      cairo_pattern_destroy(g);
      cairo_rectangle(cr, cx - 7, cy - 5, 14, 10);
      SetColor(cr, 0xe030c0);
      cairo_fill(cr);
      UseFont(cr, true, 9);
      SetColor(cr, 0xffffff);
      TextCentered(cr, "?", cx, cy + 3);
    } else {
      DrawItemIcon(cr, ids[i], cx, cy, 32, 0);
    }
  }
  out.Tga("help\\Items.tga", c.Export(Key::kNone));
}

}  // namespace

void MakeHelp(Out& out) { MakeItemsPicture(out); }

void MakeHelpWords(Out& out, const PictureWords& words) {
  MakeHelpButtons(out, words);
  MakeMinPanel(out, words);
}

}  // namespace vx::mkdata::art
