// velotrix-tool's commands register themselves; each lives in its own file.
#pragma once

#include <functional>
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
// data when it holds the data set, else the installed data folder when the
// tool is installed, else data.
std::string DataSetFolder(const std::string& data);
// Gives folder, a game folder of the tool's own over the data set in data, the
// players' packs of data too (a link to its packs folder, when it has one), so
// that the game registers them as it would in data.
void LinkPacks(const std::string& data, const std::string& folder);
// Runs body in a throwaway game folder (/tmp/vx-NAME-XXXXXX) that links the
// archives of data that exist and its packs, then removes the folder: body's
// result, or 2 when the folder could not be made, entered or left.
int InScratchGameFolder(const char* name, const std::string& data, const std::function<int()>& body);

// Defines a command: VX_TOOL_COMMAND(pack, "pack ARCHIVE DIR", CmdPack);
#define VX_TOOL_COMMAND(id, usage, fn) static ::vx::tool::Command vx_tool_command_##id(#id, usage, fn)

}  // namespace vx::tool
