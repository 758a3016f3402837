#include "campaign/node_screen.h"

#include <algorithm>
#include <cstdio>

#include "app/sound_setup.h"
#include "base/game_record.h"
#include "base/log.h"
#include "base/random.h"
#include "campaign/campaign_ui.h"
#include "game/game_state.h"
#include "game/items.h"
#include "game/level_files.h"
#include "graphics/shared_art.h"
#include "input/controls.h"
#include "platform/platform.h"

namespace vx {

int32_t NodeScreen::levelMusic = 0;
MapHint gMapHint;

namespace {

struct CommandButton {
  Rect rect;
  int labelX, labelY;
};
// The label's place: the part of the ring's inner disc (radius 26) it can use.
constexpr int kLabelHalfWidth = 23, kLabelHalfHeight = 12;
constexpr CommandButton kCommandLayout[NodeScreen::kCommandButtons] = {
    {{68, 364, 148, 444}, 108, 404},
    {{191, 401, 271, 481}, 231, 441},
    {{357, 401, 437, 481}, 397, 441},
    {{515, 364, 595, 444}, 535, 404},
};
constexpr Rect kScrollUpRect{319, 359, 347, 382};
constexpr Rect kScrollDownRect{269, 359, 297, 382};

const char* const kLevelTunes[] = {"fl3.s3m", "fl1.s3m", "fl2.s3m", "fl4.s3m"};

// The band of the sea in which nodes are drawn, near edge excluded.
constexpr int kHorizonY = 180, kNearY = 315;

uint32_t Milliseconds() { return gPlatform ? gPlatform->clock->Milliseconds() : 0; }

}  // namespace

int NodeScreen::OnDisplay(Screen* previous, int argument) {
  PlayMusic("qel_z.s3m");
  frames = 0;
  playEnabled = 0;
  gMapHint.hovered = -1;
  selected = -1;

  int completed = RefreshNodes();
  if (previous && previous == g.screens.boss) {
    RestoreSnapshot(snapshot);
    completed = 0;
  }
  if (completed == kLevelCount) SwitchTo(g.screens.boss, 0);
  if (previous && previous == g.screens.game) {
    // A lost or abandoned level costs nothing and gains nothing.
    const int played = gGame.player.currentLevel - 1;
    if (played < 0 || played >= kLevelCount || !gGame.campaign[played].completed)
      RestoreSnapshot(snapshot);
    if (argument) SwitchTo(g.screens.shop, 0);
  }

  PlaceView(&scroll, &minScroll, &selected);
  maxScroll = kMaxScroll;
  LoadLevelTitles();
  describedLevel = -1;
  // A long word gets smaller, down to 12 pixels, to fit the dark disc inside the ring.
  BeginText(FontB, 18);
  for (int i = 0; i < kCommandButtons; ++i)
    labelSizes[i] = FitTextSize(FontB, g.strings.Node[i], 2 * kLabelHalfWidth, 18, 12);
  EndText();

  SeedRandom(Milliseconds());
  for (Planet& p : planets) {
    p.angle = static_cast<float>(NextRandom() % 360) / 360.0f * 2 * 3.1415f;
    p.speed = static_cast<float>(NextRandom() % 5 + 1) * 0.003f;
  }
  return 1;
}

int NodeScreen::InitSurfaces() {
  Log("Call NodeScreen::InitSurfaces()\n");
  ReleaseSurfaces();
  if (!LoadScreenImage("Nodes\\Node.tga", &background)) return 0;

  // Every node turns its own copy of the same animation.
  AnimationSet planetAnim;
  planetAnim.Load("planet.anm");
  for (Planet& p : planets) {
    p.type = NextRandom() % 8;
    p.anim = planetAnim;
  }

  if (!select.Load("Select.tga", "Select.frm") || !select.IsLoaded()) return 0;
  if (!nodeButtons.Load("NodeButtons.tga", "NodeButtons.frm") || !nodeButtons.IsLoaded()) return 0;
  if (!pads.Load("NodePads.tga", "NodePads.frm") || !pads.IsLoaded()) return 0;

  for (int i = 0; i < kCommandButtons; ++i) buttons[i].Create(kCommandLayout[i].rect, kPlay + i);
  buttons[4].Create(kScrollUpRect, kScrollUp, BUTTON_REPEAT);
  buttons[5].Create(kScrollDownRect, kScrollDown, BUTTON_REPEAT);

  for (AnimationSet& d : decorations) {
    d.Load("BackObjects\\ts0back5.anm");
    d.Play("Rotation", 1);
  }
  return 1;
}

int NodeScreen::ReleaseSurfaces() {
  Graphics::ReleaseSurface(background);
  select.Release();
  nodeButtons.Release();
  pads.Release();
  return 1;
}

void NodeScreen::StartLevel(int n) {
  TakeSnapshot(&snapshot);
  LoadLevel(n);
  LoadItems();
  PlayMusic(kLevelTunes[levelMusic]);
  levelMusic = (levelMusic + 1) % 4;
  SwitchTo(g.screens.game, 0);
}

void NodeScreen::FocusCommand(int step) {
  int at = -1;
  for (int i = 0; i < kCommandButtons; ++i)
    if (PointIn(buttons[i].Area(), gCursor.x, gCursor.y)) at = i;
  if (at < 0) at = step > 0 ? kCommandButtons - 1 : 0;
  FocusOn(buttons[(at + step + kCommandButtons) % kCommandButtons].Area());
}

int NodeScreen::OnFrame() {
  for (Planet& p : planets) p.anim.Play("Rotation", 0);

  if (Controls::Pressed(ACTION_BACK)) {
    Return(this, 0);
    return 0;
  }

  gCommandId = 0;
  int32_t wheel = 0;
  // Left and right choose the level; Confirm plays it unless the cursor is on
  // one of the buttons, which it then presses.
  bool overButton = false;
  for (const Button& b : buttons) overButton = overButton || PointIn(b.Area(), gCursor.x, gCursor.y);
  PointerOptions options;
  options.arrowsMoveFocus = false;
  options.confirmClicks = overButton;
  MouseEvent event = ReadPointer(&wheel, options);
  if (Controls::Pressed(ACTION_LEFT)) SelectNeighbour(-1);
  if (Controls::Pressed(ACTION_RIGHT)) SelectNeighbour(1);
  // The shoulder buttons (Page Up and Down) walk the commands, so a controller
  // reaches the shop and the save without steering the cursor there.
  if (Controls::Pressed(ACTION_PAGE_NEXT)) FocusCommand(1);
  if (Controls::Pressed(ACTION_PAGE_PREVIOUS)) FocusCommand(-1);
  scroll = std::min(scroll + wheel / 10, maxScroll);
  scroll = std::max(scroll, minScroll);

  gMapHint.hovered = -1;
  playEnabled = selected != -1 && gGame.campaign[selected].open &&
                gGame.campaign[selected].requirementsMet && !gGame.campaign[selected].completed;
  buttons[0].SetEnabled(playEnabled);
  if (!overButton && playEnabled && Controls::Pressed(ACTION_CONFIRM)) {
    StartLevel(selected + 1);
    return 0;
  }

  CopySurface(nullptr, 0, 0, background);
  static const char* const kPadFrames[kCommandButtons] = {"pad1", "pad2", "pad3", "pad4"};
  for (int i = 0; i < kCommandButtons; ++i) {
    pads.RenderFrame(kPadFrames[i], 0, 0, ALIGN_DEFAULT);
    buttons[i].HandleEvent(&event, gCursor.x, gCursor.y);
    if (PointIn(buttons[i].Area(), gCursor.x, gCursor.y)) decorations[i].Play("Rotation", 1);
    gArt.backObjects[0][5].RenderAnim(decorations[i], kCommandLayout[i].labelX,
                                      kCommandLayout[i].labelY, ALIGN_DEFAULT);
  }
  gArt.headers.RenderFrame("Velotrix", 0, 0, ALIGN_DEFAULT);
  buttons[4].HandleEvent(&event, gCursor.x, gCursor.y);
  buttons[5].HandleEvent(&event, gCursor.x, gCursor.y);
  DrawButtons();

  switch (gCommandId) {
    case kPlay:
      StartLevel(selected + 1);
      return 0;
    case kShop:
      SwitchTo(g.screens.shop, 0);
      return 0;
    case kSave:
      SwitchTo(g.screens.save, 0);
      return 0;
    case kBack:
      Return(this, 0);
      return 0;
    case kScrollUp:
      scroll = std::max(scroll - 1, minScroll);
      break;
    case kScrollDown:
      scroll = std::min(scroll + 1, maxScroll);
      break;
    default:
      break;
  }

  if (!UpdateNodes(event)) return 0;

  if (event.type == MOUSE_RIGHT_DOWN) gMapHint.hovered = -1;
  if (Controls::Held(ACTION_UP)) scroll = std::max(scroll - 2, minScroll);
  if (Controls::Held(ACTION_DOWN)) scroll = std::min(scroll + 2, maxScroll);

  const int hovered = gMapHint.hovered;
  if (hovered != gMapHint.lastHovered && gMapHint.timer == 0 && hovered != -1 &&
      !gGame.campaign[hovered].open)
    gMapHint.timer = 300;
  if (gMapHint.timer) --gMapHint.timer;

  DrawTexts();
  DrawCursor(-6, -11);
  return 1;
}

void NodeScreen::SelectNeighbour(int step) {
  // With none chosen, Right starts at the first level and Left at the last.
  const int from = selected < 0 ? (step > 0 ? -1 : 0) : selected;
  for (int k = 1; k <= kLevelCount; ++k) {
    const int i = ((from + step * k) % kLevelCount + kLevelCount) % kLevelCount;
    const MapNode& node = gGame.campaign[i];
    if (!node.open || node.completed) continue;
    selected = i;
    const int sy = 480 - node.y + scroll;
    if (sy < kHorizonY + 20 || sy >= kNearY - 15)
      scroll = std::clamp(node.y - 180, minScroll, maxScroll);
    return;
  }
}

void NodeScreen::DrawButtons() {
  nodeButtons.RenderFrame("down", buttons[5].LooksPressed() ? 271 : 269,
                          buttons[5].LooksPressed() ? 361 : 359, ALIGN_DEFAULT);
  nodeButtons.RenderFrame("up", buttons[4].LooksPressed() ? 321 : 319,
                          buttons[4].LooksPressed() ? 361 : 359, ALIGN_DEFAULT);
}

bool NodeScreen::UpdateNodes(const MouseEvent& event) {
  for (int i = 0; i < kLevelCount; ++i) {
    MapNode& node = gGame.campaign[i];
    Planet& p = planets[i];
    const int sy = 480 - node.y + scroll;
    const bool inView = sy >= kHorizonY && sy < kNearY;
    places[i].inView = false;
    if (node.appearing) {
      if (frames > 30) {
        node.appearing = 0;
        node.open = 1;
        node.revealed = 1;
      }
      continue;
    }
    p.angle += p.speed;
    if (!inView) continue;

    const float k = 1.0f - (static_cast<float>(kNearY - sy) / 135.0f) * 0.6f;
    // Lines of equal map x meet at the vanishing point (320, 94.5).
    const int sx = static_cast<int>((node.x - 329) * (sy - 94.5) / 157.5 + 320);
    places[i] = NodePlace{static_cast<int16_t>(sx), static_cast<int16_t>(sy),
                          static_cast<int16_t>(40 * k), true};
    if (!node.completed) {
      if (i == selected) select.RenderExFrame("Select", sx, sy, 0, k - 0.15f);
      if (node.open) {
        gArt.planets[p.type].RenderRotated(p.anim.CurrentRect(), sx + p.anim.OffsetX(),
                                           sy + p.anim.OffsetY(), k, p.angle, 0xFFFFFF);
      } else {
        SpriteFrame f;
        if (gArt.darkPlanets.GetFrame(p.type + 1, &f))
          gArt.darkPlanets.RenderRotated(f.rect, sx + f.offsetX, sy + f.offsetY, k, p.angle,
                                         0x505050);
      }
    }

    const int cx = gCursor.x, cy = gCursor.y;
    if (cx >= sx - 26 && cx < sx + 14 && cy >= sy - 31 && cy < sy + 9) {
      gMapHint.hovered = i;
      const bool playable = node.open && !node.completed;
      if (event.type == MOUSE_LEFT_DOWN && playable) selected = i;
      if (event.type == MOUSE_LEFT_DOUBLE && playable && selected != -1) {
        StartLevel(selected + 1);
        return false;
      }
    }
  }
  return true;
}

int NodeScreen::TitledLevel() const {
  auto titled = [](int level) {
    if (level < 0 || level >= kLevelCount) return false;
    const MapNode& node = gGame.campaign[level];
    return node.open && !node.completed && !node.appearing;
  };
  if (titled(gMapHint.hovered)) return gMapHint.hovered;
  return titled(selected) ? selected : -1;
}

void NodeScreen::DrawTexts() {
  const int titled = TitledLevel();
  // The closed-level hint keeps its timer but gives way while the pointer is
  // on an open planet, whose own title then shows.
  const bool onOpen = titled != -1 && titled == gMapHint.hovered;
  DrawDescription(titled);
  BeginText(FontB, 16);
  FontB.SetSize(16);
  const char* line = gMapHint.timer && !onOpen ? g.strings.Closelevel : g.strings.Level;
  DrawEdgedText8(FontB, g.screenWidth / 2 - MeasureText8(FontB, line) / 2, 150, 0xffffff, line);
  gMapHint.lastHovered = gMapHint.hovered;

  const uint16_t grey = Graphics::MakePixel(150, 150, 150);
  for (int i = 0; i < kCommandButtons; ++i) {
    const CommandButton& b = kCommandLayout[i];
    const char* label = g.strings.Node[i];
    const bool over = PointIn(buttons[i].Area(), gCursor.x, gCursor.y);
    const Rect disc{b.labelX - kLabelHalfWidth, b.labelY - kLabelHalfHeight,
                    b.labelX + kLabelHalfWidth, b.labelY + kLabelHalfHeight};
    FontB.SetSize(labelSizes[i]);
    DrawText8In(FontB, disc, kCentre, b.labelY + 4, over ? 0xffffff : grey, label);
  }
  EndText();
  DrawLevelTitle(titled);
}

void NodeScreen::DrawLevelTitle(int level) {
  if (level < 0 || !places[level].inView) return;
  char label[96];  // the colour tags, the number and a name of up to 63 characters
  std::snprintf(label, sizeof label, "<0xffe890>%d. <0xffffff>%s", level + 1,
                LevelTitleOf(level).name);
  BeginText(FontB, 15);
  FontB.SetSize(15);
  const int width = MeasureText8(FontB, label);
  // Beside the planet, clear of the selection ring, on whichever side has room.
  const NodePlace& p = places[level];
  int x = p.x + p.reach + 4;
  if (x + width > g.screenWidth - 4) x = p.x - p.reach - 4 - width;
  DrawEdgedText8(FontB, std::max(x, 4), p.y + 5, 0xffffff, label);
  EndText();
}

void NodeScreen::DrawDescription(int level) {
  if (level < 0) return;
  constexpr int kSize = 13, kStep = 15, kWidth = 560, kBottom = 356;
  if (level != describedLevel) {
    describedLevel = level;
    BeginText(FontB, kSize);
    FontB.SetSize(kSize);
    descriptionLineCount = WrapText8(FontB, LevelTitleOf(level).text, kWidth, descriptionLines,
                                     kDescriptionLines);
    descriptionWidest = 0;
    for (int i = 0; i < descriptionLineCount; ++i) {
      descriptionWidths[i] = MeasureText8(FontB, descriptionLines[i]);
      descriptionWidest = std::max(descriptionWidest, descriptionWidths[i]);
    }
    EndText();
  }
  if (descriptionLineCount == 0) return;
  const int top = kBottom - 6 - kStep * descriptionLineCount;
  const int left = g.screenWidth / 2 - descriptionWidest / 2;
  DrawTextPlate(Rect{left - 10, top, left + descriptionWidest + 10, kBottom});
  BeginText(FontB, kSize);
  FontB.SetSize(kSize);
  for (int i = 0; i < descriptionLineCount; ++i)
    DrawEdgedText8(FontB, g.screenWidth / 2 - descriptionWidths[i] / 2,
                   top + 2 + kSize + kStep * i, Graphics::MakePixelRGB(0xdcecff),
                   descriptionLines[i]);
  EndText();
}

}  // namespace vx
