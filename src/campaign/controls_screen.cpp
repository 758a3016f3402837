#include "campaign/controls_screen.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "base/game_record.h"
#include "base/log.h"
#include "campaign/campaign_ui.h"
#include "graphics/shared_art.h"
#include "input/controls.h"
#include "sound/sound.h"

namespace vx {

namespace {

constexpr int kTextSize = 12;
constexpr int kRowHeight = 13, kRowsTop = 126;
constexpr int kColumnWidth = 306;
constexpr Rect kPanel{16, 111, 624, 412};
constexpr Rect kSlowerRect{238, 421, 266, 447}, kFasterRect{334, 421, 362, 447};
constexpr Rect kDefaultsRect{382, 419, 502, 449}, kBackRect{506, 419, 626, 449};
// Colours as RGB; text takes them as display pixels.
constexpr uint32_t kLabelColor = 0xc8d4ec, kValueColor = 0xffffff, kHeadColor = 0x90a8d8;
constexpr uint32_t kLitColor = 0xffff40, kTitleColor = 0xffd060;
constexpr int kSwapShownFrames = 90;

// The controller's buttons as players know them.
const char* const kPadLabels[PAD_BUTTON_COUNT] = {
    "A",       "B",  "X",  "Y",        "Back",       "Guide",      "Start",      "L stick",
    "R stick", "LB", "RB", "D-pad up", "D-pad down", "D-pad left", "D-pad right"};

struct Layout {
  ControlsScreen::Row rows[ACTION_COUNT];
  int count = 0;
  Layout() {
    int shown = 0;
    for (int a = 0; a < ACTION_COUNT; ++a) shown += GetActionInfo(a).shown ? 1 : 0;
    const int perColumn = (shown + 1) / 2;
    for (int a = 0; a < ACTION_COUNT; ++a) {
      if (!GetActionInfo(a).shown) continue;
      const int x = 24 + kColumnWidth * (count / perColumn);
      const int y = kRowsTop + kRowHeight * (count % perColumn);
      ControlsScreen::Row& r = rows[count++];
      r.action = a;
      r.label = Rect{x, y, x + 128, y + kRowHeight};
      r.key = Rect{x + 130, y, x + 222, y + kRowHeight};
      r.pad = Rect{x + 224, y, x + 296, y + kRowHeight};
    }
  }
};

const Layout& TheLayout() {
  static const Layout layout;
  return layout;
}

std::string KeyText(int key) { return key == kNoKey ? "-" : Controls::KeyName(key); }

const char* PadText(int button) {
  return button >= 0 && button < PAD_BUTTON_COUNT ? kPadLabels[button] : "-";
}

uint16_t Pixel(uint32_t rgb) { return Graphics::MakePixelRGB(rgb); }

// The lowest controller button that went down in this frame, or -1.
int PadPressed() {
  for (int b = 0; b < PAD_BUTTON_COUNT; ++b)
    if (gInput.padPressed >> b & 1) return b;
  return -1;
}

bool IsModifier(int key) {
  return key == KEY_LALT || key == KEY_RALT || key == KEY_LCONTROL || key == KEY_RCONTROL ||
         key == KEY_LSHIFT || key == KEY_RSHIFT;
}

}  // namespace

const ControlsScreen::Row* ControlsScreen::Rows(int* count) {
  *count = TheLayout().count;
  return TheLayout().rows;
}

int ControlsScreen::InitSurfaces() {
  Log("Call ControlsScreen::InitSurfaces()\n");
  ReleaseSurfaces();
  if (!LoadScreenImage("nodes\\node.tga", &background)) return 0;
  defaults.Create(kDefaultsRect, kDefaults);
  defaults.SetLabel(g.strings.ControlsDefaults);
  back.Create(kBackRect, kBack);
  back.SetLabel(g.strings.Node[3]);
  slower.Create(kSlowerRect, kSlower, BUTTON_REPEAT);
  faster.Create(kFasterRect, kFaster, BUTTON_REPEAT);
  return 1;
}

int ControlsScreen::ReleaseSurfaces() {
  Graphics::ReleaseSurface(background);
  return 1;
}

int ControlsScreen::OnDisplay(Screen* previous, int argument) {
  waitingRow = swappedRow = -1;
  return 1;
}

void ControlsScreen::StartWaiting(int row, bool pad) {
  PlayClick();
  waitingRow = row;
  waitingPad = pad;
  loneModifier = kNoKey;
  // The press that chose the cell is not the new binding.
  waitingSince = frames;
}

void ControlsScreen::Bind(int row, bool pad, int value) {
  int count = 0;
  const Row* rows = Rows(&count);
  const int action = rows[row].action;
  const int other = pad ? Controls::SetPad(action, value) : Controls::SetKey(action, value);
  swappedRow = -1;
  for (int i = 0; i < count && other >= 0; ++i)
    if (rows[i].action == other) swappedRow = i;
  swappedUntil = frames + kSwapShownFrames;
  waitingRow = -1;
}

bool ControlsScreen::TakeBinding() {
  if (frames == waitingSince) return false;
  const int key = Input::AnyKeyPressed();
  // Escape leaves the binding as it was; Delete takes it away.
  if (key == KEY_ESCAPE) {
    waitingRow = -1;
    return true;
  }
  if (key == KEY_DELETE) {
    Bind(waitingRow, waitingPad, waitingPad ? PAD_NONE : kNoKey);
    return true;
  }
  if (waitingPad) {
    const int button = PadPressed();
    if (button >= 0) Bind(waitingRow, true, button);
    return button >= 0;
  }
  // A modifier pressed is the first half of a chord such as Alt+Enter or
  // Ctrl+Z; Ctrl or Shift let go with no key beside it is a key of its own
  // (the editor paints with them held).
  if (IsModifier(key)) {
    loneModifier = key == KEY_LALT || key == KEY_RALT ? kNoKey : key;
    return false;
  }
  if (key == 0) {
    if (loneModifier == kNoKey || Input::KeyHeld(loneModifier)) return false;
    Bind(waitingRow, false, loneModifier);
    return true;
  }
  Bind(waitingRow, false, key | Controls::HeldModifiers());
  return true;
}

void ControlsScreen::HandleCells(const MouseEvent& event) {
  int count = 0;
  const Row* rows = Rows(&count);
  for (int i = 0; i < count; ++i) {
    AddFocusTarget(rows[i].key);
    AddFocusTarget(rows[i].pad);
    // A quick second click on a cell picks it like the first.
    if (event.type != MOUSE_LEFT_DOWN && event.type != MOUSE_LEFT_DOUBLE) continue;
    if (PointIn(rows[i].key, gCursor.x, gCursor.y)) StartWaiting(i, false);
    if (PointIn(rows[i].pad, gCursor.x, gCursor.y)) StartWaiting(i, true);
  }
}

int ControlsScreen::OnFrame() {
  const bool waiting = waitingRow >= 0;
  // While a cell waits, every key and button is a candidate, not a command.
  PointerOptions options;
  options.arrowsMoveFocus = !waiting;
  options.confirmClicks = !waiting;
  MouseEvent event = ReadPointer(nullptr, options);
  if (waiting) {
    // A click anywhere gives up the wait.
    if (!TakeBinding() && (event.type == MOUSE_LEFT_DOWN || event.type == MOUSE_RIGHT_DOWN))
      waitingRow = -1;
    Draw();
    return 1;
  }
  if (Controls::Pressed(ACTION_BACK)) {
    Return(this, 0);
    return 0;
  }

  gCommandId = 0;
  for (Button* b : {&defaults, &back, &slower, &faster})
    b->HandleEvent(&event, gCursor.x, gCursor.y);
  switch (gCommandId) {
    case kDefaults:
      PlayClick();
      Controls::ResetToDefaults();
      swappedRow = -1;
      break;
    case kBack: Return(this, 0); return 0;
    case kSlower: Controls::SetMouseSensitivity(Controls::MouseSensitivity() - 1); break;
    case kFaster: Controls::SetMouseSensitivity(Controls::MouseSensitivity() + 1); break;
    default: break;
  }
  HandleCells(event);
  Draw();
  return 1;
}

void ControlsScreen::Draw() {
  CopySurface(nullptr, 0, 0, background);
  gArt.headers.RenderFrame("Velotrix", 0, 0, ALIGN_DEFAULT);
  Graphics::Fill(nullptr, kPanel, Pixel(0x080c22));
  Graphics::Outline(nullptr, kPanel, 2, Pixel(0x30c0e0));
  int count = 0;
  const Row* rows = Rows(&count);
  // Lit cells first: the text bracket keeps the back buffer locked.
  for (int i = 0; i < count; ++i)
    for (bool pad : {false, true}) {
      const Rect& cell = pad ? rows[i].pad : rows[i].key;
      const bool waitingHere = i == waitingRow && pad == waitingPad;
      if (waitingHere || (waitingRow < 0 && PointIn(cell, gCursor.x, gCursor.y)))
        Graphics::Fill(nullptr, cell, Pixel(0x1a4a7a));
    }
  for (Button* b : {&slower, &faster}) {
    Graphics::Fill(nullptr, b->Area(), Pixel(b->hover ? 0x1a4a7a : 0x04060e));
    Graphics::Outline(nullptr, b->Area(), 1, Pixel(0x30c0e0));
  }
  defaults.Draw();
  back.Draw();
  DrawRows();
  DrawSensitivity();
  DrawCursor();
}

void ControlsScreen::DrawRows() {
  const StringTable& s = g.strings;
  BeginText(FontB, 22);
  FontB.SetSize(22);
  const bool waiting = waitingRow >= 0;
  const char* title = waiting ? s.ControlsPress : s.ControlsTitle;
  // Over the picture: with the dark edge that keeps it readable.
  DrawEdgedText8(FontB, (g.screenWidth - MeasureText8(FontB, title)) / 2, 102,
                 Pixel(waiting ? kLitColor : kTitleColor), title);
  FontB.SetSize(kTextSize);
  int count = 0;
  const Row* rows = Rows(&count);
  for (int column = 0; column < 2; ++column) {
    const int x = 24 + kColumnWidth * column;
    DrawText8(FontB, x + 133, kRowsTop - 3, Pixel(kHeadColor), s.ControlsKey);
    DrawText8(FontB, x + 227, kRowsTop - 3, Pixel(kHeadColor), s.ControlsPad);
  }
  for (int i = 0; i < count; ++i) {
    const Row& r = rows[i];
    const int base = r.label.top + kTextSize;
    const bool swapped = i == swappedRow && frames < swappedUntil;
    DrawText8(FontB, r.label.left + 2, base, Pixel(swapped ? kLitColor : kLabelColor),
              s.Actions[r.action]);
    const bool blink = (frames / 16) % 2 == 0;
    const std::string key =
        i == waitingRow && !waitingPad ? (blink ? "..." : "") : KeyText(Controls::Key(r.action));
    const char* pad =
        i == waitingRow && waitingPad ? (blink ? "..." : "") : PadText(Controls::Pad(r.action));
    DrawText8(FontB, r.key.left + 3, base, Pixel(kValueColor), key.c_str());
    DrawText8(FontB, r.pad.left + 3, base, Pixel(kValueColor), pad);
  }
  EndText();
}

void ControlsScreen::DrawSensitivity() {
  BeginText(FontB, 16);
  FontB.SetSize(16);
  DrawEdgedText8(FontB, 28, 440, Pixel(kLabelColor), g.strings.Sensitivity);
  char value[16];
  std::snprintf(value, sizeof value, "%d %%", Controls::MouseSensitivity());
  DrawEdgedText8(FontB, 300 - MeasureText8(FontB, value) / 2, 440, Pixel(kValueColor), value);
  DrawText8(FontB, 248, 440, Pixel(kValueColor), "-");
  DrawText8(FontB, 343, 440, Pixel(kValueColor), "+");
  EndText();
}

}  // namespace vx
