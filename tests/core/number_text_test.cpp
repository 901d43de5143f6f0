#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "persist/number_text.h"

namespace zlc {
namespace {

TEST(NumberText, AcceptsSignedDecimals) {
  EXPECT_EQ(ParseWholeNumber("0"), 0);
  EXPECT_EQ(ParseWholeNumber("5000"), 5000);
  EXPECT_EQ(ParseWholeNumber("+250"), 250);
  EXPECT_EQ(ParseWholeNumber("-5"), -5);
  EXPECT_EQ(ParseWholeNumber("-0"), 0);
  EXPECT_EQ(ParseWholeNumber("007"), 7);
  // Leading zeros do not count towards the range.
  EXPECT_EQ(ParseWholeNumber("000000000000001000"), 1000);
}

TEST(NumberText, KeepsToThirtyTwoBits) {
  EXPECT_EQ(ParseWholeNumber("2147483647"), 2147483647);
  EXPECT_EQ(ParseWholeNumber("-2147483648"), std::optional<std::int32_t>{-2147483647 - 1});
  EXPECT_EQ(ParseWholeNumber("2147483648"), std::nullopt);
  EXPECT_EQ(ParseWholeNumber("-2147483649"), std::nullopt);
  EXPECT_EQ(ParseWholeNumber("4294967296"), std::nullopt);  // would wrap to 0
  EXPECT_EQ(ParseWholeNumber(std::string(40, '9')), std::nullopt);
}

TEST(NumberText, RefusesEverythingElse) {
  for (const char* text : {"", "+", "-", "abc", "12a", "a12", " 5", "5 ", "5 0", "1.0", "1,000",
                           "1e3", "0x10", "$10", "--1", "+-1", "-+1", "1-"}) {
    EXPECT_EQ(ParseWholeNumber(text), std::nullopt) << "'" << text << "'";
  }
  // A digit followed by a NUL byte is not a number either.
  EXPECT_EQ(ParseWholeNumber(std::string_view("12\0", 3)), std::nullopt);
  // Cyrillic bytes are not digits, whatever their value.
  EXPECT_EQ(ParseWholeNumber("\xB3\xB9"), std::nullopt);
}

}  // namespace
}  // namespace zlc
