#include "filter/filter_test.h"

namespace zlc {
namespace {

// Position of the card with these letters, or -1.
int FindCard(const ResultRecord& record, char rank, char suit) {
  for (int i = 0; i < record.cardCount; ++i) {
    if (record.cards[i][0] == rank && record.cards[i][1] == suit) return i;
  }
  return -1;
}

bool GridHolds(const FilterSettings& filter, const ResultRecord& record) {
  for (int s = 0; s < kSuitCount; ++s) {
    for (int k = 0; k < kRankCount; ++k) {
      const ElementState wanted =
          filter.elementGrid[static_cast<std::size_t>(s)][static_cast<std::size_t>(k)];
      if (wanted == ElementState::Any) continue;
      const int at = FindCard(record, record.rankLetters[k], record.suitLetters[s]);
      // A card missing from the layout is in neither state.
      if (at < 0) return false;
      const ElementState actual = record.IsStatic(at) ? ElementState::Static : ElementState::Mobile;
      if (actual != wanted) return false;
    }
  }
  return true;
}

}  // namespace

bool PassesFilter(const FilterSettings& filter, const ResultRecord& record,
                  const std::array<std::uint8_t, 6>& balancedLines) {
  if (filter.lfEnabled != 0 && record.transitCount > filter.lfThreshold) return false;
  if (filter.smEnabled != 0 && !GridHolds(filter, record)) return false;
  if (filter.hbEnabled != 0) {
    for (std::size_t line = 0; line < 6; ++line) {
      if (filter.hbRequired[line] != 0 && balancedLines[line] != 1) return false;
    }
  }
  return true;
}

}  // namespace zlc
