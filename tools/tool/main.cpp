// velotrix-tool: the developer's command-line tool.
#include <limits.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "app/game_folders.h"
#include "command.h"

namespace vx::tool {

namespace {
Command* gCommands = nullptr;
}

Command::Command(const char* n, const char* u, CommandFn f) : name(n), usage(u), fn(f), next(gCommands) {
  gCommands = this;
}

std::string ToolDirectory() {
  char path[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return ".";
  path[n] = 0;
  return std::filesystem::path(path).parent_path().string();
}

std::string DataSetFolder(const std::string& data) {
  std::error_code ec;
  if (std::filesystem::exists(data + "/Velotrix.dat", ec) || InstalledData().empty()) return data;
  return InstalledData();
}

void LinkPacks(const std::string& data, const std::string& folder) {
  const std::string packs = data + "/" + kPacksFolder;
  std::error_code ec;
  if (std::filesystem::is_directory(packs, ec))
    std::filesystem::create_directory_symlink(packs, folder + "/" + kPacksFolder, ec);
}

int InScratchGameFolder(const char* name, const std::string& data, const std::function<int()>& body) {
  char cwd[PATH_MAX];
  if (!getcwd(cwd, sizeof cwd)) return 2;
  std::string folder = std::string("/tmp/vx-") + name + "-XXXXXX";
  if (!mkdtemp(folder.data())) return 2;
  std::error_code ec;
  for (const char* archive : {"Velotrix.dat", "Velotrix.lng"})
    if (std::filesystem::exists(data + "/" + archive, ec))
      std::filesystem::create_symlink(data + "/" + archive, folder + "/" + archive, ec);
  LinkPacks(data, folder);
  int code = 2;
  if (chdir(folder.c_str()) == 0) {
    code = body();
    if (chdir(cwd) != 0) code = 2;
  }
  std::filesystem::remove_all(folder, ec);
  return code;
}

}  // namespace vx::tool

int main(int argc, char** argv) {
  using vx::tool::Command;
  // Installed, `play` finds the archives there when its folder has none.
  vx::SetInstalledData(vx::ThisInstallation());
  if (argc >= 2) {
    const char* wanted = argv[1];
    // Commands with a dash in their name are spelt with an underscore in code.
    for (Command* c = vx::tool::gCommands; c; c = c->next) {
      char name[64];
      std::snprintf(name, sizeof name, "%s", c->name);
      for (char* p = name; *p; ++p)
        if (*p == '_') *p = '-';
      if (std::strcmp(name, wanted) == 0) return c->fn(argc - 1, argv + 1);
    }
    std::fprintf(stderr, "velotrix-tool: unknown command '%s'\n", wanted);
  }
  std::fprintf(stderr, "usage: velotrix-tool COMMAND ...\n");
  for (Command* c = vx::tool::gCommands; c; c = c->next) std::fprintf(stderr, "  %s\n", c->usage);
  return 2;
}
