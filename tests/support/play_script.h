// Driving the real game through `velotrix-tool play` from a test: a folder
// that holds the built archives, the script run there, and the screen places
// of the data set's buttons. Tests that include it define VX_BINARY_DIR.
#pragma once

#include <gtest/gtest.h>
#include <strings.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "resources/file_system.h"
#include "resources/text_file.h"
#include "support/game_folder.h"
#include "support/temp_dir.h"

namespace vx::test {

struct Point {
  int x = -1, y = -1;
};

// Runs the script in run/ (output in out.txt and err.txt); returns the tool's
// exit code, or -1 when it did not exit. The locale is C, so that a game folder
// without a language setting starts in English wherever the tests run.
inline int PlayScript(const std::string& script) {
  WriteText("script.txt", script);
  const std::string cmd = "env -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG=C " +
                          std::string(VX_BINARY_DIR) +
                          "/velotrix-tool play script.txt --dir run >out.txt 2>err.txt";
  const int status = std::system(cmd.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Tests that play scripts: each runs in a temp folder with a game folder run/
// beside it, and reads the built archives for the pictures' frames.
class PlayScriptTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UnregisterAllArchives();
    ASSERT_NE(RegisterArchive(VX_BINARY_DIR "/Velotrix.dat", "DATA\\", 1), 0);
    ASSERT_NE(RegisterArchive(VX_BINARY_DIR "/Velotrix.lng", "LANG\\", 1), 0);
    MakeGameFolder();
  }
  void TearDown() override { UnregisterAllArchives(); }
  TempDir tmp;
};

// Where the middle of a frame of a data-set sheet lands with the sheet at
// (x, y); the sheets are drawn anchored at their top left.
inline Point FrameCentre(const char* frm, const char* frame, int x = 0, int y = 0) {
  TextFile file(frm);
  for (int n = 1; file.IsOpen(); ++n) {
    char section[32], name[32], rect[64], offset[64];
    std::snprintf(section, sizeof section, "Sprite %d", n);
    if (!file.SelectSection(section)) break;
    file.GetString(nullptr, "name", "", name, sizeof name);
    if (strcasecmp(name, frame) != 0) continue;
    file.GetString(nullptr, "rectsx", "", rect, sizeof rect);
    file.GetString(nullptr, "offsxy", "0 0", offset, sizeof offset);
    int r[4] = {}, o[2] = {};
    std::sscanf(rect, "%d%*[ ,]%d%*[ ,]%d%*[ ,]%d", &r[0], &r[1], &r[2], &r[3]);
    std::sscanf(offset, "%d%*[ ,]%d", &o[0], &o[1]);
    return Point{x + o[0] + r[2] / 2, y + o[1] + r[3] / 2};
  }
  ADD_FAILURE() << "no frame " << frame << " in " << frm;
  return Point{};
}

// A left click at p, then enough frames that the next click is no double-click.
inline std::string ClickAt(Point p) {
  return "moveto " + std::to_string(p.x) + " " + std::to_string(p.y) +
         "\nclick left\nframes 30\n";
}

// A click on a button of the main menu, by its frame name without "_up".
inline std::string ClickMenu(const std::string& button) {
  return ClickAt(FrameCentre("menu.frm", (button + "_up").c_str(), 316, 179));
}

}  // namespace vx::test
