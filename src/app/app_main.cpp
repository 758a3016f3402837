#include "app/app_main.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/game_folders.h"
#include "app/language.h"
#include "app/quit_question.h"
#include "app/screen.h"
#include "app/settings.h"
#include "app/sound_setup.h"
#include "app/strings.h"
#include "base/game_record.h"
#include "base/log.h"
#include "base/random.h"
#include "base/user_file.h"
#include "graphics/graphics.h"
#include "graphics/shared_art.h"
#include "input/controls.h"
#include "resources/file_system.h"
#include "sound/sound.h"

namespace vx {

namespace {
const char kInstanceLockName[] = "Velotrix.exe running";
const char kGameTitle[] = "Velotrix";
const char kDataArchive[] = "Velotrix.dat";
// A file every screen needs: without it there is no game data to speak of.
const char kDataProbe[] = "LCDN.ttf";
bool gRequireGameData = false;
// The frame loop always waits for the retrace when presenting.
const int kWaitRetrace = 1;

Window* GameWindow() { return gPlatform->window; }

void ReadWindowRects() {
  Rect w = GameWindow()->WindowRect();
  Rect c = GameWindow()->ClientRect();
  g.windowRect = {w.left, w.top, w.right, w.bottom};
  g.clientRect = {c.left, c.top, c.right, c.bottom};
}

// Says where the data was looked for and what was found there; empty when the
// data can be read.
std::string MissingData() {
  if (ReadWholeFile(kDataProbe)) return std::string();
  char cwd[4096];
  const std::string here = getcwd(cwd, sizeof cwd) ? cwd : ".";
  const std::string archive = ArchivePath(kDataArchive);
  std::string where = here;
  if (!InstalledData().empty()) where += " and " + InstalledData();
  struct stat st {};
  std::string state = "missing";
  if (stat(archive.c_str(), &st) == 0) state = S_ISREG(st.st_mode) ? "damaged" : "not a file";
  return std::string("Velotrix can't start: its data is missing or damaged.\n") + "Looked for " +
         kDataArchive + " in " + where + ": " + state + ".\n" + "Looked for loose files in " + here +
         "/DATA: no " + kDataProbe + ".";
}

void OnActivateApp(int active) {
  // Time spent in the background is not a stall to catch up on.
  if (active && !g.fAppActive) g.lastFrameTime = gPlatform->clock->Milliseconds();
  g.fAppActive = active;
  if (g.bQuit || !g.bGraphicsReady) return;
  Input::Activate(active);
  if (active) {
    if (g.bActivated) return;
    Log("fAppActive = %d\n", g.fAppActive);
    Log("bFullScreen = %d\n", g.bFullScreen);
    Log("Activate...\n\n");
    Graphics::Init(g.screenWidth, g.screenHeight, g.bFullScreen);
    ReloadSharedArt(g.strings.Loading);
    NotifyActivation(1);
    g.bActivated = 1;
    g.bReleased = 0;
  } else {
    if (g.bReleased) return;
    Log("fAppActive = %d\n", g.fAppActive);
    Log("Release...\n\n");
    Log("bFullScreen = %d\n", g.bFullScreen);
    if (g.bFullScreen) {
      Log("FullScreen -> Restore display mode\n");
      if (Graphics::IsOpen() && gPlatform->display) gPlatform->display->RestoreDesktopMode();
    }
    ReleaseSharedArt();
    Graphics::Release();
    NotifyActivation(0);
    g.bActivated = 0;
    g.bReleased = 1;
  }
}
}  // namespace

void WindowProc(const PlatformEvent& ev) {
  switch (ev.type) {
    case PlatformEvent::kActivateApp:
      OnActivateApp(ev.active ? 1 : 0);
      break;
    case PlatformEvent::kClose:
      RequestQuit();
      break;
    case PlatformEvent::kTerminate:
      g.bQuit = 1;
      GameWindow()->PostQuit(0);
      break;
    case PlatformEvent::kMove:
      if (!g.bFullScreen) ReadWindowRects();
      break;
    case PlatformEvent::kChar:
      DispatchChar(ev.code, ev.keyData);
      break;
    default:
      break;
  }
}

void ToggleFullScreen() {
  const int on = !g.bFullScreen;
  if (!GameWindow()->SetFullScreen(on != 0)) return;
  g.bFullScreen = on;
  if (!on) ReadWindowRects();
}

void RequireGameData(bool required) { gRequireGameData = required; }

void QuitApplication() {
  PlatformEvent ev;
  ev.type = PlatformEvent::kClose;
  WindowProc(ev);
}

namespace {

// One 13 ms step of the game: input, then the current screen. Returns whether
// the step asked for a screenshot.
bool RunStep() {
  ++g.frameCounter;
  Input::Poll();
  if (Controls::Pressed(ACTION_FULL_SCREEN)) ToggleFullScreen();
  const bool shot = Controls::Pressed(ACTION_SCREENSHOT);
  if (QuitQuestionOpen()) {
    RunQuitQuestion();
  } else {
    RunScreenFrame();
  }
  Input::GrabPointer(!QuitQuestionOpen() && g.currentScreen && g.currentScreen->GrabsPointer());
  return shot;
}

int StepsDue() {
  // Unsigned difference: the wrap of the clock is harmless.
  const uint32_t due = (gPlatform->clock->Milliseconds() - g.lastFrameTime) / kFrameIntervalMs;
  if (due <= static_cast<uint32_t>(kMaxCatchUpSteps)) {
    g.lastFrameTime += due * kFrameIntervalMs;
    return static_cast<int>(due);
  }
  // A long stall (the window dragged, the machine busy) is not made up for:
  // the game goes on from where it stood.
  g.lastFrameTime = gPlatform->clock->Milliseconds();
  return 1;
}
}  // namespace

void RunFrame() {
  const int due = StepsDue();
  if (due == 0) return;
  bool shot = false;
  for (int step = 0; step < due && !g.bQuit; ++step) shot = RunStep() || shot;
  // Only the newest step is shown; with vsync this waits for the retrace.
  if (Graphics::IsOpen()) Graphics::Flip(kWaitRetrace);
  if (shot) Graphics::Screenshot();
}

int InitDisplayAndInput(int fullScreen) {
  int version = gPlatform->directXVersion ? gPlatform->directXVersion() : 0;
  if (version < 0x700) {
    GameWindow()->MessageBox("Warning", "You must have DirectX 7.0 or higher");
    return 0;
  }
  gPlatform->clock->SetHighResolution(true);
  if (!Graphics::Init(g.screenWidth, g.screenHeight, fullScreen)) return 0;
  if (!Input::Init(1)) return -1;
  BuildStandardColors();
  g.bGraphicsReady = 1;
  return 1;
}

namespace {
// The settings' language, else the environment's on first start, else English.
void ChooseStartLanguage() {
  const std::string code =
      StartLanguage(g.settings.language, AvailableLanguages(), [](const char* name) -> const char* {
        return std::getenv(name);
      });
  UseLanguage(code);
  // Kept as asked even when its archive is missing, so a later start finds it.
  std::snprintf(g.settings.language, sizeof g.settings.language, "%s", code.c_str());
}
}  // namespace

int EnterFirstScreen() {
  g.frameCounter = 0;
  LoadSharedArt(g.strings.Loading);
  if (!g.screens.menu) {
    Log("No main menu screen\n");
    return 0;
  }
  SwitchIfNotCurrent(g.screens.menu, 0);
  return 1;
}

int AppMain(void* instance, int showCommand) {
  if (!gPlatform || !gPlatform->lock || !gPlatform->window || !gPlatform->clock) return -1;
  // One copy at a time; the second says so and leaves the first's files alone.
  if (!gPlatform->lock->Acquire(kInstanceLockName)) {
    GameWindow()->MessageBox(kGameTitle, "Velotrix is already running.");
    return 1;
  }
  StartLog();
  if (int removed = RemoveStaleTempFiles("."))
    Log("Removed stale temporary files: %d\n", removed);
  ResetQuitQuestion();
  g.screenWidth = 640;
  g.screenHeight = 480;
  // Players' packs stand before the game's own data; loose files before both.
  static const char* const kPackPrefixes[] = {"DATA\\", "LANG\\"};
  RegisterPacks(kPacksFolder, kPackPrefixes, 2);
  // Loose files stand in for an archive that cannot be opened.
  RegisterArchive(ArchivePath(kDataArchive).c_str(), "DATA\\", 3);
  LoadSettings();
  ChooseStartLanguage();
  SeedRandom(CalendarSecondsNow());
  LoadStrings();
  if (gRequireGameData) {
    const std::string missing = MissingData();
    if (!missing.empty()) {
      Log("Error: %s\n", missing.c_str());
      GameWindow()->MessageBox(kGameTitle, missing.c_str());
      return -1;
    }
  }
  if (!GameWindow()->Create(kGameTitle, g.screenWidth, g.screenHeight, g.bFullScreen != 0)) {
    Log("Error: can't create the game window\n");
    GameWindow()->MessageBox(kGameTitle, "Velotrix can't open its window: no display was found (see Log.txt).");
    return -1;
  }
  ReadWindowRects();
  GameWindow()->PlaceWindow(0, 0, 800, 600);
  gPlatform->clock->SetHighResolution(true);
  GameWindow()->KeepAwake();
  GameWindow()->HideCursor();
  if (InitDisplayAndInput(g.bFullScreen) == 0) return -1;
  if (!InitSound()) return -1;
  EnterFirstScreen();
  while (!g.bQuit) {
    PlatformEvent ev;
    if (GameWindow()->PollEvent(ev)) {
      // A quit request fetched here ends the program at once, unsaved.
      if (ev.type == PlatformEvent::kQuit) return static_cast<int>(ev.code);
      WindowProc(ev);
    } else if (g.fAppActive) {
      RunFrame();
      // Instead of spinning until the next frame is due, wait for it or a message.
      GameWindow()->WaitEventUntil(g.lastFrameTime + kFrameIntervalMs);
    } else {
      GameWindow()->WaitEvent();
    }
  }
  Graphics::Release();
  SaveSettings();
  // The music timer must not outlive the objects it mixes from.
  CloseSoundDevice();
  return 0;
}

}  // namespace vx
