#include <gtest/gtest.h>

#include <array>
#include <string>

#include "analysis/classify.h"
#include "analysis/hexagrams.h"
#include "analysis/result_record.h"
#include "cards/notation.h"
#include "engine/chain.h"
#include "engine/layout.h"
#include "filter/filter_settings.h"
#include "filter/filter_test.h"

namespace zlc {
namespace {

using Lines = std::array<std::uint8_t, 6>;

NotationSet Notation(int kind) {
  NotationSet set;
  SetNotation(set, kind);
  return set;
}

// The notation's starting deck, every card mobile unless made static.
Layout DeckLayout(const NotationSet& notation) {
  std::string text;
  for (char c : notation.baseDeck) {
    if (c != ' ') text += c;
  }
  Layout layout;
  BindChain(layout.chain, text.data(), text.size());
  layout.mobility.fill(1);
  return layout;
}

void SetState(Layout& layout, const NotationSet& notation, int rank, int suit, std::uint8_t mobility) {
  for (int i = 0; i <= layout.chain.lastIndex; ++i) {
    const ChainEntry& card = layout.chain.cards[i];
    if (card.rankLetter == notation.rankLetters[static_cast<std::size_t>(rank)] &&
        card.suitLetter == notation.suitLetters[static_cast<std::size_t>(suit)]) {
      layout.mobility[static_cast<std::size_t>(i)] = mobility;
    }
  }
}

// The verdict on a layout's record; L(F) as the layout's count says, so a
// case can set the count alone.
bool Passes(const FilterSettings& filter, const Layout& layout, const NotationSet& notation,
            const Lines& balancedLines) {
  ResultRecord record;
  RecordLayout(record, layout, notation);
  record.transitCount = layout.transitCount;
  return PassesFilter(filter, record, balancedLines);
}

FilterSettings NothingOn() {
  FilterSettings filter;
  filter.smEnabled = 0;
  return filter;
}

constexpr int kTen = 4, kJack = 5, kSeven = 1, kEight = 2, kSix = 0;

TEST(Filter, TransitThreshold) {
  const NotationSet ru;
  Layout layout = DeckLayout(ru);
  FilterSettings filter = NothingOn();
  filter.lfEnabled = 1;
  filter.lfThreshold = 8;
  layout.transitCount = 8;
  EXPECT_TRUE(Passes(filter, layout, ru, Lines{}));
  layout.transitCount = 9;
  EXPECT_FALSE(Passes(filter, layout, ru, Lines{}));
  filter.lfEnabled = 0;
  EXPECT_TRUE(Passes(filter, layout, ru, Lines{}));
}

TEST(Filter, GridCells) {
  const NotationSet ru;
  Layout layout = DeckLayout(ru);
  SetState(layout, ru, kSix, 0, 0);    // 6 of the first suit static
  SetState(layout, ru, kJack, 2, 0);   // jack of the third suit static
  SetState(layout, ru, kEight, 3, 3);  // mobile more than once is still mobile
  FilterSettings filter;
  auto& grid = filter.elementGrid;

  grid[0][kSix] = ElementState::Static;
  grid[3][kEight] = ElementState::Mobile;
  EXPECT_TRUE(Passes(filter, layout, ru, Lines{}));

  // Ranks outside the hexagram lines are tested like any other.
  grid[2][kJack] = ElementState::Mobile;
  EXPECT_FALSE(Passes(filter, layout, ru, Lines{}));
  grid[2][kJack] = ElementState::Static;
  EXPECT_TRUE(Passes(filter, layout, ru, Lines{}));
  grid[1][kSeven] = ElementState::Static;
  EXPECT_FALSE(Passes(filter, layout, ru, Lines{}));

  // Switched off, the cells keep their states but are not looked at.
  filter.smEnabled = 0;
  EXPECT_TRUE(Passes(filter, layout, ru, Lines{}));
}

TEST(Filter, GridNamesTheSameCardsInEitherNotation) {
  // The two starting decks hold the same cards in the same order.
  const NotationSet ru = Notation(1), en = Notation(2);
  Layout ruLayout = DeckLayout(ru), enLayout = DeckLayout(en);
  SetState(ruLayout, ru, 7, 1, 0);  // king of diamonds
  SetState(enLayout, en, 7, 1, 0);
  EXPECT_EQ(ruLayout.mobility, enLayout.mobility);

  FilterSettings filter;
  filter.elementGrid[1][7] = ElementState::Static;
  EXPECT_TRUE(Passes(filter, ruLayout, ru, Lines{}));
  EXPECT_TRUE(Passes(filter, enLayout, en, Lines{}));
  filter.elementGrid[1][7] = ElementState::Mobile;
  EXPECT_FALSE(Passes(filter, ruLayout, ru, Lines{}));
  EXPECT_FALSE(Passes(filter, enLayout, en, Lines{}));
}

TEST(Filter, StartingDeckEnds) {
  // The first card of a result is static and the last mobile.
  const NotationSet en = Notation(2);
  Layout layout = DeckLayout(en);
  Chain work{};
  ClassifyElements(layout, work);
  ASSERT_EQ(work.lastIndex, 1);
  FilterSettings filter;
  filter.elementGrid[1][8] = ElementState::Static;  // Ad, first
  filter.elementGrid[1][3] = ElementState::Mobile;  // 9d, last
  EXPECT_TRUE(Passes(filter, layout, en, Lines{}));
  filter.elementGrid[1][3] = ElementState::Static;
  EXPECT_FALSE(Passes(filter, layout, en, Lines{}));
}

TEST(Filter, HexBalanceOnLineThree) {
  const NotationSet ru;
  FilterSettings filter = NothingOn();
  filter.hbEnabled = 1;
  filter.hbRequired[2] = 1;
  std::string line2, line3;
  Lines balanced{};

  // Two tens static, two mobile: line 3 balanced.
  Layout layout = DeckLayout(ru);
  SetState(layout, ru, kTen, 0, 0);
  SetState(layout, ru, kTen, 2, 0);
  AppendAnalysisLines(line2, line3, balanced, layout, 1, ru);
  EXPECT_TRUE(Passes(filter, layout, ru, balanced));

  // Three mobile, one static.
  SetState(layout, ru, kTen, 2, 1);
  AppendAnalysisLines(line2, line3, balanced, layout, 1, ru);
  EXPECT_FALSE(Passes(filter, layout, ru, balanced));

  filter.hbEnabled = 0;
  EXPECT_TRUE(Passes(filter, layout, ru, balanced));
  filter.hbEnabled = 1;
  filter.hbRequired[2] = 0;
  EXPECT_TRUE(Passes(filter, layout, ru, balanced));
}

TEST(Filter, EveryCriterionMustHold) {
  const NotationSet ru;
  Layout layout = DeckLayout(ru);
  layout.transitCount = 5;
  FilterSettings filter;
  filter.lfEnabled = 1;
  filter.lfThreshold = 5;
  filter.elementGrid[0][kSix] = ElementState::Mobile;
  filter.hbEnabled = 1;
  filter.hbRequired[5] = 1;
  const Lines sixthBalanced{0, 0, 0, 0, 0, 1};
  EXPECT_TRUE(Passes(filter, layout, ru, sixthBalanced));
  EXPECT_FALSE(Passes(filter, layout, ru, Lines{}));
  layout.transitCount = 6;
  EXPECT_FALSE(Passes(filter, layout, ru, sixthBalanced));
  layout.transitCount = 5;
  SetState(layout, ru, kSix, 0, 0);
  EXPECT_FALSE(Passes(filter, layout, ru, sixthBalanced));
}

}  // namespace
}  // namespace zlc
