// The languages the build makes archives for: English first, then those of
// VX_LANGUAGES in the top CMakeLists.txt, so that tests cover a new language
// without being told.
#pragma once

#include <string>
#include <vector>

namespace vx::test {

inline std::vector<std::string> BuiltLanguages() {
  std::vector<std::string> codes = {"en"};
  const std::string list = VX_LANGUAGES;
  for (size_t start = 0; start < list.size();) {
    size_t comma = list.find(',', start);
    if (comma == std::string::npos) comma = list.size();
    if (comma > start) codes.push_back(list.substr(start, comma - start));
    start = comma + 1;
  }
  return codes;
}

// Names test instances after their language ("Languages/...Test.Name/ru").
inline std::string LanguageName(const ::testing::TestParamInfo<std::string>& param) { return param.param; }

}  // namespace vx::test
