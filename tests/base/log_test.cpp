#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "base/log.h"

namespace vx {
namespace {

std::string ReadAll(const char* path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

TEST(Log, StartsAnewAndKeepsPercentSigns) {
  char dir[] = "/tmp/vx_log_XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  ASSERT_EQ(chdir(dir), 0);
  StartLog();
  Log("Call %s::InitSurface()\n", "MenuScreen");
  Log("%s\n", "100%d done");
  std::string text = ReadAll("Log.txt");
  EXPECT_EQ(text.rfind("Log start: ", 0), 0u);
  EXPECT_NE(text.find("Call MenuScreen::InitSurface()\n"), std::string::npos);
  EXPECT_NE(text.find("100%d done\n"), std::string::npos);
  StartLog();
  EXPECT_EQ(ReadAll("Log.txt").find("MenuScreen"), std::string::npos);
}

}  // namespace
}  // namespace vx
