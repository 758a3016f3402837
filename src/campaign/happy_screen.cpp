#include "campaign/happy_screen.h"

#include <cstring>

#include "app/sound_setup.h"
#include "base/game_record.h"
#include "base/log.h"
#include "campaign/campaign_ui.h"
#include "campaign/hiscore_screen.h"
#include "input/controls.h"
#include "resources/file_system.h"

namespace vx {

int HappyScreen::OnDisplay(Screen* previous, int argument) {
  PlayMusic("qel3.s3m");
  std::memset(text, 0, sizeof text);
  ReadFileInto("happy.txt", text, kTextSize, 0);
  textTop = g.screenHeight;
  return 1;
}

int HappyScreen::InitSurfaces() {
  Log("Call HappyScreen::InitSurfaces()\n");
  ReleaseSurfaces();
  // The ending's own scene; a data set without one ends over the map's sea.
  if (!LoadScreenImage("Ending.tga", &background) &&
      !LoadScreenImage("Nodes\\Node.tga", &background))
    return 0;
  Log("Return HappyScreen::InitSurfaces()\n");
  return 1;
}

int HappyScreen::ReleaseSurfaces() {
  Graphics::ReleaseSurface(background);
  return 1;
}

int HappyScreen::OnFrame() {
  ReadPointer();
  CopySurface(nullptr, 0, 0, background);
  BeginText(FontB, 16);
  // The text's place: the scene's pane of dark glass, from y 50 down.
  FontB.SetClip(Rect{0, 50, 464, 480});
  DrawEdgedText8(FontB, 10, textTop, StandardColors[0], text);
  EndText();
  if (frames % 3 == 0) --textTop;
  // The first 100 frames keep a key still held from the fight from skipping it.
  if (textTop < -500 || (frames > 100 && Controls::AnyPressed())) {
    HiscoreScreen::SetNewScore(1);
    SwitchIfNotCurrent(g.screens.hiscore, 0);
    return 0;
  }
  return 1;
}

}  // namespace vx
