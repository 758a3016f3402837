// NodeScreen: the world map of the campaign. Levels are planets on a sea that
// recedes towards a horizon; the player scrolls along it, picks an open level
// and starts it, and goes on to the shop, the save screen or back to the menu.
#pragma once

#include <cstdint>

#include "app/screen.h"
#include "campaign/button.h"
#include "campaign/campaign_progress.h"
#include "graphics/sprite.h"

namespace vx {

class NodeScreen : public Screen {
 public:
  const char* GetName() override { return "NodeScreen"; }
  int InitSurfaces() override;
  int ReleaseSurfaces() override;
  int OnDisplay(Screen* previous, int argument) override;
  int OnFrame() override;

  // Saves the player's state, loads level n with a fresh item catalogue, plays
  // the next level tune and enters the game screen.
  void StartLevel(int n);
  // Puts the focus and the cursor on the next (step 1) or previous (-1) of
  // Play, Shop, Save and Back.
  void FocusCommand(int step);

  static constexpr int32_t kMaxScroll = 1755;
  enum Command : uint32_t { kPlay = 1, kShop, kSave, kBack, kScrollUp, kScrollDown };
  static constexpr int kCommandButtons = 4;

  int32_t scroll = 0;
  int32_t minScroll = 0;
  int32_t maxScroll = kMaxScroll;
  int32_t selected = -1;
  int32_t playEnabled = 0;
  // Which of the four level tunes comes next; kept for the whole run.
  static int32_t levelMusic;
  LevelStartSnapshot snapshot;

  struct Planet {
    int32_t type = 0;  // 0..7: which planet image, or dark planet frame type + 1
    float angle = 0;
    float speed = 0;
    AnimationSet anim;
  };
  Planet planets[kLevelCount];

  // Play, shop, save, back, then scroll up and scroll down.
  Button buttons[6];
  AnimationSet decorations[kCommandButtons];
  Surface* background = nullptr;
  CSprite select;       // "Select.tga" with "Select.frm"
  CSprite nodeButtons;  // "NodeButtons.tga" with "NodeButtons.frm"
  CSprite pads;         // "NodePads.tga" with "NodePads.frm": the buttons' pads

  // Where each node was drawn this frame (inView false: not drawn).
  struct NodePlace {
    int16_t x = 0, y = 0;  // the planet's centre
    int16_t reach = 0;     // how far the selection ring reaches out from it
    bool inView = false;
  };
  NodePlace places[kLevelCount];

 private:
  void DrawButtons();
  // Selects the playable level before (-1) or after (+1) the selected one and
  // brings it into view.
  void SelectNeighbour(int step);
  // Returns false when a double-click started a level.
  bool UpdateNodes(const MouseEvent& event);
  void DrawTexts();
  // The open level whose title shows: the hovered one, else the selection;
  // -1 for none.
  int TitledLevel() const;
  void DrawLevelTitle(int level);
  void DrawDescription(int level);

  // The description of describedLevel cut into lines that fit the screen.
  static constexpr int kDescriptionLines = 4;
  int describedLevel = -1;
  int descriptionLineCount = 0;
  char descriptionLines[kDescriptionLines][256] = {};
  int descriptionWidths[kDescriptionLines] = {};
  int descriptionWidest = 0;
  // The buttons' label sizes in the language of this entry.
  int labelSizes[kCommandButtons] = {};
};

// The map's hint and hover state; it outlives the screen's entries.
struct MapHint {
  int32_t timer = 0;         // frames the "Closelevel" hint stays
  int32_t lastHovered = -1;  // hovered level of the previous frame
  int32_t hovered = -1;      // hovered level of this frame
};
extern MapHint gMapHint;

}  // namespace vx
