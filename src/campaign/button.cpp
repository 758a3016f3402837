#include "campaign/button.h"

#include <algorithm>
#include <cstdio>

#include "campaign/campaign_ui.h"
#include "graphics/shared_art.h"
#include "graphics/text_font.h"
#include "input/controls.h"
#include "resources/text_file.h"

namespace vx {

uint32_t gCommandId = 0;

namespace {
uint16_t ToU16(int32_t v) { return static_cast<uint16_t>(std::clamp<int32_t>(v, 0, 0xFFFF)); }
}  // namespace

void Button::Create(const Rect& rect, uint32_t id, uint8_t buttonKind) {
  x = ToU16(rect.left);
  y = ToU16(rect.top);
  width = ToU16(rect.right - rect.left);
  height = ToU16(rect.bottom - rect.top);
  flags = BUTTON_VISIBLE | BUTTON_ENABLED;
  command = id;
  kind = buttonKind;
  hover = held = 0;
  toggleState = 0;
}

void Button::SetVisible(bool on) { flags = on ? flags | BUTTON_VISIBLE : flags & ~BUTTON_VISIBLE; }

void Button::SetEnabled(bool on) { flags = on ? flags | BUTTON_ENABLED : flags & ~BUTTON_ENABLED; }

void Button::SetLabel(const char* text) { std::snprintf(label, sizeof label, "%s", text ? text : ""); }

void Button::HandleEvent(MouseEvent* event, int cursorX, int cursorY) {
  if (!IsVisible() || !IsEnabled()) return;
  AddFocusTarget(Area());
  // Clicks go where the cursor is; a focus, while there is one, decides which
  // button is lit (a Confirm brings the cursor to it first).
  const bool under = PointIn(Area(), cursorX, cursorY);
  hover = AnyFocus() ? HasFocus(Area()) : under;
  const uint32_t type = event ? event->type : MOUSE_NONE;
  if (type == MOUSE_LEFT_DOWN && under) {
    held = 1;
    event->type = MOUSE_NONE;
  } else if (type == MOUSE_LEFT_UP) {
    if (held && under && kind == BUTTON_PUSH) gCommandId = command;
    held = 0;
  } else if (type == MOUSE_LEFT_DOUBLE && under) {
    // The second click of a double-click must not fire the button again.
    event->type = MOUSE_NONE;
  }
  if (hotAction >= 0 && Controls::Pressed(hotAction)) gCommandId = command;
  const bool pressing = held && under && PointerHeld();
  if (kind == BUTTON_REPEAT && pressing) gCommandId = command;
  if (kind == BUTTON_TOGGLE && !toggleState && pressing) gCommandId = command;
}

bool Button::LooksPressed() const {
  if (kind == BUTTON_TOGGLE) return toggleState != 0;
  return held && hover;
}

void Button::Draw() {
  if (!IsVisible()) return;
  const bool enabled = IsEnabled();
  const bool highlighted = LooksPressed() || gCommandId == command;
  const uint32_t color = !enabled ? disabledColor : LooksPressed() ? highlightColor : normalColor;
  const int shift = highlighted && enabled ? 1 : 0;

  gArt.buttonsAnim.Play(sequence[0] ? sequence : nullptr, 0);
  gArt.buttons.RenderAnim(gArt.buttonsAnim, x + shift, y + shift, ALIGN_LEFT | ALIGN_TOP);

  if (!label[0]) return;
  BeginText(FontB, 14);
  const char16_t* text = ToWide(label, 866);
  const int textWidth = FontB.MeasureText(text);
  int tx = x + (width - textWidth) / 2;
  if (alignX == BUTTON_NEAR) tx = x + marginX;
  if (alignX == BUTTON_FAR) tx = x + width - textWidth - marginX;
  int ty = y + (height - 14) / 2;
  if (alignY == BUTTON_NEAR) ty = y + marginY;
  if (alignY == BUTTON_FAR) ty = y + height - 18 - marginY;
  // The label belongs on the button.
  const Rect before = FontB.Clip();
  FontB.SetClip(Area());
  FontB.DrawText(tx + shift, ty + 12 + shift, color & 0xFFFFFF, text);
  FontB.SetClip(before);
  EndText();
}

}  // namespace vx
