#include "game/ball.h"
#include "game/game_state.h"
#include "input/input.h"

namespace vx {

void MovePaddle() {
  int32_t dx = 0, dy = 0, dz = 0;
  Input::ReadMouse(&dx, &dy, &dz);
  MouseEvent ev;
  Input::PopMouseEvent(&ev);
  gGame.level.mouseEvent = ev.type;
  if (Input::KeyHeld(KEY_RIGHT)) dx += 7;
  if (Input::KeyHeld(KEY_LEFT)) dx -= 7;
  if (Input::KeyHeld(KEY_UP)) dy -= 7;
  if (Input::KeyHeld(KEY_DOWN)) dy += 7;
  MovePaddleBy(dx, dy);
}

void UpdateLaunch() {
  if (gGame.level.mouseEvent == 1 || Input::KeyPressed(KEY_SPACE)) LaunchBall();
}

}  // namespace vx
