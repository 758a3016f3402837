// The status panel below the play window: lives, credits, score and the
// inventory with its icons and counts. The game screen, the shop and the boss
// fight draw it over their copy of "panel.tga".
#pragma once

namespace vx {

// Height of the panel; its top is at screen height - kPanelHeight.
constexpr int kPanelHeight = 80;

// Steps each inventory icon's animation: "Rotation" while the slot's item is
// switched on, "Stop" otherwise. Once per frame, before drawing.
void StepInventoryIcons();
// Lives, credits, score, and for every filled slot its icon and count.
void DrawStatusPanel();
// A frame round the slot chosen with the controller, once one was chosen.
void DrawChosenSlot();
// The share of the field played so far, "NN%" beside the console's flag.
void DrawLevelProgress();
// Any share (0..100) beside the flag: the shop shows the campaign's, the boss
// fight the damage done to the boss.
void DrawProgressFigure(int percent);
// The share of the campaign's levels completed, 0..100.
int CampaignProgress();

}  // namespace vx
