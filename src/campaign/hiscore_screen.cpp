#include "campaign/hiscore_screen.h"

#include <cstdio>
#include <cstring>

#include "base/game_record.h"
#include "base/log.h"
#include "campaign/campaign_ui.h"
#include "campaign/hiscore_table.h"
#include "game/game_state.h"
#include "graphics/shared_art.h"
#include "input/controls.h"
#include "sound/sound.h"

namespace vx {

namespace {
constexpr uint32_t kRowColors[kHiscoreEntries] = {
    0xffffff, 0xffff, 0x9fff, 0xffff00, 0xffff00, 0xffcf00, 0xffaf00, 0x0fff, 0x0fff, 0x0fff};
}  // namespace

void HiscoreScreen::SetNewScore(int on) { gGame.hiscoreNewScore = on; }

int HiscoreScreen::OnDisplay(Screen* previous, int argument) {
  LoadHiscores();
  nameEntry = 0;
  namedPosition = 0;
  // A game won with cheats does not enter the table.
  const int32_t candidate = gGame.hiscoreNewScore && !gGame.level.cheatUsed ? gGame.player.score : 0;
  const int position = InsertHiscore(candidate);
  if (position) {
    nameEntry = 1;
    namedPosition = position;
  }
  return 1;
}

int HiscoreScreen::InitSurfaces() {
  Log("Call HiscoreScreen::InitSurfaces()\n");
  ReleaseSurfaces();
  if (!LoadScreenImage("Nodes\\Node.tga", &background)) return 0;
  Surface* frame = nullptr;
  if (!LoadScreenImage("Hiscore.tga", &frame)) return 0;
  CopySurface(background, 45, 122, frame);
  Graphics::ReleaseSurface(frame);
  return 1;
}

int HiscoreScreen::ReleaseSurfaces() {
  Graphics::ReleaseSurface(background);
  return 1;
}

int HiscoreScreen::OnFrame() {
  // While a name is typed, Enter ends it; a controller, which cannot type,
  // ends it with Confirm.
  PointerOptions options;
  options.confirmClicks = !nameEntry;
  MouseEvent event = ReadPointer(nullptr, options);
  if (nameEntry && Controls::PressedOnPad(ACTION_CONFIRM)) OnChar(13);
  CopySurface(nullptr, 0, 0, background);
  gArt.headers.RenderFrame("hiscores", 0, 0, ALIGN_DEFAULT);
  gArt.headers.RenderFrame("Velotrix", 0, 0, ALIGN_DEFAULT);
  if (Controls::AnyPressed() && !nameEntry) {
    ReturnToRoot();
    return 0;
  }

  BeginText(FontA, 16);
  for (int i = 0; i < kHiscoreEntries; ++i) {
    const int y = 165 + 16 * i;
    const HiscoreEntry& e = gHiscores[i];
    char name[sizeof e.name + 1];
    const bool cursorShown = nameEntry && namedPosition == i + 1 && (frames / 4) % 2 == 0;
    std::snprintf(name, sizeof name, cursorShown ? "%s_" : "%s", e.name);
    DrawText8(FontA, 210, y, kRowColors[i], name);
    char score[16];
    std::snprintf(score, sizeof score, "%d", e.score);
    DrawText8(FontA, 430 - MeasureText8(FontA, score), y, kRowColors[i], score);
  }
  EndText();
  if (frames > 80 && !nameEntry) {
    BeginText(FontB, 16);
    const int width = MeasureText8(FontB, g.strings.PressKey);
    DrawText8(FontB, (g.screenWidth - width) / 2, 460, 0xffffff, g.strings.PressKey);
    EndText();
  }

  if (event.type == MOUSE_LEFT_DOWN || event.type == MOUSE_RIGHT_DOWN) {
    PlayClick();
    if (!nameEntry) {
      ReturnToRoot();
      return 0;
    }
  }
  DrawCursor();
  return 1;
}

void HiscoreScreen::OnChar(uint8_t ch) {
  if (!nameEntry || namedPosition < 1 || namedPosition > kHiscoreEntries) return;
  char* name = gHiscores[namedPosition - 1].name;
  const size_t length = std::strlen(name);
  if (ch == 13) {
    nameEntry = 0;
    SaveHiscores();
  } else if (ch == 8) {
    if (length > 0) name[length - 1] = 0;
  } else if (IsNameCharacter(ch) && ch < 128 && length < kHiscoreNameLength) {
    name[length] = static_cast<char>(ch);
    name[length + 1] = 0;
  }
}

}  // namespace vx
