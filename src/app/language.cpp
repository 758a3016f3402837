#include "app/language.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>

#include "app/game_folders.h"
#include "base/log.h"
#include "resources/file_system.h"

namespace vx {

const char kEnglish[] = "en";

namespace {

const char kLangPrefix[] = "LANG\\";
const char kArchiveStem[] = "velotrix.";
const char kArchiveEnd[] = ".lng";

std::string& Current() {
  static std::string current = kEnglish;
  return current;
}

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

bool IsLetters(const std::string& s, size_t from, size_t to) {
  for (size_t i = from; i < to; ++i)
    if (!std::isalpha(static_cast<unsigned char>(s[i]))) return false;
  return true;
}

// The code in a file name "Velotrix.xx.lng" (any case), or "".
std::string CodeOfArchive(const std::string& name) {
  const std::string lower = Lower(name);
  const size_t stem = sizeof kArchiveStem - 1, end = sizeof kArchiveEnd - 1;
  if (lower.size() <= stem + end || lower.compare(0, stem, kArchiveStem) != 0 ||
      lower.compare(lower.size() - end, end, kArchiveEnd) != 0)
    return "";
  std::string code = lower.substr(stem, lower.size() - stem - end);
  return IsLanguageCode(code) && code != kEnglish ? code : "";
}

bool IsRegularFile(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

void CollectArchives(const std::string& folder, std::vector<std::string>* codes) {
  DIR* dir = opendir(folder.c_str());
  if (!dir) return;
  while (dirent* e = readdir(dir)) {
    const std::string code = CodeOfArchive(e->d_name);
    if (code.empty() || !IsRegularFile(folder + "/" + e->d_name)) continue;
    if (std::find(codes->begin(), codes->end(), code) == codes->end()) codes->push_back(code);
  }
  closedir(dir);
}

bool Contains(const std::vector<std::string>& list, const std::string& code) {
  return std::find(list.begin(), list.end(), code) != list.end();
}

// The available language an environment entry names: "pt_BR.UTF-8@euro"
// tries pt_br, then pt.
std::string MatchEntry(std::string entry, const std::vector<std::string>& available) {
  entry = Lower(entry.substr(0, entry.find_first_of(".@")));
  std::replace(entry.begin(), entry.end(), '-', '_');
  if (IsLanguageCode(entry) && Contains(available, entry)) return entry;
  const std::string language = entry.substr(0, entry.find('_'));
  if (IsLanguageCode(language) && Contains(available, language)) return language;
  return "";
}

}  // namespace

bool IsLanguageCode(const std::string& code) {
  const size_t letters = code.find_first_of("_-");
  const size_t main = letters == std::string::npos ? code.size() : letters;
  if (main < 2 || main > 3 || !IsLetters(code, 0, main)) return false;
  if (letters == std::string::npos) return true;
  const size_t region = code.size() - main - 1;
  if (region < 2 || region > 8) return false;
  for (size_t i = main + 1; i < code.size(); ++i)
    if (!std::isalnum(static_cast<unsigned char>(code[i]))) return false;
  return true;
}

std::string LanguageArchive(const std::string& code) {
  const std::string lower = Lower(code);
  return lower.empty() || lower == kEnglish ? "Velotrix.lng" : "Velotrix." + lower + ".lng";
}

std::vector<std::string> AvailableLanguages() {
  std::vector<std::string> codes;
  CollectArchives(".", &codes);
  if (!InstalledData().empty()) CollectArchives(InstalledData(), &codes);
  std::sort(codes.begin(), codes.end());
  codes.insert(codes.begin(), kEnglish);
  return codes;
}

std::string LanguageFromEnvironment(const std::vector<std::string>& available, GetEnvFn getEnv) {
  for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = getEnv ? getEnv(name) : nullptr;
    if (!value || !*value) continue;
    std::string list = value;
    for (size_t start = 0; start <= list.size();) {
      size_t colon = list.find(':', start);
      if (colon == std::string::npos) colon = list.size();
      const std::string found = MatchEntry(list.substr(start, colon - start), available);
      if (!found.empty()) return found;
      start = colon + 1;
    }
    return "";
  }
  return "";
}

std::string StartLanguage(const std::string& setting, const std::vector<std::string>& available,
                          GetEnvFn getEnv) {
  if (IsLanguageCode(setting)) return Lower(setting);
  if (!setting.empty()) Log("Language '%s' is no language code\n", setting.c_str());
  const std::string asked = LanguageFromEnvironment(available, getEnv);
  return asked.empty() ? kEnglish : asked;
}

bool UseLanguage(const std::string& code, const std::string& folder) {
  auto where = [&folder](const std::string& name) {
    return folder.empty() ? ArchivePath(name.c_str()) : folder + "/" + name;
  };
  UnregisterSources(kLangPrefix);
  std::string chosen = kEnglish;
  bool ok = true;
  const std::string lower = Lower(code);
  if (lower != kEnglish) {
    const std::string archive = where(LanguageArchive(lower));
    if (IsLanguageCode(lower) && RegisterArchive(archive.c_str(), kLangPrefix, 1)) {
      chosen = lower;
    } else {
      Log("Can't open the language archive '%s'; English is used\n", archive.c_str());
      ok = false;
    }
  }
  // English texts stand in for any the language lacks; when English itself is
  // chosen, a missing archive gives way to its folder of loose files.
  const int mode = chosen == kEnglish ? 3 : 3 | kSourceFallback;
  RegisterArchive(where(LanguageArchive(kEnglish)).c_str(), kLangPrefix, mode);
  Current() = chosen;
  Log("Language: %s\n", chosen.c_str());
  return ok;
}

const std::string& CurrentLanguage() { return Current(); }

}  // namespace vx
