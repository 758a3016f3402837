#include "game/ball.h"
#include "game/game_state.h"
#include "input/controls.h"

namespace vx {

namespace {
// Pixels per step with the stick pushed all the way; the arrows give 7.
constexpr int kStickShipSpeed = 12;
}  // namespace

void MovePaddle() {
  int32_t dx = 0, dy = 0, dz = 0;
  Input::ReadMouse(&dx, &dy, &dz);
  MouseEvent ev;
  Input::PopMouseEvent(&ev);
  gGame.level.mouseEvent = ev.type;
  Controls::ScaleMouse(&dx, &dy);
  dx += Controls::StickStep(PAD_LEFTX, kStickShipSpeed, STICK_SHIP);
  dy += Controls::StickStep(PAD_LEFTY, kStickShipSpeed, STICK_SHIP);
  if (Controls::Held(ACTION_RIGHT)) dx += 7;
  if (Controls::Held(ACTION_LEFT)) dx -= 7;
  if (Controls::Held(ACTION_UP)) dy -= 7;
  if (Controls::Held(ACTION_DOWN)) dy += 7;
  MovePaddleBy(dx, dy);
}

void UpdateLaunch() {
  if (Controls::Pressed(ACTION_FIRE, gGame.level.mouseEvent)) LaunchBall();
}

}  // namespace vx
