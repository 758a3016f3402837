#include "game/status_panel.h"

#include "base/game_record.h"
#include "game/game_state.h"
#include "game/game_text.h"
#include "game/play_state.h"
#include "game/playfield.h"
#include "graphics/shared_art.h"

namespace vx {

namespace {

int PanelTop() { return g.screenHeight - kPanelHeight; }
int SlotX(int slot) { return 197 + 42 * slot; }
constexpr int kChosenSlotColor = 0;  // white

// Each count on a small dark badge in its socket's lower left corner, over
// the icon: the icon's colours would swallow the bare figure.
void DrawItemCounts(int t) {
  const uint16_t badge = Graphics::MakePixelRGB(kItemCountBadgeRGB);
  const uint16_t rim = Graphics::MakePixelRGB(kItemCountRimRGB);
  int widths[kInventorySlots] = {};
  BeginText(FontB, kItemCountSize);
  FontB.SetSize(kItemCountSize);
  for (int i = 0; i < kInventorySlots; ++i) {
    const ItemSlot& s = gGame.player.inventory[i];
    if (IsItem(s.id)) widths[i] = FontB.MeasureText(u"%d", static_cast<int>(s.count));
  }
  EndText();
  for (int i = 0; i < kInventorySlots; ++i) {
    if (!widths[i]) continue;
    const int x = SlotX(i) - 18, base = t + 59;
    const Rect box{x - 3, base - kItemCountSize + 1, x + widths[i] + 2, base + 3};
    Graphics::Fill(nullptr, Rect{box.left - 1, box.top - 1, box.right + 1, box.bottom + 1}, rim);
    Graphics::Fill(nullptr, box, badge);
  }
  BeginText(FontB, kItemCountSize);
  FontB.SetSize(kItemCountSize);
  for (int i = 0; i < kInventorySlots; ++i) {
    const ItemSlot& s = gGame.player.inventory[i];
    if (widths[i])
      FontB.DrawText(SlotX(i) - 18, t + 59, kItemCountColor, u"%d", static_cast<int>(s.count));
  }
  EndText();
}

}  // namespace

void StepInventoryIcons() {
  for (const ItemSlot& s : gGame.player.inventory)
    if (IsItem(s.id)) gArt.itemAnims[s.id].Play(s.active ? "Rotation" : "Stop", 0);
}

void DrawStatusPanel() {
  const int t = PanelTop();
  // Sprites first: the text bracket keeps the back buffer locked.
  for (int i = 0; i < kInventorySlots; ++i) {
    const ItemSlot& s = gGame.player.inventory[i];
    if (IsItem(s.id)) gArt.items[s.id].RenderAnim(gArt.itemAnims[s.id], SlotX(i), t + 47, ALIGN_DEFAULT);
  }
  BeginText(FontB, kPanelNumberSize);
  FontB.SetSize(kPanelNumberSize);
  FontB.DrawText(50, t + 37, kTextWhite, u"%d", gGame.player.lives);
  FontB.DrawText(100, t + 37, kTextWhite, u"%d", gGame.player.credits);
  FontB.DrawText(85, t + 55, kTextWhite, u"%d", gGame.player.score);
  EndText();
  DrawItemCounts(t);
}

void DrawChosenSlot() {
  if (!gPlay.slotChoiceShown) return;
  const int x = SlotX(gPlay.chosenSlot) - 20, y = PanelTop() + 27;
  Graphics::Outline(nullptr, Rect{x, y, x + 40, y + 40}, 2, StandardColors[kChosenSlotColor]);
}

void DrawLevelProgress() { DrawProgressFigure(LevelProgress()); }

void DrawProgressFigure(int percent) {
  DrawGameText(kPanelNumberSize, 115, g.screenHeight - 60, kTextWhite, u"%d%%", percent);
}

int CampaignProgress() {
  int completed = 0;
  for (const MapNode& node : gGame.campaign) completed += node.completed ? 1 : 0;
  return completed * 100 / kLevelCount;
}

}  // namespace vx
