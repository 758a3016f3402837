// Base class of every full-screen mode, and the screen manager that switches
// between them with a stack of the screens that were left.
#pragma once

#include <cstdint>

namespace vx {

class Screen {
 public:
  Screen();
  virtual ~Screen() = default;
  virtual void OnChar(uint8_t ch) {}
  virtual const char* GetName() = 0;
  virtual int InitSurfaces() = 0;
  virtual int ReleaseSurfaces() { return 1; }
  virtual int OnDisplay(Screen* previous, int argument) = 0;
  virtual int OnFrame() = 0;
  // Whether the game keeps the system pointer while this screen runs (a level
  // being played); menus leave it free for the desktop.
  virtual bool GrabsPointer() { return false; }

  // Counts n, n-1, ..., 1, then 0, 1, ..., n-1, and repeats, over frames.
  int Pulse(int n) const;

  uint32_t frames = 0;
  uint32_t lastCharTime = 0;
};

constexpr int kScreenStackSize = 16;

// Returns 0 (and logs) when the stack is full.
int SwitchTo(Screen* target, int argument);
void SwitchIfNotCurrent(Screen* target, int argument);
// Returns 0 (and logs) when there is no screen to go back to.
int Return(Screen* leaving, int argument);
void ReturnToRoot();
int RunScreenFrame();
void NotifyActivation(int active);
void DispatchChar(uint32_t code, uint32_t keyData);

// Told about every completed switch (the screen now current); for tools and tests.
extern void (*gScreenSwitchObserver)(Screen* current);

}  // namespace vx
