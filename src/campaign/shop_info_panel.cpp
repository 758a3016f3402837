// The shop's information panel: the description typed out, the price line and
// the active time of the selected shelf item or inventory slot.
#include <algorithm>
#include <cstring>

#include "base/game_record.h"
#include "campaign/campaign_ui.h"
#include "campaign/shop_screen.h"
#include "game/game_state.h"
#include "resources/text_file.h"

namespace vx {

namespace {

// Labels end at kLabelEnd and their values start a little further on, so the
// two never run together.
constexpr int kLabelEnd = 150, kValueStart = 156;
constexpr int kDescriptionY = 280, kPriceY = 295, kActiveTimeY = 310;
// The panel of "shelves.tga" within its frame, the labels' part and the values'.
constexpr Rect kPanel{44, 264, 596, 318};
constexpr Rect kLabels{kPanel.left, kPanel.top, kLabelEnd, kPanel.bottom};
constexpr Rect kValues{kValueStart, kPanel.top, kPanel.right, kPanel.bottom};
constexpr int kTextSize = 12;
constexpr int kInstantTime = 10000;

// Draws "label value" with the label ending at kLabelEnd and the value in white.
void DrawPriceLine(const char* label, const char16_t* format, int price) {
  const char16_t* wide = ToWide(label, 866);
  const int width = FontB.MeasureText(wide);
  FontB.SetClip(kPanel);
  FontB.DrawText(kLabelEnd - width, kPriceY, 0xffff00, format, wide, price);
  FontB.SetClip(Rect{0, 0, g.screenWidth, g.screenHeight});
}

}  // namespace

void ShopScreen::DrawInfoPanel(int item, bool fromShelf, int price) {
  if (PointerHeld()) descriptionStart = static_cast<int32_t>(frames);
  const ItemInfo& info = gGame.items[item];
  const StringTable& s = g.strings;

  // The bars first: a fill cannot reach the back buffer while text holds it.
  int bars = 0;
  const bool timed = item != ITEM_CREDIT1 && item != ITEM_BALL;
  if (timed) {
    bars = info.activeTime == kInstantTime ? 0 : info.activeTime / 500;
    for (int j = 0; j < bars; ++j) {
      const int x = 155 + 10 * j;
      if (x + 9 > g.screenWidth) break;
      Graphics::Fill(nullptr, Rect{x, 303, x + 9, 308},
                     Graphics::MakePixel(0, std::min(255, 100 + 10 * j), 0));
    }
  }

  BeginText(FontB, kTextSize);
  FontB.SetSize(kTextSize);
  DrawText8In(FontB, kLabels, kLabelEnd - MeasureText8(FontB, s.Descript), kDescriptionY,
              StandardColors[8], s.Descript);
  // One more character every three frames.
  const uint32_t typed = std::min<uint32_t>(
      (frames - static_cast<uint32_t>(descriptionStart)) / 3, 255);
  char shown[256] = {};
  std::strncpy(shown, info.description, std::min<size_t>(typed, sizeof info.description - 1));
  DrawText8In(FontB, kValues, kValueStart, kDescriptionY, StandardColors[0], shown, 1251);

  const int pulse = Pulse(16);
  // Red and green that pulse between two light shades: dark red or green on
  // the panel would not read at the low end of the pulse.
  const uint16_t pulsingRed = Graphics::Pack5(31, 9 + pulse / 2, 9 + pulse / 2);
  const uint16_t pulsingGreen = Graphics::Pack5(8 + pulse / 2, 24 + pulse * 7 / 16, 8 + pulse / 2);
  if (!fromShelf || price == 0) {
    DrawPriceLine(s.SellPrice, u"%s <0xffffff>%d", price);
  } else if (item == ITEM_CREDIT1) {
    if (price > gGame.player.score) {
      DrawText8In(FontB, kPanel, 80, kPriceY, pulsingRed, s.Donthave1);
    } else {
      FontB.SetClip(kPanel);
      FontB.DrawText(80, kPriceY, pulsingGreen, ToWide(s.Exchange, 866), price);
      FontB.SetClip(Rect{0, 0, g.screenWidth, g.screenHeight});
    }
  } else if (price > gGame.player.credits) {
    DrawText8In(FontB, kPanel, 80, kPriceY, pulsingRed, s.Donthave2);
  } else {
    DrawPriceLine(s.BuyPrice, u"%s <0xffffff>%d ", price);
  }

  if (timed) {
    DrawText8In(FontB, kLabels, kLabelEnd - MeasureText8(FontB, s.ActiveTime), kActiveTimeY, 0xffff,
                s.ActiveTime);
    if (bars == 0) DrawText8In(FontB, kValues, kValueStart, kActiveTimeY, 0xffffff, s.Instant);
  }
  EndText();
}

}  // namespace vx
