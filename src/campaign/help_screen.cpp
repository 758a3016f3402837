#include "campaign/help_screen.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "base/game_record.h"
#include "base/log.h"
#include "campaign/campaign_ui.h"
#include "graphics/shared_art.h"
#include "input/controls.h"
#include "resources/file_system.h"
#include "resources/text_file.h"

namespace vx {

namespace {
enum HelpCommand { kPrevious = 1, kNext = 2 };
// Every page starts its text this far from the window's left edge.
constexpr int kTextLeft = 40;

// Page 2 (n = 1): the two coins and the power-ups; page 3: the panel.
constexpr int kSmallCoinX = 287, kBigCoinX = 420, kCoinY = 210, kCoinW = 40, kCoinH = 20;
constexpr int kItemsX = 193, kItemsY = 317;
constexpr int kPanelX = 170, kPanelY = 210;
// "Page 2 / 4" between the two page buttons.
constexpr Rect kPageLabel{160, 440, 480, 470};

Rect Place(int x, int y, const Surface* picture) {
  return picture ? Rect{x, y, x + picture->width, y + picture->height} : Rect{x, y, x, y};
}
}  // namespace

int HelpScreen::PicturePlaces(int n, Rect* places) const {
  if (n == 1) {
    places[0] = Rect{kSmallCoinX, kCoinY, kSmallCoinX + kCoinW, kCoinY + kCoinH};
    places[1] = Rect{kBigCoinX, kCoinY, kBigCoinX + kCoinW, kCoinY + kCoinH};
    places[2] = Place(kItemsX, kItemsY, items);
    return 3;
  }
  if (n == 2) {
    places[0] = Place(kPanelX, kPanelY, minPanel);
    return 1;
  }
  return 0;
}

void HelpScreen::LoadPage(int n) {
  page = std::clamp(n, 0, kPages - 1);
  Log("Load page: %d\n", page);
  std::memset(text, 0, sizeof text);
  char name[32];
  std::snprintf(name, sizeof name, "help\\help%d.txt", page);
  ReadFileInto(name, text, kPageSize, 0);
}

int HelpScreen::OnDisplay(Screen* from, int argument) {
  LoadPage(0);
  return 1;
}

int HelpScreen::InitSurfaces() {
  Log("Call HelpScreen::InitSurfaces()\n");
  ReleaseSurfaces();
  if (!LoadScreenImage("Nodes\\Node.tga", &background)) return 0;
  if (!LoadScreenImage("help\\MinPanel.tga", &minPanel)) return 0;
  if (!LoadScreenImage("help\\Items.tga", &items)) return 0;
  sheet.Load("HelpBtn.tga", "HelpBtn.frm");
  previous.Create(FrameRectAt(sheet, "Prev", 0, 0), kPrevious);
  next.Create(FrameRectAt(sheet, "Next", 0, 0), kNext);
  return 1;
}

int HelpScreen::ReleaseSurfaces() {
  Graphics::ReleaseSurface(background);
  Graphics::ReleaseSurface(minPanel);
  Graphics::ReleaseSurface(items);
  sheet.Release();
  return 1;
}

int HelpScreen::OnFrame() {
  // Left and Right turn the pages here.
  PointerOptions options;
  options.arrowsMoveFocus = false;
  MouseEvent event = ReadPointer(nullptr, options);
  gCommandId = 0;
  previous.HandleEvent(&event, gCursor.x, gCursor.y);
  next.HandleEvent(&event, gCursor.x, gCursor.y);
  if (gCommandId == kPrevious) LoadPage(page - 1);
  if (gCommandId == kNext) LoadPage(page + 1);

  CopySurface(nullptr, 0, 0, background);
  gArt.headers.RenderFrame("Velotrix", 0, 0, ALIGN_DEFAULT);
  if (page > 0) sheet.RenderFrame(previous.hover ? "prevs" : "prev", 0, 0, ALIGN_DEFAULT);
  if (page < kPages - 1) sheet.RenderFrame(next.hover ? "nexts" : "next", 0, 0, ALIGN_DEFAULT);

  if (Controls::Pressed(ACTION_PAGE_NEXT) || Controls::Pressed(ACTION_RIGHT)) LoadPage(page + 1);
  if (Controls::Pressed(ACTION_PAGE_PREVIOUS) || Controls::Pressed(ACTION_LEFT)) LoadPage(page - 1);
  if (page == 2) CopySurface(nullptr, kPanelX, kPanelY, minPanel);

  BeginText(FontA, 13);
  FontA.SetOutline(Graphics::MakePixelRGB(kTextEdgeRGB));
  FontA.SetClip(kPageLabel);
  FontA.DrawText(277, 455, 0xffffff, u"%s %d / %d", ToWide(g.strings.Page, 866), page + 1,
                 kPages);
  FontA.SetOutline(TextFont::kNoOutline);
  EndText();
  BeginText(FontA, 16);
  DrawText8(FontA, kTextLeft, 160, 0xffffff, text, 1251);
  EndText();

  if (page == 1) {
    for (int coin : {1, 0}) gArt.creditAnims[coin].Play("Rotation", 0);
    gArt.credits[1].RenderAnim(gArt.creditAnims[1], kSmallCoinX, kCoinY, ALIGN_DEFAULT);
    gArt.credits[0].RenderAnim(gArt.creditAnims[0], kBigCoinX, kCoinY, ALIGN_DEFAULT);
    CopySurface(nullptr, kItemsX, kItemsY, items);
  }
  DrawCursor();

  if (Controls::Pressed(ACTION_BACK) || event.type == MOUSE_RIGHT_DOWN) {
    Return(this, 0);
    return 0;
  }
  return 1;
}

}  // namespace vx
