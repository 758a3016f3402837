#include "game/ball.h"
#include "game/game_state.h"
#include "input/controls.h"

namespace vx {

void MovePaddle() {
  int32_t dx = 0, dy = 0, dz = 0;
  Input::ReadMouse(&dx, &dy, &dz);
  MouseEvent ev;
  Input::PopMouseEvent(&ev);
  gGame.level.mouseEvent = ev.type;
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
