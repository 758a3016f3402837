// The texts, the font and the default settings of the built data set: every
// key the game asks for is answered from its own line, and every text fits
// where the screens draw it, in every language (the Russian archive on its
// own, with no English behind it, so it is complete).
#include <ft2build.h>
#include FT_FREETYPE_H
#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "base/item_catalogue.h"
#include "data/data_set_fixture.h"
#include "support/languages.h"

namespace vx {
namespace {

// Widths as the text drawer lays them out: colour tags take no room, every
// other character its advance.
class Font {
 public:
  explicit Font(const std::string& bytes) : bytes_(bytes) {
    ok_ = FT_Init_FreeType(&lib_) == 0 &&
          FT_New_Memory_Face(lib_, reinterpret_cast<const FT_Byte*>(bytes_.data()),
                             static_cast<FT_Long>(bytes_.size()), 0, &face_) == 0;
  }
  ~Font() {
    if (lib_) FT_Done_FreeType(lib_);
  }
  bool ok() const { return ok_; }
  bool HasGlyph(FT_ULong c) const { return FT_Get_Char_Index(face_, c) != 0; }
  int Width(const char16_t* text, int size) {
    FT_Set_Pixel_Sizes(face_, 0, size);
    int w = 0;
    for (const char16_t* p = text; *p; ++p) {
      if (p[0] == '<' && p[1] == '0' && p[2] == 'x') {
        p += 3;
        while (std::isxdigit(*p)) ++p;
        if (!*p) break;
        continue;
      }
      if (FT_Load_Char(face_, *p, FT_LOAD_DEFAULT) == 0) w += face_->glyph->advance.x >> 6;
    }
    return w;
  }
  int Width(const std::string& text, int codePage, int size) { return Width(ToWide(text.c_str(), codePage), size); }

 private:
  std::string bytes_;
  FT_Library lib_ = nullptr;
  FT_Face face_ = nullptr;
  bool ok_ = false;
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(pos, end - pos));
    pos = end + 1;
  }
  return lines;
}

struct Box {
  int left, top, right, bottom;
};

class TextsTest : public test::DataSetFixture {
 protected:
  void SetUp() override {
    DataSetFixture::SetUp();
    font_.reset(new Font(Entry("LCDN.ttf")));
    ASSERT_TRUE(font_->ok()) << "LCDN.ttf does not load";
  }
  // Page text at size 16: line i has its baseline at y + 18 i. Each drawn line
  // must fit the screen and keep clear of the pictures drawn with the page.
  void CheckPage(const std::string& name, int codePage, int x, int y, const std::vector<Box>& clear) {
    std::string text = Entry(name);
    ASSERT_FALSE(text.empty()) << name;
    // The screens read into 1024 bytes that must keep a terminating zero.
    EXPECT_LE(text.size(), 1023u) << name;
    EXPECT_EQ(text.find('%'), std::string::npos) << name << ": the drawer formats the text";
    std::vector<std::string> lines = Lines(text);
    for (size_t i = 0; i < lines.size(); ++i) {
      int width = font_->Width(lines[i], codePage, 16);
      if (width == 0) continue;
      int first = static_cast<int>(lines[i].find_first_not_of(' '));
      int indent = font_->Width(lines[i].substr(0, first), codePage, 16);
      Box line{x + indent, y + 18 * static_cast<int>(i) - 15, x + width, y + 18 * static_cast<int>(i) + 5};
      EXPECT_LE(line.right, 636) << name << " line " << i + 1 << " runs off the screen";
      for (const Box& b : clear)
        EXPECT_FALSE(line.left < b.right && b.left < line.right && line.top < b.bottom && b.top < line.bottom)
            << name << " line " << i + 1 << " covers the picture at " << b.left << ", " << b.top;
    }
  }
  // The picture's box from its TGA header, or a generous guess before it exists.
  Box Picture(const std::string& name, int x, int y, int w, int h) {
    std::string tga = Entry(name);
    if (tga.size() >= 18) {
      w = static_cast<uint8_t>(tga[12]) | static_cast<uint8_t>(tga[13]) << 8;
      h = static_cast<uint8_t>(tga[14]) | static_cast<uint8_t>(tga[15]) << 8;
    }
    return {x, y, x + w, y + h};
  }
  std::unique_ptr<Font> font_;
};

// Each language's texts alone.
class LanguageTexts : public TextsTest, public ::testing::WithParamInterface<std::string> {
 protected:
  void SetUp() override {
    TextsTest::SetUp();
    const std::string code = GetParam();
    if (code == "en") return;
    UnregisterSources("LANG\\");
    ASSERT_NE(RegisterArchive((VX_BINARY_DIR "/Velotrix." + code + ".lng").c_str(), "LANG\\", 1), 0);
  }
};

const char* const kStringKeys[] = {"PressKey", "Loading", "Donthave1", "Donthave2", "Descript",
                                   "ActiveTime", "SellPrice", "BuyPrice", "Exchange", "Instant",
                                   "EmptySlot", "Pause", "ExitToMenu", "Failed", "Complete",
                                   "Version", "Page", "Level", "Closelevel", "Node1",
                                   "Node2", "Node3", "Node4", "Credits", "Points",
                                   "Continue", "BossBeaten", "Language", "Saved", "SaveFailed"};

TEST_P(LanguageTexts, StringTableAnswersEveryKeyFromItsOwnLine) {
  TextFile strings("Strings.txt");
  ASSERT_TRUE(strings.IsOpen());
  const std::string raw = Entry("Strings.txt");
  strings.SelectSection("All strings");
  for (const char* key : kStringKeys) {
    char value[64];
    int len = strings.GetString(nullptr, key, nullptr, value, sizeof value);
    EXPECT_GT(len, 0) << key;
    EXPECT_EQ(OwnLineValue(raw, "All strings", key), value) << key << " is answered from another line";
    std::string text = value;
    if (std::strcmp(key, "Exchange") == 0) {
      ASSERT_NE(text.find("%d"), std::string::npos) << "the shop formats Exchange with the price";
      text.replace(text.find("%d"), 2, "65535");
    }
    EXPECT_EQ(text.find('%'), std::string::npos) << key;
  }
  auto width = [&](const char* key, int size) {
    char value[64];
    strings.GetString(nullptr, key, nullptr, value, sizeof value);
    return font_->Width(value, 866, size);
  };
  // The shop's labels end at x 150; the map's button labels sit in the rings'
  // 46-pixel discs, at size 18 or smaller down to 12.
  for (const char* key : {"Descript", "ActiveTime", "SellPrice", "BuyPrice"}) EXPECT_LE(width(key, 12), 140) << key;
  for (const char* key : {"Node1", "Node2", "Node3", "Node4"}) EXPECT_LE(width(key, 12), 46) << key;
  for (const char* key : {"Level", "Closelevel", "Saved", "SaveFailed"}) EXPECT_LE(width(key, 16), 620) << key;
  for (const char* key : {"Donthave1", "Donthave2"}) EXPECT_LE(width(key, 12), 540) << key;
  // The message panel is 320 pixels wide.
  EXPECT_LE(width("Continue", 12), 300);
  EXPECT_LE(width("BossBeaten", 16), 300);
}

TEST_P(LanguageTexts, ItemCatalogueAnswersEveryItemAndFitsTheShop) {
  TextFile items("Items.txt");
  ASSERT_TRUE(items.IsOpen());
  const std::string raw = Entry("Items.txt");
  int affordable = 0;
  for (int id = 1; id < kItemCount; ++id) {
    const char* item = ItemSection(id);
    SCOPED_TRACE(item);
    ASSERT_TRUE(items.SelectSection(item));
    char name[32], description[128], requires[64];
    items.GetString(nullptr, "Name", nullptr, name, sizeof name);
    items.GetString(nullptr, "Description", nullptr, description, sizeof description);
    items.GetString(nullptr, "Requires", nullptr, requires, sizeof requires);
    int price = items.GetInt(nullptr, "Price", -1);
    int active = items.GetInt(nullptr, "Active time", -1);
    // A section is found by the first header holding its name ([ITEM_BALL]
    // before [ITEM_BALL_ATTRACTOR]), keys by the first line holding theirs.
    EXPECT_EQ(OwnLineValue(raw, item, "Name"), name);
    EXPECT_EQ(OwnLineValue(raw, item, "Description"), description);
    EXPECT_EQ(OwnLineValue(raw, item, "Price"), std::to_string(price));
    EXPECT_EQ(OwnLineValue(raw, item, "Active time"), std::to_string(active));
    EXPECT_GT(std::strlen(name), 0u);
    EXPECT_LT(std::strlen(description), 127u) << "description cut";
    EXPECT_GT(price, 0);
    EXPECT_LE(price, 65535);
    EXPECT_GT(active, 0);
    EXPECT_LE(active, 65535);
    for (const char* p = requires; *p; ++p) EXPECT_TRUE(std::isdigit(*p) || *p == ',') << requires;
    if (*requires) {
      int level = std::atoi(requires);
      EXPECT_GE(level, 1);
      EXPECT_LE(level, 100);
    }
    // Names sit centred over 50-pixel cells 85 apart; descriptions start at x 150.
    EXPECT_LE(font_->Width(name, 1251, 11), 84) << name;
    EXPECT_LE(font_->Width(description, 1251, 12), 486) << description;
    bool boughtWithCredits = IsSold(id) && !IsCoin(id);
    if (boughtWithCredits && !*requires && price <= 150) ++affordable;
  }
  // A new game starts with 150 credits and should be able to shop at once.
  EXPECT_GE(affordable, 5);
}

TEST_P(LanguageTexts, HelpPagesAndTheEndingFitTheirScreens) {
  // Every page starts at x 40 and keeps clear of its page buttons.
  const std::vector<Box> buttons = {{40, 428, 160, 464}, {480, 428, 600, 464}};
  std::vector<Box> page1 = buttons, page2 = buttons;
  page1.push_back({262, 188, 480, 250});  // the two coins
  page1.push_back(Picture("help\\Items.tga", 193, 317, 260, 120));
  page2.push_back(Picture("help\\MinPanel.tga", 170, 210, 300, 90));
  CheckPage("help\\help0.txt", 1251, 40, 160, buttons);
  CheckPage("help\\help1.txt", 1251, 40, 160, page1);
  CheckPage("help\\help2.txt", 1251, 40, 160, page2);
  CheckPage("help\\help3.txt", 1251, 40, 160, buttons);
  // The ending's text scrolls on the dark pane at the left of its scene.
  CheckPage("happy.txt", 866, 10, 480, {{466, -1000, 640, 1000}});
  // The ending hands over once its top has scrolled to -500; by then the last
  // line must have left the text area (which starts at y 50).
  EXPECT_LT(-500 + 18 * static_cast<int>(Lines(Entry("happy.txt")).size() - 1), 50);
}

TEST_P(LanguageTexts, LevelNamesNameEveryLevel) {
  const std::string raw = Entry("LevelNames.txt");
  ASSERT_FALSE(raw.empty());
  for (int n = 1; n <= 100; ++n) {
    const std::string section = "Level " + std::to_string(n);
    EXPECT_FALSE(OwnLineValue(raw, section, "Name").empty()) << section;
    EXPECT_FALSE(OwnLineValue(raw, section, "Text").empty()) << section;
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, LanguageTexts, ::testing::ValuesIn(test::BuiltLanguages()),
                         test::LanguageName);

TEST_F(TextsTest, FontCoversLatinAndCyrillic) {
  for (FT_ULong c : {FT_ULong('A'), FT_ULong('z'), FT_ULong('0'), FT_ULong(0x0416), FT_ULong(0x044F), FT_ULong(0x0401)})
    EXPECT_TRUE(font_->HasGlyph(c)) << std::hex << c;
}

TEST_F(TextsTest, DefaultSettingsGiveSoundAndAWindow) {
  // No loose Velotrix.ini here, so the archive's copy answers.
  TextFile ini("Velotrix.ini");
  ASSERT_TRUE(ini.IsOpen());
  const std::pair<const char*, int> expected[] = {{"Fullscreen", 0},     {"Sound enable", 1},
                                                  {"Sound volume", 70},  {"Music volume", 50},
                                                  {"Reverse stereo", 0}, {"Scroll speed", 1},
                                                  {"Vanishing", 0}};
  for (auto [key, value] : expected) EXPECT_EQ(ini.GetInt("Settings", key, -1), value) << key;
}

}  // namespace
}  // namespace vx
