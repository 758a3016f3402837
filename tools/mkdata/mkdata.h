// velotrix-mkdata: generates the whole default data set below an output folder:
// OUT/DATA/... (the data archive), OUT/LANG/... (the English texts) and, for
// each further language xx named with --language, OUT/xx/LANG/... (its texts,
// from data/texts/xx/). Each part of the data set registers a generator; all
// of them are deterministic.
#pragma once

#include <string>
#include <vector>

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

// "en" and then the languages given with --language, in that order.
const std::vector<std::string>& Languages();
// Where a language's tree lies below OUT: "LANG" for English, "xx/LANG" for xx.
std::string LangRoot(const std::string& language);
// The folder of a language's sources below data/: "texts" or "texts/xx".
std::string TextFolder(const std::string& language);

}  // namespace vx::mkdata
