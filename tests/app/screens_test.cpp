#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/screen.h"
#include "base/game_record.h"
#include "main/screens.h"

namespace vx {
namespace {

TEST(Screens, ElevenGlobalScreensWithTheirNames) {
  InstallScreens();
  const ScreenSet& s = g.screens;
  std::pair<Screen*, const char*> expected[] = {
      {s.menu, "MenuScreen"}, {s.options, "OptionsScreen"}, {s.node, "NodeScreen"},
      {s.game, "GameScreen"}, {s.boss, "BossScreen"},       {s.shop, "ShopScreen"},
      {s.save, "SaveScreen"}, {s.load, "LoadScreen"},       {s.hiscore, "HiscoreScreen"},
      {s.help, "HelpScreen"}, {s.happy, "HappyScreen"}};
  std::set<Screen*> distinct;
  for (auto& [screen, name] : expected) {
    ASSERT_NE(screen, nullptr) << name;
    EXPECT_STREQ(screen->GetName(), name);
    distinct.insert(screen);
  }
  EXPECT_EQ(distinct.size(), 11u);
  // All screens are built before the program runs, so the stack starts empty.
  EXPECT_EQ(g.screenStackDepth, 0);
  EXPECT_EQ(g.currentScreen, nullptr);
}

}  // namespace
}  // namespace vx
