// Planets of the world map: "planet0.tga" .. "planet7.tga" share one frame
// layout and "planet.anm" ("Rotation": the globe turns); "DarkPlanets.tga"
// with ".frm" holds the same eight worlds as frames 1..8 for closed levels,
// which the map draws darkened.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "art/art.h"
#include "art/cells.h"
#include "art/solids.h"

namespace vx::mkdata::art {

namespace {

constexpr int kCell = 48;
constexpr int kFrames = 16;
constexpr double kRadius = 19.5;

struct World {
  uint32_t atmosphere;
  double tilt;
  SurfaceFn surface;
};

World MakeWorld(int type) {
  switch (type) {
    case 0: {  // oceans and continents under clouds
      return {0x60a0ff, 0.35, [](double lon, double lat) {
                static Noise land(101), cloud(102);
                double h = GlobeNoise(land, lon, lat, 6, 5);
                double c = GlobeNoise(cloud, lon * 1.0 + 0.4, lat * 1.6, 8, 4);
                uint32_t col = h > 0.52 ? Mix(0x3c8a30, 0xb09a5a, std::clamp((h - 0.52) * 5, 0.0, 1.0))
                                        : Mix(0x0a2a80, 0x1860c0, h / 0.52);
                if (std::fabs(lat) > 1.25) col = 0xf0f4ff;
                return Mix(col, 0xffffff, std::clamp((c - 0.55) * 3.5, 0.0, 0.85));
              }};
    }
    case 1: {  // lava
      return {0xff6020, 0.1, [](double lon, double lat) {
                static Noise n(111);
                double v = GlobeNoise(n, lon, lat, 8, 4);
                double crack = std::pow(std::clamp(1 - std::fabs(v - 0.5) * 10, 0.0, 1.0), 1.5);
                return Mix(Mix(0x2a1410, 0x5a3020, v), 0xffa020, crack);
              }};
    }
    case 2: {  // banded gas giant
      return {0xffd8a0, 0.2, [](double lon, double lat) {
                static Noise n(121);
                double w = GlobeNoise(n, lon, lat, 6, 3) - 0.5;
                double b = std::sin((lat + w * 0.35) * 9);
                uint32_t col = Mix(0xe8c898, 0xb86a30, 0.5 + 0.5 * b);
                double spot = std::hypot(std::remainder(lon - 1.0, 2 * M_PI) * 1.2, (lat + 0.35) * 2.6);
                if (spot < 0.35) col = Mix(0xc03a20, col, spot / 0.35);
                return col;
              }};
    }
    case 3: {  // ice
      return {0xc0f0ff, 0.5, [](double lon, double lat) {
                static Noise n(131);
                double v = GlobeNoise(n, lon, lat, 8, 4);
                double crack = std::clamp(1 - std::fabs(v - 0.5) * 14, 0.0, 1.0);
                return Mix(Mix(0xdceeff, 0x8ab8e0, v), 0x3a70c0, crack * 0.8);
              }};
    }
    case 4: {  // desert
      return {0xffb070, -0.25, [](double lon, double lat) {
                static Noise n(141);
                double v = GlobeNoise(n, lon, lat, 6, 5);
                double dune = 0.5 + 0.5 * std::sin(lon * 14 + v * 8);
                return Mix(Mix(0xe8a860, 0xa0502a, v), 0xf0c890, dune * 0.3);
              }};
    }
    case 5: {  // toxic swirls
      return {0x90ff60, 0.0, [](double lon, double lat) {
                static Noise n(151);
                double w = GlobeNoise(n, lon, lat, 6, 4);
                double b = std::sin((lat * 5 + w * 3));
                return Mix(0x5a9a10, 0xd8f040, 0.5 + 0.5 * b);
              }};
    }
    case 6: {  // alien ocean with glowing currents
      return {0x40ffe0, -0.4, [](double lon, double lat) {
                static Noise n(161);
                double v = GlobeNoise(n, lon, lat, 8, 4);
                double line = std::pow(std::clamp(1 - std::fabs(v - 0.5) * 12, 0.0, 1.0), 2);
                return Mix(Mix(0x042a40, 0x0a5a70, v), 0x60fff0, line);
              }};
    }
    default: {  // violet crystal world
      return {0xd080ff, 0.3, [](double lon, double lat) {
                static Noise n(171);
                double v = GlobeNoise(n, lon, lat, 6, 4);
                double b = 0.5 + 0.5 * std::sin(lat * 7 + v * 4);
                uint32_t col = Mix(0x402080, 0xa060e0, b);
                return v > 0.68 ? Mix(col, 0xffa0f0, (v - 0.68) * 4) : col;
              }};
    }
  }
}

void DrawWorld(cairo_t* cr, const World& w, double spin, bool dark) {
  SphereStyle style{kRadius, spin, w.tilt, dark ? 0u : w.atmosphere, dark ? 0.3 : 0.14};
  SurfaceFn surface = w.surface;
  if (dark) {
    // Closed worlds: cold and grey; the map darkens them further.
    surface = [&](double lon, double lat) {
      uint32_t c = w.surface(lon, lat);
      double l = (((c >> 16) & 255) * 0.3 + ((c >> 8) & 255) * 0.55 + (c & 255) * 0.15) / 255.0;
      return Mix(0x303848, 0xd0dcf0, l);
    };
  }
  PixelPatch(cr, -kCell / 2.0, -kCell / 2.0, kCell, kCell,
             [&](double x, double y) { return SpherePixel(style, surface, x, y); });
}

}  // namespace

void MakePlanets(Out& out) {
  Cells cells{kFrames, 4, kCell, kCell};
  AnmWriter anm;
  AddFrames(anm, cells, "p");
  anm.BeginSequence("Rotation");
  for (int i = 0; i < kFrames; ++i) anm.Show(FrameName("p", i), 6);
  anm.Loop();
  out.Anm("planet.anm", anm);
  for (int type = 0; type < 8; ++type) {
    World w = MakeWorld(type);
    auto canvas = DrawCells(cells, [&](cairo_t* cr, int i) { DrawWorld(cr, w, i * 2 * M_PI / kFrames, false); });
    char name[32];
    std::snprintf(name, sizeof name, "planet%d.tga", type);
    // The planets use run-length 32-bit TGA, so that decoder path ships too.
    out.Tga(name, canvas->Export(Key::kBlack, 70), TgaFormat::kRle32);
  }
  Canvas dark(8 * kCell, kCell);
  FrmWriter frm;
  for (int type = 0; type < 8; ++type) {
    cairo_save(dark.cr());
    cairo_translate(dark.cr(), type * kCell + kCell / 2.0, kCell / 2.0);
    DrawWorld(dark.cr(), MakeWorld(type), 0.8, true);
    cairo_restore(dark.cr());
    frm.Add("Dark" + std::to_string(type + 1), type * kCell, 0, kCell, kCell);
  }
  out.Tga("DarkPlanets.tga", dark.Export(Key::kBlack, 70), TgaFormat::kRle16);
  out.Frm("DarkPlanets.frm", frm);
}

}  // namespace vx::mkdata::art
