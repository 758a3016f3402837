// The item catalogue: one row per item id with the facts that never change (its
// section in "Items.txt", whether it is a coin, whether blocks hold it, whether
// the shop sells it). Adding an item means adding its id and its row here; the
// game, the shop, the shared art and the data generator all count from this
// table. Prices, active times and texts are read from "Items.txt".
#pragma once

#include <cstdint>

namespace vx {

enum ItemId : uint16_t {
  ITEM_NONE = 0,
  ITEM_CREDIT1 = 1,
  ITEM_CREDIT2 = 2,
  ITEM_BALL = 3,
  ITEM_WIDE_BUSTER = 4,
  ITEM_INCREASE_SPEED = 5,
  ITEM_DECREASE_SPEED = 6,
  ITEM_ADD_BALL = 7,
  ITEM_CANNON = 8,
  ITEM_FREE_FLY = 9,
  ITEM_PIERCING = 10,
  ITEM_CREDITS_ATTRACTOR = 11,
  ITEM_SCREAMER = 12,
  ITEM_SNIPER = 13,
  ITEM_TIMEZIP = 14,
  ITEM_BALL_ATTRACTOR = 15,
  ITEM_RUBBER = 16,
  ITEM_SHADOW = 17,
  ITEM_BOMB = 18,
  ITEM_TIMEBOMB = 19,
  ITEM_INVISIBLE = 20,
  ITEM_DETONATOR = 21,
  ITEM_SHIELD = 22,
};

struct CatalogueItem {
  ItemId id;
  const char* section;  // its section in "Items.txt"
  int coinValue;        // credits a caught coin pays; 0: not a coin
  bool inBlocks;        // a block may hold it as its rare prize (coins have odds of their own)
  bool sold;            // stands on a shop shelf
};

// clang-format off
inline constexpr CatalogueItem kItemCatalogue[] = {
    {ITEM_NONE,              "ITEM_NONE",              0, false, false},
    {ITEM_CREDIT1,           "ITEM_CREDIT1",           5, false, true},  // bought with points
    {ITEM_CREDIT2,           "ITEM_CREDIT2",           1, false, false},
    {ITEM_BALL,              "ITEM_BALL",              0, false, true},  // an extra ship
    {ITEM_WIDE_BUSTER,       "ITEM_WIDE_BUSTER",       0, true,  true},
    {ITEM_INCREASE_SPEED,    "ITEM_INCREASE_SPEED",    0, true,  true},
    {ITEM_DECREASE_SPEED,    "ITEM_DECREASE_SPEED",    0, true,  true},
    {ITEM_ADD_BALL,          "ITEM_ADD_BALL",          0, true,  true},
    {ITEM_CANNON,            "ITEM_CANNON",            0, true,  true},
    {ITEM_FREE_FLY,          "ITEM_FREE_FLY",          0, true,  true},
    {ITEM_PIERCING,          "ITEM_PIERCING",          0, true,  true},
    {ITEM_CREDITS_ATTRACTOR, "ITEM_CREDITS_ATTRACTOR", 0, true,  true},
    {ITEM_SCREAMER,          "ITEM_SCREAMER",          0, true,  true},
    {ITEM_SNIPER,            "ITEM_SNIPER",            0, true,  true},
    {ITEM_TIMEZIP,           "ITEM_TIMEZIP",           0, true,  true},
    {ITEM_BALL_ATTRACTOR,    "ITEM_BALL_ATTRACTOR",    0, true,  true},
    {ITEM_RUBBER,            "ITEM_RUBBER",            0, true,  true},
    {ITEM_SHADOW,            "ITEM_SHADOW",            0, true,  true},
    {ITEM_BOMB,              "ITEM_BOMB",              0, true,  true},
    {ITEM_TIMEBOMB,          "ITEM_TIMEBOMB",          0, true,  true},
    {ITEM_INVISIBLE,         "ITEM_INVISIBLE",         0, true,  true},
    {ITEM_DETONATOR,         "ITEM_DETONATOR",         0, true,  true},
    {ITEM_SHIELD,            "ITEM_SHIELD",            0, false, true},
};
// clang-format on

// Ids 0 .. kItemCount - 1; id 0 is no item.
constexpr int kItemCount = sizeof kItemCatalogue / sizeof kItemCatalogue[0];

namespace item_catalogue_detail {
constexpr bool RowsInIdOrder() {
  for (int id = 0; id < kItemCount; ++id)
    if (kItemCatalogue[id].id != id) return false;
  return true;
}
constexpr int CountSold() {
  int n = 0;
  for (const CatalogueItem& item : kItemCatalogue) n += item.sold;
  return n;
}
constexpr int BlockItemEdge(bool last) {
  int edge = 0;
  for (int id = 0; id < kItemCount; ++id)
    if (kItemCatalogue[id].inBlocks && (last || edge == 0)) edge = id;
  return edge;
}
}  // namespace item_catalogue_detail

static_assert(item_catalogue_detail::RowsInIdOrder(), "row n of the catalogue describes id n");
static_assert(ITEM_SHIELD + 1 == kItemCount, "every id has its row");

constexpr bool IsItem(int id) { return id > 0 && id < kItemCount; }
// Its section in "Items.txt"; "" for ids out of range.
constexpr const char* ItemSection(int id) {
  return id >= 0 && id < kItemCount ? kItemCatalogue[id].section : "";
}
constexpr int CoinValue(int id) { return IsItem(id) ? kItemCatalogue[id].coinValue : 0; }
constexpr bool IsCoin(int id) { return CoinValue(id) != 0; }
constexpr bool IsSold(int id) { return IsItem(id) && kItemCatalogue[id].sold; }

// A block's prize is drawn from one range of ids (a single random draw, which
// recorded games replay), so the ids blocks hold stand together.
constexpr int kFirstBlockItem = item_catalogue_detail::BlockItemEdge(false);
constexpr int kLastBlockItem = item_catalogue_detail::BlockItemEdge(true);
namespace item_catalogue_detail {
constexpr bool BlockItemsTogether() {
  for (int id = kFirstBlockItem; id <= kLastBlockItem; ++id)
    if (!kItemCatalogue[id].inBlocks) return false;
  return kFirstBlockItem > 0;
}
}  // namespace item_catalogue_detail
static_assert(item_catalogue_detail::BlockItemsTogether(), "the ids blocks hold stand together");

// The items the shop sells, in id order.
constexpr int kSoldItemCount = item_catalogue_detail::CountSold();
// The n-th sold item (0 .. kSoldItemCount - 1); ITEM_NONE out of range.
constexpr int SoldItem(int n) {
  for (const CatalogueItem& item : kItemCatalogue)
    if (item.sold && n-- == 0) return item.id;
  return ITEM_NONE;
}

}  // namespace vx
