#include "art/canvas.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace vx::mkdata::art {

Canvas::Canvas(int w, int h) : w_(w), h_(h) {
  surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
  cr_ = cairo_create(surface_);
}

Canvas::~Canvas() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

void Canvas::Clear() {
  cairo_save(cr_);
  cairo_set_operator(cr_, CAIRO_OPERATOR_CLEAR);
  cairo_paint(cr_);
  cairo_restore(cr_);
}

namespace {

// Colours that the 16-bit display would turn into the black key.
uint32_t AvoidBlack(uint32_t c) {
  if (((c >> 19) & 31) == 0 && ((c >> 11) & 31) == 0 && ((c >> 3) & 31) == 0) return 0x080808;
  return c;
}

// Colours that the 16-bit display would turn into the magenta key.
uint32_t AvoidMagenta(uint32_t c) {
  if (((c >> 19) & 31) == 31 && ((c >> 11) & 31) == 0 && ((c >> 3) & 31) == 31) return 0xf010f0;
  return c;
}

}  // namespace

Image Canvas::Export(Key key, int minAlpha) const {
  cairo_surface_flush(surface_);
  const uint8_t* data = cairo_image_surface_get_data(surface_);
  int stride = cairo_image_surface_get_stride(surface_);
  Image img(w_, h_);
  for (int y = 0; y < h_; ++y) {
    const uint32_t* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride);
    for (int x = 0; x < w_; ++x) {
      uint32_t p = row[x];
      int a = int(p >> 24);
      uint32_t c = p & 0xffffff;  // premultiplied: the colour over black
      if (key == Key::kBlack) {
        c = a < minAlpha ? 0 : AvoidBlack(c);
      } else if (key == Key::kMagenta) {
        c = a < minAlpha ? 0xff00ff : AvoidMagenta(AvoidBlack(c));
      } else {
        c = AvoidBlack(c);
      }
      img.At(x, y) = c;
    }
  }
  return img;
}

void Canvas::Paint(const Canvas& src, double x, double y, double alpha) {
  cairo_save(cr_);
  cairo_set_source_surface(cr_, src.surface_, x, y);
  cairo_paint_with_alpha(cr_, alpha);
  cairo_restore(cr_);
}

namespace {

void BoxPass(uint32_t* px, int count, int step, int radius, std::vector<uint32_t>& tmp) {
  tmp.resize(size_t(count));
  for (int i = 0; i < count; ++i) tmp[i] = px[size_t(i) * step];
  int window = 2 * radius + 1;
  int sum[4] = {};
  auto add = [&](int i, int sign) {
    if (i < 0 || i >= count) return;
    uint32_t p = tmp[i];
    for (int c = 0; c < 4; ++c) sum[c] += sign * int((p >> (8 * c)) & 0xff);
  };
  for (int i = -radius; i < radius; ++i) add(i, 1);
  for (int i = 0; i < count; ++i) {
    add(i + radius, 1);
    uint32_t out = 0;
    for (int c = 0; c < 4; ++c) out |= uint32_t(sum[c] / window) << (8 * c);
    px[size_t(i) * step] = out;
    add(i - radius, -1);
  }
}

}  // namespace

void Canvas::Blur(int radius) {
  if (radius <= 0) return;
  cairo_surface_flush(surface_);
  uint8_t* data = cairo_image_surface_get_data(surface_);
  int stride = cairo_image_surface_get_stride(surface_) / 4;
  uint32_t* px = reinterpret_cast<uint32_t*>(data);
  std::vector<uint32_t> tmp;
  int r = std::max(1, radius / 2);
  for (int pass = 0; pass < 3; ++pass) {
    for (int y = 0; y < h_; ++y) BoxPass(px + size_t(y) * stride, w_, 1, r, tmp);
    for (int x = 0; x < w_; ++x) BoxPass(px + x, h_, stride, r, tmp);
  }
  cairo_surface_mark_dirty(surface_);
}

void Canvas::SavePng(const std::string& path) const { cairo_surface_write_to_png(surface_, path.c_str()); }

void PaintImage(cairo_t* cr, const Image& img, double x, double y, bool blackIsClear, double alpha) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, img.width, img.height);
  uint8_t* data = cairo_image_surface_get_data(s);
  int stride = cairo_image_surface_get_stride(s);
  for (int yy = 0; yy < img.height; ++yy) {
    uint32_t* row = reinterpret_cast<uint32_t*>(data + size_t(yy) * stride);
    for (int xx = 0; xx < img.width; ++xx) {
      uint32_t c = img.At(xx, yy) & 0xffffff;
      row[xx] = (blackIsClear && c == 0) ? 0 : (0xff000000u | c);
    }
  }
  cairo_surface_mark_dirty(s);
  cairo_save(cr);
  cairo_set_source_surface(cr, s, x, y);
  cairo_paint_with_alpha(cr, alpha);
  cairo_restore(cr);
  cairo_surface_destroy(s);
}

void SetColor(cairo_t* cr, uint32_t rgb, double alpha) {
  cairo_set_source_rgba(cr, ((rgb >> 16) & 255) / 255.0, ((rgb >> 8) & 255) / 255.0, (rgb & 255) / 255.0,
                        alpha);
}

uint32_t Mix(uint32_t a, uint32_t b, double t) {
  uint32_t out = 0;
  for (int s = 0; s < 24; s += 8) {
    double va = (a >> s) & 255, vb = (b >> s) & 255;
    int v = int(std::lround(va + (vb - va) * t));
    out |= uint32_t(std::clamp(v, 0, 255)) << s;
  }
  return out;
}

uint32_t Scale(uint32_t rgb, double k) {
  uint32_t out = 0;
  for (int s = 0; s < 24; s += 8) {
    int v = int(std::lround(((rgb >> s) & 255) * k));
    out |= uint32_t(std::clamp(v, 0, 255)) << s;
  }
  return out;
}

uint32_t Hsv(double h, double s, double v) {
  h = std::fmod(h, 360.0);
  if (h < 0) h += 360.0;
  double c = v * s, x = c * (1 - std::fabs(std::fmod(h / 60.0, 2.0) - 1)), m = v - c;
  double r = 0, g = 0, b = 0;
  if (h < 60) r = c, g = x;
  else if (h < 120) r = x, g = c;
  else if (h < 180) g = c, b = x;
  else if (h < 240) g = x, b = c;
  else if (h < 300) r = x, b = c;
  else r = c, b = x;
  auto to = [](double unit) { return uint32_t(std::clamp(int(std::lround(unit * 255)), 0, 255)); };
  return to(r + m) << 16 | to(g + m) << 8 | to(b + m);
}

void RoundRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  r = std::min(r, std::min(w, h) / 2);
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

void Circle(cairo_t* cr, double x, double y, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x, y, r, 0, 2 * M_PI);
  cairo_close_path(cr);
}

void AddStop(cairo_pattern_t* p, double at, uint32_t rgb, double alpha) {
  cairo_pattern_add_color_stop_rgba(p, at, ((rgb >> 16) & 255) / 255.0, ((rgb >> 8) & 255) / 255.0,
                                    (rgb & 255) / 255.0, alpha);
}

namespace {

struct Fonts {
  FT_Library lib = nullptr;
  cairo_font_face_t* face[2] = {nullptr, nullptr};
  Fonts() {
    if (FT_Init_FreeType(&lib) != 0) return;
    const char* files[2] = {"/usr/share/fonts/truetype/play/Play-Regular.ttf",
                            "/usr/share/fonts/truetype/play/Play-Bold.ttf"};
    for (int i = 0; i < 2; ++i) {
      FT_Face ft = nullptr;
      if (FT_New_Face(lib, files[i], 0, &ft) != 0) {
        std::fprintf(stderr, "velotrix-mkdata: cannot open %s (Debian package fonts-play)\n", files[i]);
        continue;
      }
      face[i] = cairo_ft_font_face_create_for_ft_face(ft, 0);
    }
  }
};

Fonts& TheFonts() {
  static Fonts fonts;
  return fonts;
}

}  // namespace

void UseFont(cairo_t* cr, bool bold, double size) {
  cairo_font_face_t* face = TheFonts().face[bold ? 1 : 0];
  if (face) {
    cairo_set_font_face(cr, face);
  } else {
    cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  }
  cairo_set_font_size(cr, size);
  cairo_font_options_t* opt = cairo_font_options_create();
  cairo_font_options_set_antialias(opt, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(opt, CAIRO_HINT_STYLE_SLIGHT);
  cairo_set_font_options(cr, opt);
  cairo_font_options_destroy(opt);
}

double TextWidth(cairo_t* cr, const std::string& text) {
  cairo_text_extents_t e;
  cairo_text_extents(cr, text.c_str(), &e);
  return e.x_advance;
}

void TextCentered(cairo_t* cr, const std::string& text, double cx, double y) {
  cairo_move_to(cr, cx - TextWidth(cr, text) / 2, y);
  cairo_show_text(cr, text.c_str());
}

void TextPathCentered(cairo_t* cr, const std::string& text, double cx, double y) {
  cairo_move_to(cr, cx - TextWidth(cr, text) / 2, y);
  cairo_text_path(cr, text.c_str());
}

void NeonText(Canvas& c, const std::string& text, double cx, double y, double size, uint32_t top,
              uint32_t bottom, uint32_t glow, double glowAlpha) {
  if (glowAlpha < 0) {
    // Hard rim instead of a soft glow: keyed sprites lose soft edges anyway.
    cairo_t* cr = c.cr();
    cairo_save(cr);
    UseFont(cr, true, size);
    TextPathCentered(cr, text, cx, y);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, size * 0.16);
    SetColor(cr, Scale(glow, 0.35));
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, size * 0.08);
    SetColor(cr, glow);
    cairo_stroke(cr);
    cairo_restore(cr);
  } else {
  Glow(
      c,
      [&](cairo_t* cr) {
        UseFont(cr, true, size);
        TextPathCentered(cr, text, cx, y);
      },
      glow, size * 0.12, int(size * 0.35), glowAlpha);
  }
  cairo_t* cr = c.cr();
  cairo_save(cr);
  UseFont(cr, true, size);
  TextPathCentered(cr, text, cx, y);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, y - size * 0.75, 0, y);
  AddStop(g, 0, top);
  AddStop(g, 0.5, Mix(top, bottom, 0.35));
  AddStop(g, 0.52, bottom);
  AddStop(g, 1, Mix(bottom, top, 0.4));
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  SetColor(cr, 0x10121c, 0.9);
  cairo_set_line_width(cr, std::max(1.0, size / 22));
  cairo_stroke(cr);
  cairo_restore(cr);
}

}  // namespace vx::mkdata::art
