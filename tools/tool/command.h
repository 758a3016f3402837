// velotrix-tool's commands register themselves; each lives in its own file.
#pragma once

#include <string>

namespace vx::tool {

using CommandFn = int (*)(int argc, char** argv);  // argv[0] is the command name

struct Command {
  Command(const char* name, const char* usage, CommandFn fn);
  const char* name;
  const char* usage;
  CommandFn fn;
  Command* next;
};

// The folder velotrix-tool runs from: where the build leaves the archives.
std::string ToolDirectory();

// Defines a command: VX_TOOL_COMMAND(pack, "pack ARCHIVE DIR", CmdPack);
#define VX_TOOL_COMMAND(id, usage, fn) static ::vx::tool::Command vx_tool_command_##id(#id, usage, fn)

}  // namespace vx::tool
