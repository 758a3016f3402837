#include "platform/text_codec.h"

#include <gtest/gtest.h>

namespace vx {
namespace {

TEST(TextCodec, Utf8ToCodePage866) {
  EXPECT_EQ(Utf8ToCp866("Abc 1!"), "Abc 1!");
  EXPECT_EQ(Utf8ToCp866("\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82"),  // "Привет"
            "\x8F\xE0\xA8\xA2\xA5\xE2");
  EXPECT_EQ(Utf8ToCp866("\xD0\x81"), "\xF0");  // Ё
}

TEST(TextCodec, UnrepresentableAndBrokenInputIsLeftOut) {
  EXPECT_EQ(Utf8ToCp866("a\xE2\x82\xAC" "b"), "ab");  // the euro sign has no place in 866
  EXPECT_EQ(Utf8ToCp866("a\xFF" "b\x80"), "ab");
  EXPECT_EQ(Utf8ToCp866("ab\xD0"), "ab");  // cut in the middle of a character
  EXPECT_EQ(Utf8ToCp866(std::string("a\0b", 3)), std::string("a\0b", 3));
  EXPECT_EQ(Utf8ToCp866(""), "");
}

}  // namespace
}  // namespace vx
