// The art of the built data set, read with the game's own readers: every
// picture decodes, every sheet has the frames and every animation the
// sequences the screens use, placed where the screens expect them.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "base/game_record.h"
#include "base/log.h"
#include "graphics/bitmap.h"
#include "graphics/fake_platform.h"
#include "graphics/graphics.h"
#include "graphics/shared_art.h"
#include "graphics/sprite.h"
#include "resources/file_system.h"
#include "resources/pack_archive.h"
#include "resources/text_file.h"

namespace vx {
namespace {

std::string Fmt(const char* format, int a, int b = 0) {
  char s[128];
  std::snprintf(s, sizeof s, format, a, b);
  return s;
}

class ArtTest : public ::testing::Test {
 protected:
  test::TempDir dir;
  test::FakePlatform fake;
  void SetUp() override {
    StartLog();
    UnregisterAllArchives();
    ASSERT_NE(RegisterArchive(VX_BINARY_DIR "/Velotrix.dat", "DATA\\", 1), 0);
    // The pictures with words are the language's.
    ASSERT_NE(RegisterArchive(VX_BINARY_DIR "/Velotrix.lng", "LANG\\", 1), 0);
    ASSERT_EQ(Graphics::Init(640, 480, 0), 1);
  }
  void TearDown() override {
    ReleaseSharedArt();
    Graphics::Release();
    UnregisterAllArchives();
  }
  static Bitmap Load(const std::string& path) {
    Bitmap b;
    EXPECT_EQ(b.Load(path.c_str()), 1) << path;
    return b;
  }
  // The picture as 0x00RRGGBB pixels.
  static std::vector<uint32_t> Rgb(const std::string& path, int* w, int* h) {
    Bitmap src = Load(path), dst;
    *w = int(src.width);
    *h = int(src.height);
    if (!dst.Create(src.width, src.height, 32) || !dst.Convert(src)) return {};
    std::vector<uint32_t> px;
    for (uint32_t y = 0; y < src.height; ++y)
      for (uint32_t x = 0; x < src.width; ++x) px.push_back(dst.Pixel32(x, y) & 0xFFFFFF);
    return px;
  }
};

bool Inside(const Rect& r, int w, int h) {
  return r.left >= 0 && r.top >= 0 && r.right <= w && r.bottom <= h && r.left < r.right && r.top < r.bottom;
}

// Sprites keyed on black: everything but the screens' backdrops and the tiles.
std::vector<std::string> KeyedSprites() {
  std::vector<std::string> v = {"Blocks.tga", "Particles.tga", "Ball.tga", "Ship.tga", "Cursor.tga", "Boss.tga",
                                "Buttons.tga", "TPanel.tga", "Container.tga", "Misc.tga", "Flag.tga",
                                "headers.tga", "menu.tga", "OptionsHL.tga", "Select.tga", "NodeButtons.tga",
                                "ShopButtons.tga", "HelpBtn.tga", "DarkPlanets.tga", "NodePads.tga",
                                "BossBar.tga", "litSmall.tga",
                                "litMedium.tga", "litBig.tga", "Credits\\Credit00.tga", "Credits\\Credit01.tga"};
  for (int i = 0; i < kItemCount; ++i) v.push_back(Fmt("Items\\Item%02d.tga", i));
  for (int i = 0; i <= 2; ++i) v.push_back(Fmt("Enemies\\Enemy%02d.tga", i));
  for (int i = 0; i <= 7; ++i) v.push_back(Fmt("planet%d.tga", i));
  for (int t = 0; t < kMaxTileSets; ++t)
    for (int k = 0; k < kMaxBackObjectsPerSet; ++k) {
      std::string p = Fmt("BackObjects\\ts%dback%d.bmp", t, k);
      if (!ReadWholeFile(p.c_str())) break;
      v.push_back(p);
    }
  return v;
}

// The backdrop that the save, load, options, high-score, help and shop
// screens share carries nothing of the map's own: where the map draws its
// button pads, the backdrop shows the sea.
TEST_F(ArtTest, TheSharedBackdropLeavesTheButtonPadsToTheMap) {
  int w, h, pw, ph;
  const std::vector<uint32_t> sea = Rgb("Nodes\\Node.tga", &w, &h);
  const std::vector<uint32_t> pads = Rgb("NodePads.tga", &pw, &ph);
  ASSERT_EQ(w, 640);
  CSprite sheet;
  ASSERT_GT(sheet.Load("NodePads.tga", "NodePads.frm"), 0);
  for (int i = 1; i <= 4; ++i) {
    SpriteFrame f;
    ASSERT_TRUE(sheet.FindFrame(Fmt("pad%d", i).c_str(), &f));
    int differ = 0, drawn = 0;
    for (int y = f.rect.top; y < f.rect.bottom; ++y)
      for (int x = f.rect.left; x < f.rect.right; ++x) {
        const uint32_t p = pads[size_t(y) * pw + x];
        const int sx = f.offsetX + x - f.rect.left, sy = f.offsetY + y - f.rect.top;
        if (p == 0 || sx >= 640 || sy >= 480) continue;
        ++drawn;
        differ += p != sea[size_t(sy) * w + sx];
      }
    // The pad's disc (radius 37) is nowhere in the backdrop.
    EXPECT_GT(drawn, 4000) << i;
    EXPECT_GT(differ, 3000) << i;
  }
}

TEST_F(ArtTest, ScreenPicturesFitWhereTheyAreDrawn) {
  struct Placed {
    const char* path;
    int x, y, w, h;  // w, h 0: any size that fits
  } placed[] = {{"Logo2.tga", 0, 0, 640, 480},        {"Nodes\\Node.tga", 0, 0, 640, 480},
                {"Ending.tga", 0, 0, 640, 480},
                {"VelotrixQRN.tga", 17, 7, 0, 0},      {"options.tga", 44, 123, 0, 0},
                {"Hiscore.tga", 45, 122, 0, 0},        {"panel.tga", 0, 400, 640, 80},
                {"shelves.tga", 0, 20, 640, 0},        {"help\\MinPanel.tga", 170, 210, 0, 0},
                {"help\\Items.tga", 193, 317, 0, 0},   {"Blocks.tga", 0, 0, 256, 256}};
  for (const Placed& p : placed) {
    Bitmap b = Load(p.path);
    if (p.w) {
      EXPECT_EQ(int(b.width), p.w) << p.path;
    }
    if (p.h) {
      EXPECT_EQ(int(b.height), p.h) << p.path;
    }
    EXPECT_LE(p.x + int(b.width), 640) << p.path;
    EXPECT_LE(p.y + int(b.height), 480) << p.path;
  }
  // Page 1's item picture stays above the page label at y 455 (size 13).
  Bitmap items = Load("help\\Items.tga");
  EXPECT_LE(317 + int(items.height), 440);
  Bitmap particles = Load("Particles.tga");
  EXPECT_GE(particles.width, 30u);
  EXPECT_GE(particles.height, 35u);
}

TEST_F(ArtTest, EveryDecoderPathShips) {
  // (type, depth) of every TGA entry, read from the archive's raw headers.
  PackArchive archive;
  ASSERT_TRUE(archive.Open(VX_BINARY_DIR "/Velotrix.dat"));
  std::set<std::pair<int, int>> kinds;
  int bmps = 0;
  for (const PackEntry& e : archive.Entries()) {
    std::string n = e.name;
    std::string ext = n.size() > 4 ? n.substr(n.size() - 4) : "";
    if (ext != ".tga" && ext != ".bmp") continue;
    FileBuffer data = ReadWholeFile(n.substr(5).c_str());
    ASSERT_TRUE(data) << n;
    if (ext == ".bmp") {
      EXPECT_EQ(data[0], 'B') << n;
      EXPECT_EQ(data[28], 24) << n;
      ++bmps;
      continue;
    }
    kinds.insert({data[2], data[16]});
  }
  for (auto k : {std::pair{1, 8}, {9, 8}, {2, 16}, {2, 24}, {2, 32}, {10, 16}, {10, 24}, {10, 32}})
    EXPECT_TRUE(kinds.count(k)) << "no TGA of type " << k.first << " at " << k.second << " bits";
  EXPECT_GT(bmps, 0);
}

TEST_F(ArtTest, KeysStayWhereTheyBelong) {
  // In both 16-bit layouts a sprite's visible pixel must never turn into the
  // black key, and an overlay's pixel never into the magenta key.
  auto black = [](uint32_t c) { return ((c >> 19) & 31) == 0 && ((c >> 11) & 31) == 0 && ((c >> 3) & 31) == 0; };
  auto magenta = [](uint32_t c) { return ((c >> 19) & 31) == 31 && ((c >> 10) & 63) < 2 && ((c >> 3) & 31) == 31; };
  for (const std::string& path : KeyedSprites()) {
    int w = 0, h = 0;
    std::vector<uint32_t> px = Rgb(path, &w, &h);
    ASSERT_FALSE(px.empty()) << path;
    int keyed = 0, lost = 0;
    for (uint32_t c : px) {
      keyed += c == 0;
      lost += c != 0 && black(c);
    }
    EXPECT_EQ(lost, 0) << path << ": pixels that would vanish as the key";
    if (path != "Blocks.tga") {
      EXPECT_GT(keyed, 0) << path << " has no transparent pixels";
    }
  }
  for (const char* path : {"panel.tga", "shelves.tga"}) {
    int w = 0, h = 0;
    std::vector<uint32_t> px = Rgb(path, &w, &h);
    int keyed = 0;
    for (uint32_t c : px) {
      keyed += c == 0xFF00FF;
      EXPECT_FALSE(c != 0xFF00FF && magenta(c)) << path;
      EXPECT_FALSE(black(c)) << path;
    }
    EXPECT_GT(keyed, 0) << path;
    EXPECT_EQ(px[0], 0xFF00FFu) << path << ": the corner shows what lies below";
  }
}

struct Sheet {
  const char* image;
  const char* frm;
  std::vector<std::string> frames;
};

std::vector<Sheet> Sheets() {
  return {{"headers.tga", "headers.frm", {"Velotrix", "Save", "Load", "Options", "hiscores", "quit", "quits"}},
          {"menu.tga", "menu.frm", {"newgame_up", "newgame_down", "loadgame_up", "loadgame_down", "hiscores_up",
                                    "hiscores_down", "options_up", "options_down", "instruction_up",
                                    "instruction_down", "quit_up", "quit_down"}},
          {"OptionsHL.tga", "OptionsHL.frm", {"mvol", "svol", "r", "reverse", "v", "vanishing", "slow", "fast", "m0",
                                              "m100", "s0", "s100", "music", "sound"}},
          {"Select.tga", "Select.frm", {"Select"}},
          {"NodeButtons.tga", "NodeButtons.frm", {"down", "up"}},
          {"NodePads.tga", "NodePads.frm", {"pad1", "pad2", "pad3", "pad4"}},
          {"BossBar.tga", "BossBar.frm", {"casing", "fill"}},
          {"ShopButtons.tga", "ShopButtons.frm", {"buy_rel", "buy_push", "sell_rel", "sell_push", "back_rel",
                                                  "back_push"}},
          {"HelpBtn.tga", "HelpBtn.frm", {"Prev", "Next", "prev", "prevs", "next", "nexts"}},
          {"Misc.tga", "Misc.frm", {"Bullet"}},
          {"DarkPlanets.tga", "DarkPlanets.frm", {}},
          {"litSmall.tga", "litSmall.frm", {}},
          {"litMedium.tga", "litMedium.frm", {}},
          {"litBig.tga", "litBig.frm", {}}};
}

// Where a frame lands when drawn with the sheet at (x, y).
Rect Placed(const SpriteFrame& f, int x, int y) {
  return Rect{x + f.offsetX, y + f.offsetY, x + f.offsetX + f.rect.right - f.rect.left,
              y + f.offsetY + f.rect.bottom - f.rect.top};
}

bool Same(const Rect& a, const Rect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST_F(ArtTest, SheetsHaveTheFramesTheScreensDraw) {
  std::map<std::string, std::map<std::string, SpriteFrame>> all;
  for (const Sheet& s : Sheets()) {
    CSprite sprite;
    EXPECT_GT(sprite.Load(s.image, s.frm), 0) << s.frm;
    Surface* surface = sprite.GetSurface();
    ASSERT_NE(surface, nullptr) << s.image;
    EXPECT_GE(sprite.FrameCount(), 2) << s.frm;
    for (int i = 1; i < sprite.FrameCount(); ++i) {
      SpriteFrame f;
      ASSERT_EQ(sprite.GetFrame(i, &f), 1);
      EXPECT_TRUE(Inside(f.rect, surface->width, surface->height)) << s.frm << " " << f.name;
      all[s.frm][f.name] = f;
    }
    for (const std::string& name : s.frames) EXPECT_NE(sprite.FrameIndex(name.c_str()), 0) << s.frm << " " << name;
  }
  auto& dark = all["DarkPlanets.frm"];
  EXPECT_GE(dark.size(), 8u);

  // Menu buttons, drawn with the sheet at 316, 179: on screen, one below the other.
  const Rect screen{0, 0, 640, 480};
  int lastBottom = 0;
  for (const char* b : {"newgame", "loadgame", "hiscores", "options", "instruction", "quit"}) {
    Rect up = Placed(all["menu.frm"][std::string(b) + "_up"], 316, 179);
    Rect down = Placed(all["menu.frm"][std::string(b) + "_down"], 316, 179);
    EXPECT_TRUE(Same(up, down)) << b;
    EXPECT_TRUE(Inside(up, screen.right, screen.bottom)) << b;
    EXPECT_GE(up.top, lastBottom) << b;
    lastBottom = up.bottom;
  }
  // The volume bars start at x 320 and are 120 and 122 pixels long.
  Rect mvol = Placed(all["OptionsHL.frm"]["mvol"], 0, 0), svol = Placed(all["OptionsHL.frm"]["svol"], 0, 0);
  EXPECT_EQ(mvol.left, 320);
  EXPECT_EQ(mvol.right - mvol.left, 120);
  EXPECT_EQ(svol.left, 320);
  EXPECT_EQ(svol.right - svol.left, 122);
  for (auto& [name, f] : all["OptionsHL.frm"]) {
    Rect r = Placed(f, 0, 0);
    EXPECT_TRUE(Inside(r, 640, 480)) << name;
    if (name != "mvol" && name != "svol" && name != "music" && name != "sound" && name != "m0" && name != "m100" &&
        name != "s0" && name != "s100") {
      EXPECT_GE(r.top, 123) << name << " lies on the options panel";
    }
  }
  // Pointed and normal pictures of one button cover the same place.
  EXPECT_TRUE(Same(Placed(all["headers.frm"]["quit"], 0, 0), Placed(all["headers.frm"]["quits"], 0, 0)));
  EXPECT_TRUE(Same(Placed(all["HelpBtn.frm"]["Prev"], 0, 0), Placed(all["HelpBtn.frm"]["prev"], 0, 0)));
  EXPECT_TRUE(Same(Placed(all["HelpBtn.frm"]["Next"], 0, 0), Placed(all["HelpBtn.frm"]["nexts"], 0, 0)));
  for (const char* b : {"buy", "sell", "back"}) {
    Rect rel = Placed(all["ShopButtons.frm"][std::string(b) + "_rel"], 0, 20);
    EXPECT_TRUE(Same(rel, Placed(all["ShopButtons.frm"][std::string(b) + "_push"], 0, 20))) << b;
    EXPECT_LE(rel.bottom, 400) << b << " must stay above the panel";
    EXPECT_GE(rel.top, 318) << b << " must stay below the description";
  }
  for (auto& [name, f] : all["headers.frm"]) EXPECT_TRUE(Inside(Placed(f, 0, 0), 640, 480)) << name;
  // The scroll buttons are drawn at their screen positions, 28 x 23.
  for (const char* b : {"down", "up"}) {
    const SpriteFrame& f = all["NodeButtons.frm"][b];
    EXPECT_EQ(f.rect.right - f.rect.left, 28) << b;
    EXPECT_EQ(f.rect.bottom - f.rect.top, 23) << b;
    EXPECT_EQ(f.offsetX, 0);
    EXPECT_EQ(f.offsetY, 0);
  }
  // The map's button pads sit centred on the buttons' label points.
  const int padPoints[4][2] = {{108, 404}, {231, 441}, {397, 441}, {535, 404}};
  for (int i = 0; i < 4; ++i) {
    const Rect r = Placed(all["NodePads.frm"][Fmt("pad%d", i + 1)], 0, 0);
    EXPECT_EQ((r.left + r.right) / 2, padPoints[i][0]) << i;
    EXPECT_EQ((r.top + r.bottom) / 2, padPoints[i][1]) << i;
  }
  // The boss's bar: its fill is the 200 x 10 of the hit points at 230, 70, and
  // the casing holds it.
  const Rect fill = Placed(all["BossBar.frm"]["fill"], 0, 0);
  EXPECT_TRUE(Same(fill, Rect{230, 70, 430, 80}));
  const Rect casing = Placed(all["BossBar.frm"]["casing"], 0, 0);
  EXPECT_TRUE(casing.left < 229 && casing.top < 69 && casing.right > 431 && casing.bottom > 81);
  // The bullet is centred on its position.
  const SpriteFrame& bullet = all["Misc.frm"]["Bullet"];
  EXPECT_EQ(bullet.offsetX, -(bullet.rect.right - bullet.rect.left) / 2);
}

struct Anim {
  std::string anm, image;
  std::vector<std::string> loops, finite;
};

std::vector<Anim> Animations() {
  std::vector<Anim> v = {
      {"Cursor.anm", "Cursor.tga", {"Cursor"}, {}},
      {"Ball.anm", "Ball.tga", {"Ball", "BallFire", "AssignedBall", "AssignedBallFire", "BallBoss"}, {}},
      {"Ship.anm", "Ship.tga", {"Normal", "Wide"}, {}},
      {"TPanel.anm", "TPanel.tga", {}, {"Appear"}},
      {"Container.anm", "Container.tga", {"Rotation"}, {}},
      {"Boss.anm", "Boss.tga", {"Wait"}, {"Arm", "Freeze", "Fire", "Reload"}},
      {"Buttons.anm", "Buttons.tga", {}, {}},
      {"Flag.anm", "Flag.tga", {}, {}},
      {"Credits\\Credit00.anm", "Credits\\Credit00.tga", {"Rotation"}, {}},
      {"Credits\\Credit01.anm", "Credits\\Credit01.tga", {"Rotation"}, {}}};
  for (int i = 0; i < kItemCount; ++i)
    v.push_back({Fmt("Items\\Item%02d.anm", i), Fmt("Items\\Item%02d.tga", i), {"Rotation"}, {"Stop"}});
  for (int i = 0; i <= 2; ++i)
    v.push_back({Fmt("Enemies\\Enemy%02d.anm", i), Fmt("Enemies\\Enemy%02d.tga", i), {"Rotation"}, {}});
  for (int i = 0; i <= 7; ++i) v.push_back({"planet.anm", Fmt("planet%d.tga", i), {"Rotation"}, {}});
  for (int t = 0; t < kMaxTileSets; ++t)
    for (int k = 0; k < kMaxBackObjectsPerSet; ++k) {
      std::string base = Fmt("BackObjects\\ts%dback%d", t, k);
      if (!ReadWholeFile((base + ".bmp").c_str())) break;
      v.push_back({base + ".anm", base + ".bmp", {"Rotation"}, {}});
    }
  return v;
}

TEST_F(ArtTest, AnimationsRunTheirSequences) {
  for (const Anim& a : Animations()) {
    AnimationSet set;
    ASSERT_EQ(set.Load(a.anm.c_str()), 1) << a.anm;
    Bitmap img = Load(a.image);
    // Every frame named by a sequence exists: each *FRAME line gave a SHOW.
    for (int s = 0; s < set.SequenceCount(); ++s) {
      const AnimSequence& seq = set.Sequence(s);
      int shows = 0;
      for (int c = 0; c < seq.count; ++c) shows += seq.code[c] == 1;
      EXPECT_GT(shows, 0) << a.anm << " " << seq.name;
    }
    for (int f = 0; f < set.FrameCount(); ++f)
      EXPECT_TRUE(Inside(set.Frame(f).rect, int(img.width), int(img.height))) << a.anm << " frame " << f;
    for (const std::string& name : a.loops) {
      ASSERT_EQ(set.Play(name.c_str(), 1), 1) << a.anm << " " << name;
      std::set<int> shown;
      for (int step = 0; step < 1500; ++step) {
        set.Play(name.c_str(), 0);
        shown.insert(set.CurrentFrame());
        ASSERT_FALSE(set.IsFinished()) << a.anm << " " << name << " should loop";
      }
      if (name != "Stop") {
        EXPECT_GT(shown.size(), 1u) << a.anm << " " << name << " does not move";
      }
    }
    for (const std::string& name : a.finite) {
      ASSERT_EQ(set.Play(name.c_str(), 1), 1) << a.anm << " " << name;
      int steps = 1;
      while (!set.IsFinished() && steps < 1000) {
        set.Play(name.c_str(), 0);
        ++steps;
      }
      EXPECT_TRUE(set.IsFinished()) << a.anm << " " << name << " never finishes";
      EXPECT_LT(steps, 200) << a.anm << " " << name << " takes too long";
    }
  }
}

TEST_F(ArtTest, AnimationsFitTheirGameObjects) {
  AnimationSet ship, coin, box, boss, panel, buttons;
  ASSERT_EQ(ship.Load("Ship.anm"), 1);
  ship.Play("Normal", 1);
  EXPECT_EQ(ship.CurrentRect().right - ship.CurrentRect().left, 80);
  ship.Play("Wide", 1);
  EXPECT_EQ(ship.CurrentRect().right - ship.CurrentRect().left, 120);
  // The ship's top is the paddle line (375) and the window ends at 400.
  EXPECT_LE(ship.CurrentRect().bottom - ship.CurrentRect().top, 25);
  // Coins and capsules are caught in the 40 x 20 box from their top-left.
  for (auto [set, file] : {std::pair{&coin, "Credits\\Credit00.anm"}, std::pair{&box, "Container.anm"}}) {
    ASSERT_EQ(set->Load(file), 1);
    set->Play("Rotation", 1);
    EXPECT_EQ(set->CurrentRect().right - set->CurrentRect().left, 40) << file;
    EXPECT_EQ(set->CurrentRect().bottom - set->CurrentRect().top, 20) << file;
  }
  // The boss is drawn from its centre: the offsets centre every frame.
  ASSERT_EQ(boss.Load("Boss.anm"), 1);
  for (const char* s : {"Wait", "Arm", "Freeze", "Fire", "Reload"}) {
    boss.Play(s, 1);
    const Rect& r = boss.CurrentRect();
    EXPECT_EQ(boss.OffsetX(), -(r.right - r.left) / 2) << s;
    EXPECT_EQ(boss.OffsetY(), -(r.bottom - r.top) / 2) << s;
    EXPECT_GE(r.right - r.left, 80) << s;
    EXPECT_GE(r.bottom - r.top, 80) << s;
  }
  // The message panel unfolds and ends on its largest picture.
  ASSERT_EQ(panel.Load("TPanel.anm"), 1);
  panel.Play("Appear", 1);
  int largest = 0, area = 0;
  while (!panel.IsFinished()) {
    const Rect& r = panel.CurrentRect();
    area = (r.right - r.left) * (r.bottom - r.top);
    largest = std::max(largest, area);
    panel.Play(nullptr, 0);
  }
  EXPECT_EQ(area, largest);
  EXPECT_GE(panel.CurrentRect().bottom - panel.CurrentRect().top, 40);
  // The button control plays the first sequence without a name.
  ASSERT_EQ(buttons.Load("Buttons.anm"), 1);
  EXPECT_EQ(buttons.Play(nullptr, 1), 1);
  EXPECT_GT(buttons.CurrentRect().right, 0);
}

TEST_F(ArtTest, TileSetsAreVariedAndComplete) {
  LoadTileSets();
  int sets = 0;
  for (int t = 0; t < kMaxTileSets; ++t) {
    const TileSet& s = gArt.tileSets[t];
    if (s.count == 0) break;
    ++sets;
    ASSERT_NE(s.image, nullptr) << "tile set " << t;
    EXPECT_EQ(s.count, 32) << "tile set " << t;
    std::set<int> weights;
    int total = 0;
    for (int i = 0; i < 32; ++i) {
      EXPECT_TRUE(Inside(s.rects[i], s.image->width, s.image->height)) << t << ":" << i;
      EXPECT_EQ(s.rects[i].right - s.rects[i].left, 80);
      EXPECT_EQ(s.rects[i].bottom - s.rects[i].top, 80);
      EXPECT_GT(s.freq[i], 0) << t << ":" << i;
      total += s.freq[i];
      weights.insert(s.freq[i]);
    }
    EXPECT_GT(total, 0);
    EXPECT_GE(weights.size(), 2u) << "tile set " << t << " weighs every tile alike";
  }
  EXPECT_GE(sets, 4);
}

TEST_F(ArtTest, SharedArtLoadsWithoutComplaint) {
  // The font belongs to another part of the data set; a loose copy stands in.
  std::ifstream font("/usr/share/fonts/truetype/play/Play-Regular.ttf", std::ios::binary);
  std::ofstream("LCDN.ttf", std::ios::binary) << font.rdbuf();
  LoadSharedArt(g.strings.Loading);
  std::ifstream in("Log.txt");
  std::stringstream log;
  log << in.rdbuf();
  std::string text = log.str(), line;
  std::istringstream lines(text);
  while (std::getline(lines, line)) {
    EXPECT_EQ(line.find("Can't load"), std::string::npos) << line;
    EXPECT_EQ(line.find("is absent"), std::string::npos) << line;
    EXPECT_EQ(line.find("failed"), std::string::npos) << line;
    EXPECT_EQ(line.find("dwSizeX"), std::string::npos) << line;
  }
  for (int i = 0; i < kItemCount; ++i) EXPECT_EQ(gArt.items[i].IsLoaded(), 1) << i;
  for (int i = 0; i < 8; ++i) EXPECT_EQ(gArt.planets[i].IsLoaded(), 1) << i;
  for (CSprite* s : {&gArt.cursor, &gArt.ball, &gArt.ship, &gArt.misc, &gArt.buttons, &gArt.panel, &gArt.container,
                     &gArt.particles, &gArt.boss, &gArt.headers, &gArt.blocks, &gArt.darkPlanets})
    EXPECT_EQ(s->IsLoaded(), 1);
  EXPECT_EQ(gArt.blocks.FrameCount(), 129);
  EXPECT_GE(gArt.backObjectCount[0], 6);
  for (int t = 0; t < kMaxTileSets && gArt.tileSets[t].count; ++t)
    EXPECT_GE(gArt.backObjectCount[t], 4) << "tile set " << t << " has few drifting objects";
  EXPECT_TRUE(gArt.flagAnim.IsLoaded());
}

// Pixels of one rectangle of a decoded picture.
std::vector<uint32_t> Cut(const std::vector<uint32_t>& px, int w, const Rect& r) {
  std::vector<uint32_t> out;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) out.push_back(px[size_t(y) * w + x]);
  return out;
}

double Luma(uint32_t c) { return 0.3 * ((c >> 16) & 255) + 0.59 * ((c >> 8) & 255) + 0.11 * (c & 255); }

TEST_F(ArtTest, LevelBlocksAreBrightAndDistinct) {
  int w = 0, h = 0;
  std::vector<uint32_t> px = Rgb("Blocks.tga", &w, &h);
  ASSERT_EQ(w, 256);
  std::set<std::vector<uint32_t>> seen;
  for (int n = 1; n <= 41; ++n) {
    Rect r{(n / 16) * 32, (n % 16) * 16, (n / 16) * 32 + 32, (n % 16) * 16 + 16};
    std::vector<uint32_t> block = Cut(px, w, r);
    double sum = 0;
    int keyed = 0;
    for (uint32_t c : block) {
      sum += Luma(c);
      keyed += c == 0;
    }
    EXPECT_EQ(keyed, 0) << "block " << n << " has holes";
    EXPECT_GT(sum / block.size(), 55.0) << "block " << n << " is too dark to read on the tiles";
    EXPECT_TRUE(seen.insert(block).second) << "block " << n << " repeats another";
  }
}

TEST_F(ArtTest, EveryItemHasItsOwnIconAndEveryLoopMoves) {
  std::set<std::vector<uint32_t>> icons;
  for (const Anim& a : Animations()) {
    AnimationSet set;
    ASSERT_EQ(set.Load(a.anm.c_str()), 1);
    int w = 0, h = 0;
    std::vector<uint32_t> px = Rgb(a.image, &w, &h);
    ASSERT_FALSE(px.empty());
    if (a.anm.compare(0, 6, "Items\\") == 0) {
      set.Play("Stop", 1);
      EXPECT_TRUE(icons.insert(Cut(px, w, set.CurrentRect())).second) << a.anm << " looks like another item";
    }
    for (const std::string& name : a.loops) {
      // The pictures a loop shows are not all the same.
      std::set<std::vector<uint32_t>> pictures;
      set.Play(name.c_str(), 1);
      for (int step = 0; step < 400; ++step) {
        pictures.insert(Cut(px, w, set.CurrentRect()));
        set.Play(name.c_str(), 0);
      }
      EXPECT_GT(pictures.size(), 1u) << a.anm << " " << name << " shows one picture only";
    }
    // Nothing is cut off at the edge of its cell (the ship and the plates fill theirs).
    if (a.anm == "Ship.anm" || a.anm == "Buttons.anm" || a.anm == "TPanel.anm") continue;
    for (int f = 0; f < set.FrameCount(); ++f) {
      const Rect& r = set.Frame(f).rect;
      int border = 0, lit = 0;
      for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
          if (y != r.top && y != r.bottom - 1 && x != r.left && x != r.right - 1) continue;
          ++border;
          lit += px[size_t(y) * w + x] != 0;
        }
      EXPECT_LE(lit * 10, border) << a.image << " frame " << f << " runs into its cell's edge";
    }
  }
  EXPECT_EQ(icons.size(), 23u);
}

TEST_F(ArtTest, TilesOfASetMeetWithoutSeams) {
  // Any tile may lie next to any other: the borders of all tiles of a set
  // match, so the playfield shows no grid. Hull plates show a seam on
  // purpose, the same bevel on every plate.
  LoadTileSets();
  for (int t = 0; t < kMaxTileSets && gArt.tileSets[t].count; ++t) {
    std::string file = Fmt("BackTiles\\Tiles%02d.tga", t);
    int w = 0, h = 0;
    std::vector<uint32_t> px = Rgb(file, &w, &h);
    ASSERT_FALSE(px.empty()) << file;
    const TileSet& s = gArt.tileSets[t];
    const bool seams = t == 2;
    auto at = [&](const Rect& r, int x, int y) { return Luma(px[size_t(r.top + y) * w + r.left + x]); };
    double worst = 0;
    for (int a = 0; a < 32; ++a) {
      const Rect& ra = s.rects[a];
      const Rect& rb = s.rects[(a + 7) % 32];
      double diff = 0;
      for (int i = 0; i < 80; ++i) {
        if (seams) {
          diff += std::abs(at(ra, 0, i) - at(rb, 0, i)) + std::abs(at(ra, 79, i) - at(rb, 79, i));
        } else {
          diff += std::abs(at(ra, 79, i) - at(rb, 0, i)) + std::abs(at(ra, i, 79) - at(rb, i, 0));
        }
      }
      worst = std::max(worst, diff / 160);
    }
    EXPECT_LT(worst, 12.0) << file;
  }
}

// The build's tree came from the same generator: a second run gives the same bytes.
TEST(ArtGeneratorTest, SameBytesEveryRun) {
  test::TempDir dir;
  std::string cmd = std::string("'") + VX_MKDATA + "' " + dir.path + "/out art";
  ASSERT_EQ(std::system(cmd.c_str()), 0);
  namespace fs = std::filesystem;
  int compared = 0;
  // The English pictures with words go to the language's tree.
  for (const char* tree : {"/out/DATA", "/out/LANG"})
    for (const auto& e : fs::recursive_directory_iterator(dir.path + tree)) {
      if (!e.is_regular_file()) continue;
      std::string rel = fs::relative(e.path(), dir.path + "/out").string();
      std::ifstream a(e.path(), std::ios::binary), b(std::string(VX_BINARY_DIR "/data-set/") + rel, std::ios::binary);
      std::stringstream sa, sb;
      sa << a.rdbuf();
      sb << b.rdbuf();
      EXPECT_TRUE(sa.str() == sb.str()) << rel << " differs between runs";
      ++compared;
    }
  EXPECT_GT(compared, 150);
  EXPECT_TRUE(fs::exists(dir.path + "/out/LANG/menu.tga"));
  EXPECT_FALSE(fs::exists(dir.path + "/out/DATA/menu.tga")) << "it would hide every language's";
}

// A language named on the command line with no texts of its own builds, says
// what it lacks, and leaves the game to show English; codes that could lead a
// path elsewhere are refused.
TEST(TextsGeneratorTest, ALanguageWithoutItsTextsBuildsAndBadCodesAreRefused) {
  test::TempDir dir;
  const std::string mkdata = std::string("'") + VX_MKDATA + "' " + dir.path + "/out";
  ASSERT_EQ(std::system((mkdata + " --language zz texts 2>" + dir.path + "/err.txt").c_str()), 0);
  const std::string err = test::ReadText(dir.path + "/err.txt");
  EXPECT_NE(err.find("texts: note: data/texts/zz/Strings.txt: missing; the game shows English there"),
            std::string::npos)
      << err;
  EXPECT_TRUE(std::filesystem::exists(dir.path + "/out/LANG/Strings.txt"));
  EXPECT_FALSE(std::filesystem::exists(dir.path + "/out/zz/LANG/Strings.txt"));
  for (const char* bad : {"../x", "en", "RU", "r", "russian", ""}) {
    const std::string cmd = mkdata + " --language '" + bad + "' texts 2>/dev/null";
    const int status = std::system(cmd.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << bad;
  }
  const int status = std::system((mkdata + " --language 2>/dev/null").c_str());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2);
}

}  // namespace
}  // namespace vx
