// The button control of the campaign screens. A screen owns its buttons, hands
// each the frame's mouse event and then acts on the one command issued.
#pragma once

#include <cstdint>

#include "graphics/graphics.h"
#include "input/input.h"

namespace vx {

enum ButtonKind : uint8_t { BUTTON_PUSH = 1, BUTTON_REPEAT = 2, BUTTON_TOGGLE = 3 };
constexpr uint32_t BUTTON_VISIBLE = 0x1;
constexpr uint32_t BUTTON_ENABLED = 0x2;

enum ButtonAlign : uint8_t { BUTTON_CENTRE = 0, BUTTON_NEAR = 1, BUTTON_FAR = 2 };

// The command issued in the current frame (0 = none); screens clear it first.
extern uint32_t gCommandId;

class Button {
 public:
  Button() = default;
  Button(const Rect& area, uint32_t commandId, uint8_t buttonKind = BUTTON_PUSH) {
    Create(area, commandId, buttonKind);
  }
  // A visible, enabled button over rect.
  void Create(const Rect& rect, uint32_t command, uint8_t kind = BUTTON_PUSH);

  // The button's reaction to the frame's mouse event with the cursor at
  // (cursorX, cursorY). A press or double-click the button takes is consumed:
  // event->type becomes 0, so no other button sees it.
  void HandleEvent(MouseEvent* event, int cursorX, int cursorY);
  // Draws the button from the shared "Buttons.anm" with its label.
  void Draw();
  bool LooksPressed() const;

  bool IsVisible() const { return flags & BUTTON_VISIBLE; }
  bool IsEnabled() const { return flags & BUTTON_ENABLED; }
  void SetVisible(bool on);
  void SetEnabled(bool on);
  void SetLabel(const char* text);
  Rect Area() const { return Rect{x, y, x + width, y + height}; }

  uint16_t x = 0, y = 0, width = 0, height = 0;
  uint32_t flags = 0;
  uint32_t command = 0;
  uint8_t hover = 0;
  uint8_t held = 0;
  uint8_t kind = BUTTON_PUSH;
  uint8_t toggleState = 0;
  uint32_t normalColor = 0xffffffff;
  uint32_t highlightColor = 0xff00ffff;
  uint32_t disabledColor = 0xff808080;
  int hotAction = -1;  // an Action that presses the button; -1 = none
  char label[32] = {};
  int16_t marginX = 0, marginY = 0;
  uint8_t alignX = BUTTON_CENTRE, alignY = BUTTON_CENTRE;
  char sequence[32] = {};  // empty: the first sequence of "Buttons.anm"
};

}  // namespace vx
