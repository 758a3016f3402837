// velotrix-tool sheet, run as the real program on the built archive and on
// archives with broken pictures.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "graphics/fake_platform.h"
#include "graphics/test_images.h"

namespace vx {
namespace {

const std::string kTool = VX_BINARY_DIR "/velotrix-tool";

int Tool(const std::string& args) {
  int status = std::system((kTool + " " + args + " >tool.out 2>tool.err").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool IsPng(const std::string& file) { return test::ReadText(file).compare(0, 8, "\x89PNG\r\n\x1a\n") == 0; }

TEST(SheetTool, LaysOutTheBuiltArchive) {
  test::TempDir dir;
  ASSERT_EQ(Tool("sheet all.png " VX_BINARY_DIR "/Velotrix.dat"), 0) << test::ReadText("tool.err");
  EXPECT_TRUE(IsPng("all.png"));
  EXPECT_NE(test::ReadText("tool.out").find(" pictures on all.png"), std::string::npos);
  EXPECT_TRUE(test::ReadText("tool.err").empty()) << test::ReadText("tool.err");
}

TEST(SheetTool, LeavesOutWhatDoesNotDecode) {
  test::TempDir dir;
  ASSERT_EQ(std::system("mkdir -p tree/DATA/sub"), 0);
  test::WriteTga("tree/DATA/good.tga", 6, 4, [](int x, int y) { return x == y ? 0xFF8000u : 0u; });
  test::WriteText("tree/DATA/garbage.tga", std::string(30, '\x07'));      // an unknown TGA type
  test::WriteText("tree/DATA/sub/cut.bmp", std::string("BM\x40\x00", 4));  // a header cut short
  test::WriteText("tree/DATA/notes.txt", "not a picture");
  ASSERT_EQ(Tool("pack mixed.dat tree"), 0);
  ASSERT_EQ(Tool("sheet mixed.png mixed.dat"), 0) << test::ReadText("tool.err");
  EXPECT_TRUE(IsPng("mixed.png"));
  std::string err = test::ReadText("tool.err");
  EXPECT_NE(err.find("garbage.tga does not decode"), std::string::npos) << err;
  EXPECT_NE(err.find("cut.bmp does not decode"), std::string::npos) << err;
  EXPECT_EQ(err.find("notes.txt"), std::string::npos) << err;
  EXPECT_NE(test::ReadText("tool.out").find("1 pictures"), std::string::npos);

  // Nothing readable, no archive, no arguments: no sheet.
  ASSERT_EQ(std::system("rm -f tree/DATA/good.tga"), 0);
  ASSERT_EQ(Tool("pack broken.dat tree"), 0);
  EXPECT_EQ(Tool("sheet broken.png broken.dat"), 1);
  EXPECT_EQ(Tool("sheet none.png missing.dat"), 1);
  test::WriteText("junk.dat", std::string(300, 'x'));
  EXPECT_EQ(Tool("sheet junk.png junk.dat"), 1);
  EXPECT_EQ(Tool("sheet"), 2);
  EXPECT_TRUE(test::ReadText("broken.png").empty());
  EXPECT_TRUE(test::ReadText("junk.png").empty());
}

}  // namespace
}  // namespace vx
