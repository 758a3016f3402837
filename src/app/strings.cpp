#include "app/strings.h"

#include <cstdio>
#include <string>

#include "base/game_record.h"
#include "input/controls.h"
#include "resources/text_file.h"

namespace vx {

namespace {
const char kSavedDefault[] = "Game saved";
const char kSaveFailedDefault[] = "The game could not be saved";

struct StringKey {
  const char* key;
  char* buffer;
  const char* def;
};

// The editor's texts by EditorText: the key in "Strings.txt" and the English
// default. A %s stands for a key's name, a %d for a number.
const char* const kEditorTexts[EDITOR_TEXT_COUNT][2] = {
    {"EditorHelpToggle", "toggle edit mode"},
    {"EditorHelpReload", "reload level"},
    {"EditorHelpClear", "clear level"},
    {"EditorHelpSave", "save level"},
    {"EditorHelpUndo", "undo"},
    {"EditorHelpRedo", "redo"},
    {"EditorHelpHeader", "level header"},
    {"EditorHelpTest", "test from the bottom"},
    {"EditorHeader", "Level header"},
    {"EditorName", "Name"},
    {"EditorDescription", "Description"},
    {"EditorHeight", "Height (rows)"},
    {"EditorScroll", "Scroll speed"},
    {"EditorTiles", "Background tiles"},
    {"EditorTypes", "Block types"},
    {"EditorTypeHits", "Type %d hits"},
    {"EditorTypeScore", "Type %d score"},
    {"EditorShrink", "Remove the top %d rows? Y / N"},
    {"EditorHintFields", "Up, Down: field   Left, Right: step"},
    {"EditorHintKeys", "Enter: set   Esc: take back   %s: close"},
    {"EditorBanner", "Test play - %s: back to editing"},
    {"EditorWritten", "Saved"},
    {"EditorNotWritten", "Can't save"},
    {"EditorNothingToUndo", "Nothing to undo"},
    {"EditorNothingToRedo", "Nothing to redo"},
};
}  // namespace

void LoadStrings() {
  StringTable& s = g.strings;
  const StringKey keys[] = {
      {"PressKey", s.PressKey, nullptr},   {"Loading", s.Loading, nullptr},
      {"Donthave1", s.Donthave1, nullptr}, {"Donthave2", s.Donthave2, nullptr},
      {"Descript", s.Descript, nullptr},   {"ActiveTime", s.ActiveTime, nullptr},
      {"SellPrice", s.SellPrice, nullptr}, {"BuyPrice", s.BuyPrice, nullptr},
      {"Exchange", s.Exchange, nullptr},   {"Instant", s.Instant, nullptr},
      {"EmptySlot", s.EmptySlot, nullptr}, {"Pause", s.Pause, nullptr},
      {"ExitToMenu", s.ExitToMenu, nullptr}, {"Failed", s.Failed, nullptr},
      {"Complete", s.Complete, nullptr},   {"Version", s.Version, nullptr},
      {"Page", s.Page, nullptr},           {"Level", s.Level, nullptr},
      {"Closelevel", s.Closelevel, nullptr}, {"Node1", s.Node[0], nullptr},
      {"Node2", s.Node[1], nullptr},       {"Node3", s.Node[2], nullptr},
      {"Node4", s.Node[3], nullptr},       {"Credits", s.Credits, "cr"},
      {"Points", s.Points, "sp"},
      {"Continue", s.Continue, "Press a key or click to continue"},
      {"BossBeaten", s.BossBeaten, "The guardian is beaten!"},
      {"Language", s.Language, nullptr},
      {"Saved", s.Saved, kSavedDefault},
      {"SaveFailed", s.SaveFailed, kSaveFailedDefault},
      {"QuitUnsaved", s.QuitUnsaved, "Quit without saving? Y / N"},
      {"SaveName", s.SaveName, "Game"},
      {"Sensitivity", s.Sensitivity, "Mouse sensitivity"},
      {"ControlsTitle", s.ControlsTitle, "Controls"},
      {"ControlsKey", s.ControlsKey, "Key"},
      {"ControlsPad", s.ControlsPad, "Controller"},
      {"ControlsDefaults", s.ControlsDefaults, "Defaults"},
      {"ControlsPress", s.ControlsPress, "Press a key or button (Esc keeps, Delete clears)"},
  };
  // A new language starts from empty texts, not from the last one's; texts
  // newer than some string tables are shown even without one.
  s = StringTable();
  std::snprintf(s.Saved, sizeof s.Saved, "%s", kSavedDefault);
  std::snprintf(s.SaveFailed, sizeof s.SaveFailed, "%s", kSaveFailedDefault);
  for (int i = 0; i < EDITOR_TEXT_COUNT; ++i)
    std::snprintf(s.Editor[i], sizeof s.Editor[i], "%s", kEditorTexts[i][1]);
  LanguageTextFile file("Strings.txt");
  if (!file.IsOpen()) return;
  for (int i = 0; i < EDITOR_TEXT_COUNT; ++i)
    file.GetString("All strings", kEditorTexts[i][0], kEditorTexts[i][1], s.Editor[i], 64);
  for (const StringKey& k : keys) file.GetString("All strings", k.key, k.def, k.buffer, 64);
  static_assert(ACTION_COUNT <= kActionTexts, "a label for every control");
  for (int a = 0; a < ACTION_COUNT; ++a) {
    const std::string key = std::string("Control ") + GetActionInfo(a).name;
    file.GetString("All strings", key.c_str(), GetActionInfo(a).name, s.Actions[a], 64);
  }
}

}  // namespace vx
