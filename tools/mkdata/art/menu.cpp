// The main menu ("Logo2.tga", the logo "VelotrixQRN.tga" blitted at 17, 7,
// the buttons "menu.tga"/".frm" drawn with the sheet at 316, 179) and the
// screen headers "headers.tga"/".frm", whose offsets are screen positions.
// All but the backdrop carry words and are drawn for each language.
#include <cmath>
#include <mutex>

#include "art/art.h"
#include "art/scenes.h"

namespace vx::mkdata::art {

namespace {

constexpr int kLogoX = 17, kLogoY = 7, kLogoW = 606, kLogoH = 160;

// A small picture of play: the ship, a fiery ball and a wall of blocks.
void KeyArt(Canvas& c) {
  cairo_t* cr = c.cr();
  const int imgs[] = {3, 7, 13, 27, 34, 38, 41, 16, 9, 22};
  for (int row = 0; row < 4; ++row)
    for (int col = 0; col < 7; ++col) {
      // The ball has just broken a way through.
      if ((row == 3 && (col == 2 || col == 3)) || (row == 2 && col == 3) || (row == 0 && col == 6)) continue;
      double x = 40 + col * 33 - row * 2, y = 200 + row * 17;
      DrawBlockImage(cr, imgs[(row * 3 + col) % 10], x, y);
    }
  // Trail of the ball.
  Glow(
      c,
      [](cairo_t* g) {
        cairo_move_to(g, 120, 420);
        cairo_curve_to(g, 135, 380, 150, 330, 152, 284);
      },
      color::kOrange, 5, 8, 0.9);
  cairo_set_line_width(cr, 2);
  SetColor(cr, 0xffe0a0, 0.8);
  cairo_move_to(cr, 126, 404);
  cairo_curve_to(cr, 138, 372, 150, 330, 152, 290);
  cairo_stroke(cr);
  Glow(
      c, [](cairo_t* g) { Circle(g, 152, 282, 8); }, color::kOrange, 0, 10, 1.0);
  cairo_pattern_t* b = cairo_pattern_create_radial(149, 279, 1, 152, 282, 7);
  AddStop(b, 0, 0xffffff);
  AddStop(b, 0.4, 0xffe070);
  AddStop(b, 1, 0xff5010);
  Circle(cr, 152, 282, 7);
  cairo_set_source(cr, b);
  cairo_fill(cr);
  cairo_pattern_destroy(b);
  // The ship, large, skimming the sea.
  cairo_save(cr);
  cairo_translate(cr, 40, 428);
  cairo_scale(cr, 2.0, 2.0);
  DrawShipHull(cr, 0xf4f8ff, 0xa8b4cc);
  cairo_save(cr);
  cairo_translate(cr, 40, 8);
  cairo_scale(cr, 12, 5);
  Circle(cr, 0, 0, 1);
  cairo_restore(cr);
  SetColor(cr, 0x2aa0e0);
  cairo_fill(cr);
  cairo_restore(cr);
  for (int s = 0; s < 2; ++s)
    Glow(
        c, [&](cairo_t* g) { Circle(g, s ? 196 : 44, 451, 6); }, 0x60f0ff, 0, 8, 1.0);
}

Image DrawLogo2() {
  Canvas c(640, 480);
  SceneStyle style{318, 250, 21};
  DrawScene(c, style);
  DrawHorizonPlanet(c, style, 470, 110, 0x5aa8ff, 0x0a1a60);
  KeyArt(c);
  return c.Export(Key::kNone);
}

Image Logo2() {
  static Image img;
  static std::once_flag once;
  std::call_once(once, [] { img = DrawLogo2(); });
  return img;
}

// The title lettering, shared by the logo and the screen header.
void Title(Canvas& c, double cx, double baseline, double size, bool keyed) {
  NeonText(c, "VELOTRIX", cx, baseline, size, 0xffffff, 0x4070c0, color::kCyan, keyed ? -1 : 0.9);
}

void MakeLogo(Out& out, const PictureWords& words) {
  Canvas c(kLogoW, kLogoH);
  // The logo is cut from the menu background, so it blends in when blitted.
  PaintImage(c.cr(), Logo2().Crop(kLogoX, kLogoY, kLogoW, kLogoH), 0, 0, false);
  Title(c, kLogoW / 2.0, 104, 104, false);
  cairo_t* cr = c.cr();
  // A neon swoosh under the name.
  Glow(
      c,
      [](cairo_t* g) {
        cairo_move_to(g, 70, 122);
        cairo_curve_to(g, 220, 108, 400, 136, 540, 116);
      },
      color::kMagenta, 4, 8, 1.0);
  cairo_set_line_width(cr, 2);
  SetColor(cr, 0xffd0f0);
  cairo_move_to(cr, 70, 122);
  cairo_curve_to(cr, 220, 108, 400, 136, 540, 116);
  cairo_stroke(cr);
  UseFont(cr, false, 15);
  SetColor(cr, 0xb8f4ff);
  const std::string tagline = Spread(words["Tagline"]);
  CheckFits(cr, tagline, kLogoW - 40, "the tagline under the logo");
  TextCentered(cr, tagline, kLogoW / 2.0, 148);
  out.Tga("VelotrixQRN.tga", c.Export(Key::kNone));
}

void MakeMenuSheet(Out& out, const PictureWords& words) {
  const char* names[] = {"newgame", "loadgame", "hiscores", "options", "instruction", "quit"};
  const std::string labels[] = {words["NewGame"], words["LoadGame"], words["HighScores"],
                                words["Options"], words["Help"], words["Quit"]};
  const int w = 240, h = 36, pitch = 46;
  Canvas c(2 * w, 6 * h);
  FrmWriter frm;
  for (int i = 0; i < 6; ++i) {
    uint32_t accent = i == 5 ? color::kMagenta : color::kCyan;
    DrawButton(c, 0, i * h, w, h, labels[i], 20, false, accent);
    DrawButton(c, w, i * h, w, h, labels[i], 20, true, accent);
    frm.Add(std::string(names[i]) + "_up", 0, i * h, w, h, 0, i * pitch);
    frm.Add(std::string(names[i]) + "_down", w, i * h, w, h, 0, i * pitch);
  }
  out.Tga("menu.tga", c.Export(Key::kBlack, 80), TgaFormat::kRle24);
  out.Frm("menu.frm", frm);
}

// Headers sit at the top of the screens; their offsets are where they appear.
void MakeHeaders(Out& out, const PictureWords& words) {
  struct Header {
    const char* name;
    std::string text;
  };
  const Header subs[] = {{"Save", words["SaveHeader"]}, {"Load", words["LoadHeader"]},
                         {"Options", words["OptionsHeader"]}, {"hiscores", words["HighScoresHeader"]}};
  const int titleW = 360, titleH = 72, subW = 320, subH = 44, quitW = 120, quitH = 36;
  Canvas c(titleW, titleH + 4 * subH + 2 * quitH);
  FrmWriter frm;
  Title(c, titleW / 2.0, 58, 62, true);
  frm.Add("Velotrix", 0, 0, titleW, titleH, 320 - titleW / 2, 4);
  for (int i = 0; i < 4; ++i) {
    int y = titleH + i * subH;
    UseFont(c.cr(), true, 30);
    CheckFits(c.cr(), subs[i].text, subW - 16, "a screen header");
    NeonText(c, subs[i].text, subW / 2.0, y + 32, 30, 0xfff8e0, 0xd09020, 0x6a3a08, -1);
    frm.Add(subs[i].name, 0, y, subW, subH, 320 - subW / 2, 78);
  }
  int qy = titleH + 4 * subH;
  DrawButton(c, 0, qy, quitW, quitH, words["Back"], 18, false, color::kMagenta);
  DrawButton(c, 0, qy + quitH, quitW, quitH, words["Back"], 18, true, color::kMagenta);
  frm.Add("quit", 0, qy, quitW, quitH, 260, 420);
  frm.Add("quits", 0, qy + quitH, quitW, quitH, 260, 420);
  out.Tga("headers.tga", c.Export(Key::kBlack, 72), TgaFormat::kRle24);
  out.Frm("headers.frm", frm);
}

}  // namespace

void MakeMenuWords(Out& out, const PictureWords& words) {
  MakeLogo(out, words);
  MakeMenuSheet(out, words);
  MakeHeaders(out, words);
}

void MakeMenu(Out& out) {
  out.Tga("Logo2.tga", Logo2());
  if (out.Previewing()) {
    // The menu as the screen composes it.
    Canvas c(640, 480);
    PaintImage(c.cr(), Logo2(), 0, 0, false);
    out.Preview("screen_menu", c.Export(Key::kNone));
  }
}

}  // namespace vx::mkdata::art
