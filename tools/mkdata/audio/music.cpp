#include "audio/music.h"

#include <fstream>
#include <sstream>

namespace vx::mkdata {

const std::vector<std::string>& ModuleNames() {
  static const std::vector<std::string> names = {"fl1", "fl2", "fl3", "fl4", "qel_z", "qel3"};
  return names;
}

std::string MusicSourceDir() {
#ifdef VX_MUSIC_SOURCE_DIR
  return VX_MUSIC_SOURCE_DIR;
#else
  // This file lives in tools/mkdata/audio/; the songs in data/music/.
  std::string here = __FILE__;
  for (int up = 0; up < 4; ++up) here = here.substr(0, here.find_last_of('/'));
  return here + "/data/music";
#endif
}

bool BuildModule(const std::string& songPath, std::vector<uint8_t>* bytes, ComposeReport* report,
                 std::string* error) {
  std::ifstream in(songPath, std::ios::binary);
  if (!in) {
    *error = "cannot read " + songPath;
    return false;
  }
  std::stringstream text;
  text << in.rdbuf();
  SongDef song;
  if (!ParseSong(text.str(), songPath, &song, error)) return false;
  S3mModule module;
  if (!ComposeSong(song, &module, report, error)) return false;
  *bytes = WriteS3m(module);
  if (bytes->empty()) {
    *error = songPath + ": the module cannot be written";
    return false;
  }
  return true;
}

}  // namespace vx::mkdata
