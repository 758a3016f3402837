// The art every screen shares: loaded at start-up, released when the
// application loses the foreground and loaded again when it returns.
#include "graphics/shared_art.h"

#include <cstdio>

#include "base/log.h"
#include "graphics/text_font.h"
#include "resources/text_file.h"

namespace vx {

SharedArt gArt;

namespace {

void LoadCentredSet(CSprite* sprites, AnimationSet* anims, int count, const char* imageFormat,
                    const char* anmFormat, bool centred) {
  for (int n = 0; n < count; ++n) {
    char image[64], anm[64];
    std::snprintf(image, sizeof image, imageFormat, n);
    std::snprintf(anm, sizeof anm, anmFormat, n);
    sprites[n].LoadImage(image);
    if (centred) sprites[n].SetAlign(0);
    anims[n].Load(anm);
  }
}

void DrawLoadingPicture(const char* loadingText) {
  Graphics::Fill(nullptr, Rect{0, 0, Graphics::ScreenWidth(), Graphics::ScreenHeight()}, 0);
  BeginText(FontB, 18);
  FontB.DrawText(280, 240, 0xFFFFFF, ToWide(loadingText, 866));
  EndText();
  Graphics::Flip(1);
}

void LoadBackObjects() {
  for (int t = 0; t < kMaxTileSets; ++t) {
    gArt.backObjectCount[t] = 0;
    for (int k = 0; k < kMaxBackObjectsPerSet; ++k) {
      char image[64], anm[64];
      std::snprintf(image, sizeof image, "BackObjects\\ts%dback%d.bmp", t, k);
      std::snprintf(anm, sizeof anm, "BackObjects\\ts%dback%d.anm", t, k);
      // The objects of a set end at the first missing one; finding that end is
      // not a failure worth a log line.
      if (!FileExists(image) || !gArt.backObjects[t][k].LoadImage(image)) break;
      gArt.backObjects[t][k].SetAlign(0);
      gArt.backObjectAnims[t][k].Load(anm);
      gArt.backObjectCount[t] = k + 1;
      Log("Tileset %d,Object %d loaded\n", t, k);
    }
  }
}

// Steps 2 to 14: everything but the fonts and the screens' own animations.
void LoadArtSteps(const char* loadingText) {
  DrawLoadingPicture(loadingText);
  LoadCentredSet(gArt.items, gArt.itemAnims, kItemCount, "Items\\Item%02d.tga", "Items\\Item%02d.anm", true);
  gArt.lights[0].Load("litSmall.tga", "litSmall.frm");
  gArt.lights[1].Load("litMedium.tga", "litMedium.frm");
  gArt.lights[2].Load("litBig.tga", "litBig.frm");
  LoadCentredSet(gArt.enemies, gArt.enemyAnims, 3, "Enemies\\Enemy%02d.tga", "Enemies\\Enemy%02d.anm", true);
  LoadCentredSet(gArt.credits, gArt.creditAnims, 2, "Credits\\Credit%02d.tga", "Credits\\Credit%02d.anm",
                 false);
  LoadTileSets();

  gArt.blocks.LoadImage("Blocks.tga");
  gArt.blocks.SetAlign(0x10001);
  for (int c = 0; c < 8; ++c)
    for (int r = 0; r < 16; ++r) {
      char name[16];
      std::snprintf(name, sizeof name, "Block%02d", c * 16 + r);
      gArt.blocks.AddFrame(name, Rect{c * 32, r * 16, c * 32 + 32, r * 16 + 16}, 0, 0);
    }

  gArt.darkPlanets.Load("DarkPlanets.tga", "DarkPlanets.frm");
  for (int i = 0; i < 8; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "planet%d.tga", i);
    gArt.planets[i].LoadImage(name);
  }
  LoadBackObjects();
  gArt.cursor.LoadImage("Cursor.tga");
  gArt.ball.LoadImage("Ball.tga");
  gArt.ship.LoadImage("Ship.tga");
  gArt.misc.Load("Misc.tga", "Misc.frm");
  gArt.buttons.LoadImage("Buttons.tga");
  gArt.panel.LoadImage("TPanel.tga");
  gArt.container.LoadImage("Container.tga");
  gArt.particles.LoadImage("Particles.tga");
  gArt.boss.LoadImage("Boss.tga");
  gArt.headers.Load("headers.tga", "headers.frm");
}

}  // namespace

void LoadSharedArt(const char* loadingText) {
  FontA.Load("LCDN.ttf");
  FontB.Load("LCDN.ttf");
  LoadArtSteps(loadingText);
  gArt.cursorAnim.Load("Cursor.anm");
  gArt.flagAnim.Load("Flag.anm");
  gArt.ballAnim.Load("Ball.anm");
  gArt.shipAnim.Load("Ship.anm");
  gArt.buttonsAnim.Load("Buttons.anm");
  gArt.panelAnim.Load("TPanel.anm");
  gArt.containerAnim.Load("Container.anm");
  gArt.bossAnim.Load("Boss.anm");
  gArt.ship.SetAlign(ALIGN_TOP);
  gArt.ball.SetAlign(0);
}

void ReloadSharedArt(const char* loadingText) { LoadArtSteps(loadingText); }

void ReloadLanguageArt() {
  gArt.headers.Release();
  gArt.headers.Load("headers.tga", "headers.frm");
}

void ReleaseSharedArt() {
  for (CSprite& s : gArt.items) s.Release();
  for (CSprite& s : gArt.enemies) s.Release();
  for (CSprite& s : gArt.credits) s.Release();
  for (TileSet& t : gArt.tileSets) Graphics::ReleaseSurface(t.image);
  for (CSprite& s : gArt.lights) s.Release();
  for (CSprite& s : gArt.planets) s.Release();
  for (auto& set : gArt.backObjects)
    for (CSprite& s : set) s.Release();
  for (CSprite* s : {&gArt.cursor, &gArt.ball, &gArt.ship, &gArt.misc, &gArt.buttons, &gArt.panel,
                     &gArt.container, &gArt.particles, &gArt.boss, &gArt.headers, &gArt.blocks,
                     &gArt.darkPlanets})
    s->Release();
}

void LoadTileSets() {
  for (TileSet& t : gArt.tileSets) {
    Graphics::ReleaseSurface(t.image);
    t = TileSet{};
  }
  TextFile ini;
  if (!ini.Open("BackTiles\\Tiles.ini")) return;
  for (int s = 0; s < kMaxTileSets; ++s) {
    char section[32];
    std::snprintf(section, sizeof section, "Tileset %02d", s);
    if (!ini.SelectSection(section)) break;
    TileSet& set = gArt.tileSets[s];
    char file[64];
    ini.GetString(nullptr, "TGA File", "", file, sizeof file);
    if (file[0]) Graphics::LoadSurface(file, &set.image, 0);
    for (int n = 0; n < 32; ++n) {
      char key[32], value[64];
      std::snprintf(key, sizeof key, "TileFreq %02d", n);
      set.freq[n] = ini.GetInt(nullptr, key, 0);
      std::snprintf(key, sizeof key, "TileRect %02d", n);
      if (!ini.GetString(nullptr, key, "", value, sizeof value)) continue;
      int v[4] = {0, 0, 0, 0};
      std::sscanf(value, "%d%*[ ,\t]%d%*[ ,\t]%d%*[ ,\t]%d", &v[0], &v[1], &v[2], &v[3]);
      for (int& number : v) number = ClampSheetNumber(number);
      set.rects[n] = Rect{v[0], v[1], v[0] + v[2], v[1] + v[3]};
      ++set.count;
    }
  }
}

}  // namespace vx
