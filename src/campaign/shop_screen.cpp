#include "campaign/shop_screen.h"

#include "base/game_record.h"
#include "base/log.h"
#include "campaign/campaign_ui.h"
#include "campaign/shop_rules.h"
#include "game/game_state.h"
#include "game/items.h"
#include "game/play_state.h"
#include "game/playfield.h"
#include "game/status_panel.h"
#include "graphics/shared_art.h"
#include "input/controls.h"
#include "platform/platform.h"
#include "resources/text_file.h"
#include "sound/sound.h"

namespace vx {

namespace {

constexpr int kSheetX = 0, kSheetY = 20;
const char* const kReleasedFrames[] = {"buy_rel", "sell_rel", "back_rel"};
const char* const kPushedFrames[] = {"buy_push", "sell_push", "back_push"};

// The places of a shelf cell's texts in "shelves.tga": the name on the plate
// above the cell (78 pixels wide), the price along the cell's foot.
Rect NamePlate(const Rect& cell) { return Rect{cell.left - 14, cell.top - 10, cell.left + 64, cell.top + 9}; }
Rect PriceLine(const Rect& cell) { return Rect{cell.left - 14, cell.top + 40, cell.left + 64, cell.top + 54}; }

// Loads a picture keyed on magenta and copies it, keyed, onto dst.
int Overlay(Surface* dst, const char* fileName, int x, int y) {
  Surface* image = nullptr;
  if (!Graphics::LoadSurface(fileName, &image, 0)) return 0;
  Graphics::SetColorKey(image, Graphics::MakePixel(255, 0, 255));
  CopySurface(dst, x, y, image, true);
  Graphics::ReleaseSurface(image);
  return 1;
}

}  // namespace

int ShopScreen::OnDisplay(Screen* previous, int argument) {
  LoadItems();
  DropEmptySlots();
  selectedItem = -1;
  selectedSlot = -1;
  pointedItem = -1;
  descriptionStart = 0;
  return 1;
}

int ShopScreen::InitSurfaces() {
  Log("Call ShopScreen::InitSurfaces()\n");
  ReleaseSurfaces();
  if (!ComposeBackground()) return 0;
  Log("Return ShopScreen::InitSurfaces()\n");
  if (!sheet.Load("ShopButtons.tga", "ShopButtons.frm") || !sheet.IsLoaded()) return 0;
  for (int i = 0; i < 3; ++i)
    buttons[i].Create(FrameRectAt(sheet, kReleasedFrames[i], kSheetX, kSheetY), kBuy + i);
  return 1;
}

int ShopScreen::ReleaseSurfaces() {
  Graphics::ReleaseSurface(background);
  sheet.Release();
  return 1;
}

int ShopScreen::ComposeBackground() {
  // A full screen of its own, whatever the size of the sea picture.
  background = Graphics::CreateSurface(g.screenWidth, g.screenHeight, 0);
  if (!background) return 0;
  Surface* sea = nullptr;
  if (!Graphics::LoadSurface("Nodes\\Node.tga", &sea, 0)) return 0;
  CopySurface(background, 0, 0, sea);
  Graphics::ReleaseSurface(sea);
  return Overlay(background, "panel.tga", 0, g.screenHeight - kPanelHeight) &&
         Overlay(background, "shelves.tga", 0, 20);
}

// Drawn every frame over the background rather than into it, so that the
// names are text on the screen like any other.
void ShopScreen::DrawShelfLabels() {
  BeginText(FontB, 11);
  for (int place = 0; place < kShelfPlaces; ++place) {
    const int item = ShelfItem(place);
    if (!IsOffered(item)) continue;
    const ItemInfo& info = gGame.items[item];
    const Rect cell = ShelfCell(place);
    const int cx = cell.left + kShelfCellSize / 2;

    FontB.SetSize(11);
    // The selected item's name in white.
    DrawText8In(FontB, NamePlate(cell), kCentre, cell.top + 5,
                item == selectedItem ? 0xffffff : 0xf0fff0, info.name, 1251);

    FontB.SetSize(9);
    const char16_t* currency =
        ToWide(item == ITEM_CREDIT1 ? g.strings.Points : g.strings.Credits, 866);
    const int price = info.price;
    const int width = FontB.MeasureText(u"%d %s", price, currency);
    FontB.SetClip(PriceLine(cell));
    FontB.DrawText(cx - width / 2, cell.top + 50, 0xffffff, u"<0xffffff>%d <0x00ffff>%s", price,
                   currency);
    FontB.SetClip(Rect{0, 0, background->width, background->height});
  }
  EndText();
}

void ShopScreen::StepIcons() {
  for (int id = 1; id < kItemCount; ++id)
    gArt.itemAnims[id].Play(id == selectedItem || id == pointedItem ? "Rotation" : "Stop", 0);
  gArt.creditAnims[0].Play("Rotation", 0);
}

int ShopScreen::OnFrame() {
  StepIcons();
  if (Controls::Pressed(ACTION_BACK)) {
    Return(this, 0);
    return 0;
  }
  MouseEvent event = ReadPointer();
  gCommandId = 0;
  CopySurface(nullptr, 0, 0, background);
  DrawShelfLabels();

  buttons[0].SetEnabled(selectedItem != -1 && CanAfford(selectedItem, selectedPrice));
  buttons[1].SetEnabled(selectedSlot != -1);
  for (Button& b : buttons) b.HandleEvent(&event, gCursor.x, gCursor.y);
  DrawButtons();

  switch (gCommandId) {
    case kBuy:
      if (selectedItem != -1) BuyItem(selectedItem, selectedPrice);
      break;
    case kSell:
      if (selectedSlot != -1 && SellUnit(selectedSlot, sellPrice) &&
          gGame.player.inventory[selectedSlot].id == 0)
        selectedSlot = -1;
      break;
    case kBack:
      Return(this, 0);
      return 0;
    default:
      break;
  }

  pointedItem = -1;
  UpdateShelves(event);
  UpdateInventory(event);

  DrawStatusPanel();
  // The flag of the console: how much of the campaign is done.
  DrawProgressFigure(CampaignProgress());
  DrawCursor(-10, -5);
  if (Controls::Held(ACTION_FRAME_RATE)) DrawFrameRate();
  return 1;
}

void ShopScreen::DrawButtons() {
  for (int i = 0; i < 3; ++i) {
    const Button& b = buttons[i];
    if (!b.IsEnabled()) continue;
    sheet.RenderFrame(b.held ? kPushedFrames[i] : kReleasedFrames[i], kSheetX, kSheetY,
                      ALIGN_DEFAULT);
  }
}

void ShopScreen::RealignFrames(int item) {
  int64_t t = frames;
  if (item == ITEM_FREE_FLY || item == ITEM_SNIPER || item == ITEM_RUBBER ||
      item == ITEM_SHIELD) {
    const int64_t r = t % 23;
    t -= (t / 23) % 2 ? r : 23 - r;
  } else {
    t -= t % 24;
  }
  frames = t < 0 ? 0 : static_cast<uint32_t>(t);
}

void ShopScreen::UpdateShelves(const MouseEvent& event) {
  for (int place = 0; place < kShelfPlaces; ++place) {
    const int item = ShelfItem(place);
    if (!IsOffered(item)) continue;
    const Rect cell = ShelfCell(place);
    AddFocusTarget(cell);
    if (PointIn(cell, gCursor.x, gCursor.y)) {
      pointedItem = item;
      if (event.type == MOUSE_LEFT_DOWN) {
        PlayClick();
        if (item != selectedItem) {
          selectedItem = item;
          selectedSlot = -1;
          RealignFrames(item);
        }
      } else if (event.type == MOUSE_LEFT_DOUBLE && selectedItem != -1) {
        BuyItem(selectedItem, selectedPrice);
      }
    }

    const int cx = cell.left + kShelfCellSize / 2, cy = cell.top + kShelfCellSize / 2;
    if (item == ITEM_CREDIT1) {
      // Drawn whole: the cell behind the coin is as dark as its frame.
      gArt.credits[0].SetKeyOn(0);
      gArt.credits[0].RenderAnim(gArt.creditAnims[0], cx, cy, 0);
      gArt.credits[0].SetKeyOn(1);
    } else {
      gArt.items[item].RenderAnim(gArt.itemAnims[item], cx, cy, ALIGN_DEFAULT);
    }

    if (item == selectedItem) {
      selectedPrice = gGame.items[item].price;
      DrawInfoPanel(item, true, selectedPrice);
    }
  }
}

void ShopScreen::UpdateInventory(const MouseEvent& event) {
  DropEmptySlots();
  for (int i = 0; i < kInventorySlots; ++i) {
    ItemSlot& slot = gGame.player.inventory[i];
    AddFocusTarget(InventoryBox(i));
    if (PointIn(InventoryBox(i), gCursor.x, gCursor.y)) {
      if (slot.id) pointedItem = slot.id;
      if (event.type == MOUSE_LEFT_DOWN && slot.id) {
        PlayClick();
        selectedItem = -1;
        selectedSlot = i;
        sellPrice = IsItem(slot.id) ? gGame.items[slot.id].sellPrice : 0;
      } else if (event.type == MOUSE_RIGHT_DOWN) {
        PlayClick();
        if (selectedSlot != -1) {
          SwapSlots(i, selectedSlot);
          selectedItem = -1;
          selectedSlot = i;
          sellPrice = IsItem(slot.id) ? gGame.items[slot.id].sellPrice : 0;
        }
      }
    }
    if (IsItem(slot.id) && i == selectedSlot) {
      DrawInfoPanel(slot.id, false, sellPrice);
      if (slot.count == 0) {
        slot = ItemSlot();
        selectedSlot = -1;
      }
    }
  }
}

void ShopScreen::DrawFrameRate() {
  const float now = static_cast<float>(gPlatform->clock->Milliseconds()) / 1000.0f;
  ++gPlay.framesSinceMeasure;
  const float elapsed = now - gPlay.lastMeasure;
  if (elapsed >= 1.0f) {
    gPlay.fps = static_cast<float>(gPlay.framesSinceMeasure) / elapsed;
    gPlay.lastMeasure = now;
    gPlay.framesSinceMeasure = 0;
  }
  BeginText(FontB, 16);
  FontB.SetSize(16);
  FontB.DrawText(0, 16, 0xffffffffu, u"Frame: %d", g.frameCounter);
  FontB.DrawText(0, 36, 0xffffffffu, u"FPS: %2.3f", gPlay.fps);
  FontB.DrawText(0, 66, 0xffffffffu, u"Back Objetcs = %d", LiveBackObjects());
  EndText();
}

}  // namespace vx
