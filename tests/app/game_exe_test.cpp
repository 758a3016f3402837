// The velotrix executable itself, on SDL's dummy video and audio drivers.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "support/temp_dir.h"

extern char** environ;

namespace vx {
namespace {

using test::ReadText;

bool Overridden(const std::string& var) {
  for (const char* prefix : {"SDL_", "XDG_", "HOME="})
    if (var.rfind(prefix, 0) == 0) return true;
  return false;
}

pid_t StartGame(const std::string& dir, std::string exe = std::string(VX_BINARY_DIR) + "/velotrix",
                std::vector<std::string> env = {}) {
  env.insert(env.end(), {"SDL_VIDEODRIVER=dummy", "SDL_AUDIODRIVER=dummy",
                         // The instance lock lives there: other copies on this
                         // machine do not count.
                         "XDG_RUNTIME_DIR=" + dir});
  for (char** e = environ; *e; ++e) {
    std::string v = *e;
    if (!Overridden(v)) env.push_back(v);
  }
  std::vector<char*> envp;
  for (std::string& v : env) envp.push_back(v.data());
  envp.push_back(nullptr);
  char* argv[] = {exe.data(), nullptr};
  pid_t pid = -1;
  if (posix_spawn(&pid, exe.c_str(), nullptr, nullptr, argv, envp.data()) != 0) return -1;
  return pid;
}

int WaitExit(pid_t pid) {
  int status = 0;
  for (int i = 0; i < 1000; ++i) {
    if (waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  kill(pid, SIGKILL);
  waitpid(pid, &status, 0);
  return -2;
}

TEST(GameExecutable, StartsRefusesASecondCopyAndSavesOnClose) {
  test::TempDir dir;
  pid_t game = StartGame(dir.path());
  ASSERT_GT(game, 0);
  bool up = false;
  for (int i = 0; i < 1000 && !up; ++i) {
    up = ReadText("Log.txt").find("Screen switched to MenuScreen") != std::string::npos;
    if (!up) std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ASSERT_TRUE(up) << ReadText("Log.txt");
  std::string log = ReadText("Log.txt");

  pid_t second = StartGame(dir.path());
  ASSERT_GT(second, 0);
  EXPECT_EQ(WaitExit(second), 0);
  EXPECT_EQ(ReadText("Log.txt").substr(0, log.size()), log);  // not restarted

  // A termination request closes the window the ordinary way.
  kill(game, SIGTERM);
  EXPECT_EQ(WaitExit(game), 0);
  EXPECT_NE(ReadText("Log.txt").find("Save config\n"), std::string::npos);
  EXPECT_EQ(ReadText("Velotrix.ini").rfind("[Settings]\nFullscreen = ", 0), 0u);
}

bool WaitForMenu(const std::string& log) {
  for (int i = 0; i < 1000; ++i) {
    if (ReadText(log).find("Screen switched to MenuScreen") != std::string::npos) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

TEST(GameExecutable, InstalledCopyKeepsItsFilesInTheUsersDataFolder) {
  namespace fs = std::filesystem;
  const fs::path built(VX_BINARY_DIR);
  if (!fs::exists(built / "Velotrix.dat") || !fs::exists(built / "Velotrix.lng"))
    GTEST_SKIP() << "the data set is not built";
  test::TempDir dir;
  // The layout `cmake --install` makes, with a copy of the executable: the
  // installation is recognised from the executable's real path.
  const fs::path prefix = fs::path(dir.path()) / "usr";
  const fs::path data = prefix / "bin" / VX_INSTALL_RELATIVE_DATA;
  fs::create_directories(prefix / "bin");
  fs::create_directories(data);
  fs::copy_file(built / "velotrix", prefix / "bin/velotrix");
  fs::copy_file(built / "Velotrix.dat", data / "Velotrix.dat");
  fs::copy_file(built / "Velotrix.lng", data / "Velotrix.lng");
  const std::string home = dir.path() + "/home";
  const std::string folder = home + "/.local/share/velotrix";

  pid_t game = StartGame(dir.path(), (prefix / "bin/velotrix").string(), {"HOME=" + home});
  ASSERT_GT(game, 0);
  ASSERT_TRUE(WaitForMenu(folder + "/Log.txt")) << ReadText(folder + "/Log.txt");
  kill(game, SIGTERM);
  EXPECT_EQ(WaitExit(game), 0);

  std::string log = ReadText(folder + "/Log.txt");
  // The art and texts came from the installed archives.
  EXPECT_EQ(log.find("Can't load"), std::string::npos) << log;
  // The first start takes the archive's settings (a window) and writes them at home.
  EXPECT_EQ(ReadText(folder + "/Velotrix.ini").rfind("[Settings]\nFullscreen = 0\n", 0), 0u)
      << ReadText(folder + "/Velotrix.ini");
  // Nothing is written where the game was started, nor beside its archives.
  EXPECT_FALSE(fs::exists(fs::path(dir.path()) / "Log.txt"));
  EXPECT_FALSE(fs::exists(fs::path(dir.path()) / "Velotrix.ini"));
  EXPECT_EQ(std::distance(fs::directory_iterator(data), fs::directory_iterator()), 2);

  // XDG_DATA_HOME, when set, is where the folder goes instead.
  const std::string xdg = dir.path() + "/xdg";
  game = StartGame(dir.path(), (prefix / "bin/velotrix").string(),
                   {"HOME=" + home, "XDG_DATA_HOME=" + xdg});
  ASSERT_GT(game, 0);
  EXPECT_TRUE(WaitForMenu(xdg + "/velotrix/Log.txt"));
  kill(game, SIGTERM);
  EXPECT_EQ(WaitExit(game), 0);
}

}  // namespace
}  // namespace vx
