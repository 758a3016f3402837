// The shell's side of the sound: device start-up, the nine effects and music
// changes by file name.
#pragma once

namespace vx {

// 1 on success; 0 when the enabled sound device could not be opened.
int InitSound();
// A sample handle, 0 when the file cannot be read.
int LoadSample(const char* fileName);
// Does nothing (returns 1) when that module is already the one loaded.
int PlayMusic(const char* fileName);
// Stops the music and starts fileName; 0 when the file cannot be read.
int StartMusic(const char* fileName);
// Stops the music and forgets its name, so that PlayMusic starts any module,
// the one just stopped included, again.
void StopMusic();
// The file name of the module playing now; "" when none.
const char* CurrentMusicName();

}  // namespace vx
