// velotrix-mkdata: generates the whole default data set below an output folder
// (OUT/DATA/... and OUT/LANG/...). Each part of the data set registers a
// generator; all of them are deterministic.
#pragma once

#include <string>

namespace vx::mkdata {

using GeneratorFn = bool (*)(const std::string& outDir);

struct Generator {
  Generator(const char* name, GeneratorFn fn);
  const char* name;
  GeneratorFn fn;
  Generator* next;
};

#define VX_MKDATA_GENERATOR(id, fn) static ::vx::mkdata::Generator vx_mkdata_gen_##id(#id, fn)

// Writes bytes to OUT/relPath (relPath uses '/'), creating folders. False on failure.
bool WriteFile(const std::string& outDir, const std::string& relPath, const void* data, size_t size);
bool WriteText(const std::string& outDir, const std::string& relPath, const std::string& text);

}  // namespace vx::mkdata
