#include "base/item_catalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace vx {
namespace {

// Recorded games replay the block prizes as one draw from this range.
TEST(ItemCatalogue, BlocksHoldThePowerUpsFourToTwentyOne) {
  EXPECT_EQ(kFirstBlockItem, ITEM_WIDE_BUSTER);
  EXPECT_EQ(kLastBlockItem, ITEM_DETONATOR);
  EXPECT_FALSE(kItemCatalogue[ITEM_SHIELD].inBlocks);
  EXPECT_FALSE(kItemCatalogue[ITEM_BALL].inBlocks);
}

TEST(ItemCatalogue, TheShopSellsEverythingButTheSmallCoin) {
  EXPECT_EQ(kSoldItemCount, 21);
  EXPECT_EQ(SoldItem(0), ITEM_CREDIT1);
  EXPECT_EQ(SoldItem(1), ITEM_BALL);
  EXPECT_EQ(SoldItem(20), ITEM_SHIELD);
  EXPECT_EQ(SoldItem(21), ITEM_NONE);
  EXPECT_EQ(SoldItem(-1), ITEM_NONE);
  EXPECT_FALSE(IsSold(ITEM_CREDIT2));
  EXPECT_FALSE(IsSold(ITEM_NONE));
  EXPECT_FALSE(IsSold(kItemCount));
}

TEST(ItemCatalogue, CoinsAndSections) {
  EXPECT_EQ(CoinValue(ITEM_CREDIT1), 5);
  EXPECT_EQ(CoinValue(ITEM_CREDIT2), 1);
  EXPECT_FALSE(IsCoin(ITEM_BALL));
  EXPECT_FALSE(IsCoin(kItemCount));
  EXPECT_STREQ(ItemSection(ITEM_WIDE_BUSTER), "ITEM_WIDE_BUSTER");
  EXPECT_STREQ(ItemSection(-1), "");
  EXPECT_STREQ(ItemSection(kItemCount), "");
  std::set<std::string> sections;
  for (const CatalogueItem& item : kItemCatalogue) sections.insert(item.section);
  EXPECT_EQ(sections.size(), static_cast<size_t>(kItemCount)) << "two items share a section";
}

}  // namespace
}  // namespace vx
