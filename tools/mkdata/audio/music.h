// The game's six modules, composed from the song texts in data/music/.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "audio/composer.h"

namespace vx::mkdata {

// Module file names without ".s3m", in the order they are built.
const std::vector<std::string>& ModuleNames();

// Folder holding the song texts (data/music in the source tree).
std::string MusicSourceDir();

// Reads, composes and serialises one song. False with a message on failure.
bool BuildModule(const std::string& songPath, std::vector<uint8_t>* bytes, ComposeReport* report,
                 std::string* error);

}  // namespace vx::mkdata
