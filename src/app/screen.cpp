#include "app/screen.h"

#include "base/game_record.h"
#include "base/log.h"
#include "platform/platform.h"

namespace vx {

void (*gScreenSwitchObserver)(Screen* current) = nullptr;

namespace {
const char* NameOf(Screen* s) { return s ? s->GetName() : "(none)"; }

void Switched() {
  if (gScreenSwitchObserver) gScreenSwitchObserver(g.currentScreen);
}

uint32_t NowMs() { return gPlatform && gPlatform->clock ? gPlatform->clock->Milliseconds() : 0; }
}  // namespace

Screen::Screen() { g.screenStackDepth = 0; }

int Screen::Pulse(int n) const {
  if (n <= 0) return 0;
  uint32_t un = static_cast<uint32_t>(n);
  uint32_t q = frames / un, r = frames % un;
  return static_cast<int>(q % 2 == 1 ? r : un - r);
}

// After the change of currentScreen every step reads it anew: a screen whose
// OnDisplay switches again hands the remaining steps to the screen it opened.
int SwitchTo(Screen* target, int argument) {
  if (g.screenStackDepth >= kScreenStackSize) {
    Log("Screen stack full: can't switch to %s\n", NameOf(target));
    return 0;
  }
  target->frames = 0;
  target->lastCharTime = 0;
  Screen* previous = g.currentScreen;
  g.screenStack[g.screenStackDepth++] = previous;
  if (previous) previous->ReleaseSurfaces();
  g.currentScreen = target;
  Log("Call %s::OnDisplay()\n", g.currentScreen->GetName());
  g.currentScreen->OnDisplay(previous, argument);
  Log("Call %s::InitSurface()\n", g.currentScreen->GetName());
  g.currentScreen->InitSurfaces();
  Log("Screen switched to %s\n\n", g.currentScreen->GetName());
  Switched();
  return 1;
}

void SwitchIfNotCurrent(Screen* target, int argument) {
  if (target == g.currentScreen) return;
  SwitchTo(target, argument);
}

int Return(Screen* leaving, int argument) {
  // Entry 0 is the empty entry of the first switch: there is nothing to go back to.
  if (g.screenStackDepth < 2 || !g.screenStack[g.screenStackDepth - 1]) {
    Log("Can't return from %s: no screen below it\n", NameOf(leaving));
    return 0;
  }
  leaving->frames = 0;
  leaving->lastCharTime = 0;
  leaving->ReleaseSurfaces();
  --g.screenStackDepth;
  g.currentScreen = g.screenStack[g.screenStackDepth];
  Log("%s::OnDisplay()\n", g.currentScreen->GetName());
  g.currentScreen->OnDisplay(leaving, argument);
  Log("%s::InitSurface()\n", g.currentScreen->GetName());
  g.currentScreen->InitSurfaces();
  Log("Screen switched to %s\n", g.currentScreen->GetName());
  Switched();
  return 1;
}

void ReturnToRoot() {
  if (g.screenStackDepth < 2 || !g.screenStack[1]) {
    Log("Can't return to the first screen: none entered\n");
    return;
  }
  Screen* old = g.currentScreen;
  if (old) old->ReleaseSurfaces();
  Screen* root = g.screenStack[1];
  g.currentScreen = root;
  g.currentScreen->ReleaseSurfaces();
  Log("%s::InitSurface()\n", g.currentScreen->GetName());
  g.currentScreen->InitSurfaces();
  Log("%s::OnDisplay()\n", g.currentScreen->GetName());
  g.currentScreen->OnDisplay(old, 0);
  Log("Screen switched to %s\n", g.currentScreen->GetName());
  g.screenStackDepth = 1;
  root->frames = 0;
  root->lastCharTime = 0;
  Switched();
}

int RunScreenFrame() {
  if (!g.currentScreen) return 0;
  ++g.currentScreen->frames;
  return g.currentScreen->OnFrame();
}

void NotifyActivation(int active) {
  if (!g.currentScreen) return;
  if (active)
    g.currentScreen->InitSurfaces();
  else
    g.currentScreen->ReleaseSurfaces();
}

void DispatchChar(uint32_t code, uint32_t keyData) {
  if (!g.currentScreen || (keyData & 0x80000000u)) return;
  g.currentScreen->lastCharTime = NowMs();
  g.currentScreen->OnChar(static_cast<uint8_t>(code & 0xFF));
}

}  // namespace vx
