#include "art/cells.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vx::mkdata::art {

std::unique_ptr<Canvas> DrawCells(const Cells& cells, const std::function<void(cairo_t*, int)>& draw) {
  auto c = std::make_unique<Canvas>(cells.cols * cells.w, cells.rows() * cells.h);
  cairo_t* cr = c->cr();
  for (int i = 0; i < cells.count; ++i) {
    cairo_save(cr);
    cairo_rectangle(cr, cells.X(i), cells.Y(i), cells.w, cells.h);
    cairo_clip(cr);
    cairo_translate(cr, cells.X(i) + cells.w / 2.0, cells.Y(i) + cells.h / 2.0);
    draw(cr, i);
    cairo_restore(cr);
  }
  return c;
}

std::string FrameName(const std::string& prefix, int i) {
  char buf[48];
  std::snprintf(buf, sizeof buf, "%s%02d", prefix.c_str(), i);
  return buf;
}

void AddFrames(AnmWriter& anm, const Cells& cells, const std::string& prefix, int yOffset) {
  for (int i = 0; i < cells.count; ++i)
    anm.Frame(FrameName(prefix, i), cells.X(i), cells.Y(i) + yOffset, cells.w, cells.h);
}

void PixelPatch(cairo_t* cr, double x, double y, int w, int h, const std::function<Rgba(double, double)>& f) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
  cairo_surface_flush(s);
  uint8_t* data = cairo_image_surface_get_data(s);
  int stride = cairo_image_surface_get_stride(s);
  for (int py = 0; py < h; ++py) {
    uint32_t* row = reinterpret_cast<uint32_t*>(data + size_t(py) * stride);
    for (int px = 0; px < w; ++px) {
      double r = 0, g = 0, b = 0, a = 0;
      for (int sy = 0; sy < 2; ++sy)
        for (int sx = 0; sx < 2; ++sx) {
          Rgba c = f(px + 0.25 + 0.5 * sx - w / 2.0, py + 0.25 + 0.5 * sy - h / 2.0);
          double ca = std::clamp(c.a, 0.0, 1.0);
          r += ((c.rgb >> 16) & 255) * ca;
          g += ((c.rgb >> 8) & 255) * ca;
          b += (c.rgb & 255) * ca;
          a += ca;
        }
      auto q = [](double v) { return uint32_t(std::clamp(int(std::lround(v / 4)), 0, 255)); };
      row[px] = q(a * 255) << 24 | q(r) << 16 | q(g) << 8 | q(b);
    }
  }
  cairo_surface_mark_dirty(s);
  cairo_save(cr);
  cairo_set_source_surface(cr, s, x, y);
  cairo_paint(cr);
  cairo_restore(cr);
  cairo_surface_destroy(s);
}

}  // namespace vx::mkdata::art
