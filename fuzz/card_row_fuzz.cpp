// Any text given as a row of cards (a pasted result line, the tool's
// --replay): either a fault, or distinct cards whose collapse replay ends
// where the convergence test ends, each step the leftmost collapse.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "cards/card_row.h"
#include "editor_check.h"
#include "engine/chain.h"
#include "engine/collapse_replay.h"

namespace {

using zlc::fuzz::Require;

void CheckReplay(const std::string& cards) {
  zlc::Chain row{};
  zlc::BindChain(row, cards.data(), cards.size());
  zlc::CollapseReplay replay;
  zlc::ReplayCollapses(row, replay);
  zlc::Chain work{};
  zlc::TestConvergence(row, work);
  Require(replay.RemainingCount() == work.lastIndex + 1, "the replay ends where the test ends", cards);
  zlc::Chain before{};
  for (std::int32_t s = 0; s < replay.stepCount; ++s) {
    zlc::RowAfter(replay, s, before);
    const zlc::CollapseStep& step = replay.steps[s];
    Require(zlc::FindCollapse(before, 0) == step.index, "each step is the leftmost collapse", cards);
    Require(zlc::Matches(step.leaving, step.matched), "the leaving card matches across", cards);
  }
  zlc::RowAfter(replay, replay.stepCount, before);
  Require(before.lastIndex < 2 || zlc::FindCollapse(before, 0) < 0, "nothing collapses at the end", cards);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text{reinterpret_cast<const char*>(data), size};
  for (int kind : {1, 2}) {
    zlc::NotationSet into;
    zlc::SetNotation(into, kind);
    zlc::CardRowFault fault;
    const std::optional<std::string> cards = zlc::ReadCardRow(text, into, fault);
    if (!cards) continue;
    Require(!cards->empty() && cards->size() % 2 == 0 && cards->size() <= 2 * zlc::kDeckSize,
            "a row is whole cards, at most a deck", *cards);
    CheckReplay(*cards);
  }
  return 0;
}
