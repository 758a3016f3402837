#include "app/game_folders.h"

#include <errno.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "resources/file_system.h"

#ifndef VX_INSTALL_RELATIVE_DATA
#define VX_INSTALL_RELATIVE_DATA "../share/velotrix"
#endif

namespace vx {

namespace {

const char kDataArchive[] = "Velotrix.dat";
const char kFolderName[] = "velotrix";

std::string& InstalledDataStore() {
  static std::string folder;
  return folder;
}

bool IsFolder(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsFile(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// Creates every missing folder of PATH; new ones are private to the user, as
// the data home's are meant to be.
bool MakeFolders(const std::string& path) {
  if (path.empty()) return false;
  for (size_t pos = 1; pos <= path.size(); ++pos) {
    if (pos != path.size() && path[pos] != '/') continue;
    std::string part = path.substr(0, pos);
    if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
  }
  return IsFolder(path);
}

std::string SelfExecutable() {
  std::vector<char> buf(4096);
  ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size() - 1);
  if (n <= 0) return std::string();
  return std::string(buf.data(), static_cast<size_t>(n));
}

const char* HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home && *home) return home;
  const passwd* pw = getpwuid(getuid());
  return pw ? pw->pw_dir : nullptr;
}

}  // namespace

std::string InstalledDataFolder(const std::string& exePath, const std::string& relativeData) {
  size_t slash = exePath.rfind('/');
  if (exePath.empty() || exePath[0] != '/' || slash == std::string::npos) return std::string();
  std::string folder =
      std::filesystem::path(exePath.substr(0, slash + 1) + relativeData).lexically_normal().string();
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  // A folder without the data archive is no installation (a build tree, say).
  if (!IsFile(folder + "/" + kDataArchive)) return std::string();
  return folder;
}

std::string UserDataFolder(const char* xdgDataHome, const char* home) {
  // Relative values are to be ignored: they would depend on where we started.
  if (xdgDataHome && xdgDataHome[0] == '/') return std::string(xdgDataHome) + "/" + kFolderName;
  if (home && home[0] == '/') return std::string(home) + "/.local/share/" + kFolderName;
  return std::string();
}

bool EnterGameFolder(const std::string& exePath, const std::string& relativeData,
                     const char* xdgDataHome, const char* home) {
  std::string data = InstalledDataFolder(exePath, relativeData);
  SetInstalledData(data);
  if (data.empty()) return true;
  std::string user = UserDataFolder(xdgDataHome, home);
  if (user.empty()) {
    std::fprintf(stderr, "velotrix: no home folder; the game's files stay in the current folder\n");
    return false;
  }
  if (!MakeFolders(user)) {
    std::fprintf(stderr, "velotrix: can't create '%s': %s\n", user.c_str(), std::strerror(errno));
    return false;
  }
  if (chdir(user.c_str()) != 0) {
    std::fprintf(stderr, "velotrix: can't enter '%s': %s\n", user.c_str(), std::strerror(errno));
    return false;
  }
  return true;
}

bool EnterGameFolder() {
  return EnterGameFolder(SelfExecutable(), VX_INSTALL_RELATIVE_DATA, std::getenv("XDG_DATA_HOME"),
                         HomeFolder());
}

std::string ThisInstallation() {
  return InstalledDataFolder(SelfExecutable(), VX_INSTALL_RELATIVE_DATA);
}

const std::string& InstalledData() { return InstalledDataStore(); }

void SetInstalledData(const std::string& folder) { InstalledDataStore() = folder; }

std::string ArchivePath(const char* name) {
  const std::string& data = InstalledData();
  if (data.empty() || !name) return name ? name : "";
  // The archive layer matches names without regard to case; so does this check.
  char found[4096];
  if (ResolveHostPath(name, found, sizeof found) && IsFile(found)) return name;
  std::string installed = data + "/" + name;
  if (IsFile(installed)) return installed;
  return name;
}

}  // namespace vx
