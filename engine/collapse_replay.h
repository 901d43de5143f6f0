// The collapses of a row one by one, exactly as the convergence test makes
// them: for each, the card that leaves, the two cards it matched across, how
// they matched, and which cards are left. The tool prints it; a window can
// draw from it.
#pragma once

#include <cstdint>

#include "engine/chain.h"

namespace zlc {

enum class MatchKind : std::uint8_t { Suit, Rank };

// The last two cards of a row never leave it, so 36 cards lose at most 34.
inline constexpr int kMostCollapses = kDeckSize - 2;

struct CollapseStep {
  ChainEntry leaving;  // the left card of the triple; it leaves the row
  ChainEntry jumped;   // the middle card, which moves onto the leaving card's place
  ChainEntry matched;  // the right card, sharing the suit or the rank of `leaving`
  MatchKind kind;      // suits are compared first, as the test compares them
  std::uint8_t index;  // where `leaving` stood in the row before this step
  // Bit i set: the card at index i of the starting row is still in the row
  // after this step.
  std::uint64_t rowAfter;
};

struct CollapseReplay {
  Chain start;  // the row as it was given
  std::int32_t stepCount = 0;
  CollapseStep steps[kMostCollapses];

  std::int32_t RemainingCount() const { return start.lastIndex + 1 - stepCount; }
  // Two cards left: a full layout has converged.
  bool Converged() const { return RemainingCount() == 2; }
};

// Collapses a copy of `row` leftmost triple first, as long as any triple
// matches, and records every step. `row` is left as it was. Allocates
// nothing.
void ReplayCollapses(const Chain& row, CollapseReplay& replay);

// The row after the first `done` steps (0: the starting row), into `row`;
// each entry keeps the position it has in the starting row.
void RowAfter(const CollapseReplay& replay, std::int32_t done, Chain& row);

}  // namespace zlc
