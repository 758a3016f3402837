// Script commands of `velotrix-tool play` for playing levels without the menus:
//   seed S          the calendar clock that seeds level loads reads S from now
//                   on (seconds still pass), so replays repeat
//   level N         enters level N directly, as the world map would start it
//   give ID [COUNT] puts COUNT (1) units of item ID into the inventory
//   hurt N          the boss in a fight loses N hit points (for pictures of
//                   a fight under way)
//   dump N FILE     from now on appends a line of the level's state to FILE
//                   every N frames while the game screen is current (FILE
//                   relative to the folder the tool was started in)
#include <cstdio>
#include <memory>

#include "app/screen.h"
#include "base/game_record.h"
#include "game/boss_screen.h"
#include "game/game_state_text.h"
#include "game/items.h"
#include "game/level_start.h"
#include "platform/headless/headless_platform.h"
#include "play_commands.h"

namespace vx::tool {

namespace {

bool ReadInt(std::istream& args, int* out) {
  std::string word;
  if (!(args >> word)) return false;
  char* end = nullptr;
  long v = std::strtol(word.c_str(), &end, 0);
  if (*end != 0 || v < -1000000000L || v > 1000000000L) return false;
  *out = static_cast<int>(v);
  return true;
}

bool CmdSeed(std::istream& args, PlayHost& host, std::vector<PlayStep>& out) {
  int seed;
  if (!ReadInt(args, &seed)) return false;
  HeadlessClock* clock = &host.platform->clock;
  out.push_back({false, [seed, clock](std::string&) {
                   // The calendar clock seeds level loads; from now on it reads S.
                   clock->calendarBase = static_cast<uint32_t>(seed) - clock->now / 1000;
                   return true;
                 }});
  return true;
}

bool CmdLevel(std::istream& args, PlayHost&, std::vector<PlayStep>& out) {
  int level;
  if (!ReadInt(args, &level) || level < 1 || level > kLevelCount) return false;
  out.push_back({false, [level](std::string& error) {
                   if (StartLevelDirect(level)) return true;
                   error = "can't start level " + std::to_string(level);
                   return false;
                 }});
  return true;
}

bool CmdGive(std::istream& args, PlayHost&, std::vector<PlayStep>& out) {
  int id, count = 1;
  if (!ReadInt(args, &id) || id < ITEM_BALL || id >= kItemCount) return false;
  args >> std::ws;
  if (!args.eof() && !ReadInt(args, &count)) return false;
  if (count < 1 || count > 1000) return false;
  out.push_back({false, [id, count](std::string& error) {
                   for (int i = 0; i < count; ++i)
                     if (!AddToInventory(id)) {
                       error = "the inventory is full";
                       return false;
                     }
                   return true;
                 }});
  return true;
}

bool CmdHurt(std::istream& args, PlayHost&, std::vector<PlayStep>& out) {
  int points;
  if (!ReadInt(args, &points) || points < 0 || points > kBossHitPoints) return false;
  out.push_back({false, [points](std::string& error) {
                   if (!g.currentScreen || g.currentScreen != g.screens.boss) {
                     error = "hurt: no boss fight on screen";
                     return false;
                   }
                   static_cast<BossScreen*>(g.screens.boss)->hitPoints -= points;
                   return true;
                 }});
  return true;
}

bool CmdDump(std::istream& args, PlayHost& host, std::vector<PlayStep>& out) {
  int every;
  std::string file;
  if (!ReadInt(args, &every) || every < 1 || !(args >> file)) return false;
  std::string path = !file.empty() && file[0] == '/' ? file : host.baseDir + "/" + file;
  auto addHook = host.addFrameHook;
  out.push_back({false, [every, path, addHook](std::string& error) {
                   std::shared_ptr<FILE> f(std::fopen(path.c_str(), "w"), [](FILE* p) {
                     if (p) std::fclose(p);
                   });
                   if (!f) {
                     error = "can't write " + path;
                     return false;
                   }
                   auto frames = std::make_shared<int>(0);
                   addHook([f, frames, every] {
                     if (++*frames % every != 0 || g.currentScreen != g.screens.game) return;
                     std::string line = GameStateLine();
                     std::fputs(line.c_str(), f.get());
                     std::fflush(f.get());
                   });
                   return true;
                 }});
  return true;
}

}  // namespace

VX_PLAY_COMMAND(seed, CmdSeed);
VX_PLAY_COMMAND(level, CmdLevel);
VX_PLAY_COMMAND(give, CmdGive);
VX_PLAY_COMMAND(hurt, CmdHurt);
VX_PLAY_COMMAND(dump, CmdDump);

}  // namespace vx::tool
