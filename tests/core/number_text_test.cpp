#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "cards/number_text.h"

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

// The verdict tells a number from a text that is none, and a number the
// setting does not take, of any length, from one it takes.
TEST(NumberText, TypedNumberAgainstItsRange) {
  using V = TypedNumber::Verdict;
  auto verdict = [](std::string_view text, std::int32_t least, std::int32_t most) {
    return ReadTypedNumber(text, least, most).verdict;
  };
  EXPECT_EQ(ReadTypedNumber("255", 0, 255).value, 255);
  EXPECT_EQ(ReadTypedNumber("+0", 0, 255).value, 0);
  EXPECT_EQ(ReadTypedNumber("-7", -10, 10).value, -7);
  EXPECT_EQ(verdict("255", 0, 255), V::Taken);
  for (const char* text : {"256", "-1", "300", "-0001", "99999999999", "-2147483649"}) {
    EXPECT_EQ(verdict(text, 0, 255), V::OutOfRange) << text;
  }
  EXPECT_EQ(verdict(std::string(200, '9'), -2147483647 - 1, 2147483647), V::OutOfRange);
  for (const char* text : {"", "+", "-", "abc", "12x", " 12", "1.5", "+-3"}) {
    EXPECT_EQ(verdict(text, 0, 255), V::NoWholeNumber) << text;
  }
}

}  // namespace
}  // namespace zlc
