// The generator's level layout, design rules and text rules, on small
// hand-made sources, including broken ones.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "levels/level_design.h"
#include "texts/text_rules.h"

namespace vx::mkdata {
namespace {

const char kShapes[] =
    "# a comment between drawings\n"
    "shape corner\n"
    "12.\n"
    "3..\n"
    "end\n"
    "glyphs\n"
    "I   T\n"
    "xxx xxx\n"
    ".x. .x.\n"
    ".x. .x.\n"
    ".x. .x.\n"
    "xxx .x.\n"
    "end\n";

ShapeLibrary Library() {
  ShapeLibrary lib;
  std::string error;
  EXPECT_TRUE(ParseShapes(kShapes, "shapes", &lib, &error)) << error;
  return lib;
}

// Builds a level from layout lines; the field's content rows, without the
// empty margins.
bool Build(const std::vector<std::string>& layout, std::vector<std::string>* rows, std::string* error) {
  LevelSource level;
  level.number = 7;
  level.file = "test";
  for (size_t i = 0; i < layout.size(); ++i) level.layout.push_back({static_cast<int>(i) + 1, layout[i]});
  LevelField field;
  if (!BuildField(level, Library(), &field, error)) return false;
  const std::string empty(20, '.');
  for (int i = 0; i < kTopMargin; ++i) EXPECT_EQ(field.rows[i], empty);
  for (int i = 0; i < kBottomMargin; ++i) EXPECT_EQ(field.rows[field.rows.size() - 1 - i], empty);
  rows->assign(field.rows.begin() + kTopMargin, field.rows.end() - kBottomMargin);
  return true;
}

TEST(LevelLayout, BandsStackFromTheBottomAndShapesTransform) {
  std::vector<std::string> rows;
  std::string error;
  ASSERT_TRUE(Build({"shape corner left", "gap 1", "shape corner right mirror", "+shape corner left flip",
                     "shape corner pair harden 2"},
                    &rows, &error))
      << error;
  // Top row first: the last band listed is the highest.
  const std::vector<std::string> expected = {
      "34................43",  // pair, two hits harder
      "4..................4",
      "3.................21",  // flipped, over the mirrored one on the right
      "12.................3",
      "....................",
      "12..................",  // the first band, at the bottom
      "3..................."};
  EXPECT_EQ(rows, expected);
}

TEST(LevelLayout, RepeatsRiseAndAlternateButWordsStayReadable) {
  std::vector<std::string> rows;
  std::string error;
  ASSERT_TRUE(Build({"repeat 3 rising alternate", "shape corner left", "endrepeat", "word IT 2"}, &rows, &error))
      << error;
  const std::vector<std::string> expected = {
      "......222.222.......",  // "IT", not mirrored
      ".......2...2........",
      ".......2...2........",
      ".......2...2........",
      "......222..2........",
      "34..................",  // third pass: two hits harder
      "4...................",
      "..................32",  // second pass: mirrored, one hit harder
      "...................4",
      "12..................",  // first pass as drawn
      "3..................."};
  EXPECT_EQ(rows, expected);
}

TEST(LevelLayout, BrokenLayoutsAreReportedWithTheirLine) {
  const std::vector<std::vector<std::string>> broken = {
      {"shape nothing"},          {"shape corner at 19"},  {"gap 0"},          {"gap many"},
      {"+shape corner"},          {"maze 6 2"},            {"maze 9 x"},       {"word TOOLONGWORD 1"},
      {"word IQ 1"},              {"checker 3 1"},         {"repeat 2", "gap 1"},
      {"repeat 2 sideways", "gap 1", "endrepeat"},         {"rows", "1234567890123456789012", "end"},
      {"rows", "12x", "end"},     {"shape corner tile 99"}, {"teleport 3"},     {""}};
  for (const auto& layout : broken) {
    std::vector<std::string> rows;
    std::string error;
    EXPECT_FALSE(Build(layout, &rows, &error)) << layout[0];
    EXPECT_EQ(error.rfind("test:", 0), 0u) << error;
  }
}

TEST(LevelSources, MalformedShapesAndCampaignsAreRejected) {
  ShapeLibrary lib;
  std::string error;
  for (const char* text : {"shape a\n12\n3\nend\n", "shape a\n12\n", "shape a\n1x\nend\n",
                           "shape a\n123456789012345678901\nend\n", "shape a\nend\n", "blob\n",
                           "shape a\n1\nend\nshape a\n1\nend\n", "glyphs\nA\nxxx\nend\n"}) {
    ShapeLibrary fresh;
    EXPECT_FALSE(ParseShapes(text, "s", &fresh, &error)) << text;
    EXPECT_EQ(error.rfind("s:", 0), 0u) << error;
  }
  std::vector<CampaignEntry> entries;
  EXPECT_FALSE(ParseCampaign("1 0 0 2,x Name\n", "c", &entries, &error));
  EXPECT_FALSE(ParseCampaign("1 0 Name\n", "c", &entries, &error));
  std::vector<LevelSource> levels;
  EXPECT_FALSE(ParseLevels("text before any level\n", "l", &levels, &error));
  EXPECT_FALSE(ParseLevels("level 1\nlayout\ngap 2\n", "l", &levels, &error));
  EXPECT_FALSE(ParseLevels("level 1\nscroll fast\n", "l", &levels, &error));
}

LevelField Field(const std::vector<std::string>& content) {
  LevelField field;
  field.rows.assign(kTopMargin, std::string(20, '.'));
  for (int i = 0; i < 30; ++i) field.rows.push_back("1111111111..........");
  field.rows.insert(field.rows.end(), content.begin(), content.end());
  field.rows.insert(field.rows.end(), kBottomMargin, std::string(20, '.'));
  return field;
}

TEST(LevelRules, FieldsMustLeaveTheBallAWayToTheTop) {
  std::string error;
  EXPECT_TRUE(CheckPlayable(Field({"#######......#######", "####..####..####..##"}), &error)) << error;
  // Every row alone has an opening, but together they seal the field.
  EXPECT_FALSE(CheckPlayable(Field({"......########......", "#######......#######"}), &error));
  EXPECT_FALSE(CheckPlayable(Field({"###############....."}), &error));
  EXPECT_TRUE(CheckPlayable(Field({"#.#.#.#.#.#.#.#.#.#."}), &error)) << error;
  // A one-cell shaft by the wall, closed on top, bounces the ball back forever.
  EXPECT_FALSE(CheckPlayable(Field({"#...................", ".#..................", ".#.................."}), &error));
  EXPECT_FALSE(CheckPlayable(Field({"......#.............", ".....#.#............"}), &error));
  EXPECT_TRUE(CheckPlayable(Field({".#..................", ".#.................."}), &error)) << error;
  LevelField blockedStart = Field({});
  blockedStart.rows[blockedStart.rows.size() - 2] = "....1...............";
  EXPECT_FALSE(CheckPlayable(blockedStart, &error));
  LevelField shortField;
  shortField.rows.assign(30, std::string(20, '.'));
  EXPECT_FALSE(CheckPlayable(shortField, &error));
}

std::vector<CampaignEntry> Campaign() {
  std::vector<CampaignEntry> c(100);
  for (int i = 0; i < 100; ++i) {
    c[i].number = i + 1;
    c[i].tier = i;
    c[i].lane = i % 2;
    c[i].name = "Level";
    if (i >= 2) c[i].requires = {i - 1, i};  // the two levels before
  }
  c[51].requires = {51};  // episode 2 keeps to itself after level 51
  return c;
}

TEST(LevelRules, CampaignMustBeAcyclicOpenEndedAndCrossEpisodesOnlyAtFifty) {
  std::string error;
  std::vector<CampaignEntry> c = Campaign();
  ASSERT_TRUE(CheckCampaign(c, &error)) << error;
  auto broken = [&](auto change) {
    std::vector<CampaignEntry> copy = Campaign();
    change(copy);
    return !CheckCampaign(copy, &error);
  };
  EXPECT_TRUE(broken([](auto& v) { v[10].requires = {12}; }));          // ahead: a cycle is possible
  EXPECT_TRUE(broken([](auto& v) { v[10].requires = {11}; }));          // itself
  EXPECT_TRUE(broken([](auto& v) { v[99].requires = {98}; }));          // level 99 opens nothing
  EXPECT_TRUE(broken([](auto& v) { v[50].requires = {49}; }));          // 51 without 50
  EXPECT_TRUE(broken([](auto& v) { v[60].requires = {40, 60}; }));      // episode 2 needing episode 1
  EXPECT_TRUE(broken([](auto& v) { v[1].requires = {1}; }));            // one level open at the start
  EXPECT_TRUE(broken([](auto& v) { v[5].tier = 3; }));                   // map falls back
  EXPECT_TRUE(broken([](auto& v) { v[7].name = std::string(32, 'x'); }));
  EXPECT_TRUE(broken([](auto& v) { v.pop_back(); }));
}

TEST(TextRules, KeysMustBeFoundOnTheirOwnLines) {
  const std::string good = "[Coordinates]\nLevel 1 = 1, 2\nLevel 10 = 5, 6\n";
  const std::string bad = "[Coordinates]\nLevel 10 = 5, 6\nLevel 1 = 1, 2\n";
  EXPECT_TRUE(KeyFoundOnOwnLine(SectionLines(good, "Coordinates"), "Level 1"));
  EXPECT_FALSE(KeyFoundOnOwnLine(SectionLines(bad, "Coordinates"), "Level 1"));
  // A line holding the key but no '=' ends the reader's search.
  EXPECT_FALSE(KeyFoundOnOwnLine(SectionLines("[S]\nPause\nPause = x\n", "S"), "Pause"));
  // A key inside another line's value does not disturb it.
  EXPECT_TRUE(KeyFoundOnOwnLine(SectionLines("[S]\nComplete = Level done\nLevel = x\n", "S"), "Level"));
  EXPECT_TRUE(SectionLines("[Other]\nA = 1\n", "S").empty());
}

TEST(TextRules, CodePagesAndDrawableText) {
  std::string out, error;
  ASSERT_TRUE(ToCodePage("\xD0\x96\xD1\x8F", 866, &out, &error)) << error;  // "Жя"
  EXPECT_EQ(out, "\x86\xEF");
  ASSERT_TRUE(ToCodePage("\xD0\x96\xD1\x8F", 1251, &out, &error)) << error;
  EXPECT_EQ(out, "\xC6\xFF");
  EXPECT_FALSE(ToCodePage("\xE2\x82\xAC", 866, &out, &error));  // the euro sign has no place
  EXPECT_FALSE(ToCodePage("\xFF\xFE", 1251, &out, &error));      // not UTF-8 at all
  EXPECT_TRUE(CheckDrawableText("plain text\nsecond line", false, &error));
  EXPECT_FALSE(CheckDrawableText("100% sure", false, &error));
  EXPECT_FALSE(CheckDrawableText("<0xffff00>tag", false, &error));
  EXPECT_TRUE(CheckDrawableText("<0xffff00>tag", true, &error));
  EXPECT_FALSE(CheckDrawableText(std::string(256, 'a'), true, &error));
}

}  // namespace
}  // namespace vx::mkdata
