// Every text keeps to its place in every language: each screen is drawn in
// English and in Russian over the real data set, and every line the text
// drawer puts down is measured with the font's real glyphs. A line must stay
// inside the box it was drawn into (the clip rectangle) and on the screen,
// must not be cut, and on the help pages must keep clear of the pictures.
#include <algorithm>
#include <string>
#include <vector>

#include "campaign/campaign_start.h"
#include "campaign/happy_screen.h"
#include "campaign/help_screen.h"
#include "campaign/hiscore_screen.h"
#include "campaign/language_switch.h"
#include "campaign/node_screen.h"
#include "campaign/options_screen.h"
#include "campaign/shop_rules.h"
#include "campaign/shop_screen.h"
#include "game/game_state.h"
#include "game/items.h"
#include "game/message_panel.h"
#include "game/play_state.h"
#include "screen_fixture.h"
#include "support/languages.h"

namespace vx::test {
namespace {

std::string Utf8(const char16_t* text) {
  std::string out;
  for (const char16_t* p = text; *p; ++p) {
    const unsigned c = *p;
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xc0 | c >> 6);
      out += static_cast<char>(0x80 | (c & 0x3f));
    } else {
      out += static_cast<char>(0xe0 | c >> 12);
      out += static_cast<char>(0x80 | (c >> 6 & 0x3f));
      out += static_cast<char>(0x80 | (c & 0x3f));
    }
  }
  return out;
}

struct Line {
  std::string screen;
  std::string text;  // UTF-8, for messages
  DrawnText drawn;
};

bool Inside(const Rect& inner, const Rect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

bool Overlap(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

std::string Show(const Rect& r) {
  return "(" + std::to_string(r.left) + ", " + std::to_string(r.top) + ")-(" +
         std::to_string(r.right) + ", " + std::to_string(r.bottom) + ")";
}

class TextFitTest : public ScreenTest, public ::testing::WithParamInterface<std::string> {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    ASSERT_EQ(SwitchLanguage(GetParam(), VX_BINARY_DIR), GetParam());
    SetTextObserver(&TextFitTest::Record, this);
  }
  void TearDown() override {
    SetTextObserver(nullptr, nullptr);
    ScreenTest::TearDown();
  }

  static void Record(const DrawnText& drawn, void* self) {
    auto* test = static_cast<TextFitTest*>(self);
    Line line{g.currentScreen ? g.currentScreen->GetName() : "(none)", Utf8(drawn.text), drawn};
    line.drawn.text = nullptr;
    test->lines_.push_back(line);
  }

  // Checks what was drawn since the last check. A scroller's lines may be cut
  // at its window's top and bottom; they must still fit across.
  void ExpectFit(const std::string& where, const std::vector<Rect>& keepClear = {},
                 bool scroller = false) {
    SCOPED_TRACE(where + " in " + GetParam());
    int measured = 0;
    for (const Line& line : lines_) {
      const DrawnText& d = line.drawn;
      if (d.ink.left >= d.ink.right) continue;  // blanks only
      ++measured;
      const std::string what = line.screen + ": \"" + line.text + "\" at " + Show(d.ink);
      Rect place{std::max(d.box.left, 0), std::max(d.box.top, 0), std::min(d.box.right, d.targetWidth),
                 std::min(d.box.bottom, d.targetHeight)};
      if (scroller) {
        place.top = std::min(place.top, d.ink.top);
        place.bottom = std::max(place.bottom, d.ink.bottom);
      } else {
        EXPECT_FALSE(d.clipped) << what << " is cut by its box " << Show(d.box);
      }
      EXPECT_TRUE(Inside(d.ink, place)) << what << " runs out of its place " << Show(place);
      for (const Rect& picture : keepClear)
        EXPECT_FALSE(Overlap(d.ink, picture)) << what << " covers the picture at " << Show(picture);
    }
    EXPECT_GT(measured, 0) << "no text was drawn";
    lines_.clear();
  }
  std::vector<Line> lines_;
};

TEST_P(TextFitTest, MenuOptionsSavesAndScores) {
  Enter(g.screens.menu);
  Frame(2);
  ExpectFit("the menu");

  Enter(g.screens.options);
  Frame();
  ExpectFit("the options");
  const Rect plate = static_cast<OptionsScreen*>(g.screens.options)->buttons[OptionsScreen::kButtons - 2].Area();
  MoveTo((plate.left + plate.right) / 2, (plate.top + plate.bottom) / 2);
  ExpectFit("the options with the language pointed at");

  Key(KEY_ESCAPE);
  Enter(g.screens.load);
  Frame(2);
  ExpectFit("the load screen");
  Key(KEY_ESCAPE);
  Enter(g.screens.save);
  Frame(2);
  ExpectFit("the save screen");

  Key(KEY_ESCAPE);
  gGame.player.score = 999999;
  HiscoreScreen::SetNewScore(1);
  Enter(g.screens.hiscore);
  Type("Pilot\r");
  Frame(2);
  ExpectFit("the high scores");
}

TEST_P(TextFitTest, HelpPagesKeepClearOfTheirPictures) {
  Enter(g.screens.help);
  auto* help = static_cast<HelpScreen*>(g.screens.help);
  for (int page = 0; page < HelpScreen::kPages; ++page) {
    Frame(2);
    Rect pictures[HelpScreen::kMaxPictures];
    const int count = help->PicturePlaces(page, pictures);
    ExpectFit("help page " + std::to_string(page + 1), std::vector<Rect>(pictures, pictures + count));
    Key(KEY_RIGHT);
  }
}

TEST_P(TextFitTest, MapButtonsAndHints) {
  Enter(g.screens.menu);
  StartCampaign(1);
  ASSERT_EQ(g.currentScreen, g.screens.node);
  Frame(60);
  ExpectFit("the map");
  gMapHint.timer = 100;
  for (int i = 0; i < NodeScreen::kCommandButtons; ++i) {
    const Rect r = static_cast<NodeScreen*>(g.screens.node)->buttons[i].Area();
    MoveTo((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  ExpectFit("the map with its closed-level hint and each button pointed at");
}

TEST_P(TextFitTest, ShopShelvesAndEveryDescription) {
  gGame.player.credits = 100000;
  gGame.player.score = 100000;
  for (MapNode& node : gGame.campaign) node.completed = 1;
  AddToInventory(ITEM_CANNON);
  Enter(g.screens.node);
  SwitchTo(g.screens.shop, 0);
  ASSERT_EQ(g.currentScreen, g.screens.shop);
  auto* shop = static_cast<ShopScreen*>(g.screens.shop);
  Frame();
  for (int place = 0; place < kShelfPlaces; ++place) {
    const int item = ShelfItem(place);
    if (!IsOffered(item)) continue;
    Click(ShelfCell(place));
    // The description types itself out; show it whole.
    shop->descriptionStart = static_cast<int32_t>(shop->frames) - 1000;
    Frame();
    ExpectFit(std::string("the shop with ") + ItemSection(item) + " chosen");
  }
  Click(InventoryBox(0));
  shop->descriptionStart = static_cast<int32_t>(shop->frames) - 1000;
  Frame();
  ExpectFit("the shop selling from the inventory");
  // Too poor to buy: the warnings take the price line.
  gGame.player.credits = 0;
  gGame.player.score = 0;
  Click(ShelfCell(1));
  Click(ShelfCell(0));
  Frame();
  ExpectFit("the shop's warnings");
}

TEST_P(TextFitTest, MessagesOverThePlayfield) {
  Enter(g.screens.menu);
  struct Case {
    const char* what;
    int32_t LevelState::*flag;
    int failed;
  };
  for (const Case& c : {Case{"paused", &LevelState::paused, 0}, Case{"quit", &LevelState::quitRequest, 0},
                        Case{"failed", &LevelState::levelEnded, 1}, Case{"won", &LevelState::levelEnded, 0}}) {
    gGame.level = LevelState();
    gPlay = PlayState();
    gGame.level.*c.flag = 1;
    gGame.level.levelFailed = c.failed;
    for (int i = 0; i < 40; ++i) UpdateAndDrawMessagePanel();
    ExpectFit(std::string("the message panel, ") + c.what);
  }
}

TEST_P(TextFitTest, TheEndingScrollsWithinTheScreen) {
  SwitchTo(g.screens.happy, 0);
  auto* happy = static_cast<HappyScreen*>(g.screens.happy);
  for (int top = 470; top > -500; top -= 60) {
    happy->textTop = top;
    Frame();
  }
  ExpectFit("the ending", {}, true);
}

using TextSizeTest = ScreenTest;

TEST_F(TextSizeTest, ALongWordTakesTheLargestSizeThatFits) {
  const char* word = "\x87\xa0\xaf\xa8\xe1\xec";  // "Запись" in code page 866
  FontB.SetSize(18);
  const int at18 = MeasureText8(FontB, word);
  FontB.SetSize(16);
  const int at16 = MeasureText8(FontB, word);
  ASSERT_LT(at16, at18);
  EXPECT_EQ(FitTextSize(FontB, word, at18, 18, 12), 18) << "exactly as wide fits";
  EXPECT_EQ(FitTextSize(FontB, word, at18 - 1, 18, 12), 17);
  EXPECT_EQ(FitTextSize(FontB, word, at16, 18, 12), 16);
  EXPECT_EQ(FitTextSize(FontB, word, 1, 18, 12), 12) << "never below the smallest";
  EXPECT_EQ(FontB.Size(), 12);
}

INSTANTIATE_TEST_SUITE_P(Languages, TextFitTest, ::testing::ValuesIn(BuiltLanguages()), LanguageName);

}  // namespace
}  // namespace vx::test
