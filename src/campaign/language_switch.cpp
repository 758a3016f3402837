#include "campaign/language_switch.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/language.h"
#include "app/strings.h"
#include "base/game_record.h"
#include "base/log.h"
#include "game/items.h"
#include "game/level_names.h"
#include "graphics/shared_art.h"

namespace vx {

const std::string& SwitchLanguage(const std::string& code, const std::string& folder) {
  Log("Switch language to %s\n", code.c_str());
  UseLanguage(code, folder);
  std::snprintf(g.settings.language, sizeof g.settings.language, "%s", CurrentLanguage().c_str());
  LoadStrings();
  LoadItems();
  LoadLevelNames();
  ReloadLanguageArt();
  return CurrentLanguage();
}

std::string NextLanguage() {
  const std::vector<std::string> all = AvailableLanguages();
  auto at = std::find(all.begin(), all.end(), CurrentLanguage());
  if (at == all.end() || ++at == all.end()) return all.front();
  return *at;
}

}  // namespace vx
