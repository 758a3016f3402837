// The velotrix executable itself, on SDL's dummy video and audio drivers, on
// a virtual X display, and with no display at all.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/game_folder.h"
#include "support/temp_dir.h"

extern char** environ;

namespace vx {
namespace {

using test::ReadText;

const std::string kGame = std::string(VX_BINARY_DIR) + "/velotrix";
// SDL's invisible drivers, asked for by name, as a test may.
const std::vector<std::string> kDummyDrivers = {"SDL_VIDEODRIVER=dummy", "SDL_AUDIODRIVER=dummy"};

bool Overridden(const std::string& var) {
  for (const char* prefix : {"SDL_", "XDG_", "HOME=", "DISPLAY=", "WAYLAND_DISPLAY="})
    if (var.rfind(prefix, 0) == 0) return true;
  return false;
}

// Starts exe in the working directory with env (and none of the caller's SDL,
// XDG, home or display variables); its standard error goes to err.
pid_t Start(const std::string& dir, const std::string& exe, std::vector<std::string> env,
            const std::string& err = "/dev/null") {
  // The instance lock lives there: other copies on this machine do not count.
  env.push_back("XDG_RUNTIME_DIR=" + dir);
  for (char** e = environ; *e; ++e) {
    std::string v = *e;
    if (!Overridden(v)) env.push_back(v);
  }
  std::vector<char*> envp;
  for (std::string& v : env) envp.push_back(v.data());
  envp.push_back(nullptr);
  std::string path = exe;
  char* argv[] = {path.data(), nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 2, err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t pid = -1;
  const int rc = posix_spawn(&pid, exe.c_str(), &actions, nullptr, argv, envp.data());
  posix_spawn_file_actions_destroy(&actions);
  return rc == 0 ? pid : -1;
}

pid_t StartGame(const std::string& dir, const std::string& exe = kGame,
                std::vector<std::string> env = {}, const std::string& err = "/dev/null") {
  env.insert(env.end(), kDummyDrivers.begin(), kDummyDrivers.end());
  return Start(dir, exe, env, err);
}

// Links the built archives into the working directory; false when the data
// set is not built.
bool LinkData() {
  if (!std::filesystem::exists(VX_BINARY_DIR "/Velotrix.dat")) return false;
  test::MakeGameFolder(".");
  return true;
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
  if (!LinkData()) GTEST_SKIP() << "the data set is not built";
  pid_t game = StartGame(dir.path());
  ASSERT_GT(game, 0);
  bool up = false;
  for (int i = 0; i < 1000 && !up; ++i) {
    up = ReadText("Log.txt").find("Screen switched to MenuScreen") != std::string::npos;
    if (!up) std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ASSERT_TRUE(up) << ReadText("Log.txt");
  std::string log = ReadText("Log.txt");
  EXPECT_TRUE(std::filesystem::exists("Velotrix.exe running.lock"))
      << "in the user's runtime folder";

  pid_t second = StartGame(dir.path(), kGame, {}, "second.err");
  ASSERT_GT(second, 0);
  EXPECT_EQ(WaitExit(second), 1);
  EXPECT_NE(ReadText("second.err").find("Velotrix is already running."), std::string::npos)
      << ReadText("second.err");
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

// A runtime folder that others may write is no place for the lock (anyone
// could take it first): the game's own folder is used instead.
TEST(GameExecutable, TheLockStaysOutOfAFolderOthersCanWrite) {
  test::TempDir dir;
  if (!LinkData()) GTEST_SKIP() << "the data set is not built";
  ASSERT_EQ(mkdir("shared", 0777), 0);
  ASSERT_EQ(chmod("shared", 01777), 0);
  const std::vector<std::string> env = {"XDG_RUNTIME_DIR=" + dir.path() + "/shared"};
  pid_t game = StartGame(dir.path(), kGame, env);
  ASSERT_GT(game, 0);
  ASSERT_TRUE(WaitForMenu("Log.txt")) << ReadText("Log.txt");
  EXPECT_FALSE(std::filesystem::exists("shared/Velotrix.exe running.lock"));
  EXPECT_TRUE(std::filesystem::exists(".Velotrix.exe running.lock"));
  pid_t second = StartGame(dir.path(), kGame, env, "second.err");
  EXPECT_EQ(WaitExit(second), 1);
  EXPECT_NE(ReadText("second.err").find("Velotrix is already running."), std::string::npos);
  kill(game, SIGTERM);
  EXPECT_EQ(WaitExit(game), 0);
}

// A virtual X display (Xvfb) for one test, on a display number nobody uses.
class VirtualDisplay {
 public:
  // Xvfb picks a free display number itself and writes it once it takes
  // clients: tests that run at once never share or race for a number.
  explicit VirtualDisplay(std::string size = "800x600x24") {
    if (access(kXvfb, X_OK) != 0) return;
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return;
    std::string exe = kXvfb, displayfd = "-displayfd", fd = "3", screen = "-screen", which = "0",
                tcp = "-nolisten", proto = "tcp";
    char* argv[] = {exe.data(),  displayfd.data(), fd.data(),    screen.data(), which.data(),
                    size.data(), tcp.data(),       proto.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 3);
    pid_t pid = -1;
    const bool started = posix_spawn(&pid, kXvfb, &actions, nullptr, argv, environ) == 0;
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    std::string number;
    char c = 0;
    // A server that dies closes the pipe; one that hangs is given 20 seconds.
    pollfd ready{fds[0], POLLIN, 0};
    while (started && poll(&ready, 1, 20000) == 1 && read(fds[0], &c, 1) == 1 && c != '\n')
      number += c;
    close(fds[0]);
    if (started && c == '\n' && !number.empty()) {
      name_ = ":" + number;
      pid_ = pid;
    } else if (started) {
      kill(pid, SIGTERM);
      waitpid(pid, nullptr, 0);
    }
  }
  ~VirtualDisplay() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
  bool Up() const { return pid_ > 0; }
  const std::string& Name() const { return name_; }

  // Output of an X client command run on this display.
  std::string Run(const std::string& command) const {
    std::string out;
    FILE* p = popen(("DISPLAY=" + name_ + " " + command + " 2>/dev/null").c_str(), "r");
    if (!p) return out;
    char buf[256];
    while (std::fgets(buf, sizeof buf, p)) out += buf;
    pclose(p);
    return out;
  }
  // Presses Return on the window titled title once it shows (within about 20
  // seconds: a loaded machine starts X clients slowly); false when it never
  // does or once givenUp() says it never will.
  template <typename GivenUp>
  bool PressReturnOn(const std::string& title, GivenUp givenUp) const {
    const std::string id = FindWindow(title, givenUp);
    if (!id.empty()) Run("xdotool key --window " + id + " Return");
    return !id.empty();
  }
  // The id of the window titled title once it shows (within about 20 seconds),
  // else "".
  template <typename GivenUp>
  std::string FindWindow(const std::string& title, GivenUp givenUp) const {
    for (int i = 0; i < 200 && !givenUp(); ++i) {
      std::istringstream ids(Run("xdotool search --class ''"));
      for (std::string id; ids >> id;)
        if (Run("xdotool getwindowname " + id) == title + "\n") return id;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return "";
  }
  // Why this display cannot run the test, or "" when it can.
  std::string Unusable() const {
    if (!Up()) return "no Xvfb (scripts/install-deps installs it)";
    if (Run("command -v xdotool").empty()) return "no xdotool (scripts/install-deps installs it)";
    // The socket may stand before the server takes clients, and some sandboxes
    // let it stand without ever serving one: that is no fault of the game.
    for (int i = 0; i < 250; ++i) {
      if (!Run("xdotool getdisplaygeometry").empty()) return "";
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return "the virtual display " + name_ + " takes no clients";
  }

 private:
  static constexpr const char* kXvfb = "/usr/bin/Xvfb";
  std::string name_;
  pid_t pid_ = -1;
};

// Without its data the game says what is missing and where it looked, and
// ends at once with a failure, whatever stands in the archive's place.
TEST(GameExecutable, WithoutItsDataItSaysWhatIsMissingAndWhere) {
  test::TempDir dir;
  const struct {
    const char* what;
    std::function<void()> make;
  } cases[] = {
      {"missing", [] {}},
      {"damaged", [] { test::WriteText("Velotrix.dat", std::string(300, '\x07')); }},
      {"damaged", [] { test::WriteText("Velotrix.dat", ""); }},
      {"not a file", [] { ASSERT_EQ(mkfifo("Velotrix.dat", 0644), 0); }},
      {"not a file", [] { ASSERT_EQ(mkdir("Velotrix.dat", 0755), 0); }},
  };
  for (const auto& c : cases) {
    std::filesystem::remove("Velotrix.dat");
    c.make();
    pid_t game = StartGame(dir.path(), kGame, {}, "err.txt");
    ASSERT_GT(game, 0);
    EXPECT_EQ(WaitExit(game), 255) << c.what;
    const std::string err = ReadText("err.txt");
    EXPECT_NE(err.find("Looked for Velotrix.dat in " + dir.path() + ": " + c.what + ".\n"),
              std::string::npos)
        << err;
    EXPECT_NE(err.find("Looked for loose files in " + dir.path() + "/DATA"), std::string::npos)
        << err;
    EXPECT_NE(ReadText("Log.txt").find("its data is missing or damaged"), std::string::npos);
  }
}

// Under the sanitizers: libdbus, which SDL opens on a real display, keeps a
// buffer to the end; that is none of ours.
std::string NoLeakCheck() {
  const char* asan = std::getenv("ASAN_OPTIONS");
  return "ASAN_OPTIONS=" + std::string(asan ? asan : "") + ":detect_leaks=0";
}

TEST(GameExecutable, OnAFullHdDesktopTheWindowOpensCentredAtTwiceThePicture) {
  VirtualDisplay display("1920x1080x24");
  const std::string unusable = display.Unusable();
  if (!unusable.empty()) GTEST_SKIP() << unusable;
  test::TempDir dir;
  if (!LinkData()) GTEST_SKIP() << "the data set is not built";
  pid_t game =
      Start(dir.path(), kGame,
            {"DISPLAY=" + display.Name(), "SDL_AUDIODRIVER=dummy", NoLeakCheck()}, "err.txt");
  ASSERT_GT(game, 0);
  int status = 0;
  bool ended = false;
  const std::string id = display.FindWindow(
      "Velotrix", [&] { return ended = ended || waitpid(game, &status, WNOHANG) == game; });
  // A server that refuses the game's window: the game says so and exits 255.
  if (ended && WIFEXITED(status) && WEXITSTATUS(status) == 255)
    GTEST_SKIP() << "this X server gave the game no window: " << ReadText("err.txt");
  ASSERT_FALSE(ended) << "the game ended early: " << ReadText("err.txt");
  // Up and answering before it is asked to close, as a player would find it.
  EXPECT_TRUE(WaitForMenu("Log.txt")) << ReadText("Log.txt");
  const std::string geometry =
      id.empty() ? "" : display.Run("xdotool getwindowgeometry --shell " + id);
  kill(game, SIGTERM);
  EXPECT_EQ(WaitExit(game), 0) << ReadText("err.txt");
  ASSERT_FALSE(id.empty()) << "no window; " << ReadText("err.txt");
  // Centred in the desktop's 1920 x 1080, the bottom of the field on it.
  EXPECT_NE(geometry.find("X=320\nY=60\nWIDTH=1280\nHEIGHT=960\n"), std::string::npos) << geometry;
}

TEST(GameExecutable, UnderXWithoutDataAMessageBoxSaysSo) {
  VirtualDisplay display;
  const std::string unusable = display.Unusable();
  if (!unusable.empty()) GTEST_SKIP() << unusable;
  test::TempDir dir;
  const std::string noLeakCheck = NoLeakCheck();
  // SDL draws its box with the X server's core fonts; a server without them,
  // or one that fails the game's client, cannot, and the game then says so
  // beside the words on standard error. Such a failure is given two more tries.
  const std::string unshown = "the message box could not be shown";
  bool pressed = false;
  std::string err;
  for (int attempt = 0; attempt < 3 && !pressed; ++attempt) {
    pid_t game =
        Start(dir.path(), kGame,
              {"DISPLAY=" + display.Name(), "SDL_AUDIODRIVER=dummy", noLeakCheck}, "err.txt");
    ASSERT_GT(game, 0);
    pressed = display.PressReturnOn(
        "Velotrix", [&] { return ReadText("err.txt").find(unshown) != std::string::npos; });
    EXPECT_EQ(WaitExit(game), 255);
    err = ReadText("err.txt");
    EXPECT_NE(err.find("its data is missing or damaged"), std::string::npos) << err;
    if (!pressed && err.find(unshown) == std::string::npos) break;
    if (!pressed) std::printf("try %d: %s", attempt + 1, err.substr(err.find(unshown)).c_str());
  }
  if (!pressed && err.find(unshown) != std::string::npos)
    GTEST_SKIP() << err.substr(err.find(unshown));
  EXPECT_TRUE(pressed) << "no message box; standard error:\n" << err;
}

// No display: SDL would fall back to a driver that shows nothing, and the game
// would play unseen.
TEST(GameExecutable, WithoutADisplayItSaysSoAndExits) {
  test::TempDir dir;
  if (!LinkData()) GTEST_SKIP() << "the data set is not built";
  pid_t game = Start(dir.path(), kGame, {"SDL_AUDIODRIVER=dummy"}, "err.txt");
  ASSERT_GT(game, 0);
  EXPECT_EQ(WaitExit(game), 255);
  EXPECT_NE(ReadText("err.txt").find("no display was found"), std::string::npos)
      << ReadText("err.txt");
  EXPECT_NE(ReadText("Log.txt").find("Error: no display"), std::string::npos)
      << ReadText("Log.txt");
}

}  // namespace
}  // namespace vx
