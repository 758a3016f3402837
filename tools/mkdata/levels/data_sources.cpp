#include "data_sources.h"

namespace vx::mkdata {

bool FindSource(const std::string& path, std::string* text) {
  for (const SourceFile* f = kSourceFiles; f->path; ++f) {
    if (path == f->path) {
      text->assign(reinterpret_cast<const char*>(f->data), f->size);
      return true;
    }
  }
  return false;
}

}  // namespace vx::mkdata
