// The campaign screens without a mouse: the arrows or the d-pad move a focus
// from target to target (carrying the cursor along), the stick moves the
// cursor, Confirm clicks and the alternate button right-clicks. With a free
// system pointer (absolute devices, menus in a window) the cursor is where
// the pointer is.
#include <algorithm>
#include <cstdlib>

#include "base/game_record.h"
#include "campaign/campaign_ui.h"
#include "graphics/shared_art.h"
#include "input/controls.h"

namespace vx {

CampaignCursor gCursor;

namespace {

constexpr int kMaxTargets = 64;
constexpr int kStickCursorSpeed = 9;  // pixels per step at full tilt
constexpr int kRepeatDelay = 24;      // steps an arrow is held before it repeats
constexpr int kRepeatEvery = 8;
constexpr int kFocusFrame = 2;  // pixels
constexpr int kFocusColor = 8;  // yellow

struct FocusState {
  Rect targets[2][kMaxTargets];
  int counts[2] = {0, 0};
  int filling = 0;  // the list this frame registers into; the other one is navigated
  bool hasFocus = false;
  Rect focus;
  bool leftStandIn = false, rightStandIn = false;  // a stood-in button is down
  int heldSteps = 0;
  const void* screen = nullptr;
};
FocusState gFocus;

int CentreX(const Rect& r) { return (r.left + r.right) / 2; }
int CentreY(const Rect& r) { return (r.top + r.bottom) / 2; }

bool SameRect(const Rect& a, const Rect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

void MoveCursor(int64_t x, int64_t y) {
  // In 64 bits: a wild device value must not wrap the cursor.
  gCursor.x = static_cast<int32_t>(std::clamp<int64_t>(x, 0, g.screenWidth - 1));
  gCursor.y = static_cast<int32_t>(std::clamp<int64_t>(y, 0, g.screenHeight - 1));
}

void StartScreen() {
  FocusState fresh;
  fresh.screen = g.currentScreen;
  // A button still held from the last screen is let go.
  if (gFocus.leftStandIn) Input::PushMouseEvent(MOUSE_LEFT_UP);
  gFocus = fresh;
}

// The arrow pressed in this frame, or held long enough to repeat; -1 none.
int ArrowDirection() {
  static const int kArrows[4] = {ACTION_LEFT, ACTION_RIGHT, ACTION_UP, ACTION_DOWN};
  for (int a : kArrows)
    if (Controls::Pressed(a)) {
      gFocus.heldSteps = 0;
      return a;
    }
  for (int a : kArrows)
    if (Controls::Held(a)) {
      ++gFocus.heldSteps;
      const int past = gFocus.heldSteps - kRepeatDelay;
      return past >= 0 && past % kRepeatEvery == 0 ? a : -1;
    }
  gFocus.heldSteps = 0;
  return -1;
}

// The nearest target in the direction, along it first; off to the side counts
// double.
void MoveFocus(int arrow) {
  const int list = 1 - gFocus.filling;
  // From the focus, else from the target under the cursor, else the cursor.
  Rect from{gCursor.x, gCursor.y, gCursor.x + 1, gCursor.y + 1};
  if (gFocus.hasFocus) {
    from = gFocus.focus;
  } else {
    for (int i = 0; i < gFocus.counts[list]; ++i)
      if (PointIn(gFocus.targets[list][i], gCursor.x, gCursor.y)) from = gFocus.targets[list][i];
  }
  const int x0 = CentreX(from), y0 = CentreY(from);
  int best = -1;
  int64_t bestScore = 0;
  for (int i = 0; i < gFocus.counts[list]; ++i) {
    const Rect& t = gFocus.targets[list][i];
    const int dx = CentreX(t) - x0, dy = CentreY(t) - y0;
    int along = 0, aside = 0;
    switch (arrow) {
      case ACTION_LEFT: along = -dx, aside = dy; break;
      case ACTION_RIGHT: along = dx, aside = dy; break;
      case ACTION_UP: along = -dy, aside = dx; break;
      default: along = dy, aside = dx; break;
    }
    if (along <= 0) continue;
    const int64_t score = along + 2 * static_cast<int64_t>(std::abs(aside));
    if (best < 0 || score < bestScore) best = i, bestScore = score;
  }
  if (best >= 0) FocusOn(gFocus.targets[list][best]);
}

// A controller button or key standing in for a mouse button: pressed, it
// queues the press; let go, the release.
void StandIn(int action, bool* down, uint32_t press, uint32_t release) {
  if (Controls::Pressed(action)) {
    if (gFocus.hasFocus) MoveCursor(CentreX(gFocus.focus), CentreY(gFocus.focus));
    Input::PushMouseEvent(press);
    *down = true;
  } else if (*down && !Controls::Held(action)) {
    Input::PushMouseEvent(release);
    *down = false;
  }
}

}  // namespace

MouseEvent ReadPointer(int32_t* wheel, const PointerOptions& options) {
  if (gFocus.screen != g.currentScreen) StartScreen();
  gFocus.filling = 1 - gFocus.filling;
  gFocus.counts[gFocus.filling] = 0;

  int32_t dx = 0, dy = 0, dz = 0;
  Input::ReadMouse(&dx, &dy, &dz);
  const int sx = Controls::StickStep(PAD_LEFTX, kStickCursorSpeed, STICK_CURSOR);
  const int sy = Controls::StickStep(PAD_LEFTY, kStickCursorSpeed, STICK_CURSOR);
  if (gInput.pointerMoved) {
    MoveCursor(gInput.pointerX, gInput.pointerY);
  } else {
    MoveCursor(static_cast<int64_t>(gCursor.x) + dx + sx,
               static_cast<int64_t>(gCursor.y) + dy + sy);
  }
  if (gInput.pointerMoved || dx || dy || sx || sy) gFocus.hasFocus = false;
  if (wheel) *wheel = dz;

  if (options.arrowsMoveFocus) {
    const int arrow = ArrowDirection();
    if (arrow >= 0) MoveFocus(arrow);
  }
  if (options.confirmClicks)
    StandIn(ACTION_CONFIRM, &gFocus.leftStandIn, MOUSE_LEFT_DOWN, MOUSE_LEFT_UP);
  StandIn(ACTION_ALTERNATE, &gFocus.rightStandIn, MOUSE_RIGHT_DOWN, MOUSE_RIGHT_UP);

  MouseEvent event;
  Input::PopMouseEvent(&event);
  return event;
}

void AddFocusTarget(const Rect& r) {
  if (r.right <= r.left || r.bottom <= r.top) return;
  int& n = gFocus.counts[gFocus.filling];
  for (int i = 0; i < n; ++i)
    if (SameRect(gFocus.targets[gFocus.filling][i], r)) return;
  if (n < kMaxTargets) gFocus.targets[gFocus.filling][n++] = r;
}

void SetFocus(const Rect& r) {
  gFocus.focus = r;
  gFocus.hasFocus = true;
}

void FocusOn(const Rect& r) {
  SetFocus(r);
  MoveCursor(CentreX(r), CentreY(r));
}

bool HasFocus(const Rect& r) { return gFocus.hasFocus && SameRect(gFocus.focus, r); }

bool AnyFocus() { return gFocus.hasFocus; }

bool PointerHeld() { return Input::leftHeld || gFocus.leftStandIn; }

void DrawCursor(int dx, int dy) {
  if (gFocus.hasFocus) {
    Rect r = gFocus.focus;
    r.left -= kFocusFrame + 1, r.top -= kFocusFrame + 1;
    r.right += kFocusFrame + 1, r.bottom += kFocusFrame + 1;
    Graphics::Outline(nullptr, r, kFocusFrame, StandardColors[kFocusColor]);
  }
  gArt.cursorAnim.Play("Cursor", 0);
  gArt.cursor.RenderAnim(gArt.cursorAnim, gCursor.x + dx, gCursor.y + dy, ALIGN_DEFAULT);
}

}  // namespace vx
