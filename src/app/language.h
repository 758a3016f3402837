// The language of the game's texts. Each language is one archive beside the
// data archive, registered under LANG\ ("Velotrix.lng" for English, the
// default; "Velotrix.xx.lng" for language xx); English stands behind any other
// language as a fallback source, so a text the language lacks is read in
// English with a log line. The choice comes from the settings, else from the
// environment on first start, else English.
#pragma once

#include <string>
#include <vector>

namespace vx {

extern const char kEnglish[];  // "en"

// Two or three letters, optionally a region ("pt_BR"): nothing that could
// lead a file name elsewhere.
bool IsLanguageCode(const std::string& code);

// "Velotrix.lng" for English, "Velotrix.xx.lng" for xx (codes are matched in
// lower case).
std::string LanguageArchive(const std::string& code);

// The languages whose archives lie in the working directory or the installed
// data folder: English first (always), then the others in alphabetical order.
std::vector<std::string> AvailableLanguages();

// What the environment asks for, in the order LANGUAGE (a colon-separated
// list), LC_ALL, LC_MESSAGES, LANG: the first of them that is set and not
// empty decides, and the first of its entries ("ru_RU.UTF-8" reads as ru_RU,
// then ru) that is available wins. "" when it names none.
using GetEnvFn = const char* (*)(const char*);
std::string LanguageFromEnvironment(const std::vector<std::string>& available, GetEnvFn getEnv);

// Registers the archive of CODE under LANG\ in place of the current language's,
// with English behind it; the archives are looked for in FOLDER, or where
// ArchivePath finds them when it is empty. A language whose archive cannot be
// opened leaves English in use: false, with a log line.
bool UseLanguage(const std::string& code, const std::string& folder = "");
// The language in use ("en" until UseLanguage chose another).
const std::string& CurrentLanguage();

// The language to start in: the setting when it is a well-formed code (kept
// even when its archive is missing), else the environment's when available,
// else English.
std::string StartLanguage(const std::string& setting, const std::vector<std::string>& available,
                          GetEnvFn getEnv);

}  // namespace vx
