// The developer tool given a folder, a FIFO or a missing file where it wants
// a file: a clear message and exit 1, never an abort or a wait; bad arguments
// exit 2.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "support/temp_dir.h"

namespace vx {
namespace {

using test::ReadText;

struct Result {
  int code;  // -1: killed (it waited for a minute or aborted)
  std::string err;
};

Result Tool(const std::string& args) {
  const std::string command = "timeout -s KILL 60 " + std::string(VX_BINARY_DIR) + "/velotrix-tool " + args +
                              " </dev/null >out.txt 2>err.txt";
  const int status = std::system(command.c_str());
  const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return {code == 137 ? -1 : code, ReadText("err.txt")};
}

TEST(ToolFaults, NoFileWhereAFileIsWanted) {
  test::TempDir dir;
  ASSERT_EQ(mkdir("folder", 0755), 0);
  ASSERT_EQ(mkfifo("fifo", 0644), 0);
  const char* const commands[] = {"decode % out.ppm", "s3m-info %", "s3m-render % out.wav", "play %",
                                  "list %", "extract % copy"};
  for (const char* input : {"folder", "fifo", "missing"}) {
    for (std::string command : commands) {
      command.replace(command.find('%'), 1, input);
      if (command == "play fifo") continue;  // a FIFO is a fine script (play - reads one)
      const Result r = Tool(command);
      EXPECT_EQ(r.code, 1) << command << "\n" << r.err;
      EXPECT_NE(r.err.find(input), std::string::npos) << command << " names its input\n" << r.err;
      EXPECT_EQ(r.err.find("terminate"), std::string::npos) << command << "\n" << r.err;
    }
  }
  EXPECT_NE(Tool("decode folder out.ppm").err.find("it is a folder"), std::string::npos);
  EXPECT_NE(Tool("s3m-info fifo").err.find("it is not a regular file"), std::string::npos);
  EXPECT_FALSE(test::ReadText("out.ppm").size());
}

TEST(ToolFaults, BadArgumentsExitTwo) {
  test::TempDir dir;
  for (const char* command : {"decode", "decode a.tga out.gif", "s3m-info", "s3m-render", "play",
                              "pack", "list", "extract x"})
    EXPECT_EQ(Tool(command).code, 2) << command;
}

}  // namespace
}  // namespace vx
