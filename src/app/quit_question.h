// The question "Quit without saving? Y / N" that stands between closing the
// window (or the menu's Quit) and the end of the program while the campaign
// holds progress no saved game has. While it is asked the screen below stands
// still; the system's termination request never asks.
#pragma once

namespace vx {

// Told by the campaign whether it holds unsaved progress; none: never asks.
void SetUnsavedProgressCheck(bool (*check)());
// A close of the window: asks, or quits at once when nothing would be lost.
void RequestQuit();
bool QuitQuestionOpen();
// One step while the question is open: Yes quits, No or Back closes it; then
// the question is drawn over the frozen picture.
void RunQuitQuestion();
// Forgets an open question (a new run).
void ResetQuitQuestion();

}  // namespace vx
