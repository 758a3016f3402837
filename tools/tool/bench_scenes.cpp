// The bench scenes. Each enters its screen as the game would and then plays
// it through the headless input devices; the heavy scene also keeps every
// object table of the level full between frames.
#include "bench_scenes.h"

#include <cmath>
#include <cstring>

#include "app/app_main.h"
#include "app/screen.h"
#include "autoplay_bot.h"
#include "base/game_record.h"
#include "campaign/campaign_start.h"
#include "campaign/campaign_ui.h"
#include "campaign/happy_screen.h"
#include "campaign/hiscore_screen.h"
#include "campaign/node_screen.h"
#include "campaign/shop_rules.h"
#include "campaign/shop_screen.h"
#include "game/ball.h"
#include "game/boss_screen.h"
#include "game/enemies.h"
#include "game/falling_items.h"
#include "game/game_state.h"
#include "game/items.h"
#include "game/level_start.h"
#include "game/playfield.h"
#include "graphics/graphics.h"
#include "headless_game.h"
#include "input/input.h"
#include "main/screens.h"
#include "platform/headless/headless_platform.h"
#include "resources/file_system.h"
#include "sound/sound.h"

namespace vx::tool {

namespace {

constexpr float kPi = 3.14159265f;
constexpr int kOrdinaryLevel = 12;
constexpr int kHeavyLevel = 30;

HeadlessInput& In(SceneHost& host) { return host.platform->input; }

// The cursor of the campaign screens walks an ellipse over the buttons.
void SweepCursor(SceneHost& host, int i) {
  const float t = static_cast<float>(i) * 2 * kPi / 240;
  const int x = 320 + static_cast<int>(250 * std::cos(t));
  const int y = 240 + static_cast<int>(200 * std::sin(t));
  In(host).MoveMouse(x - gCursor.x, y - gCursor.y);
}

bool Enter(Screen* screen) {
  if (!screen) return false;
  if (g.currentScreen != screen) SwitchTo(screen, 0);
  return g.currentScreen == screen;
}

bool On(Screen* screen) { return screen && g.currentScreen == screen; }

AutoplayBot gBot(1);

// --- campaign screens ------------------------------------------------------

bool EnterMenu(SceneHost&) { return On(g.screens.menu); }
bool OnMenu(SceneHost&) { return On(g.screens.menu); }

bool EnterOptions(SceneHost&) { return Enter(g.screens.options); }
bool OnOptions(SceneHost&) { return On(g.screens.options); }

bool EnterSave(SceneHost&) { return Enter(g.screens.save); }
bool OnSave(SceneHost&) { return On(g.screens.save); }

bool EnterHiscores(SceneHost&) {
  HiscoreScreen::SetNewScore(0);
  return Enter(g.screens.hiscore);
}
bool OnHiscores(SceneHost&) { return On(g.screens.hiscore); }

bool EnterHelp(SceneHost&) { return Enter(g.screens.help); }
bool OnHelp(SceneHost&) { return On(g.screens.help); }
// The cursor stays off the page buttons, so page 1 stays on show.
void HelpFrame(SceneHost& host, int i) {
  const float t = static_cast<float>(i) * 2 * kPi / 240;
  const int x = 320 + static_cast<int>(150 * std::cos(t));
  const int y = 200 + static_cast<int>(100 * std::sin(t));
  In(host).MoveMouse(x - gCursor.x, y - gCursor.y);
}

bool EnterEnding(SceneHost&) { return Enter(g.screens.happy); }
bool OnEnding(SceneHost&) { return On(g.screens.happy); }
// The text scrolls for ever instead of handing over to the high scores.
void EndingFrame(SceneHost&, int) {
  auto* happy = static_cast<HappyScreen*>(g.screens.happy);
  if (happy->textTop < -400) happy->textTop = g.screenHeight;
}

// The map with every level open and none completed, so every planet in view
// is drawn, swept from one end to the other and back.
bool EnterMap(SceneHost&) {
  StartCampaign(1);
  if (!On(g.screens.node)) return false;
  auto* map = static_cast<NodeScreen*>(g.screens.node);
  for (MapNode& node : gGame.campaign) {
    node.open = node.revealed = node.requirementsMet = 1;
    node.appearing = node.completed = 0;
  }
  map->minScroll = 0;
  map->maxScroll = NodeScreen::kMaxScroll;
  map->scroll = 0;
  return true;
}

void MapFrame(SceneHost& host, int i) {
  const bool down = (i / 900) % 2 == 0;
  In(host).SetKey(KEY_DOWN, down);
  In(host).SetKey(KEY_UP, !down);
  // The cursor wanders over the sea, off the buttons.
  const float t = static_cast<float>(i) * 2 * kPi / 240;
  const int x = 320 + static_cast<int>(200 * std::cos(t));
  const int y = 250 + static_cast<int>(50 * std::sin(t));
  In(host).MoveMouse(x - gCursor.x, y - gCursor.y);
}

bool OnMap(SceneHost& host) {
  In(host).SetKey(KEY_DOWN, false);
  In(host).SetKey(KEY_UP, false);
  return On(g.screens.node);
}

// The shop with an item picked from the shelves, its description typed out
// again and again.
bool EnterShop(SceneHost&) {
  StartCampaign(1);
  if (!On(g.screens.node) || !Enter(g.screens.shop)) return false;
  auto* shop = static_cast<ShopScreen*>(g.screens.shop);
  for (int place = 0; place < kShelfPlaces; ++place) {
    const int item = ShelfItem(place);
    if (item > ITEM_CREDIT2 && IsOffered(item) && gGame.items[item].description[0]) {
      shop->selectedItem = item;
      break;
    }
  }
  return shop->selectedItem != -1;
}

void ShopFrame(SceneHost& host, int i) {
  auto* shop = static_cast<ShopScreen*>(g.screens.shop);
  if (i % 400 == 0) shop->descriptionStart = static_cast<int32_t>(shop->frames);
  const float t = static_cast<float>(i) * 2 * kPi / 240;
  const int x = 320 + static_cast<int>(250 * std::cos(t));
  const int y = 200 + static_cast<int>(120 * std::sin(t));
  In(host).MoveMouse(x - gCursor.x, y - gCursor.y);
}

bool OnShop(SceneHost&) { return On(g.screens.shop); }

// The boss fight played by the bot; the boss never falls and neither do the
// player's ships, so missiles and bursts go on.
bool EnterBoss(SceneHost&) {
  gBot = AutoplayBot(3);
  gGame.player = PlayerRecord();
  return Enter(g.screens.boss);
}

void BossFrame(SceneHost& host, int) {
  if (!On(g.screens.boss)) {
    ReturnToRoot();
    Enter(g.screens.boss);
  }
  auto* boss = static_cast<BossScreen*>(g.screens.boss);
  if (boss->hitPoints < kBossHitPoints / 3) boss->hitPoints = kBossHitPoints;
  gGame.player.lives = 8;
  gBot.Step(In(host));
}

bool OnBoss(SceneHost&) { return On(g.screens.boss); }

// --- levels ----------------------------------------------------------------

bool EnterLevel(SceneHost&) {
  gBot = AutoplayBot(1);
  gGame.player = PlayerRecord();
  return StartLevelDirect(kOrdinaryLevel) && On(g.screens.game);
}

bool OnLevel(SceneHost&) { return On(g.screens.game); }

// An ordinary level played by the bot, started again when it ends.
void LevelFrame(SceneHost& host, int) {
  if (!On(g.screens.game) || gGame.level.levelEnded) {
    ReturnToRoot();
    StartLevelDirect(kOrdinaryLevel);
  }
  gBot.Step(In(host));
}

bool BallNear(float x, float y, float d) {
  for (const Ball& b : gGame.level.balls)
    if (b.active && std::fabs(b.x - x) < d && std::fabs(b.y - y) < d) return true;
  return false;
}

// Every table of the level full: blocks over the whole window (but around the
// balls), eight balls, 250 particles, eight enemies, 40 bullets, 50 falling
// items, a full inventory, the shield and the rubber band.
void FillHeavy() {
  LevelState& L = gGame.level;
  if (L.scroll < 1600) L.scroll += 3200;
  const int top = L.scroll / kCellHeight;
  for (int r = top; r < top + 26; ++r)
    for (int c = 0; c < kGridColumns; ++c) {
      BlockCell* cell = GridCell(c, r);
      if (!cell || cell->type) continue;
      const float x = c * kCellWidth + 16.0f, y = r * kCellHeight + 8.0f - L.scroll;
      if (y > 330 || BallNear(x, y, 40)) continue;
      const int type = 1 + (c + r) % (L.header.maxBlockTypes > 0 ? L.header.maxBlockTypes : 1);
      cell->type = static_cast<uint16_t>(type);
      cell->hits = static_cast<uint16_t>(L.types[type - 1].hitCounter ? L.types[type - 1].hitCounter : 1);
      cell->content = 0;
    }
  L.ballWaiting = 0;
  for (int i = 0; i < kMaxBalls; ++i)
    if (!L.balls[i].active) AddBall(60.0f + 70 * i, 340, 60.0f + 8 * i, 4.5f);
  // A shot enemy comes back at once, so all eight are always drawn.
  for (int i = 0; i < kMaxEnemies; ++i) {
    Enemy& e = L.enemies[i];
    if (e.kind && e.state != ENEMY_DYING) continue;
    e = Enemy();
    SpawnEnemy(40.0f + 75 * i, 60.0f + 20 * (i % 4), 1 + i % 3);
  }
  for (int i = 0; i < kMaxBullets; ++i) {
    Bullet& b = L.bullets[i];
    if (b.active) continue;
    b.active = 1;
    b.x = 10 + i * 15;
    b.y = 380 - (i * 37) % 300;
  }
  for (int i = 0; i < kMaxFallingItems; ++i)
    if (!L.items[i].kind) DropItem(10 + (i * 53) % 600, 40 + (i * 29) % 250, i % 3 ? 1 + i % 2 : 4 + i % 15, 0);
  for (int i = 0; i < kMaxParticles; ++i) {
    Particle& p = L.particles[i];
    if (p.life) continue;
    const float a = static_cast<float>(i) * 0.7f;
    p.kind = i % 6;
    p.x = static_cast<float>(20 + (i * 41) % 600);
    p.y = static_cast<float>(20 + (i * 23) % 360);
    p.vx = std::cos(a);
    p.vy = std::sin(a);
    p.life = static_cast<uint16_t>(60 + i % 60);
    p.drift = static_cast<uint16_t>(i % 3);
    p.frame = static_cast<uint16_t>(2 + i % 3);
  }
  for (int id = ITEM_WIDE_BUSTER; id < ITEM_WIDE_BUSTER + kInventorySlots; ++id) {
    bool held = false;
    for (const ItemSlot& s : gGame.player.inventory) held = held || s.id == id;
    if (!held) AddToInventory(id);
  }
  if (!IsActive(ITEM_SHIELD)) ActivateByWord(ITEM_SHIELD);
  if (!IsActive(ITEM_RUBBER)) ActivateByWord(ITEM_RUBBER);
}

bool EnterHeavy(SceneHost& host) {
  if (!StartLevelDirect(kHeavyLevel) || !On(g.screens.game)) return false;
  // The frame-rate lines are drawn while Tab is held.
  In(host).SetKey(KEY_TAB, true);
  FillHeavy();
  return true;
}

void HeavyFrame(SceneHost& host, int i) {
  if (!On(g.screens.game) || gGame.level.levelEnded) {
    ReturnToRoot();
    StartLevelDirect(kHeavyLevel);
  }
  FillHeavy();
  // The paddle sweeps to and fro.
  In(host).MoveMouse(static_cast<int>(12 * std::sin(static_cast<float>(i) * 2 * kPi / 120)), 0);
}

bool OnHeavy(SceneHost& host) {
  In(host).SetKey(KEY_TAB, false);
  return On(g.screens.game);
}

bool EnterEditor(SceneHost& host) {
  if (!StartLevelDirect(kOrdinaryLevel) || !On(g.screens.game)) return false;
  return true;
}

// F5 turns the editor on in the first frame; then the cursor wanders and the
// wheel changes the block type now and then.
void EditorFrame(SceneHost& host, int i) {
  In(host).SetKey(KEY_F5, i == 0);
  const float t = static_cast<float>(i) * 2 * kPi / 300;
  In(host).MoveMouse(static_cast<int>(6 * std::cos(t)), static_cast<int>(4 * std::sin(t)));
  if (i % 50 == 0) In(host).TurnWheel(120);
}

bool OnEditor(SceneHost&) { return On(g.screens.game) && gGame.level.editMode; }

}  // namespace

const BenchScene kBenchScenes[] = {
    {"menu", EnterMenu, SweepCursor, OnMenu},
    {"options", EnterOptions, SweepCursor, OnOptions},
    {"map", EnterMap, MapFrame, OnMap},
    {"shop", EnterShop, ShopFrame, OnShop},
    {"save", EnterSave, SweepCursor, OnSave},
    {"hiscores", EnterHiscores, SweepCursor, OnHiscores},
    {"help", EnterHelp, HelpFrame, OnHelp},
    {"level", EnterLevel, LevelFrame, OnLevel},
    {"heavy", EnterHeavy, HeavyFrame, OnHeavy},
    {"editor", EnterEditor, EditorFrame, OnEditor},
    {"boss", EnterBoss, BossFrame, OnBoss},
    {"ending", EnterEnding, EndingFrame, OnEnding},
};
const int kBenchSceneCount = static_cast<int>(sizeof kBenchScenes / sizeof kBenchScenes[0]);

const BenchScene* FindBenchScene(const char* name) {
  for (const BenchScene& s : kBenchScenes)
    if (std::strcmp(s.name, name) == 0) return &s;
  return nullptr;
}

int RunGameToMenu(HeadlessPlatform& hp, const std::function<void()>& atMenu) {
  // Music and sound are mixed on threads of their own in the game, never in
  // the frame: here the music timer stands still, and the sound output is
  // pulled as time passes between the frames, so effects play out and end.
  hp.timersFollowClock = false;
  hp.audio.followClock = true;
  bool reached = false;
  hp.onFrameBoundary = [&] {
    if (reached || g.frameCounter < 1 || g.currentScreen != g.screens.menu) return;
    reached = true;
    atMenu();
    hp.PushTerminate();
  };
  gPlatform = hp.platform();
  InstallScreens();
  const int code = AppMain(nullptr, 1);
  hp.onFrameBoundary = nullptr;
  ReleaseHeadlessGame();
  return reached ? code : -1;
}

bool EnterScene(const BenchScene& scene, SceneHost& host) {
  ReturnToRoot();
  return scene.enter(host);
}

void PrepareFrame(const BenchScene& scene, SceneHost& host, int i) {
  if (scene.beforeFrame) scene.beforeFrame(host, i);
  host.platform->Advance(kFrameIntervalMs);
}

}  // namespace vx::tool
