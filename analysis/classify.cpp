#include "analysis/classify.h"


namespace zlc {

void ClassifyElements(Layout& layout, Chain& work) {
  const Chain& chain = layout.chain;
  layout.mobility.fill(0);
  layout.isTransit.fill(0);
  layout.transitCount = 0;
  const std::int32_t count = chain.lastIndex + 1;
  if (count <= 0) {
    work.lastIndex = chain.lastIndex;
    return;
  }

  // The replay keeps the row as it stands up to the cards still to come, as
  // indexes into the layout. No triple in it matches before `at`: after a
  // collapse the search resumes two cards before the one that left, which
  // finds the same collapse as a fresh scan, so the replay removes the cards
  // in the order the convergence test did. A card that leaves has at most a
  // few behind it in the row, so moving them is cheaper than unlinking.
  std::int8_t row[kDeckSize];
  std::int32_t size = 0;
  std::int32_t dealt = 0;
  std::int32_t at = 0;

  // Transits are recorded only left to right: a right card at or before the
  // latest transit belongs to a segment that is already closed.
  std::uint16_t lastTransit = 0;
  for (;;) {
    if (at + 2 >= size) {
      if (dealt == count) break;
      row[size++] = static_cast<std::int8_t>(dealt++);
      continue;
    }
    if (!Matches(chain.cards[row[at]], chain.cards[row[at + 2]])) {
      ++at;
      continue;
    }
    const std::uint16_t right = chain.cards[row[at + 2]].position;
    if (right > lastTransit) {
      layout.isTransit[right] = 1;
      ++layout.transitCount;
      lastTransit = right;
    }
    ++layout.mobility[chain.cards[row[at + 1]].position];
    // The left card leaves the row.
    --size;
    for (std::int32_t k = at; k < size; ++k) row[k] = row[k + 1];
    at = at >= 2 ? at - 2 : 0;
  }

  // The work chain ends as the convergence test leaves it.
  work.lastIndex = size - 1;
  for (std::int32_t k = 0; k < size; ++k) work.cards[k] = chain.cards[row[k]];

  layout.mobility[static_cast<std::size_t>(chain.lastIndex)] = 1;
}

}  // namespace zlc
