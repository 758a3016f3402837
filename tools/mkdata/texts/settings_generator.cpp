// Generator "settings": the "Velotrix.ini" inside the data archive, read when
// no loose settings file exists yet, so a first start has sound and a window.
#include "mkdata.h"

namespace vx::mkdata {

namespace {

bool GenerateSettings(const std::string& outDir) {
  return WriteText(outDir, "DATA/Velotrix.ini",
                   "[Settings]\n"
                   "Fullscreen = 0\n"
                   "Sound enable = 1\n"
                   "Sound volume = 70\n"
                   "Music volume = 50\n"
                   "Reverse stereo = 0\n"
                   "Scroll speed = 1\n"
                   "Vanishing = 0\n");
}

}  // namespace

VX_MKDATA_GENERATOR(settings, GenerateSettings);

}  // namespace vx::mkdata
