#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "mkdata.h"

namespace vx::mkdata {

namespace {
Generator* gGenerators = nullptr;

bool MakeDirs(const std::string& path) {
  for (size_t i = 1; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == '/') {
      std::string part = path.substr(0, i);
      if (mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) return false;
    }
  }
  return true;
}
}  // namespace

Generator::Generator(const char* n, GeneratorFn f) : name(n), fn(f), next(gGenerators) {
  gGenerators = this;
}

bool WriteFile(const std::string& outDir, const std::string& relPath, const void* data, size_t size) {
  std::string path = outDir + "/" + relPath;
  size_t slash = path.rfind('/');
  if (slash != std::string::npos && !MakeDirs(path.substr(0, slash))) return false;
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(data, 1, size, f) == size;
  ok = std::fclose(f) == 0 && ok;
  return ok;
}

bool WriteText(const std::string& outDir, const std::string& relPath, const std::string& text) {
  return WriteFile(outDir, relPath, text.data(), text.size());
}

}  // namespace vx::mkdata

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: velotrix-mkdata OUTDIR [GENERATOR...]\n");
    return 2;
  }
  std::string out = argv[1];
  int failures = 0;
  for (auto* gen = vx::mkdata::gGenerators; gen; gen = gen->next) {
    bool wanted = argc == 2;
    for (int i = 2; i < argc; ++i) wanted = wanted || std::strcmp(argv[i], gen->name) == 0;
    if (!wanted) continue;
    if (!gen->fn(out)) {
      std::fprintf(stderr, "velotrix-mkdata: generator %s failed\n", gen->name);
      ++failures;
    }
  }
  return failures ? 1 : 0;
}
