// Backdrops of the screens: a starry sky over a glowing sea that recedes to
// a horizon.
#pragma once

#include "art/canvas.h"

namespace vx::mkdata::art {

struct SceneStyle {
  double horizon;     // screen y of the horizon
  double vanishX;     // x of the vanishing point
  uint32_t seed;
  double seaGlow = 1.0;  // strength of the sea's light
};

// Fills the whole canvas: sky above the horizon, sea below it.
void DrawScene(Canvas& c, const SceneStyle& style);
// A planet rising behind the horizon, mirrored faintly in the sea.
void DrawHorizonPlanet(Canvas& c, const SceneStyle& style, double cx, double radius, uint32_t light, uint32_t dark);

// The ship's hull seen from the side, 80 x 20 units from the origin, lit from
// above (shine at the top, upper a little below), with its cyan stripe.
void DrawShipHull(cairo_t* cr, uint32_t shine, uint32_t upper);

}  // namespace vx::mkdata::art
