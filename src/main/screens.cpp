#include "main/screens.h"

#include "app/quit_question.h"
#include "base/game_record.h"
#include "campaign/controls_screen.h"
#include "campaign/happy_screen.h"
#include "campaign/help_screen.h"
#include "campaign/hiscore_screen.h"
#include "campaign/load_screen.h"
#include "campaign/menu_screen.h"
#include "campaign/node_screen.h"
#include "campaign/options_screen.h"
#include "campaign/save_game.h"
#include "campaign/save_screen.h"
#include "campaign/shop_screen.h"
#include "game/boss_screen.h"
#include "game/game_screen.h"

namespace vx {

namespace {
MenuScreen gMenuScreen;
OptionsScreen gOptionsScreen;
NodeScreen gNodeScreen;
GameScreen gGameScreen;
BossScreen gBossScreen;
ShopScreen gShopScreen;
SaveScreen gSaveScreen;
LoadScreen gLoadScreen;
HiscoreScreen gHiscoreScreen;
HelpScreen gHelpScreen;
HappyScreen gHappyScreen;
ControlsScreen gControlsScreen;
}  // namespace

void InstallScreens() {
  ForgetProgress();
  SetUnsavedProgressCheck(HasUnsavedProgress);
  g.screens.menu = &gMenuScreen;
  g.screens.options = &gOptionsScreen;
  g.screens.node = &gNodeScreen;
  g.screens.game = &gGameScreen;
  g.screens.boss = &gBossScreen;
  g.screens.shop = &gShopScreen;
  g.screens.save = &gSaveScreen;
  g.screens.load = &gLoadScreen;
  g.screens.hiscore = &gHiscoreScreen;
  g.screens.help = &gHelpScreen;
  g.screens.happy = &gHappyScreen;
  g.screens.controls = &gControlsScreen;
}

}  // namespace vx
