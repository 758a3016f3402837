// ControlsScreen: the options' page of controls. Every action with its key
// and controller button; pick one and press the new key or button (one in use
// elsewhere swaps), "Defaults" restores the table; and the mouse sensitivity.
#pragma once

#include "app/screen.h"
#include "base/rect.h"
#include "campaign/button.h"

namespace vx {

class ControlsScreen : public Screen {
 public:
  const char* GetName() override { return "ControlsScreen"; }
  int InitSurfaces() override;
  int ReleaseSurfaces() override;
  int OnDisplay(Screen* previous, int argument) override;
  int OnFrame() override;

  // The row of each shown action, in table order: its label, key and
  // controller cells; rows() of them.
  struct Row {
    int action = 0;
    Rect label, key, pad;
  };
  static const Row* Rows(int* count);

  enum Command : uint32_t { kDefaults = 1, kBack, kSlower, kFaster };
  Button defaults, back, slower, faster;

  // The cell waiting for its new key (or button): the row, or -1.
  int waitingRow = -1;
  bool waitingPad = false;
  uint32_t waitingSince = 0;
  int loneModifier = 0;  // Ctrl or Shift pressed while waiting, let go to bind it alone
  // A row that took this one's old binding, lit for a moment.
  int swappedRow = -1;
  uint32_t swappedUntil = 0;
  Surface* background = nullptr;

 private:
  void StartWaiting(int row, bool pad);
  // Takes the key or button pressed while waiting; true when it ended the wait.
  bool TakeBinding();
  void Bind(int row, bool pad, int value);
  void HandleCells(const MouseEvent& event);
  void Draw();
  void DrawRows();
  void DrawSensitivity();
};

}  // namespace vx
