#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "mkdata.h"

namespace vx::mkdata {

namespace {
Generator* gGenerators = nullptr;
std::vector<std::string> gLanguages = {"en"};

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

const std::vector<std::string>& Languages() { return gLanguages; }

std::string LangRoot(const std::string& language) {
  return language == "en" ? "LANG" : language + "/LANG";
}

std::string TextFolder(const std::string& language) {
  return language == "en" ? "texts" : "texts/" + language;
}

namespace {
// A language code names a folder of data/texts/ and an archive: letters only,
// so that it can lead nowhere else.
bool AddLanguage(const std::string& code) {
  if (code.size() < 2 || code.size() > 3 || code == "en") return false;
  for (char c : code)
    if (c < 'a' || c > 'z') return false;
  for (const std::string& known : gLanguages)
    if (known == code) return true;
  gLanguages.push_back(code);
  return true;
}
}  // namespace

}  // namespace vx::mkdata

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: velotrix-mkdata OUTDIR [--language xx]... [GENERATOR...]\n");
    return 2;
  }
  std::string out = argv[1];
  std::vector<const char*> names;
  for (int i = 2; i < argc; ++i) {
    if (std::strcmp(argv[i], "--language") != 0) {
      names.push_back(argv[i]);
    } else if (i + 1 >= argc || !vx::mkdata::AddLanguage(argv[++i])) {
      std::fprintf(stderr, "velotrix-mkdata: --language needs a code of two or three small letters other than en\n");
      return 2;
    }
  }
  int failures = 0;
  for (auto* gen = vx::mkdata::gGenerators; gen; gen = gen->next) {
    bool wanted = names.empty();
    for (const char* name : names) wanted = wanted || std::strcmp(name, gen->name) == 0;
    if (!wanted) continue;
    if (!gen->fn(out)) {
      std::fprintf(stderr, "velotrix-mkdata: generator %s failed\n", gen->name);
      ++failures;
    }
  }
  return failures ? 1 : 0;
}
