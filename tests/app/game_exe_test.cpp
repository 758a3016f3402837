// The velotrix executable itself, on SDL's dummy video and audio drivers.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "support/temp_dir.h"

extern char** environ;

namespace vx {
namespace {

using test::ReadText;

pid_t StartGame(const std::string& dir) {
  std::vector<std::string> env = {"SDL_VIDEODRIVER=dummy", "SDL_AUDIODRIVER=dummy",
                                  // The instance lock lives there: other copies on
                                  // this machine do not count.
                                  "XDG_RUNTIME_DIR=" + dir};
  for (char** e = environ; *e; ++e) {
    std::string v = *e;
    if (v.rfind("SDL_", 0) != 0 && v.rfind("XDG_RUNTIME_DIR=", 0) != 0) env.push_back(v);
  }
  std::vector<char*> envp;
  for (std::string& v : env) envp.push_back(v.data());
  envp.push_back(nullptr);
  std::string exe = std::string(VX_BINARY_DIR) + "/velotrix";
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

}  // namespace
}  // namespace vx
