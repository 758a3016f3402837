// ShopScreen: the item shop between levels. Items go from the shelves into
// the inventory, an extra ship adds a life, points buy credits, and inventory
// items are sold back.
#pragma once

#include <cstdint>

#include "app/screen.h"
#include "campaign/button.h"
#include "graphics/sprite.h"

namespace vx {

class ShopScreen : public Screen {
 public:
  const char* GetName() override { return "ShopScreen"; }
  int InitSurfaces() override;
  int ReleaseSurfaces() override;
  int OnDisplay(Screen* previous, int argument) override;
  int OnFrame() override;

  enum Command : uint32_t { kBuy = 1, kSell, kBack };

  Surface* background = nullptr;  // the map's sea with the panel, shelves and labels
  CSprite sheet;                  // "ShopButtons.tga" with "ShopButtons.frm"
  Button buttons[3];              // buy, sell, back

  int32_t selectedItem = -1;  // shelf item id
  int32_t selectedPrice = 0;
  int32_t selectedSlot = -1;  // inventory slot
  int32_t sellPrice = 0;
  int32_t pointedItem = -1;   // shelf or slot item under the cursor this frame
  int32_t descriptionStart = 0;

 private:
  int ComposeBackground();
  void DrawShelfLabels();
  void StepIcons();
  void DrawButtons();
  void UpdateShelves(const MouseEvent& event);
  void UpdateInventory(const MouseEvent& event);
  void RealignFrames(int item);
  // The description, price and active time of item; fromShelf tells a shelf
  // item from one in the inventory.
  void DrawInfoPanel(int item, bool fromShelf, int price);
  void DrawFrameRate();
};

}  // namespace vx
