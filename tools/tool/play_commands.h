// Commands that other files add to the script language of `velotrix-tool play`.
// Each registers itself with VX_PLAY_COMMAND and turns one script line into
// steps; a step that takes a frame lets one frame of the game run after it.
#pragma once

#include <functional>
#include <istream>
#include <string>
#include <vector>

namespace vx {
class HeadlessPlatform;
}

namespace vx::tool {

struct PlayStep {
  bool takesFrame = false;
  // Returns false to stop the script: with error empty the run ends normally,
  // otherwise it fails with that message.
  std::function<bool(std::string& error)> run;
};

// What a command may use while the script runs.
struct PlayHost {
  HeadlessPlatform* platform = nullptr;
  std::string baseDir;  // the folder relative paths in the script start from
  // Calls hook at every frame boundary from the moment the step that adds it runs.
  std::function<void(std::function<void()> hook)> addFrameHook;
};

// Parses the rest of a line (the arguments after the command word) into steps;
// false when the line is malformed.
using PlayCommandFn = bool (*)(std::istream& args, PlayHost& host, std::vector<PlayStep>& out);

struct PlayCommand {
  PlayCommand(const char* name, PlayCommandFn fn);
  const char* name;
  PlayCommandFn fn;
  PlayCommand* next;
};

const PlayCommand* FindPlayCommand(const std::string& name);

#define VX_PLAY_COMMAND(id, fn) \
  static ::vx::tool::PlayCommand vx_play_command_##id(#id, fn)

}  // namespace vx::tool
