#include "filter/filter_editing.h"

#include <gtest/gtest.h>

#include <string>

#include "analysis/hexagrams.h"
#include "filter/filter_settings.h"

namespace zlc {
namespace {

constexpr int kSix = 0, kSeven = 1, kEight = 2, kNine = 3, kTen = 4, kJack = 5, kQueen = 6,
              kKing = 7, kAce = 8;
constexpr auto Any = ElementState::Any;
// Written apart so that no "??)" sequence appears.
const std::string kNoFigure = "#?  (" + std::string(6, '?') + ")";
constexpr auto Static = ElementState::Static;
constexpr auto Mobile = ElementState::Mobile;

ElementState& Cell(FilterSettings& f, int suit, int rank) {
  return f.elementGrid[static_cast<std::size_t>(suit)][static_cast<std::size_t>(rank)];
}

TEST(FilterEditingCycle, ClicksGoRoundAndSetStateTakesAtMostTwo) {
  FilterSettings f;
  const FilterSettings before = f;
  EXPECT_EQ(CycleCard(f, 1, kTen), Static);
  EXPECT_EQ(CycleCard(f, 1, kTen), Mobile);
  EXPECT_EQ(CycleCard(f, 1, kTen), Any);
  EXPECT_EQ(f.elementGrid, before.elementGrid);
  for (ElementState target : {Mobile, Static, Static, Any}) {
    SetCardState(f, 2, kJack, target);
    EXPECT_EQ(Cell(f, 2, kJack), target);
  }
}

TEST(FilterEditingBalance, ThreeEqualStatesMakeALineImpossibleAndDropItsRequirement) {
  FilterSettings f;
  f.hbRequired = {1, 0, 0, 0, 0, 1};
  CycleCard(f, 0, kNine);
  CycleCard(f, 1, kNine);
  EXPECT_TRUE(BalanceLinePossible(f, 0));
  EXPECT_EQ(f.hbRequired[0], 1) << "two of four static still balance";
  CycleCard(f, 2, kNine);
  EXPECT_FALSE(BalanceLinePossible(f, 0));
  EXPECT_EQ(f.hbRequired[0], 0);
  EXPECT_EQ(f.hbRequired[5], 1) << "line 6 is not concerned";

  // Back to two: possible again, but the requirement is not restored.
  SetCardState(f, 1, kNine, Any);
  EXPECT_TRUE(BalanceLinePossible(f, 0));
  EXPECT_EQ(f.hbRequired[0], 0);
}

TEST(FilterEditingBalance, StaticAndMobileAreCountedApart) {
  FilterSettings f;
  for (int suit = 0; suit < 3; ++suit) Cell(f, suit, kAce) = Mobile;
  EXPECT_FALSE(BalanceLinePossible(f, 5));
  Cell(f, 2, kAce) = Static;
  Cell(f, 3, kAce) = Static;
  EXPECT_TRUE(BalanceLinePossible(f, 5)) << "two static and two mobile";
}

TEST(FilterEditingBalance, AnyClickDropsARequirementLoadedForAnImpossibleLine) {
  FilterSettings f;
  for (int suit = 0; suit < 4; ++suit) Cell(f, suit, kQueen) = Static;
  f.hbRequired[3] = 1;  // as a configuration file may hold it
  EXPECT_FALSE(BalanceLinePossible(f, 3));
  CycleCard(f, 0, kEight);
  EXPECT_EQ(f.hbRequired[3], 0);
}

TEST(FilterEditingHexagram, SetElevenOnTheFirstSuit) {
  FilterSettings f;
  Cell(f, 0, kSeven) = Mobile;
  Cell(f, 0, kJack) = Static;
  Cell(f, 0, kNine) = Static;
  ASSERT_TRUE(SetSuitHexagram(f, 0, 11));
  for (int rank : {kAce, kKing, kQueen}) EXPECT_EQ(Cell(f, 0, rank), Static) << rank;
  for (int rank : {kTen, kSix, kNine}) EXPECT_EQ(Cell(f, 0, rank), Mobile) << rank;
  EXPECT_EQ(Cell(f, 0, kSeven), Mobile);
  EXPECT_EQ(Cell(f, 0, kEight), Any);
  EXPECT_EQ(Cell(f, 0, kJack), Static);
  EXPECT_EQ(HexagramLabelText(f, 0), "#11  (111000)");
  for (int suit = 1; suit < 4; ++suit) EXPECT_EQ(HexagramLabelText(f, suit), kNoFigure);
}

TEST(FilterEditingHexagram, EveryNumberSetsTheFiguresThatReadBackAsIt) {
  for (int number = 1; number <= 64; ++number) {
    FilterSettings f;
    ASSERT_TRUE(SetSuitHexagram(f, 3, number));
    std::array<std::uint8_t, 6> lines{};
    for (int line = 0; line < 6; ++line) {
      lines[static_cast<std::size_t>(line)] = Cell(f, 3, kLineRanks[line]) == Mobile ? 1 : 0;
    }
    EXPECT_EQ(HexagramNumber(lines), number);
    EXPECT_EQ(HexagramLabelText(f, 3).rfind("#" + std::to_string(number) + "  (", 0), 0u)
        << HexagramLabelText(f, 3);
  }
}

TEST(FilterEditingHexagram, NoPickOrAnUnknownNumberChangesNothing) {
  FilterSettings f;
  Cell(f, 1, kKing) = Mobile;
  const FilterSettings before = f;
  for (int number : {-1, 0, 65}) {
    EXPECT_FALSE(SetSuitHexagram(f, 1, number));
    EXPECT_EQ(f.elementGrid, before.elementGrid);
  }
}

TEST(FilterEditingHexagram, SettingPassesThroughStaticWithItsEffects) {
  // An Any ace becomes Mobile by way of Static; with two other static aces
  // that step makes line 6 impossible for a moment and drops its flag.
  FilterSettings f;
  Cell(f, 0, kAce) = Static;
  Cell(f, 1, kAce) = Static;
  f.hbRequired[5] = 1;
  ASSERT_TRUE(SetSuitHexagram(f, 2, 1));
  EXPECT_EQ(Cell(f, 2, kAce), Mobile);
  EXPECT_TRUE(BalanceLinePossible(f, 5));
  EXPECT_EQ(f.hbRequired[5], 0);
}

TEST(FilterEditingHexagram, ClearSuitResetsOnlyThatSuit) {
  FilterSettings f;
  SetSuitHexagram(f, 0, 5);
  SetSuitHexagram(f, 1, 5);
  Cell(f, 1, kEight) = Static;
  ClearSuit(f, 1);
  for (int rank = 0; rank < 9; ++rank) EXPECT_EQ(Cell(f, 1, rank), Any) << rank;
  EXPECT_EQ(HexagramLabelText(f, 1), kNoFigure);
  EXPECT_EQ(HexagramLabelText(f, 0).rfind("#5  (", 0), 0u);
}

TEST(FilterEditingText, HexagramLabelOfPartAndWholeFigures) {
  FilterSettings f;
  Cell(f, 0, kNine) = Static;
  Cell(f, 0, kAce) = Mobile;
  EXPECT_EQ(HexagramLabelText(f, 0), "#?  (0????1)");

  for (int rank : {kNine, kSix, kTen}) Cell(f, 0, rank) = Mobile;
  for (int rank : {kQueen, kKing, kAce}) Cell(f, 0, rank) = Static;
  EXPECT_EQ(HexagramLabelText(f, 0), "#11  (111000)");
  Cell(f, 0, kNine) = Any;
  EXPECT_EQ(HexagramLabelText(f, 0), "#?  (?11000)");

  for (int line = 0; line < 6; ++line) Cell(f, 1, kLineRanks[line]) = line == 0 ? Mobile : Static;
  EXPECT_EQ(HexagramLabelText(f, 1), "#24  (100000)");
}

TEST(FilterEditingText, LineDigitsReadLinesOneToSix) {
  EXPECT_EQ(LineDigits(0, 7), "111000");
  EXPECT_EQ(LineDigits(3, 7), "100000");  // thunder below: only line 1 yang
  EXPECT_EQ(LineDigits(7, 6), "000001");  // mountain above: only line 6 yang
}

TEST(FilterEditingText, BalanceLabelFollowsTheRequiredLines) {
  FilterSettings f;
  EXPECT_EQ(BalanceLabelText(f), "HB:(?/?/?/?/?/?)");
  f.hbRequired[0] = 1;
  f.hbRequired[5] = 1;
  EXPECT_EQ(BalanceLabelText(f), "HB:(=/?/?/?/?/=)");
  ClearBalanceLines(f);
  EXPECT_EQ(BalanceLabelText(f), "HB:(?/?/?/?/?/?)");
}

TEST(FilterEditingControls, ResultVariantsIsManyOnlyForTheExactWord) {
  FilterSettings f;
  SetResultVariants(f, "Many");
  EXPECT_EQ(f.resultVariants, ResultVariants::Many);
  for (const char* text : {"many", "Many ", ""}) {
    SetResultVariants(f, "Many");
    SetResultVariants(f, text);
    EXPECT_EQ(f.resultVariants, ResultVariants::One) << '"' << text << '"';
  }
}

TEST(FilterEditingControls, ThresholdTakesWholeNumbersThatFitEightBits) {
  using V = TypedNumber::Verdict;
  FilterSettings f;
  EXPECT_EQ(SetThresholdText(f, "40"), V::Taken);
  EXPECT_EQ(f.lfThreshold, 40);
  EXPECT_EQ(SetThresholdText(f, "0"), V::Taken);
  EXPECT_EQ(f.lfThreshold, 0);
  EXPECT_EQ(SetThresholdText(f, "+255"), V::Taken);
  EXPECT_EQ(f.lfThreshold, 255);

  f.lfThreshold = 8;
  for (const char* text : {"256", "-1", "300", "99999999999999999999"}) {
    EXPECT_EQ(SetThresholdText(f, text), V::OutOfRange) << '"' << text << '"';
    EXPECT_EQ(f.lfThreshold, 8);
  }
  for (const char* text : {"", "abc", "12x", " 12", "+"}) {
    EXPECT_EQ(SetThresholdText(f, text), V::NoWholeNumber) << '"' << text << '"';
    EXPECT_EQ(f.lfThreshold, 8);
  }
}

}  // namespace
}  // namespace zlc
