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

  // The replay runs on a linked row, so a collapse unlinks one card instead
  // of moving the rest of the row: it is made for every result.
  constexpr std::int8_t kNone = -1;
  std::int8_t next[kDeckSize];
  std::int8_t prev[kDeckSize];
  for (std::int32_t i = 0; i < count; ++i) {
    next[i] = static_cast<std::int8_t>(i + 1 < count ? i + 1 : kNone);
    prev[i] = static_cast<std::int8_t>(i - 1);
  }
  std::int8_t head = 0;
  std::int32_t left = count;

  // Transits are recorded only left to right: a right card at or before the
  // latest transit belongs to a segment that is already closed.
  std::uint16_t lastTransit = 0;
  std::int8_t a = head;
  while (left >= 3) {
    // The leftmost collapse at or after `a`. Resuming two cards before the
    // last one finds the same collapse as a fresh scan, so the replay removes
    // the cards in the order the convergence test did.
    std::int8_t b = kNone, c = kNone;
    for (; a != kNone; a = next[a]) {
      b = next[a];
      c = b == kNone ? kNone : next[b];
      if (c == kNone) {
        a = kNone;
        break;
      }
      if (Matches(chain.cards[a], chain.cards[c])) break;
    }
    if (a == kNone) break;
    const std::uint16_t right = chain.cards[c].position;
    if (right > lastTransit) {
      layout.isTransit[right] = 1;
      ++layout.transitCount;
      lastTransit = right;
    }
    ++layout.mobility[chain.cards[b].position];
    // Card a leaves the row.
    const std::int8_t before = prev[a];
    if (before == kNone) {
      head = b;
    } else {
      next[before] = b;
    }
    prev[b] = before;
    --left;
    a = before == kNone ? head : (prev[before] == kNone ? head : prev[before]);
  }

  // The work chain ends as the convergence test leaves it.
  work.lastIndex = left - 1;
  std::int32_t k = 0;
  for (std::int8_t i = head; i != kNone; i = next[i]) work.cards[k++] = chain.cards[i];

  layout.mobility[static_cast<std::size_t>(chain.lastIndex)] = 1;
}

}  // namespace zlc
