// Where the game keeps its files. Run from a build tree (or any folder that
// holds the archives) it works in the current directory, as it always has. An
// installed copy (executable in <prefix>/bin beside <prefix>/share/velotrix)
// works in a folder of its own under the user's data home, where its log,
// settings, saves, high scores, screenshots and edited levels go, and reads the
// archives from that folder first and then from the installed data folder.
#pragma once

#include <string>

namespace vx {

// Players' packs: every "*.dat" in this folder of the game's folder.
constexpr char kPacksFolder[] = "mods";

// The installed data folder of an executable at exePath: relativeData taken
// from the executable's folder, when it holds "Velotrix.dat". Empty otherwise.
std::string InstalledDataFolder(const std::string& exePath, const std::string& relativeData);

// "$XDG_DATA_HOME/velotrix", or "$HOME/.local/share/velotrix" when XDG_DATA_HOME
// is unset, empty or relative. Empty when there is no usable home either.
std::string UserDataFolder(const char* xdgDataHome, const char* home);

// Decides between the two ways of running and, for an installed copy, creates
// the user folder and makes it the working directory. Returns false (with a
// line on standard error, since the log is not open yet) when that folder
// cannot be made or entered; the game then stays where it was started.
bool EnterGameFolder(const std::string& exePath, const std::string& relativeData,
                     const char* xdgDataHome, const char* home);
// The same for this process: its own executable and environment.
bool EnterGameFolder();

// The installed data folder of this program (empty when run from a build
// tree); tools use it to find the installed archives without moving.
std::string ThisInstallation();

// The installed data folder chosen by EnterGameFolder (empty in a build tree).
const std::string& InstalledData();
void SetInstalledData(const std::string& folder);

// The path to register the archive NAME under: the working directory's copy
// when there is one, else the installed data folder's, else NAME itself (so a
// missing archive falls back to loose files as before).
std::string ArchivePath(const char* name);

}  // namespace vx
