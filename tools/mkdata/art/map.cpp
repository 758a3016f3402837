// The world map: "Nodes\Node.tga" (the sea receding to a horizon whose
// vanishing point is 320, 94.5), the pads of the map's four buttons
// "NodePads.tga", the selection ring "Select.tga" and the scroll buttons
// "NodeButtons.tga". Node.tga is also the backdrop of most other screens, so
// it carries nothing that belongs to the map alone.
#include <algorithm>
#include <cmath>
#include <mutex>

#include "art/art.h"
#include "art/scenes.h"

namespace vx::mkdata::art {

namespace {

constexpr double kHorizon = 94.5;

// Round pads of the map's buttons; their labels and a ring of light are drawn
// over them by the screen.
void ButtonPad(Canvas& c, double cx, double cy, double r, uint32_t accent) {
  cairo_t* cr = c.cr();
  Glow(
      c, [&](cairo_t* g) { Circle(g, cx, cy, r); }, accent, 3, 10, 0.6);
  cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy - r * 0.3, r * 0.1, cx, cy, r);
  AddStop(g, 0, 0x1a2c58, 0.95);
  AddStop(g, 0.8, 0x0a1430, 0.95);
  AddStop(g, 1, 0x040814, 0.95);
  Circle(cr, cx, cy, r);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  cairo_set_line_width(cr, 2);
  SetColor(cr, accent);
  Circle(cr, cx, cy, r - 1);
  cairo_stroke(cr);
  cairo_set_line_width(cr, 1);
  SetColor(cr, Mix(accent, 0xffffff, 0.5), 0.35);
  Circle(cr, cx, cy, r - 6);
  cairo_stroke(cr);
  for (int k = 0; k < 24; ++k) {
    double a = k * M_PI / 12;
    cairo_move_to(cr, cx + (r - 4) * std::cos(a), cy + (r - 4) * std::sin(a));
    cairo_line_to(cr, cx + (r - 1.5) * std::cos(a), cy + (r - 1.5) * std::sin(a));
  }
  SetColor(cr, 0xffffff, 0.5);
  cairo_stroke(cr);
}

Image DrawNode() {
  Canvas c(640, 480);
  SceneStyle style{kHorizon, 320, 7};
  DrawScene(c, style);
  DrawHorizonPlanet(c, style, 548, 64, 0xb070ff, 0x301060);
  cairo_t* cr = c.cr();
  // The map's perspective grid: lines of equal map x meet at the vanishing point.
  cairo_save(cr);
  cairo_rectangle(cr, 0, kHorizon + 2, 640, 480);
  cairo_clip(cr);
  for (int k = -8; k <= 8; ++k) {
    double X = 329 + k * 80.0;
    double x480 = (X - 329) * (480 - kHorizon) / 157.5 + 320;
    cairo_pattern_t* g = cairo_pattern_create_linear(0, kHorizon, 0, 480);
    AddStop(g, 0, 0x60e8ff, 0);
    AddStop(g, 0.5, 0x60e8ff, 0.18);
    AddStop(g, 1, 0x60e8ff, 0.3);
    cairo_move_to(cr, 320, kHorizon);
    cairo_line_to(cr, x480, 480);
    cairo_set_source(cr, g);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_pattern_destroy(g);
  }
  for (int k = 0; k < 14; ++k) {
    double y = kHorizon + 400.0 / (1 + k * 0.6);
    if (y > 480) continue;
    double a = std::clamp((y - kHorizon) / 385.0, 0.0, 1.0);
    cairo_move_to(cr, 0, std::floor(y) + 0.5);
    cairo_line_to(cr, 640, std::floor(y) + 0.5);
    SetColor(cr, 0x60e8ff, 0.05 + 0.2 * a);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
  // A darker lane behind the level title line, so it reads well.
  cairo_pattern_t* lane = cairo_pattern_create_linear(0, 128, 0, 160);
  AddStop(lane, 0, 0x000000, 0);
  AddStop(lane, 0.5, 0x000814, 0.45);
  AddStop(lane, 1, 0x000000, 0);
  cairo_rectangle(cr, 0, 128, 640, 32);
  cairo_set_source(cr, lane);
  cairo_fill(cr);
  cairo_pattern_destroy(lane);
  return c.Export(Key::kNone);
}

struct PadPlace {
  const char* frame;
  int cx, cy;
  uint32_t accent;
};
// Play, Shop, Save and Back, at the label points of the map's buttons.
constexpr PadPlace kPads[] = {{"pad1", 108, 404, color::kGreen},
                              {"pad2", 231, 441, color::kGold},
                              {"pad3", 397, 441, color::kCyan},
                              {"pad4", 535, 404, color::kMagenta}};
constexpr int kPadBox = 112;

// A pad with its glow laid over the piece of the backdrop it is drawn on, so
// the soft edge of the glow meets the sea without a seam; the rest is key.
Image PadOverBackdrop(const PadPlace& p) {
  Canvas pad(kPadBox, kPadBox);
  ButtonPad(pad, kPadBox / 2, kPadBox / 2, 37, p.accent);
  const Image shape = pad.Export(Key::kBlack, 6);
  Canvas over(kPadBox, kPadBox);
  PaintImage(over.cr(),
             NodeBackground().Crop(p.cx - kPadBox / 2, p.cy - kPadBox / 2, kPadBox, kPadBox), 0, 0,
             false);
  over.Paint(pad, 0, 0);
  Image img = over.Export(Key::kNone);
  for (size_t i = 0; i < img.px.size(); ++i)
    if (shape.px[i] == 0) img.px[i] = 0;
  return img;
}

void MakePads(Out& out) {
  const int count = static_cast<int>(sizeof kPads / sizeof kPads[0]);
  Image sheet(kPadBox * count, kPadBox);
  FrmWriter frm;
  for (int i = 0; i < count; ++i) {
    const PadPlace& p = kPads[i];
    sheet.Blit(PadOverBackdrop(p), 0, 0, kPadBox, kPadBox, kPadBox * i, 0);
    // Drawn at 0, 0: the offsets put each pad under its button.
    frm.Add(p.frame, kPadBox * i, 0, kPadBox, kPadBox, p.cx - kPadBox / 2, p.cy - kPadBox / 2);
  }
  out.Tga("NodePads.tga", sheet, TgaFormat::kRle24);
  out.Frm("NodePads.frm", frm);
}

void ScrollButton(cairo_t* cr, double x, double y, bool up) {
  RoundRect(cr, x + 0.5, y + 0.5, 27, 22, 5);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + 23);
  AddStop(g, 0, 0x4a5a84);
  AddStop(g, 1, 0x141c34);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  cairo_set_line_width(cr, 1.2);
  SetColor(cr, color::kCyan);
  cairo_stroke(cr);
  double cx = x + 14, cy = y + 11.5, d = up ? -1 : 1;
  cairo_move_to(cr, cx - 7, cy - 3.5 * d);
  cairo_line_to(cr, cx + 7, cy - 3.5 * d);
  cairo_line_to(cr, cx, cy + 4.5 * d);
  cairo_close_path(cr);
  SetColor(cr, 0xe8fcff);
  cairo_fill(cr);
}

}  // namespace

Image NodeBackground() {
  static Image node;
  static std::once_flag once;
  std::call_once(once, [] { node = DrawNode(); });
  return node;
}

void MakeMap(Out& out) {
  out.Tga("Nodes\\Node.tga", NodeBackground());

  // The selection ring; the map scales it around the node, so it has no offset.
  Canvas sel(80, 80);
  cairo_t* cr = sel.cr();
  Glow(
      sel, [](cairo_t* g) { Circle(g, 40, 40, 33); }, color::kGold, 3, 6, 1.0);
  cairo_set_line_width(cr, 2.5);
  SetColor(cr, 0xffe890);
  Circle(cr, 40, 40, 33);
  cairo_stroke(cr);
  for (int k = 0; k < 4; ++k) {
    cairo_save(cr);
    cairo_translate(cr, 40, 40);
    cairo_rotate(cr, k * M_PI / 2 + M_PI / 4);
    cairo_move_to(cr, 28, 0);
    cairo_line_to(cr, 38, -6);
    cairo_line_to(cr, 38, 6);
    cairo_close_path(cr);
    cairo_restore(cr);
    SetColor(cr, 0xffffff);
    cairo_fill(cr);
  }
  FrmWriter frm;
  frm.Add("Select", 0, 0, 80, 80);
  out.Tga("Select.tga", sel.Export(Key::kBlack, 40), TgaFormat::kMappedRle);
  out.Frm("Select.frm", frm);

  // Scroll buttons, drawn by the map at their screen positions.
  Canvas nb(56, 23);
  ScrollButton(nb.cr(), 0, 0, false);
  ScrollButton(nb.cr(), 28, 0, true);
  FrmWriter nbf;
  nbf.Add("down", 0, 0, 28, 23);
  nbf.Add("up", 28, 0, 28, 23);
  out.Tga("NodeButtons.tga", nb.Export(Key::kBlack), TgaFormat::kMapped);
  out.Frm("NodeButtons.frm", nbf);

  MakePads(out);
}

}  // namespace vx::mkdata::art
