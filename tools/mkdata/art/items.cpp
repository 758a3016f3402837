// Item icons "Items\ItemNN.tga" + ".anm", one for each id of the catalogue:
// round badges with a symbol each, turning about their vertical axis in
// "Rotation" and standing still, face on, in "Stop". The coin drawing is
// shared with the credits.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "art/art.h"
#include "art/cells.h"
#include "base/item_catalogue.h"

namespace vx::mkdata::art {

namespace {

constexpr int kCell = 40;
constexpr int kFrames = 16;

// Badge rim colour by kind of effect.
uint32_t RimColor(int id) {
  switch (id) {
    case ITEM_BALL:
      return 0x40e070;  // life
    case ITEM_WIDE_BUSTER: case ITEM_FREE_FLY: case ITEM_SHADOW: case ITEM_SHIELD:
      return 0x40a8ff;  // paddle
    case ITEM_INCREASE_SPEED: case ITEM_DECREASE_SPEED: case ITEM_ADD_BALL: case ITEM_PIERCING:
    case ITEM_BALL_ATTRACTOR: case ITEM_RUBBER:
      return 0xffa030;  // balls
    case ITEM_CANNON: case ITEM_BOMB: case ITEM_TIMEBOMB: case ITEM_DETONATOR:
      return 0xff4050;  // weapons
    case ITEM_CREDITS_ATTRACTOR: case ITEM_SCREAMER: case ITEM_SNIPER: case ITEM_TIMEZIP:
    case ITEM_INVISIBLE:
      return 0xc060ff;  // tricks
    default:
      return 0x8890a0;
  }
}

void Ball(cairo_t* cr, double x, double y, double r, uint32_t c) {
  cairo_pattern_t* g = cairo_pattern_create_radial(x - r * 0.35, y - r * 0.35, r * 0.1, x, y, r);
  AddStop(g, 0, 0xffffff);
  AddStop(g, 0.4, c);
  AddStop(g, 1, Scale(c, 0.35));
  Circle(cr, x, y, r);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
}

void Paddle(cairo_t* cr, double x, double y, double w, double h, uint32_t c, double alpha = 1.0) {
  RoundRect(cr, x - w / 2, y - h / 2, w, h, h / 2);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, y - h / 2, 0, y + h / 2);
  AddStop(g, 0, 0xffffff, alpha);
  AddStop(g, 0.45, c, alpha);
  AddStop(g, 1, Scale(c, 0.4), alpha);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
}

void Arrow(cairo_t* cr, double x0, double y0, double x1, double y1, double head) {
  double a = std::atan2(y1 - y0, x1 - x0);
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, x1 - head * 0.6 * std::cos(a), y1 - head * 0.6 * std::sin(a));
  cairo_stroke(cr);
  cairo_move_to(cr, x1, y1);
  cairo_line_to(cr, x1 - head * std::cos(a - 0.5), y1 - head * std::sin(a - 0.5));
  cairo_line_to(cr, x1 - head * std::cos(a + 0.5), y1 - head * std::sin(a + 0.5));
  cairo_close_path(cr);
  cairo_fill(cr);
}

void Bomb(cairo_t* cr, double x, double y, double r) {
  cairo_set_line_width(cr, 1.6);
  SetColor(cr, 0xc0a070);
  cairo_move_to(cr, x + r * 0.5, y - r * 0.75);
  cairo_curve_to(cr, x + r * 0.8, y - r * 1.4, x + r * 1.3, y - r * 1.1, x + r * 1.2, y - r * 1.5);
  cairo_stroke(cr);
  Circle(cr, x + r * 1.2, y - r * 1.55, 2.2);
  SetColor(cr, 0xfff080);
  cairo_fill(cr);
  cairo_pattern_t* g = cairo_pattern_create_radial(x - r * 0.4, y - r * 0.4, 0.5, x, y, r);
  AddStop(g, 0, 0xb0b8d0);
  AddStop(g, 0.35, 0x505870);
  AddStop(g, 1, 0x181c28);
  Circle(cr, x, y, r);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  RoundRect(cr, x + r * 0.2, y - r * 1.0, r * 0.6, r * 0.45, 1);
  SetColor(cr, 0x8890a8);
  cairo_fill(cr);
}

// The symbol of an item, drawn in a box of about 24 x 24 around the origin.
void Symbol(cairo_t* cr, int id) {
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  switch (id) {
    case ITEM_NONE:
      cairo_set_line_width(cr, 2);
      SetColor(cr, 0x505868);
      Circle(cr, 0, 0, 7);
      cairo_stroke(cr);
      break;
    case ITEM_BALL:  // extra life: a ball and a plus
      Ball(cr, -2, 2, 8, 0x40ff80);
      cairo_set_line_width(cr, 3);
      SetColor(cr, 0xffffff);
      cairo_move_to(cr, 7, -10);
      cairo_line_to(cr, 7, -2);
      cairo_move_to(cr, 3, -6);
      cairo_line_to(cr, 11, -6);
      cairo_stroke(cr);
      break;
    case ITEM_WIDE_BUSTER:  // wide paddle
      Paddle(cr, 0, 3, 16, 6, 0x60c0ff);
      SetColor(cr, 0xffffff);
      cairo_set_line_width(cr, 2);
      Arrow(cr, -2, -6, -12, -6, 5);
      Arrow(cr, 2, -6, 12, -6, 5);
      break;
    case ITEM_INCREASE_SPEED:  // faster: fast-forward chevrons
    case ITEM_DECREASE_SPEED: {  // slower: the chevrons turned back
      double d = id == ITEM_INCREASE_SPEED ? 1 : -1;
      uint32_t c = id == ITEM_INCREASE_SPEED ? 0xffd040 : 0x80d0ff;
      for (int k = 0; k < 2; ++k) {
        double x = d * (-6 + k * 9);
        cairo_move_to(cr, x - d * 5, -9);
        cairo_line_to(cr, x + d * 4, 0);
        cairo_line_to(cr, x - d * 5, 9);
        cairo_line_to(cr, x - d * 1, 9);
        cairo_line_to(cr, x + d * 8, 0);
        cairo_line_to(cr, x - d * 1, -9);
        cairo_close_path(cr);
        SetColor(cr, k ? c : Mix(c, 0xffffff, 0.5));
        cairo_fill(cr);
      }
      break;
    }
    case ITEM_ADD_BALL:  // another ball
      Ball(cr, -4, 3, 7, 0xffb040);
      Ball(cr, 5, -4, 6, 0xffe080);
      cairo_set_line_width(cr, 2.4);
      SetColor(cr, 0xffffff);
      cairo_move_to(cr, 7, 6);
      cairo_line_to(cr, 7, 12);
      cairo_move_to(cr, 4, 9);
      cairo_line_to(cr, 10, 9);
      cairo_stroke(cr);
      break;
    case ITEM_CANNON:  // cannon: twin barrels and shots
      Paddle(cr, 0, 8, 20, 6, 0xc0c8d8);
      cairo_rectangle(cr, -8, -1, 4, 8);
      cairo_rectangle(cr, 4, -1, 4, 8);
      SetColor(cr, 0x9098b0);
      cairo_fill(cr);
      for (int k = 0; k < 2; ++k) {
        RoundRect(cr, (k ? 5 : -7), -12, 2, 7, 1);
        SetColor(cr, 0xff6040);
        cairo_fill(cr);
      }
      break;
    case ITEM_FREE_FLY:  // free flight: paddle with wings
      for (int s = -1; s <= 1; s += 2) {
        cairo_move_to(cr, s * 6, 2);
        cairo_curve_to(cr, s * 10, -10, s * 14, -8, s * 13, -12);
        cairo_curve_to(cr, s * 12, -4, s * 12, 0, s * 9, 4);
        cairo_close_path(cr);
        SetColor(cr, 0xe8f0ff);
        cairo_fill(cr);
      }
      Paddle(cr, 0, 5, 16, 6, 0x60c0ff);
      SetColor(cr, 0xffffff);
      cairo_set_line_width(cr, 2);
      Arrow(cr, 0, -1, 0, -12, 5);
      break;
    case ITEM_PIERCING: {  // piercing: a comet
      cairo_move_to(cr, 3, -3);
      cairo_curve_to(cr, -4, 4, -10, 10, -13, 12);
      cairo_curve_to(cr, -6, 6, 0, 0, 8, -1);
      cairo_close_path(cr);
      cairo_pattern_t* g = cairo_pattern_create_linear(-12, 12, 6, -6);
      AddStop(g, 0, 0xff2000, 0);
      AddStop(g, 1, 0xffc040, 1);
      cairo_set_source(cr, g);
      cairo_fill(cr);
      cairo_pattern_destroy(g);
      Ball(cr, 5, -5, 6, 0xff8020);
      break;
    }
    case ITEM_CREDITS_ATTRACTOR: {  // credit magnet
      cairo_set_line_width(cr, 6);
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
      cairo_arc_negative(cr, 0, -1, 7, M_PI, 0);
      SetColor(cr, 0xff3040);
      cairo_stroke(cr);
      cairo_move_to(cr, -7, -1);
      cairo_line_to(cr, -7, -7);
      cairo_move_to(cr, 7, -1);
      cairo_line_to(cr, 7, -7);
      SetColor(cr, 0xe0e4f0);
      cairo_stroke(cr);
      DrawCoin(cr, 5, 0, 7, 4.5, 0);
      break;
    }
    case ITEM_SCREAMER: {  // screamer: loudspeaker
      cairo_move_to(cr, -11, -4);
      cairo_line_to(cr, -6, -4);
      cairo_line_to(cr, 1, -10);
      cairo_line_to(cr, 1, 10);
      cairo_line_to(cr, -6, 4);
      cairo_line_to(cr, -11, 4);
      cairo_close_path(cr);
      SetColor(cr, 0xe8e0ff);
      cairo_fill(cr);
      cairo_set_line_width(cr, 1.8);
      SetColor(cr, 0xff80ff);
      for (int k = 0; k < 3; ++k) {
        cairo_arc(cr, 2, 0, 4 + k * 4, -0.7, 0.7);
        cairo_stroke(cr);
      }
      break;
    }
    case ITEM_SNIPER:  // sniper: reticle
      cairo_set_line_width(cr, 2);
      SetColor(cr, 0xff5060);
      Circle(cr, 0, 0, 9);
      cairo_stroke(cr);
      cairo_move_to(cr, -13, 0);
      cairo_line_to(cr, -4, 0);
      cairo_move_to(cr, 4, 0);
      cairo_line_to(cr, 13, 0);
      cairo_move_to(cr, 0, -13);
      cairo_line_to(cr, 0, -4);
      cairo_move_to(cr, 0, 4);
      cairo_line_to(cr, 0, 13);
      cairo_stroke(cr);
      Circle(cr, 0, 0, 1.6);
      cairo_fill(cr);
      break;
    case ITEM_TIMEZIP: {  // time stop: hourglass
      cairo_set_line_width(cr, 2.2);
      SetColor(cr, 0xd8c8ff);
      cairo_move_to(cr, -8, -11);
      cairo_line_to(cr, 8, -11);
      cairo_move_to(cr, -8, 11);
      cairo_line_to(cr, 8, 11);
      cairo_stroke(cr);
      cairo_move_to(cr, -6, -10);
      cairo_line_to(cr, 6, -10);
      cairo_line_to(cr, 1, 0);
      cairo_line_to(cr, 6, 10);
      cairo_line_to(cr, -6, 10);
      cairo_line_to(cr, -1, 0);
      cairo_close_path(cr);
      SetColor(cr, 0xa0c0ff, 0.35);
      cairo_fill_preserve(cr);
      cairo_set_line_width(cr, 1.2);
      SetColor(cr, 0xe0e8ff);
      cairo_stroke(cr);
      cairo_move_to(cr, -4, -7);
      cairo_line_to(cr, 4, -7);
      cairo_line_to(cr, 0, -1);
      cairo_close_path(cr);
      cairo_move_to(cr, 0, 4);
      cairo_line_to(cr, 5, 9);
      cairo_line_to(cr, -5, 9);
      cairo_close_path(cr);
      SetColor(cr, 0xffd060);
      cairo_fill(cr);
      break;
    }
    case ITEM_BALL_ATTRACTOR:  // ball attractor: the ball comes home
      Paddle(cr, 0, 10, 18, 5, 0xffa030);
      Ball(cr, 0, -8, 5.5, 0xffe0a0);
      SetColor(cr, 0xffffff);
      cairo_set_line_width(cr, 2);
      Arrow(cr, 0, -2, 0, 6, 4.5);
      cairo_set_line_width(cr, 1.4);
      SetColor(cr, 0xffc060, 0.8);
      cairo_arc(cr, 0, 10, 9, M_PI + 0.5, 2 * M_PI - 0.5);
      cairo_stroke(cr);
      break;
    case ITEM_RUBBER: {  // rubber band
      Paddle(cr, 0, 10, 18, 5, 0xffa030);
      Ball(cr, 6, -8, 5, 0xffe0a0);
      cairo_set_line_width(cr, 1.8);
      SetColor(cr, 0x60a0ff);
      cairo_move_to(cr, 0, 8);
      for (int k = 1; k <= 6; ++k) cairo_line_to(cr, k * 1.0 + (k % 2 ? -3 : 3), 8 - k * 2.6);
      cairo_stroke(cr);
      break;
    }
    case ITEM_SHADOW:  // shadow: a paddle and its mirror
      Paddle(cr, -6, 6, 11, 5, 0x60c0ff);
      Paddle(cr, 7, 6, 11, 5, 0x9070ff, 0.45);
      cairo_set_line_width(cr, 1.2);
      SetColor(cr, 0xffffff, 0.7);
      cairo_set_dash(cr, (const double[]){2, 2}, 2, 0);
      cairo_move_to(cr, 0.5, -12);
      cairo_line_to(cr, 0.5, 12);
      cairo_stroke(cr);
      cairo_set_dash(cr, nullptr, 0, 0);
      Ball(cr, -6, -5, 4, 0xe0f0ff);
      Ball(cr, 7, -5, 4, 0x9070ff);
      break;
    case ITEM_BOMB:
      Bomb(cr, -1, 3, 8.5);
      break;
    case ITEM_TIMEBOMB: {  // time bomb: bomb with a clock
      Bomb(cr, -1, 3, 9);
      Circle(cr, -1, 3, 5.5);
      SetColor(cr, 0xf0f0e0);
      cairo_fill(cr);
      cairo_set_line_width(cr, 1.4);
      SetColor(cr, 0xc02020);
      cairo_move_to(cr, -1, 3);
      cairo_line_to(cr, -1, -0.5);
      cairo_move_to(cr, -1, 3);
      cairo_line_to(cr, 1.8, 4.5);
      cairo_stroke(cr);
      break;
    }
    case ITEM_INVISIBLE:  // invisible blocks: dashed outlines
      cairo_set_line_width(cr, 1.5);
      cairo_set_dash(cr, (const double[]){3, 2}, 2, 0);
      SetColor(cr, 0xe0c8ff);
      cairo_rectangle(cr, -12.5, -9.5, 12, 7);
      cairo_rectangle(cr, 0.5, -9.5, 12, 7);
      cairo_rectangle(cr, -6.5, 1.5, 12, 7);
      cairo_stroke(cr);
      cairo_set_dash(cr, nullptr, 0, 0);
      SetColor(cr, 0xffffff, 0.25);
      cairo_rectangle(cr, -6, 2, 11, 6);
      cairo_fill(cr);
      break;
    case ITEM_DETONATOR: {  // detonator: a blast
      cairo_new_path(cr);
      for (int k = 0; k < 16; ++k) {
        double a = k * M_PI / 8, r = k % 2 ? 6 : 13;
        cairo_line_to(cr, r * std::cos(a), r * std::sin(a));
      }
      cairo_close_path(cr);
      cairo_pattern_t* g = cairo_pattern_create_radial(0, 0, 1, 0, 0, 13);
      AddStop(g, 0, 0xffffc0);
      AddStop(g, 0.5, 0xffc020);
      AddStop(g, 1, 0xff3010);
      cairo_set_source(cr, g);
      cairo_fill(cr);
      cairo_pattern_destroy(g);
      break;
    }
    case ITEM_SHIELD: {  // shield
      cairo_move_to(cr, 0, -12);
      cairo_curve_to(cr, 5, -9, 8, -9, 10, -9);
      cairo_curve_to(cr, 10, 2, 7, 8, 0, 12);
      cairo_curve_to(cr, -7, 8, -10, 2, -10, -9);
      cairo_curve_to(cr, -8, -9, -5, -9, 0, -12);
      cairo_close_path(cr);
      cairo_pattern_t* g = cairo_pattern_create_linear(-10, -12, 10, 12);
      AddStop(g, 0, 0xd0f0ff);
      AddStop(g, 0.5, 0x40a0ff);
      AddStop(g, 1, 0x1030a0);
      cairo_set_source(cr, g);
      cairo_fill_preserve(cr);
      cairo_pattern_destroy(g);
      cairo_set_line_width(cr, 1.2);
      SetColor(cr, 0xffffff);
      cairo_stroke(cr);
      cairo_move_to(cr, 0, -8);
      cairo_line_to(cr, 0, 8);
      cairo_move_to(cr, -6, -3);
      cairo_line_to(cr, 6, -3);
      SetColor(cr, 0xffffff, 0.8);
      cairo_set_line_width(cr, 1.6);
      cairo_stroke(cr);
      break;
    }
    default:
      break;
  }
}

}  // namespace

void DrawCoin(cairo_t* cr, int value, double cx, double cy, double radius, double turn) {
  bool gold = value == 5;
  uint32_t light = gold ? 0xfff0a0 : 0xf4f8ff, mid = gold ? 0xf0b020 : 0xa8b4c8, dark = gold ? 0x8a5208 : 0x4a5468;
  double sx = std::cos(turn), w = std::max(0.12, std::fabs(sx));
  double edge = std::sin(turn) * radius * 0.22;
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  // The rim seen edge-on, then the face.
  cairo_save(cr);
  cairo_translate(cr, edge, 0);
  cairo_scale(cr, w, 1);
  Circle(cr, 0, 0, radius);
  cairo_restore(cr);
  SetColor(cr, dark);
  cairo_fill(cr);
  cairo_rectangle(cr, std::min(0.0, edge), -radius, std::fabs(edge), 2 * radius);
  SetColor(cr, Mix(dark, mid, 0.4));
  cairo_fill(cr);
  cairo_scale(cr, w, 1);
  cairo_pattern_t* g = cairo_pattern_create_linear(-radius, -radius, radius, radius);
  AddStop(g, 0, light);
  AddStop(g, 0.5, mid);
  AddStop(g, 1, dark);
  Circle(cr, 0, 0, radius);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  Circle(cr, 0, 0, radius * 0.78);
  cairo_set_line_width(cr, std::max(0.8, radius * 0.1));
  SetColor(cr, dark, 0.8);
  cairo_stroke(cr);
  UseFont(cr, true, radius * 1.25);
  cairo_text_extents_t e;
  const char* txt = gold ? "5" : "1";
  cairo_text_extents(cr, txt, &e);
  double tx = -e.width / 2 - e.x_bearing, ty = -e.height / 2 - e.y_bearing;
  cairo_move_to(cr, tx + 0.6, ty + 0.6);
  cairo_text_path(cr, txt);
  SetColor(cr, dark);
  cairo_fill(cr);
  cairo_move_to(cr, tx, ty);
  cairo_text_path(cr, txt);
  SetColor(cr, light);
  cairo_fill(cr);
  cairo_restore(cr);
}

void DrawItemIcon(cairo_t* cr, int id, double cx, double cy, double size, double turn) {
  if (IsCoin(id)) {
    DrawCoin(cr, CoinValue(id), cx, cy, size * 0.42, turn);
    return;
  }
  double k = size / 38.0;
  double sx = std::cos(turn), w = std::max(0.1, std::fabs(sx));
  double edge = std::sin(turn) * 4 * k;
  uint32_t rim = RimColor(id);
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, k, k);
  // Edge of the badge, visible while it turns.
  cairo_save(cr);
  cairo_translate(cr, edge / k, 0);
  cairo_scale(cr, w, 1);
  Circle(cr, 0, 0, 18);
  cairo_restore(cr);
  SetColor(cr, Scale(rim, 0.35));
  cairo_fill(cr);
  cairo_rectangle(cr, std::min(0.0, edge / k), -18, std::fabs(edge / k), 36);
  SetColor(cr, Scale(rim, 0.5));
  cairo_fill(cr);
  cairo_scale(cr, w, 1);
  // Metal rim, glass face and the symbol.
  cairo_pattern_t* g = cairo_pattern_create_linear(-18, -18, 18, 18);
  AddStop(g, 0, Mix(rim, 0xffffff, 0.7));
  AddStop(g, 0.45, rim);
  AddStop(g, 1, Scale(rim, 0.35));
  Circle(cr, 0, 0, 18);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  cairo_pattern_t* face = cairo_pattern_create_radial(-4, -6, 1, 0, 0, 15);
  AddStop(face, 0, 0x283058);
  AddStop(face, 1, 0x0a0e22);
  Circle(cr, 0, 0, 14.5);
  cairo_set_source(cr, face);
  cairo_fill(cr);
  cairo_pattern_destroy(face);
  Symbol(cr, id);
  // Glass gloss over the face.
  cairo_save(cr);
  cairo_scale(cr, 1, 0.6);
  Circle(cr, -1, -12, 11);
  cairo_restore(cr);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.12);
  cairo_fill(cr);
  cairo_restore(cr);
}

void MakeItems(Out& out) {
  Cells cells{kFrames, 8, kCell, kCell};
  for (int id = 0; id < kItemCount; ++id) {
    auto canvas = DrawCells(cells, [&](cairo_t* cr, int i) {
      DrawItemIcon(cr, id, 0, 0, 38, i * 2 * M_PI / kFrames);
    });
    AnmWriter anm;
    AddFrames(anm, cells, "i");
    anm.BeginSequence("Rotation");
    for (int i = 0; i < kFrames; ++i) anm.Show(FrameName("i", i), 2);
    anm.Loop();
    anm.BeginSequence("Stop");
    anm.Show(FrameName("i", 0));
    char name[64];
    std::snprintf(name, sizeof name, "Items\\Item%02d", id);
    out.Tga(std::string(name) + ".tga", canvas->Export(Key::kBlack), TgaFormat::kRle24);
    out.Anm(std::string(name) + ".anm", anm);
  }
}

}  // namespace vx::mkdata::art
