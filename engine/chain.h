// The chain of cards and its collapse rule: in three consecutive cards, when
// the first and the third share a suit or a rank, the first leaves the row.
#pragma once

#include <cstddef>
#include <cstdint>

#include "cards/notation.h"

namespace zlc {

struct ChainEntry {
  char rankLetter;
  char suitLetter;
  std::uint16_t position;  // where the card was dealt; travels with the card
};

struct Chain {
  std::int32_t lastIndex = -1;
  ChainEntry cards[kDeckSize];
};

// True when the cards at a and a + 2 share a suit or a rank (suits first).
inline bool Matches(const ChainEntry& left, const ChainEntry& right) {
  return left.suitLetter == right.suitLetter || left.rankLetter == right.rankLetter;
}

// Removes entry a: everything behind it moves one place left.
void RemoveEntry(Chain& chain, std::int32_t a);

// Index of the leftmost matching triple starting at or after `from`, or -1.
// After a collapse at a, resuming at a - 2 finds the same next collapse as a
// fresh scan from 0: no triple left of a - 2 holds a changed entry.
std::int32_t FindCollapse(const Chain& chain, std::int32_t from);

// Copies `layout` into `work` and collapses `work` leftmost first for as long
// as any triple matches. The layout converged when work.lastIndex is 1.
void TestConvergence(const Chain& layout, Chain& work);

// Fills a chain from a card text without spaces, two characters per card.
void BindChain(Chain& chain, const char* text, std::size_t length);

}  // namespace zlc
