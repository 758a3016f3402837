// velotrix-tool play SCRIPT [--dir DIR]: runs the real game on the headless
// platform in DIR and feeds it a script of input, one command a line.
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "app/app_main.h"
#include "app/screen.h"
#include "base/game_record.h"
#include "command.h"
#include "graphics/png_writer.h"
#include "input/controls.h"
#include "main/screens.h"
#include "platform/headless/headless_platform.h"
#include "platform/text_codec.h"
#include "play_commands.h"

namespace vx::tool {

namespace {
PlayCommand* gPlayCommands = nullptr;
}  // namespace

PlayCommand::PlayCommand(const char* n, PlayCommandFn f) : name(n), fn(f), next(gPlayCommands) {
  gPlayCommands = this;
}

const PlayCommand* FindPlayCommand(const std::string& name) {
  for (const PlayCommand* c = gPlayCommands; c; c = c->next)
    if (name == c->name) return c;
  return nullptr;
}

namespace {

const int kScanEnter = 28;
const int kScanBackspace = 14;

// A key name, or a scan code given as a number ("57", "0x39"); a chord is no
// one key (a script holds LControl and presses the other).
int KeyCode(const std::string& name) {
  int key = kNoKey;
  if (!Controls::ParseKey(name, &key) || key == kNoKey || (key & (kKeyAlt | kKeyCtrl | kKeyShift)))
    return -1;
  return key;
}

// A controller axis by its name in SDL's spelling; -1 for none.
int PadAxisByName(const std::string& name) {
  static const char* const kNames[kPadAxisCount] = {"leftx",  "lefty",       "rightx",
                                                    "righty", "lefttrigger", "righttrigger"};
  for (int i = 0; i < kPadAxisCount; ++i)
    if (name == kNames[i]) return i;
  return -1;
}

// Keys that also type a character, as the real window's key messages do.
int CharOfKey(int code) {
  if (code == kScanEnter) return 13;
  if (code == kScanBackspace) return 8;
  return -1;
}

bool ParseInt(const std::string& s, int* out) {
  char* end = nullptr;
  errno = 0;
  long v = std::strtol(s.c_str(), &end, 10);
  if (s.empty() || *end != 0 || errno != 0 || v < INT_MIN / 2 || v > INT_MAX / 2) return false;
  *out = static_cast<int>(v);
  return true;
}

std::string Trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\r\n");
  if (b == std::string::npos) return "";
  size_t e = s.find_last_not_of(" \t\r\n");
  return s.substr(b, e - b + 1);
}

std::string Absolute(const std::string& path, const std::string& base) {
  return !path.empty() && path[0] == '/' ? path : base + "/" + path;
}

// Part of the last shown picture (the whole of it when area is empty), each
// pixel scale x scale times (for text readers).
bool WriteFramePng(const HeadlessDisplay& display, const std::string& path, int scale, Rect area) {
  if (display.frame.empty()) return false;
  if (area.right <= area.left) area = Rect{0, 0, display.width, display.height};
  area.left = std::max(area.left, 0);
  area.top = std::max(area.top, 0);
  area.right = std::min(area.right, display.width);
  area.bottom = std::min(area.bottom, display.height);
  if (area.right <= area.left || area.bottom <= area.top) return false;
  bool is555 = display.greenMask != 0x07E0;
  const int w = (area.right - area.left) * scale, h = (area.bottom - area.top) * scale;
  std::vector<uint8_t> rgb(static_cast<size_t>(w) * h * 3);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const size_t at = static_cast<size_t>(area.top + y / scale) * display.width + area.left + x / scale;
      uint16_t p = display.frame[at];
      int r5 = is555 ? (p >> 10) & 31 : p >> 11;
      int g6 = is555 ? ((p >> 5) & 31) << 1 : (p >> 5) & 63;
      int b5 = p & 31;
      uint8_t* out = &rgb[(static_cast<size_t>(y) * w + x) * 3];
      out[0] = static_cast<uint8_t>(r5 << 3 | r5 >> 2);
      out[1] = static_cast<uint8_t>(g6 << 2 | g6 >> 4);
      out[2] = static_cast<uint8_t>(b5 << 3 | b5 >> 2);
    }
  return WritePng(path.c_str(), rgb.data(), w, h);
}

// One step of the script. A step that takes a frame lets one frame of the game
// run after it; the others act at once. run returns false to stop the script.
struct Action {
  bool takesFrame;
  std::function<bool()> run;
  int line;
};

class Player {
 public:
  bool Parse(std::istream& in, const std::string& baseDir);
  int Run();

 private:
  void Add(bool takesFrame, std::function<bool()> run) {
    actions_.push_back({takesFrame, std::move(run), line_});
  }
  bool ParseLine(const std::string& text, const std::string& baseDir);
  void OnFrameBoundary();
  // The end of the script or a failed step ends the game for certain, as the
  // system's termination request does (the settings are saved).
  void Finish() {
    if (!finished_) hp_.PushTerminate();
    finished_ = true;
  }
  void PushChar(uint8_t code, uint32_t keyData) { hp_.PushChar(code, keyData); }
  bool Fail(const std::string& message) {
    std::fprintf(stderr, "play: line %d: %s\n", actions_[pc_ - 1].line, message.c_str());
    failed_ = true;
    return false;
  }

  HeadlessPlatform hp_;
  std::vector<Action> actions_;
  std::vector<std::function<void()>> frameHooks_;
  size_t pc_ = 0;
  int line_ = 0;
  bool finished_ = false;
  bool failed_ = false;
};

bool Player::Parse(std::istream& in, const std::string& baseDir) {
  std::string raw;
  while (std::getline(in, raw)) {
    ++line_;
    std::string text = Trim(raw);
    if (text.empty() || text[0] == '#') continue;
    if (!ParseLine(text, baseDir)) {
      std::fprintf(stderr, "play: line %d: can't understand '%s'\n", line_, text.c_str());
      return false;
    }
  }
  return true;
}

bool Player::ParseLine(const std::string& text, const std::string& baseDir) {
  std::istringstream words(text);
  std::string cmd, a, b;
  words >> cmd;
  HeadlessInput& input = hp_.input;
  auto keyData = [](int code, bool release) {
    return 1u | static_cast<uint32_t>(code & 0x7F) << 16 | (code & 0x80 ? 1u << 24 : 0u) |
           (release ? 0xC0000000u : 0u);
  };

  if (cmd == "frames") {
    int n;
    if (!(words >> a) || !ParseInt(a, &n) || n < 0) return false;
    for (int i = 0; i < n; ++i) Add(true, [] { return true; });
  } else if (cmd == "key" || cmd == "hold" || cmd == "release") {
    if (!(words >> a)) return false;
    int code = KeyCode(a);
    if (code < 0) return false;
    int ch = CharOfKey(code);
    bool down = cmd != "release";
    bool up = cmd != "hold";
    if (down)
      Add(cmd == "key", [=, &input] {
        input.SetKey(code, true);
        if (ch >= 0) PushChar(static_cast<uint8_t>(ch), keyData(code, false));
        return true;
      });
    if (up)
      Add(cmd == "key", [=, &input] {
        input.SetKey(code, false);
        if (ch >= 0) PushChar(static_cast<uint8_t>(ch), keyData(code, true));
        return true;
      });
  } else if (cmd == "type") {
    size_t at = text.find_first_not_of(" \t", 4);
    std::string cp866 = Utf8ToCp866(at == std::string::npos ? "" : text.substr(at));
    for (unsigned char c : cp866) Add(true, [=] {
        PushChar(c, 1);
        return true;
      });
  } else if (cmd == "mouse" || cmd == "moveto") {
    int x, y;
    if (!(words >> a >> b) || !ParseInt(a, &x) || !ParseInt(b, &y)) return false;
    if (cmd == "moveto") {
      // The game clamps its cursor to the screen: first into the corner, then out.
      Add(true, [&input] {
        input.MoveMouse(-100000, -100000);
        return true;
      });
    }
    Add(true, [=, &input] {
      input.MoveMouse(x, y);
      return true;
    });
  } else if (cmd == "click" || cmd == "dclick") {
    if (!(words >> a)) return false;
    int button = a == "left" ? 0 : a == "right" ? 1 : -1;
    if (button < 0) return false;
    for (int i = 0; i < (cmd == "click" ? 1 : 2); ++i) {
      Add(true, [=, &input] {
        input.SetButton(button, true);
        return true;
      });
      Add(true, [=, &input] {
        input.SetButton(button, false);
        return true;
      });
    }
  } else if (cmd == "pad") {
    // Down for the next frame, up again before the one after.
    int button = PAD_NONE;
    if (!(words >> a) || !Controls::ParsePad(a, &button) || button == PAD_NONE) return false;
    Add(true, [=, &input] {
      input.SetPadButton(button, true);
      return true;
    });
    Add(false, [=, &input] {
      input.SetPadButton(button, false);
      return true;
    });
  } else if (cmd == "axis") {
    int axis = -1, value = 0;
    if (!(words >> a >> b) || (axis = PadAxisByName(a)) < 0 || !ParseInt(b, &value) ||
        value < -32768 || value > 32767)
      return false;
    Add(false, [=, &input] {
      input.SetPadAxis(axis, static_cast<int16_t>(value));
      return true;
    });
  } else if (cmd == "wheel") {
    int n;
    if (!(words >> a) || !ParseInt(a, &n)) return false;
    Add(true, [=, &input] {
      input.TurnWheel(120 * n);
      return true;
    });
  } else if (cmd == "shot") {
    if (!(words >> a)) return false;
    int scale = 1;
    Rect area;
    if (words >> b) {
      if (!ParseInt(b, &scale) || scale < 1 || scale > 4) return false;
      std::string x, y, w, h;
      if (words >> x) {
        int v[4];
        if (!(words >> y >> w >> h) || !ParseInt(x, &v[0]) || !ParseInt(y, &v[1]) ||
            !ParseInt(w, &v[2]) || !ParseInt(h, &v[3]) || v[2] <= 0 || v[3] <= 0)
          return false;
        area = Rect{v[0], v[1], v[0] + v[2], v[1] + v[3]};
      }
    }
    std::string path = Absolute(a, baseDir);
    Add(false, [this, path, scale, area] {
      if (!WriteFramePng(hp_.display, path, scale, area))
        return Fail("can't write the picture to " + path);
      return true;
    });
  } else if (cmd == "expect") {
    if (!(words >> a >> b) || a != "screen") return false;
    Add(false, [this, b] {
      const char* now = g.currentScreen ? g.currentScreen->GetName() : "(none)";
      if (b != now) return Fail("expected screen " + b + ", but the current screen is " + now);
      return true;
    });
  } else if (cmd == "focus") {
    if (!(words >> a) || (a != "in" && a != "out")) return false;
    Add(false, [this, a] {
      hp_.PushActivate(a == "in" ? 1 : 0);
      return true;
    });
  } else if (cmd == "quit" || cmd == "close") {
    // The window's close button. The game may ask first (unsaved progress):
    // after close the script goes on to answer; quit ends it there for certain.
    const bool end = cmd == "quit";
    Add(false, [this, end] {
      hp_.PushClose();
      if (end) Finish();
      return !end;
    });
  } else if (const PlayCommand* extra = FindPlayCommand(cmd)) {
    PlayHost host;
    host.platform = &hp_;
    host.baseDir = baseDir;
    host.addFrameHook = [this](std::function<void()> hook) { frameHooks_.push_back(hook); };
    std::vector<PlayStep> steps;
    if (!extra->fn(words, host, steps)) return false;
    for (PlayStep& step : steps)
      Add(step.takesFrame, [this, run = step.run] {
        std::string error;
        if (run(error)) return true;
        return error.empty() ? false : Fail(error);
      });
  } else {
    return false;
  }
  std::string rest;
  return !(cmd != "type" && (words >> rest));
}

void Player::OnFrameBoundary() {
  if (finished_) return;
  for (const std::function<void()>& hook : frameHooks_) hook();
  while (pc_ < actions_.size()) {
    const Action& action = actions_[pc_++];
    if (!action.run()) {
      Finish();
      return;
    }
    if (action.takesFrame) return;
  }
  Finish();
}

void ReportSwitch(Screen* current) {
  std::printf("screen: %s\n", current ? current->GetName() : "(none)");
  std::fflush(stdout);
}

int Player::Run() {
  hp_.onFrameBoundary = [this] { OnFrameBoundary(); };
  // Music and mixing run as virtual time passes, on this thread.
  hp_.timersFollowClock = true;
  hp_.audio.followClock = true;
  gPlatform = hp_.platform();
  gScreenSwitchObserver = ReportSwitch;
  InstallScreens();
  int code = AppMain(nullptr, 1);
  gScreenSwitchObserver = nullptr;
  gPlatform = nullptr;
  // What the game would have shown the player in a box.
  for (const std::string& box : hp_.window.messageBoxes) std::fprintf(stderr, "play: %s\n", box.c_str());
  return failed_ ? 1 : code;
}

int CmdPlay(int argc, char** argv) {
  std::string script, dir = ".";
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--dir") == 0 && i + 1 < argc)
      dir = argv[++i];
    else if (script.empty() && argv[i][0] != '-')
      script = argv[i];
    else
      script.clear(), i = argc;
  }
  if (script.empty()) {
    std::fprintf(stderr, "usage: velotrix-tool play SCRIPT [--dir DIR]\n");
    return 2;
  }
  char cwd[PATH_MAX];
  if (!getcwd(cwd, sizeof cwd)) return 2;
  // A folder opens as a stream that reads as empty: that is no script.
  struct stat st {};
  if (script != "-" && stat(script.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
    std::fprintf(stderr, "play: can't read %s: it is a folder\n", script.c_str());
    return 1;
  }
  std::ifstream in(script == "-" ? "/dev/stdin" : script);
  if (!in) {
    std::fprintf(stderr, "play: can't read %s\n", script.c_str());
    return 1;
  }
  Player player;
  if (!player.Parse(in, cwd)) return 2;
  mkdir(dir.c_str(), 0755);
  if (chdir(dir.c_str()) != 0) {
    std::fprintf(stderr, "play: can't enter %s\n", dir.c_str());
    return 2;
  }
  return player.Run();
}

}  // namespace

VX_TOOL_COMMAND(play, "play SCRIPT [--dir DIR]   run the game headless, fed by SCRIPT", CmdPlay);

}  // namespace vx::tool
