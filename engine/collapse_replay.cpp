#include "engine/collapse_replay.h"

namespace zlc {

void ReplayCollapses(const Chain& row, CollapseReplay& replay) {
  replay.start = row;
  replay.stepCount = 0;
  // The work row names each card by its index in the starting row, so that
  // a step can tell which card left whatever positions the row carries.
  Chain work;
  work.lastIndex = row.lastIndex;
  std::uint64_t left = 0;
  for (std::int32_t i = 0; i <= row.lastIndex; ++i) {
    work.cards[i] =
        ChainEntry{row.cards[i].rankLetter, row.cards[i].suitLetter, static_cast<std::uint16_t>(i)};
    left |= std::uint64_t{1} << i;
  }
  // The convergence test's own loop: leftmost collapse first, the scan
  // resumed two cards before it.
  std::int32_t from = 0;
  while (work.lastIndex >= 2) {
    const std::int32_t a = FindCollapse(work, from);
    if (a < 0) break;
    CollapseStep& step = replay.steps[replay.stepCount++];
    step.leaving = row.cards[work.cards[a].position];
    step.jumped = row.cards[work.cards[a + 1].position];
    step.matched = row.cards[work.cards[a + 2].position];
    step.kind = step.leaving.suitLetter == step.matched.suitLetter ? MatchKind::Suit : MatchKind::Rank;
    step.index = static_cast<std::uint8_t>(a);
    left &= ~(std::uint64_t{1} << work.cards[a].position);
    step.rowAfter = left;
    RemoveEntry(work, a);
    from = a >= 2 ? a - 2 : 0;
  }
}

void RowAfter(const CollapseReplay& replay, std::int32_t done, Chain& row) {
  const Chain& start = replay.start;
  if (done <= 0) {
    row = start;
    return;
  }
  if (done > replay.stepCount) done = replay.stepCount;
  const std::uint64_t left = replay.steps[done - 1].rowAfter;
  row.lastIndex = -1;
  for (std::int32_t i = 0; i <= start.lastIndex; ++i) {
    if ((left >> i) & 1u) row.cards[++row.lastIndex] = start.cards[i];
  }
}

}  // namespace zlc
