#include "campaign/options_screen.h"

#include <algorithm>

#include "base/game_record.h"
#include "base/log.h"
#include "campaign/campaign_ui.h"
#include "campaign/language_switch.h"
#include "graphics/shared_art.h"
#include "input/controls.h"
#include "sound/sound.h"

namespace vx {

namespace {

enum OptionsCommand {
  kMusicBar = 1, kSoundBar, kReverse, kVanishing, kSlow, kFast,
  kMusicDown, kMusicUp, kSoundDown, kSoundUp, kQuit, kLanguage,
  kControls = 100,
};
// Beside "Back", below the panel.
constexpr Rect kControlsRect{392, 423, 512, 453};

struct OptionsButton {
  const char* frame;
  uint32_t command;
  uint8_t kind;
  const char* highlight[2];  // frames drawn while the pointer is over the button
};

// The last entry's frame is in the headers sheet.
constexpr OptionsButton kOptionButtons[OptionsScreen::kButtons] = {
    {"mvol", kMusicBar, BUTTON_REPEAT, {}},
    {"svol", kSoundBar, BUTTON_REPEAT, {}},
    {"r", kReverse, BUTTON_PUSH, {}},
    {"reverse", kReverse, BUTTON_PUSH, {"reverse"}},
    {"v", kVanishing, BUTTON_PUSH, {}},
    {"vanishing", kVanishing, BUTTON_PUSH, {"vanishing"}},
    {"slow", kSlow, BUTTON_PUSH, {"slow"}},
    {"fast", kFast, BUTTON_PUSH, {"fast"}},
    {"m0", kMusicDown, BUTTON_REPEAT, {"m0", "music"}},
    {"m100", kMusicUp, BUTTON_REPEAT, {"m100", "music"}},
    {"s0", kSoundDown, BUTTON_REPEAT, {"s0", "sound"}},
    {"s100", kSoundUp, BUTTON_REPEAT, {"s100", "sound"}},
    {"language", kLanguage, BUTTON_PUSH, {"language", "languagelabel"}},
    {"quit", kQuit, BUTTON_PUSH, {}},
};
constexpr int kQuitButton = OptionsScreen::kButtons - 1;
constexpr int kLanguageButton = OptionsScreen::kButtons - 2;
constexpr int kLanguageTextSize = 16;

// The bars are 120 (music) and 122 (sound) pixels long from x 320.
int BarPercent(int cursorX, float length) {
  const int percent = static_cast<int>((cursorX - 320) / length * 100);
  return std::clamp(percent, 0, 100);
}

}  // namespace

int OptionsScreen::InitSurfaces() {
  Log("Call OptionsScreen::InitSurfaces()\n");
  ReleaseSurfaces();
  if (!LoadScreenImage("nodes\\node.tga", &background)) return 0;
  Surface* panel = nullptr;
  if (!LoadScreenImage("options.tga", &panel)) return 0;
  CopySurface(background, 44, 123, panel);
  Graphics::ReleaseSurface(panel);
  sheet.Load("OptionsHL.tga", "OptionsHL.frm");
  for (int i = 0; i < kButtons; ++i) {
    const CSprite& from = i == kQuitButton ? gArt.headers : sheet;
    buttons[i].Create(FrameRectAt(from, kOptionButtons[i].frame, 0, 0), kOptionButtons[i].command,
                      kOptionButtons[i].kind);
  }
  controlsButton.Create(kControlsRect, kControls);
  controlsButton.SetLabel(g.strings.ControlsTitle);
  Log("Return OptionsScreen::InitSurfaces()\n");
  return 1;
}

int OptionsScreen::ReleaseSurfaces() {
  Graphics::ReleaseSurface(background);
  return 1;
}

int OptionsScreen::OnDisplay(Screen* previous, int argument) { return 1; }

int OptionsScreen::OnFrame() {
  if (Controls::Pressed(ACTION_BACK)) {
    Return(this, 0);
    return 0;
  }
  MouseEvent event = ReadPointer();
  int music = GetMusicVolume(), sound = GetSampleVolume();
  gCommandId = 0;
  for (Button& b : buttons) b.HandleEvent(&event, gCursor.x, gCursor.y);
  controlsButton.HandleEvent(&event, gCursor.x, gCursor.y);

  switch (gCommandId) {
    case kMusicBar: music = BarPercent(gCursor.x, 120.0f); break;
    case kSoundBar: sound = BarPercent(gCursor.x, 122.0f); break;
    case kReverse:
      SetReverseStereo(!GetReverseStereo());
      g.settings.reverseStereo = GetReverseStereo();
      break;
    case kVanishing: g.settings.vanishing = !g.settings.vanishing; break;
    case kSlow: g.settings.scrollSpeed = 0; break;
    case kFast: g.settings.scrollSpeed = 1; break;
    case kMusicDown: music = std::max(music - 2, 0); break;
    case kMusicUp: music = std::min(music + 2, 100); break;
    case kSoundDown: sound = std::max(sound - 2, 0); break;
    case kSoundUp: sound = std::min(sound + 2, 100); break;
    case kQuit:
      Return(this, 0);
      return 0;
    case kLanguage:
      // Every text changes at once, this page's pictures too.
      SwitchLanguage(NextLanguage());
      InitSurfaces();
      break;
    case kControls:
      SwitchTo(g.screens.controls, 0);
      return 0;
    default: break;
  }

  Draw(music, sound);
  controlsButton.Draw();
  SetMusicVolume(static_cast<uint8_t>(music));
  SetSampleVolume(static_cast<uint8_t>(sound));
  DrawCursor();
  return 1;
}

void OptionsScreen::DrawBar(const char* frame, int percent) {
  SpriteFrame f;
  if (!sheet.FindFrame(frame, &f)) return;
  Rect cut = f.rect;
  cut.right = cut.left + (cut.right - cut.left) * percent / 100;
  if (cut.right > cut.left) sheet.Render(cut, f.offsetX, f.offsetY, ALIGN_DEFAULT);
}

void OptionsScreen::Draw(int music, int sound) {
  CopySurface(nullptr, 0, 0, background);
  gArt.headers.RenderFrame("Velotrix", 0, 0, ALIGN_DEFAULT);
  gArt.headers.RenderFrame("Options", 0, 0, ALIGN_DEFAULT);
  DrawBar("mvol", music);
  DrawBar("svol", sound);
  if (GetReverseStereo()) sheet.RenderFrame("r", 0, 0, ALIGN_DEFAULT);
  if (g.settings.vanishing) sheet.RenderFrame("v", 0, 0, ALIGN_DEFAULT);
  sheet.RenderFrame(g.settings.scrollSpeed == 1 ? "fast" : "slow", 0, 0, ALIGN_DEFAULT);
  gArt.headers.RenderFrame(buttons[kQuitButton].hover ? "quits" : "quit", 0, 0, ALIGN_DEFAULT);
  for (int i = 0; i < kButtons; ++i) {
    if (!buttons[i].hover) continue;
    for (const char* frame : kOptionButtons[i].highlight)
      if (frame) sheet.RenderFrame(frame, 0, 0, ALIGN_DEFAULT);
  }
  DrawLanguageName();
}

// The name of the language in use, on its plate.
void OptionsScreen::DrawLanguageName() {
  const Rect plate = buttons[kLanguageButton].Area();
  if (plate.right <= plate.left) return;
  BeginText(FontB, kLanguageTextSize);
  FontB.SetSize(kLanguageTextSize);
  const int baseline = (plate.top + plate.bottom + kLanguageTextSize) / 2 - 2;
  DrawText8In(FontB, plate, kCentre, baseline, buttons[kLanguageButton].hover ? 0xffffff : 0xc8d4ec,
              g.strings.Language);
  EndText();
}

}  // namespace vx
