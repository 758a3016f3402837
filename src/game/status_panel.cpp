#include "game/status_panel.h"

#include "base/game_record.h"
#include "game/game_state.h"
#include "game/game_text.h"
#include "game/playfield.h"
#include "graphics/shared_art.h"

namespace vx {

namespace {

int PanelTop() { return g.screenHeight - kPanelHeight; }
int SlotX(int slot) { return 197 + 42 * slot; }

bool ValidItem(int id) { return id > 0 && id < kItemCount; }

}  // namespace

void StepInventoryIcons() {
  for (const ItemSlot& s : gGame.player.inventory)
    if (ValidItem(s.id)) gArt.itemAnims[s.id].Play(s.active ? "Rotation" : "Stop", 0);
}

void DrawStatusPanel() {
  const int t = PanelTop();
  // Sprites first: the text bracket keeps the back buffer locked.
  for (int i = 0; i < kInventorySlots; ++i) {
    const ItemSlot& s = gGame.player.inventory[i];
    if (ValidItem(s.id)) gArt.items[s.id].RenderAnim(gArt.itemAnims[s.id], SlotX(i), t + 47, ALIGN_DEFAULT);
  }
  BeginText(FontB, kPanelNumberSize);
  FontB.SetSize(kPanelNumberSize);
  FontB.DrawText(50, t + 37, kTextWhite, u"%d", gGame.player.lives);
  FontB.DrawText(100, t + 37, kTextWhite, u"%d", gGame.player.credits);
  FontB.DrawText(85, t + 55, kTextWhite, u"%d", gGame.player.score);
  FontB.SetSize(kItemCountSize);
  for (int i = 0; i < kInventorySlots; ++i) {
    const ItemSlot& s = gGame.player.inventory[i];
    if (ValidItem(s.id)) FontB.DrawText(SlotX(i) - 18, t + 59, kItemCountColor, u"%d", static_cast<int>(s.count));
  }
  EndText();
}

void DrawLevelProgress() {
  DrawGameText(kPanelNumberSize, 115, g.screenHeight - 60, kTextWhite, u"%d%%", LevelProgress());
}

}  // namespace vx
