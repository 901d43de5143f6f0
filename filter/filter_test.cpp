#include "filter/filter_test.h"

namespace zlc {
namespace {

// Layout position of the card with these letters, or -1.
std::int32_t FindCard(const Layout& layout, char rank, char suit) {
  for (std::int32_t i = 0; i <= layout.chain.lastIndex; ++i) {
    const ChainEntry& card = layout.chain.cards[i];
    if (card.rankLetter == rank && card.suitLetter == suit) return i;
  }
  return -1;
}

// Grid cells name cards by index, so they are looked up through the current
// alphabets: a notation change keeps the same cards required.
bool GridHolds(const FilterSettings& filter, const Layout& layout, const NotationSet& notation) {
  for (int s = 0; s < kSuitCount; ++s) {
    for (int k = 0; k < kRankCount; ++k) {
      const ElementState wanted =
          filter.elementGrid[static_cast<std::size_t>(s)][static_cast<std::size_t>(k)];
      if (wanted == ElementState::Any) continue;
      const std::int32_t at = FindCard(layout, notation.rankLetters[static_cast<std::size_t>(k)],
                                       notation.suitLetters[static_cast<std::size_t>(s)]);
      // A card missing from the layout is in neither state.
      if (at < 0) return false;
      const ElementState actual = layout.mobility[static_cast<std::size_t>(at)] == 0
                                      ? ElementState::Static
                                      : ElementState::Mobile;
      if (actual != wanted) return false;
    }
  }
  return true;
}

}  // namespace

bool PassesFilter(const FilterSettings& filter, const Layout& layout, const NotationSet& notation,
                  const std::array<std::uint8_t, 6>& balancedLines) {
  if (filter.lfEnabled != 0 && layout.transitCount > filter.lfThreshold) return false;
  if (filter.smEnabled != 0 && !GridHolds(filter, layout, notation)) return false;
  if (filter.hbEnabled != 0) {
    for (std::size_t line = 0; line < 6; ++line) {
      if (filter.hbRequired[line] != 0 && balancedLines[line] != 1) return false;
    }
  }
  return true;
}

}  // namespace zlc
